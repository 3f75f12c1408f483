// Hit tests of the stage: the first source, target, group or room at a stage point, scanned in
// index order whatever the visibility (callers check visibility and locks).
#include "app/qx_gui.h"

namespace {

// Strict on both axes: the item is within `reach` of the point.
template <class Record> bool within(const Record& item, float reach, float x, float y) {
    return item.x + reach > x && item.x - reach < x && item.y + reach > y && item.y - reach < y;
}

template <class Record>
int32_t firstWithin(const Record* items, int32_t count, float reach, float x, float y) {
    for (int32_t i = 0; i < count; ++i)
        if (within(items[i], reach, x, y)) return i;
    return -1;
}

constexpr float kItemReach = 10.0f;
constexpr float kGroupReach = 15.0f;

} // namespace

int32_t QX_GUI::hitSourceNoReset(float x, float y) {
    stageView.highlightSize = 5;
    return firstWithin(sources, std::min(sourceCount, kMaxSources), kItemReach, x, y);
}

int32_t QX_GUI::hitTargetNoReset(float x, float y) {
    stageView.highlightSize = 5;
    return firstWithin(targets, std::min(targetCount, kMaxTargets), kItemReach, x, y);
}

int32_t QX_GUI::hitGroupNoReset(float x, float y) {
    stageView.highlightSize = 10;
    return firstWithin(groups, std::min(groupCount, kMaxGroups), kGroupReach, x, y);
}

int32_t QX_GUI::hitSource(float x, float y) {
    const int32_t hit = hitSourceNoReset(x, y);
    if (hit < 0) textEntry.textEntryId = 0;
    return hit;
}

int32_t QX_GUI::hitTarget(float x, float y) {
    const int32_t hit = hitTargetNoReset(x, y);
    if (hit < 0) textEntry.textEntryId = 0;
    return hit;
}

int32_t QX_GUI::hitGroup(float x, float y) {
    const int32_t hit = hitGroupNoReset(x, y);
    if (hit < 0) textEntry.textEntryId = 0;
    return hit;
}

int32_t QX_GUI::hitRoom(float x, float y) {
    for (int32_t r = 0; r < std::min(roomCount, kMaxRooms); ++r)
        if (rooms[r].containsPoint(x, y)) return r;
    textEntry.textEntryId = 0;
    return -1;
}

int32_t QX_GUI::hitMarquee(float x, float y) {
    const int32_t px = static_cast<int32_t>(x);
    const int32_t py = static_cast<int32_t>(y);
    if (marqueeRect[0] < px && px < marqueeRect[2] && marqueeRect[1] < py && py < marqueeRect[3]) {
        textEntry.textEntryId = 9;
        return 1;
    }
    textEntry.textEntryId = 0;
    return -1;
}
