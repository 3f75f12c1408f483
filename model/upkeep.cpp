// The model hooks run after every edit: room membership, group mute and solo onto member
// sources, and the mute, solo and clipping summaries.
#include <algorithm>

#include "app/qx_gui.h"

namespace {

int32_t live(int32_t count, int32_t capacity) {
    return std::clamp(count, 0, capacity);
}

} // namespace

void QX_GUI::updateRoomMembership() {
    const int32_t liveSources = live(sourceCount, kMaxLiveItems);
    const int32_t liveTargets = live(targetCount, kMaxLiveItems);
    // Room lists hold 64 groups; the group count never exceeds 32.
    const int32_t liveGroups = live(groupCount, 64);
    for (int32_t s = 0; s < liveSources; ++s) sources[s].room = -1;
    for (int32_t t = 0; t < liveTargets; ++t) targets[t].room = -1;
    if (roomCount < 1) return;

    // Rooms are visited in index order, so an item inside several rooms ends with the highest
    // room index while every room's own lists still name it.
    const int32_t liveRooms = live(roomCount, kMaxRooms);
    for (int32_t r = 0; r < liveRooms; ++r) {
        RoomRecord& room = rooms[r];
        room.sourceCount = 0;
        for (int32_t s = 0; s < liveSources; ++s) {
            SourceRecord& source = sources[s];
            room.sourceFlags[s] = 0;
            if (!room.containsPoint(source.x, source.y)) continue;
            room.sourceFlags[s] = 1;
            source.lastRoom = r;
            source.room = r;
            room.sourceList[room.sourceCount++] = s;
        }
        room.targetCount = 0;
        for (int32_t t = 0; t < liveTargets; ++t) {
            TargetRecord& target = targets[t];
            room.targetFlags[t] = 0;
            if (!room.containsPoint(target.x, target.y)) continue;
            room.targetFlags[t] = 1;
            target.room = r;
            room.targetList[room.targetCount++] = t;
        }
        room.groupCount = 0;
        for (int32_t g = 0; g < liveGroups; ++g) {
            room.groupFlags[g] = 0;
            if (!room.containsPoint(groups[g].x, groups[g].y)) continue;
            room.groupFlags[g] = 1;
            room.groupList[room.groupCount++] = g;
        }
    }
}

// A source in several groups ends with the state of its highest-index group.
void QX_GUI::applyGroupMuteSolo() {
    const int32_t liveSources = live(sourceCount, kMaxLiveItems);
    const int32_t liveGroups = live(groupCount, kMaxGroups);
    for (int32_t s = 0; s < liveSources; ++s) {
        sources[s].groupMuted = 0;
        sources[s].groupSoloed = 0;
    }
    anyGroupMuted = 0;
    for (int32_t g = 0; g < liveGroups; ++g) {
        const GroupRecord& group = groups[g];
        const int32_t value = group.mute == 1 ? 1 : 0;
        for (int32_t m = 0; m < group.memberCount; ++m)
            sources[group.memberList[m]].groupMuted = value;
        if (value) anyGroupMuted = 1;
    }
    anyGroupSoloed = 0;
    for (int32_t g = 0; g < liveGroups; ++g) {
        const GroupRecord& group = groups[g];
        const int32_t value = group.solo == 1 ? 1 : 0;
        for (int32_t m = 0; m < group.memberCount; ++m)
            sources[group.memberList[m]].groupSoloed = value;
        if (value) anyGroupSoloed = 1;
    }
}

namespace {

// 1 when the sum of one integer field over the first count records is above 0.
template <class Record, class Field>
int32_t anySet(const Record* records, int32_t count, Field field) {
    int32_t sum = 0;
    for (int32_t i = 0; i < count; ++i) sum += records[i].*field;
    return sum > 0 ? 1 : 0;
}

template <class Field>
int32_t anyCableEqualsOne(const CableRecord* cables, int32_t count, Field field) {
    for (int32_t c = 0; c < count; ++c)
        if (cables[c].*field == 1) return 1;
    return 0;
}

} // namespace

void QX_GUI::updateMuteSoloSummary() {
    updateSourceMuteSummary();
    updateSourceSoloSummary();
    updateTargetMuteSummary();
    updateTargetSoloSummary();
    anyGroupMuted = anySet(groups, live(groupCount, kMaxGroups), &GroupRecord::mute);
    anyGroupSoloed = anySet(groups, live(groupCount, kMaxGroups), &GroupRecord::solo);
    anyRoomMuted = anySet(rooms, live(roomCount, kMaxRooms), &RoomRecord::mute);
    anyRoomSoloed = anySet(rooms, live(roomCount, kMaxRooms), &RoomRecord::solo);
    updateCableMuteSummary();
    updateCableSoloSummary();
}

void QX_GUI::updateSourceMuteSummary() {
    anySourceMuted = anySet(sources, live(sourceCount, kMaxLiveItems), &SourceRecord::mute);
}

void QX_GUI::updateSourceSoloSummary() {
    anySourceSoloed = anySet(sources, live(sourceCount, kMaxLiveItems), &SourceRecord::solo);
}

void QX_GUI::updateTargetMuteSummary() {
    anyTargetMuted = anySet(targets, live(targetCount, kMaxLiveItems), &TargetRecord::mute);
}

void QX_GUI::updateTargetSoloSummary() {
    anyTargetSoloed = anySet(targets, live(targetCount, kMaxLiveItems), &TargetRecord::solo);
}

void QX_GUI::updateCableMuteSummary() {
    anyCableMuted = anyCableEqualsOne(cables, live(cableCount, kMaxCables), &CableRecord::mute);
}

void QX_GUI::updateCableSoloSummary() {
    anyCableSoloed = anyCableEqualsOne(cables, live(cableCount, kMaxCables), &CableRecord::solo);
}
