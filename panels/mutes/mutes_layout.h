// The MUTES panel's fixed layout in panel units: eight cell grids with their clear buttons.
#pragma once

#include <cstdint>

#include "app/qx_gui.h"

enum class MutesKind { Source, Target, Group, Room };

struct MutesGrid {
    MutesKind kind;
    bool solo;
    const char* label;
    float labelX, labelY;
    float cellX, cellY;                       // drawn top-left of cell 0 (12-unit pitch)
    float hitX0, hitX1, hitY0, hitY1;         // cell hit box, bounds excluded
    float pitchX, pitchY;                     // cell pitch of the hit test
    float clearX0, clearY0, clearX1, clearY1; // clear button as drawn
    float clearHitY0, clearHitY1;             // clear button hit rows (x: clearX0 .. clearX0 + 36)
};

inline constexpr MutesGrid kMutesGrids[8] = {
    {MutesKind::Source, false, "SOURCE MUTES", 4, 4, 4, 12, 4, 98, 12, 106, 11.75f, 11.75f, 64, 4,
     98, 10, 4, 12},
    {MutesKind::Source, true, "SOURCE SOLOS", 4, 111, 4, 120, 4, 98, 120, 214, 11.75f, 11.75f, 64,
     111, 98, 117, 111, 119},
    {MutesKind::Target, false, "TARGET MUTES", 104, 4, 104, 12, 104, 198, 12, 106, 11.75f, 11.75f,
     164, 4, 198, 10, 4, 12},
    {MutesKind::Target, true, "TARGET SOLOS", 104, 111, 104, 120, 104, 198, 120, 214, 11.75f,
     11.75f, 164, 111, 198, 117, 111, 119},
    {MutesKind::Group, false, "GROUP MUTES", 204, 4, 204, 12, 204, 298, 12, 34, 11.75f, 11.0f, 264,
     4, 298, 10, 4, 12},
    {MutesKind::Group, true, "GROUP SOLOS", 204, 40, 204, 48, 204, 298, 48, 70, 11.75f, 11.0f, 264,
     39, 298, 45, 39, 47},
    {MutesKind::Room, false, "ROOM MUTES", 204, 76, 204, 84, 204, 298, 84, 94, 11.75f, 10.0f, 264,
     75, 298, 81, 75, 83},
    {MutesKind::Room, true, "ROOM SOLOS", 204, 100, 204, 108, 204, 298, 108, 118, 11.75f, 10.0f,
     264, 99, 298, 105, 99, 107},
};

// The number of items of a grid's kind, and its mute or solo switch of item i.
inline int32_t mutesItemCount(const QX_GUI& gui, MutesKind kind) {
    switch (kind) {
    case MutesKind::Source:
        return gui.sourceCount;
    case MutesKind::Target:
        return gui.targetCount;
    case MutesKind::Group:
        return gui.groupCount;
    case MutesKind::Room:
        return gui.roomCount;
    }
    return 0;
}

inline int32_t* mutesSwitch(QX_GUI& gui, const MutesGrid& grid, int32_t i) {
    switch (grid.kind) {
    case MutesKind::Source:
        return grid.solo ? &gui.sources[i].solo : &gui.sources[i].mute;
    case MutesKind::Target:
        return grid.solo ? &gui.targets[i].solo : &gui.targets[i].mute;
    case MutesKind::Group:
        return grid.solo ? &gui.groups[i].solo : &gui.groups[i].mute;
    case MutesKind::Room:
        return grid.solo ? &gui.rooms[i].solo : &gui.rooms[i].mute;
    }
    return nullptr;
}

// The grid cell index under (lx, ly), or -1 outside the grid's hit box.
inline int32_t mutesCellAt(const MutesGrid& grid, int32_t lx, int32_t ly) {
    if (!(lx > grid.hitX0 && lx < grid.hitX1 && ly > grid.hitY0 && ly < grid.hitY1)) return -1;
    const int32_t column = static_cast<int32_t>((lx - grid.hitX0) / grid.pitchX);
    const int32_t row = static_cast<int32_t>((ly - grid.hitY0) / grid.pitchY);
    return column + 8 * row;
}
