// The pin on which a host hands the module lines for the person: a wide string, one console line
// per line of text (long ones wrapped), shown as notices.
#pragma once

#include <cstdint>

constexpr int32_t kHostLinesPin = 39;
