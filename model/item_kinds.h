// The kinds of stage item, as item references, the touched item and the editors number them;
// the numbers also travel on pins.
#pragma once

#include <cstdint>

constexpr int32_t kKindSource = 1;
constexpr int32_t kKindTarget = 2;
constexpr int32_t kKindGroup = 3;
constexpr int32_t kKindCable = 4;
constexpr int32_t kKindRoom = 5;
