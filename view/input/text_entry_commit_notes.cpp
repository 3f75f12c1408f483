// Text-entry commits of stage notes: a new note (31), the text (32), size (33) and alpha (34)
// of the note being edited. A note is centred on its point.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/qx_gui.h"
#include "command/text_utils.h"
#include "render/note_width.h"

namespace {

void setNoteText(NoteRecord& note, std::string text) {
    if (text.size() > NoteRecord::kTextBytes - 1) text.resize(NoteRecord::kTextBytes - 1);
    std::memset(note.text, 0, sizeof note.text);
    std::memcpy(note.text, text.data(), text.size());
    note.textLength = static_cast<int32_t>(text.size());
}

} // namespace

NoteRecord* QX_GUI::editedNote() {
    if (annotations.noteEdit.index < 0 || annotations.noteEdit.index >= noteCount) return nullptr;
    return &notes[annotations.noteEdit.index];
}

void QX_GUI::commitNote(int32_t id, const std::string& text) {
    if (id != 33 && holdsCommentMark(text)) {
        reportRefusedEntry(std::string("NOTE NOT CHANGED : ") + kNoteCommentMarkRefused);
        return;
    }
    NoteRecord* note = nullptr;
    if (id == 31) {
        if (text.empty()) return;
        if (noteCount >= 256) {
            appendConsoleLine("MAXIMUM NUMBER OF NOTES = 256");
            return;
        }
        appendConsoleLine("ADD USER TEXT -> " + text);
        note = &notes[noteCount++];
        note->size = 2.0f;
        note->red = note->green = note->blue = note->alpha = 1.0f;
        note->state = 0;
    } else {
        note = editedNote();
        if (note == nullptr) return;
    }
    if (id == 33) {
        note->size = std::clamp(static_cast<float>(std::atoi(text.c_str())), 1.0f, 20.0f);
        note->state = 0;
    } else {
        setNoteText(*note, text);
        note->alignment = 1;
        note->x = textEntry.textEntryAnchorX;
        note->y = textEntry.textEntryAnchorY;
        SetCursor(cursors[0]);
    }
    note->width = noteWidth(font, note->text, note->size);
    note->height = 5.0f * note->size;
    note->boxed = 0;
    note->x -= note->width / 2.0f;
    note->y -= note->height / 2.0f;
    raiseSendFlag(kSendNotes);
}

void QX_GUI::commitNoteAlpha(int32_t, const std::string& text) {
    NoteRecord* note = editedNote();
    if (note == nullptr) return;
    const float alpha = static_cast<float>(std::atof(text.c_str()));
    note->alpha = alpha > 1.0f ? 1.0f : (alpha < 0.0f ? 0.1f : alpha);
    note->state = 0;
    note->boxed = 0;
    raiseSendFlag(kSendNotes);
}
