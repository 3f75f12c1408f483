// Which source or target is routed to a virtual channel.
#pragma once

#include <cstdint>

#include "app/qx_gui.h"

// The first source (kind 1) or target (kind 2) in use whose virtual channel is `channel`;
// -1 when none is.
inline int32_t itemOnChannel(const QX_GUI& gui, int32_t kind, int32_t channel) {
    const int32_t count = kind == kKindSource ? gui.sourceCount : gui.targetCount;
    for (int32_t i = 0; i < count && i < QX_GUI::kChannels; ++i) {
        const int32_t routed =
            kind == kKindSource ? gui.sources[i].virtualChannel : gui.targets[i].virtualChannel;
        if (routed == channel) return i;
    }
    return -1;
}
