// The state pins: the pins whose values make up the module's state, which a host keeps (in a
// project, a session) and hands back. Beside them the send flag that carries each one, and the
// fixed order in which the state sender walks the flags. Plain constants, so that a host may
// include this header without the module's class.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dsp_link/send_flags.h"

struct StatePin {
    int32_t pinId;
    int32_t sendFlag;
};

// The order in which a host hands the state pins back. Dependencies decide it: the view state
// first (it holds the room count, which the rooms blob does not set), rooms before the items
// whose room membership is worked out, groups before sources (their mute and solo apply to the
// members), cables after sources and targets (they write the targets' gain rows), the gain
// matrix and the mixers and processing records, notes, then the stored selections (looked up
// by item name), the patch-file record and the slices; the panel layout last, since it loads
// the editors from the records handed back before it.
inline constexpr StatePin kStatePinsInRestoreOrder[] = {
    {5, kSendViewState},    {7, kSendRooms},          {8, kSendTargets},
    {10, kSendGroups},      {9, kSendSources},        {11, kSendCables},
    {15, kSendGainMatrix},  {24, kSendMixers},        {25, kSendMixers},
    {22, kSendMixers},      {23, kSendMixers},        {27, kSendFeedbackMixes},
    {12, kSendInputDelays}, {18, kSendOutputDelays},  {13, kSendInputEq},
    {16, kSendOutputEq},    {14, kSendInputDynamics}, {17, kSendOutputDynamics},
    {28, kSendNotes},       {29, kSendNameLists},     {30, kSendPatchRecord},
    {31, kSendSlices},      {21, kSendPanelLayout},
};
inline constexpr size_t kStatePinCount =
    sizeof kStatePinsInRestoreOrder / sizeof kStatePinsInRestoreOrder[0];

// The order in which the state sender walks the raised flags.
inline constexpr int kSendOrder[] = {
    kSendViewState,     kSendRooms,       kSendTargets,    kSendGroups,        kSendSources,
    kSendCables,        kSendPanelLayout, kSendGainMatrix, kSendMixers,        kSendInputDelays,
    kSendOutputDelays,  kSendInputEq,     kSendOutputEq,   kSendInputDynamics, kSendOutputDynamics,
    kSendFeedbackMixes, kSendPatchCheck,  kSendNameLists,  kSendNotes,         kSendPatchRecord,
    kSendSlices,
};

constexpr bool isStatePin(int32_t pinId) {
    for (const StatePin& pin : kStatePinsInRestoreOrder)
        if (pin.pinId == pinId) return true;
    return false;
}

namespace state_pins_detail {

constexpr bool sentBySender(int32_t flag) {
    for (int walked : kSendOrder)
        if (walked == flag) return true;
    return false;
}

constexpr bool everyStatePinIsSentOnce() {
    for (size_t i = 0; i < kStatePinCount; ++i) {
        if (!sentBySender(kStatePinsInRestoreOrder[i].sendFlag)) return false;
        for (size_t j = 0; j < i; ++j)
            if (kStatePinsInRestoreOrder[j].pinId == kStatePinsInRestoreOrder[i].pinId)
                return false;
    }
    return true;
}

} // namespace state_pins_detail

static_assert(state_pins_detail::everyStatePinIsSentOnce(),
              "each state pin is listed once, under a flag the state sender walks");
