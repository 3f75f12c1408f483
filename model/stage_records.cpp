#include "model/stage_records.h"
#include "model/checked_number.h"

#include <cmath>
#include <cstring>

namespace {

// Stores the packed colour and its three float components; returns the blue byte.
template <class Record> uint32_t storeColour(Record& record, uint32_t packed) {
    record.colour = packed;
    record.colourRed = static_cast<float>(packed & 0xFF) * kColourByteScale;
    record.colourGreen = static_cast<float>((packed >> 8) & 0xFF) * kColourByteScale;
    record.colourBlue = static_cast<float>((packed >> 16) & 0xFF) * kColourByteScale;
    return (packed >> 16) & 0xFF;
}

float snapCoordinate(float v) {
    return std::trunc(v * 0.1f) * 10.0f;
}

template <class Record> void snapPosition(Record& record) {
    record.x = snapCoordinate(record.x);
    record.y = snapCoordinate(record.y);
}

// The offset from the item's position to the pointer, kept while the item is dragged.
template <class Record> void startDrag(Record& record, float px, float py) {
    record.dragOffsetX = px - record.x;
    record.dragOffsetY = py - record.y;
}

template <class Record> void followDrag(Record& record, float px, float py) {
    record.x = px - record.dragOffsetX;
    record.y = py - record.dragOffsetY;
}

template <class Record>
void storeBounds(Record& record, int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
    record.boundsXMin = xMin;
    record.boundsYMin = yMin;
    record.boundsXMax = xMax;
    record.boundsYMax = yMax;
}

// Position minus the drag offset, then each axis limited to the item's own bounds.
template <class Record> void moveClamped(Record& record, float px, float py) {
    followDrag(record, px, py);
    if (record.x < static_cast<float>(record.boundsXMin))
        record.x = static_cast<float>(record.boundsXMin);
    if (record.x > static_cast<float>(record.boundsXMax))
        record.x = static_cast<float>(record.boundsXMax);
    if (record.y < static_cast<float>(record.boundsYMin))
        record.y = static_cast<float>(record.boundsYMin);
    if (record.y > static_cast<float>(record.boundsYMax))
        record.y = static_cast<float>(record.boundsYMax);
}

bool isMembershipIndex(int32_t i) {
    return i >= 0 && i < kMembershipSlots;
}

// Rebuilds a compact ascending list of the indices 0..63 whose flag is exactly 1.
int32_t rebuildList(const int32_t* flags, int32_t* list) {
    int32_t count = 0;
    for (int32_t i = 0; i < kMembershipLive; ++i)
        if (flags[i] == 1) list[count++] = i;
    return count;
}

} // namespace

// ---- SourceRecord --------------------------------------------------------------------------

uint32_t SourceRecord::setColour(uint32_t packed) {
    return storeColour(*this, packed);
}

void SourceRecord::snapToGrid() {
    snapPosition(*this);
}

void SourceRecord::beginDrag(float px, float py) {
    startDrag(*this, px, py);
}

void SourceRecord::dragTo(float px, float py) {
    followDrag(*this, px, py);
}

void SourceRecord::dragClamped(float px, float py) {
    moveClamped(*this, px, py);
}

void SourceRecord::setOffsetFromPosition(float px, float py) {
    dragOffsetX = x - px;
    dragOffsetY = y - py;
}

void SourceRecord::setPosition(float px, float py) {
    x = px;
    y = py;
}

void SourceRecord::setBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
    storeBounds(*this, xMin, yMin, xMax, yMax);
}

void SourceRecord::setBoundsFromFloats(float xMin, float yMin, float xMax, float yMax) {
    setBounds(saturatingInt(xMin), saturatingInt(yMin), saturatingInt(xMax), saturatingInt(yMax));
}

// Wraps the position by at most one period into the rectangle.
void SourceRecord::wrapInto(int32_t x0, int32_t y0, int32_t x1, int32_t y1) {
    const float w = static_cast<float>(x1 - x0);
    const float h = static_cast<float>(y1 - y0);
    if (x < static_cast<float>(x0)) x += w;
    if (y < static_cast<float>(y0)) y += h;
    if (x > static_cast<float>(x1)) x -= w;
    if (y > static_cast<float>(y1)) y -= h;
}

