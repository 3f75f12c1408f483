// The notes pin: the NOTE annotations, 320 bytes each, in the order the note table holds them.
#include <cstring>
#include <vector>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"

namespace {

constexpr int32_t kMaxNotes = 256;

void encodeNote(const NoteRecord& note, uint8_t* out) {
    le::putF32(out, 0, note.x);
    le::putF32(out, 4, note.y);
    le::putF32(out, 8, note.width);
    le::putF32(out, 12, note.height);
    le::putI32(out, 16, note.alignment);
    le::putF32(out, 20, note.size);
    le::putF32(out, 24, note.red);
    le::putF32(out, 28, note.green);
    le::putF32(out, 32, note.blue);
    le::putF32(out, 36, note.alpha);
    std::memcpy(out + 40, note.reserved40, sizeof note.reserved40);
    le::putI32(out, 52, note.state);
    std::memcpy(out + 56, note.text, NoteRecord::kTextBytes);
    le::putI32(out, 312, note.textLength);
    out[316] = note.boxed;
    std::memcpy(out + 317, note.reserved317, sizeof note.reserved317);
}

void decodeNote(const BlobReader& blob, int64_t at, NoteRecord& note) {
    note.x = blob.f32(at);
    note.y = blob.f32(at + 4);
    note.width = blob.f32(at + 8);
    note.height = blob.f32(at + 12);
    note.alignment = blob.i32(at + 16);
    note.size = blob.f32(at + 20);
    note.red = blob.f32(at + 24);
    note.green = blob.f32(at + 28);
    note.blue = blob.f32(at + 32);
    note.alpha = blob.f32(at + 36);
    std::memcpy(note.reserved40, blob.data() + at + 40, sizeof note.reserved40);
    note.state = blob.i32(at + 52);
    std::memcpy(note.text, blob.data() + at + 56, NoteRecord::kTextBytes);
    // A text that fills its field is cut so that it stays terminated.
    note.text[NoteRecord::kTextBytes - 1] = '\0';
    const int32_t held = static_cast<int32_t>(::strnlen(note.text, NoteRecord::kTextBytes));
    const int32_t length = blob.i32(at + 312);
    note.textLength = length < 0 ? 0 : length > held ? held : length;
    note.boxed = blob.u8(at + 316);
    std::memcpy(note.reserved317, blob.data() + at + 317, sizeof note.reserved317);
}

} // namespace

void QX_GUI::sendNotesBlob() {
    const int32_t count = noteCount < 0 ? 0 : noteCount > kMaxNotes ? kMaxNotes : noteCount;
    std::vector<uint8_t> out(static_cast<size_t>(count) * blob_layout::kNoteSize, 0);
    for (int32_t k = 0; k < count; ++k)
        encodeNote(notes[k], out.data() + static_cast<size_t>(k) * blob_layout::kNoteSize);
    pinNotes.setValue(out.empty() ? nullptr : out.data(), static_cast<int32_t>(out.size()));
}

void QX_GUI::onRecords28Pin() {
    BlobReader blob(pinNotes.getData(), pinNotes.getSize());
    int32_t count = blob.size() / blob_layout::kNoteSize;
    if (count > kMaxNotes) count = kMaxNotes;
    for (int32_t k = 0; k < count; ++k)
        decodeNote(blob, int64_t{k} * blob_layout::kNoteSize, notes[k]);
    noteCount = count;
}
