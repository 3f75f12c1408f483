// The ids of the ten floating panels (their slots in QX_GUI::panels).
#pragma once

#include <cstdint>

constexpr int32_t kPanelCli = 0;
constexpr int32_t kPanelScope = 1;
constexpr int32_t kPanelEnvelopes = 2;
constexpr int32_t kPanelMutes = 3;
constexpr int32_t kPanelFft = 4;
constexpr int32_t kPanelDynamics = 5;
constexpr int32_t kPanelFilters = 6;
constexpr int32_t kPanelDelay = 7;
constexpr int32_t kPanelVirtual = 8;
constexpr int32_t kPanelMacros = 9;
constexpr int32_t kPanelCount = 10;