void SourceRecord::rebuildGroupList() {
    groupCount = rebuildList(groupFlags, groupList);
}

void SourceRecord::clearGroups() {
    for (int32_t g = 0; g < kMembershipLive; ++g) groupFlags[g] = 0;
    rebuildGroupList();
}

void SourceRecord::addToGroup(int32_t g) {
    if (!isMembershipIndex(g)) return;
    groupFlags[g] = 1;
    rebuildGroupList();
}

void SourceRecord::removeFromGroup(int32_t g) {
    if (!isMembershipIndex(g)) return;
    groupFlags[g] = 0;
    rebuildGroupList();
}

// ---- TargetRecord --------------------------------------------------------------------------

TargetRecord::TargetRecord() {
    std::memset(sourceShown, 1, sizeof sourceShown);
}

uint32_t TargetRecord::setColour(uint32_t packed) {
    return storeColour(*this, packed);
}

void TargetRecord::snapToGrid() {
    snapPosition(*this);
}

void TargetRecord::beginDrag(float px, float py) {
    startDrag(*this, px, py);
}

void TargetRecord::dragTo(float px, float py) {
    followDrag(*this, px, py);
}

void TargetRecord::dragClamped(float px, float py) {
    moveClamped(*this, px, py);
}

void TargetRecord::setPosition(float px, float py) {
    x = px;
    y = py;
}

void TargetRecord::setBounds(int32_t xMin, int32_t yMin, int32_t xMax, int32_t yMax) {
    storeBounds(*this, xMin, yMin, xMax, yMax);
}

// ---- GroupRecord ---------------------------------------------------------------------------

uint32_t GroupRecord::setColour(uint32_t packed) {
    return storeColour(*this, packed);
}

void GroupRecord::snapToGrid() {
    snapPosition(*this);
}

void GroupRecord::beginDrag(float px, float py) {
    startDrag(*this, px, py);
}

void GroupRecord::dragTo(float px, float py) {
    followDrag(*this, px, py);
}

void GroupRecord::resetBounds() {
    storeBounds(*this, -10000, -10000, 10000, 10000);
}

void GroupRecord::rebuildMemberList() {
    memberCount = rebuildList(memberFlags, memberList);
}

bool GroupRecord::isMember(int32_t s) const {
    return isMembershipIndex(s) && memberFlags[s] == 1;
}

void GroupRecord::clearMembers() {
    for (int32_t s = 0; s < kMembershipLive; ++s) memberFlags[s] = 0;
    rebuildMemberList();
}

void GroupRecord::addMember(int32_t s) {
    if (!isMembershipIndex(s)) return;
    memberFlags[s] = 1;
    rebuildMemberList();
}

void GroupRecord::removeMember(int32_t s) {
    if (!isMembershipIndex(s)) return;
    memberFlags[s] = 0;
    rebuildMemberList();
}

// ---- RoomRecord ----------------------------------------------------------------------------

uint32_t RoomRecord::setColour(uint32_t packed) {
    return storeColour(*this, packed);
}

void RoomRecord::beginDrag(float px, float py) {
    startDrag(*this, px, py);
}

void RoomRecord::dragTo(float px, float py) {
    followDrag(*this, px, py);
}

// Edges inclusive; a NaN coordinate fails every comparison and is never inside.
bool RoomRecord::containsPoint(float px, float py) const {
    return x <= px && px <= x + width && y <= py && py <= y + height;
}

IntRect RoomRecord::rectAsInts() const {
    return {saturatingInt(x), saturatingInt(y), saturatingInt(x + width),
            saturatingInt(y + height)};
}

void RoomRecord::setPositionRounded(float px, float py) {
    x = static_cast<float>(saturatingInt(px));
    y = static_cast<float>(saturatingInt(py));
}
