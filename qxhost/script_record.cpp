#include "qxhost/script_record.h"

namespace qxhost {
namespace {

constexpr int32_t kScriptKind = 2;
constexpr size_t kItemOffset = 8;
constexpr size_t kItemSize = 24;
constexpr size_t kCountOffset = 2408;

void putU32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

} // namespace

bool buildScriptRecord(int32_t addressee, const std::vector<std::string>& lines,
                       std::vector<uint8_t>& record) {
    record.clear();
    if (lines.size() > static_cast<size_t>(kScriptItems)) return false;
    for (const std::string& line : lines)
        if (line.size() > kScriptLineLength) return false;

    record.assign(kScriptRecordSize, 0);
    putU32(record, 0, kScriptKind);
    putU32(record, 4, static_cast<uint32_t>(addressee));
    // Every item slot: 16 text bytes (NUL-terminated), the text length, the capacity 15.
    for (size_t j = 0; j < static_cast<size_t>(kScriptItems); ++j) {
        size_t item = kItemOffset + kItemSize * j;
        uint32_t length = 0;
        if (j < lines.size()) {
            length = static_cast<uint32_t>(lines[j].size());
            for (size_t k = 0; k < lines[j].size(); ++k)
                record[item + k] = static_cast<uint8_t>(lines[j][k]);
        }
        putU32(record, item + 16, length);
        putU32(record, item + 20, static_cast<uint32_t>(kScriptLineLength));
    }
    putU32(record, kCountOffset, static_cast<uint32_t>(lines.size()));
    putU32(record, kCountOffset + 4, 0);
    return true;
}

} // namespace qxhost
