#include "dsp_link/script_record.h"

#include <cstring>

#include "dsp_link/byte_order.h"

void ScriptItem::setText(const std::string& line) {
    std::memset(text, 0, sizeof text);
    size_t n = line.size() < kCapacity ? line.size() : kCapacity;
    std::memcpy(text, line.data(), n);
    length = static_cast<uint32_t>(n);
    capacity = kCapacity;
}

bool ScriptRecord::append(const std::string& line) {
    if (count < 0 || count >= kItems) return false;
    items[count++].setText(line);
    return true;
}

namespace script_codec {

std::vector<uint8_t> encode(const ScriptRecord& script) {
    std::vector<uint8_t> out(ScriptRecord::kEncodedSize, 0);
    uint8_t* p = out.data();
    le::putI32(p, 0, script.kind);
    le::putI32(p, 4, script.addressee);
    for (int j = 0; j < ScriptRecord::kItems; ++j) {
        const ScriptItem& item = script.items[j];
        size_t at = ScriptRecord::kItemsOffset + j * ScriptRecord::kItemSize;
        // The text field is written up to its NUL; the bytes after it stay zero.
        size_t n = ::strnlen(item.text, 15);
        std::memcpy(p + at, item.text, n);
        le::putU32(p, at + 16, item.length);
        le::putU32(p, at + 20, item.capacity);
    }
    le::putI32(p, ScriptRecord::kCountOffset, script.count);
    le::putI32(p, ScriptRecord::kCountOffset + 4, script.reserved);
    return out;
}

bool decode(const uint8_t* data, int32_t size, Received& received) {
    BlobReader blob(data, size);
    if (!blob.holds(0, 8)) return false;
    received.kind = blob.i32(0);
    received.addressee = blob.i32(4);
    received.lines.clear();
    int32_t count = blob.i32(ScriptRecord::kCountOffset);
    if (count > ScriptRecord::kItems) count = ScriptRecord::kItems;
    for (int32_t j = 0; j < count; ++j) {
        int64_t at = ScriptRecord::kItemsOffset + int64_t{j} * ScriptRecord::kItemSize;
        if (!blob.holds(at, ScriptRecord::kItemSize)) break;
        if (blob.u32(at + 20) >= 16) continue; // text lies outside the blob: never followed
        received.lines.push_back(blob.name(at, 16).substr(0, ScriptItem::kCapacity));
    }
    return true;
}

} // namespace script_codec
