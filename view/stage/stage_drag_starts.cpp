// Drag starts: the offsets from the pointer and the movement bounds an item keeps while it is
// dragged. An item pressed inside a room stays in that room unless SHIFT is held.
#include "app/qx_gui.h"
#include "view/input/key_predicates.h"

namespace {

// The stage margin kept clear of unroomed drags; no operation changes it.
constexpr int32_t kStageMargin = 0;

} // namespace

int32_t QX_GUI::lastRoomContaining(float x, float y) const {
    int32_t found = -1;
    for (int32_t r = 0; r < std::min(roomCount, kMaxRooms); ++r)
        if (rooms[r].containsPoint(x, y)) found = r;
    return found;
}

void QX_GUI::beginDragSource(int32_t s, float x, float y) {
    SourceRecord& source = sources[s];
    source.beginDrag(x, y);
    captureMouse();
    const int32_t room = lastRoomContaining(x, y);
    if (room >= 0 && !isKeyDownShift()) {
        const RoomRecord& r = rooms[room];
        source.setBounds(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y),
                         static_cast<int32_t>(r.x + r.width), static_cast<int32_t>(r.y + r.height));
        return;
    }
    const float w = 4.0f * windowWidth;
    const float h = 4.0f * windowHeight;
    const float m = static_cast<float>(kStageMargin);
    source.setBounds(static_cast<int32_t>(m - w), static_cast<int32_t>(m - h),
                     static_cast<int32_t>(w - m), static_cast<int32_t>(h - m));
}

void QX_GUI::beginDragTarget(int32_t t, float x, float y) {
    TargetRecord& target = targets[t];
    const int32_t room = lastRoomContaining(x, y);
    captureMouse();
    target.beginDrag(x, y);
    if (room >= 0 && !isKeyDownShift()) {
        const RoomRecord& r = rooms[room];
        target.setBounds(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y),
                         static_cast<int32_t>(r.x + r.width), static_cast<int32_t>(r.y + r.height));
        return;
    }
    target.setBounds(-5000, -5000, 5000, 5000);
}

void QX_GUI::beginDragGroup(int32_t g, float x, float y) {
    GroupRecord& group = groups[g];
    group.pressPoint[0] = static_cast<int32_t>(x);
    group.pressPoint[1] = static_cast<int32_t>(y);
    const bool shift = isKeyDownShift();
    const float m = static_cast<float>(kStageMargin);
    for (int32_t k = 0; k < std::min(group.memberCount, kMaxLiveItems); ++k) {
        const int32_t s = group.memberList[k];
        if (s < 0 || s >= kMaxSources) continue;
        SourceRecord& member = sources[s];
        member.beginDrag(x, y);
        if (member.room < 0 || member.room >= kMaxRooms) {
            member.setBounds(
                static_cast<int32_t>(m - windowWidth), static_cast<int32_t>(m - windowHeight),
                static_cast<int32_t>(windowWidth - m), static_cast<int32_t>(windowHeight - m));
        } else if (!shift) {
            const RoomRecord& r = rooms[member.room];
            member.setBounds(static_cast<int32_t>(r.x), static_cast<int32_t>(r.y),
                             static_cast<int32_t>(r.x + r.width),
                             static_cast<int32_t>(r.y + r.height));
        }
    }
    group.beginDrag(x, y);
    captureMouse();
    group.resetBounds();
}

void QX_GUI::beginDragItem(float x, float y) {
    for (int32_t i = 0; i < selectedCount; ++i) {
        const ItemSnapshot item = makeItemSnapshot(selectedNames[i]);
        if (item.type == kKindSource) beginDragSource(item.index, x, y);
        if (item.type == kKindTarget) beginDragTarget(item.index, x, y);
        if (item.type == kKindGroup) beginDragGroup(item.index, x, y);
    }
}
