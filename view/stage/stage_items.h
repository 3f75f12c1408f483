// Small checked look-ups the stage passes share: whether an index names a live item of its
// table, and the meter values each pass reads.
#pragma once

#include <cstdint>

#include "app/qx_gui.h"

namespace stage_items {

inline bool isSource(const QX_GUI& gui, int32_t s) {
    return s >= 0 && s < gui.sourceCount && s < QX_GUI::kMaxSources;
}
inline bool isTarget(const QX_GUI& gui, int32_t t) {
    return t >= 0 && t < gui.targetCount && t < QX_GUI::kMaxTargets;
}
inline bool isGroup(const QX_GUI& gui, int32_t g) {
    return g >= 0 && g < gui.groupCount && g < QX_GUI::kMaxGroups;
}
inline bool isRoom(const QX_GUI& gui, int32_t r) {
    return r >= 0 && r < gui.roomCount && r < QX_GUI::kMaxRooms;
}
inline int32_t liveCount(int32_t count, int32_t capacity) {
    return count < 0 ? 0 : (count > capacity ? capacity : count);
}

inline float limitToOne(float v) {
    return v > 1.0f ? 1.0f : v;
}

// Meter values as the DSP side last reported them: a source's level meter is its shown level
// (reading x level, held, at most 1); the first meter is the plain reading; the activity meter
// comes with the activity blobs. A target's activity meter is its shown level.
inline float sourceLevelMeter(const QX_GUI& gui, int32_t s) {
    return isSource(gui, s) ? gui.sources[s].meter[4] : 0.0f;
}
inline float sourceFirstMeter(const QX_GUI& gui, int32_t s) {
    return isSource(gui, s) ? gui.sources[s].meter[0] : 0.0f;
}
inline float sourceActivityMeter(const QX_GUI& gui, int32_t s) {
    return s >= 0 && s < QX_GUI::kChannels ? static_cast<float>(gui.dspLink.sourceActivity[s])
                                           : 0.0f;
}
inline float targetFirstMeter(const QX_GUI& gui, int32_t t) {
    return isTarget(gui, t) ? gui.targets[t].meter[0] : 0.0f;
}
inline float targetActivityMeter(const QX_GUI& gui, int32_t t) {
    return isTarget(gui, t) ? gui.targets[t].meter[4] : 0.0f;
}

} // namespace stage_items
