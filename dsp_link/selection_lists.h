// Stored selections as the name-lists blob carries them: names joined by blanks.
#pragma once

#include <cstdint>
#include <string>

namespace selection_lists {

constexpr int kStoredSlots = 10; // stored selections 1 to 10 travel
constexpr int kNames = 255;      // names a stored selection holds
constexpr size_t kTextLength = 1023;

// Names in use: the leading non-empty entries.
int32_t nameCount(const std::string (&names)[kNames]);
// Every name followed by one blank, cut to 1023 characters.
std::string joinNames(const std::string (&names)[kNames]);

} // namespace selection_lists
