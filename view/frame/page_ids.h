// The five pages of the frame (the current page; also on the view-state pin).
#pragma once

#include <cstdint>

constexpr int32_t kPageStage = 0;
constexpr int32_t kPageInputs = 1;
constexpr int32_t kPageOutputs = 2;
constexpr int32_t kPageMatrix = 3;
constexpr int32_t kPageFeedback = 4;
