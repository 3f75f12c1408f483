// The script record that carries command lines to an instance on pin 3: 2,416 bytes holding the
// addressee's local id and up to 100 lines of at most 15 characters each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qxhost {

constexpr int32_t kScriptRecordSize = 2416;
constexpr int32_t kScriptItems = 100;
constexpr size_t kScriptLineLength = 15; // an item holds 15 characters and a terminator

// Builds the record addressed to one local id. Returns false with an empty record when there are
// more than 100 lines or a line is longer than 15 characters.
bool buildScriptRecord(int32_t addressee, const std::vector<std::string>& lines,
                       std::vector<uint8_t>& record);

} // namespace qxhost
