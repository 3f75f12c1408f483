// Bulk clears of mute, solo and clipping over the live items.
#include <algorithm>

#include "app/qx_gui.h"

namespace {

template <class Record, class Field>
void clearField(Record* records, int32_t count, int32_t capacity, Field field) {
    const int32_t n = std::clamp(count, 0, capacity);
    for (int32_t i = 0; i < n; ++i) records[i].*field = 0;
}

} // namespace

void QX_GUI::clearAllMuteSolo() {
    unmuteAllSources();
    unsoloAllSources();
    unmuteAllTargets();
    unsoloAllTargets();
    unmuteAllGroups();
    unsoloAllGroups();
    unmuteAllRooms();
    unsoloAllRooms();
    unmuteAllCables();
    unsoloAllCables();
    clearSourceClipping();
    clearTargetClipping();
}

void QX_GUI::unmuteAllGroups() {
    clearField(groups, groupCount, kMaxGroups, &GroupRecord::mute);
    applyGroupMuteSolo();
}

void QX_GUI::unsoloAllGroups() {
    clearField(groups, groupCount, kMaxGroups, &GroupRecord::solo);
    applyGroupMuteSolo();
}

void QX_GUI::unmuteAllSources() {
    clearField(sources, sourceCount, kMaxLiveItems, &SourceRecord::mute);
}

void QX_GUI::unsoloAllSources() {
    clearField(sources, sourceCount, kMaxLiveItems, &SourceRecord::solo);
}

void QX_GUI::unmuteAllTargets() {
    clearField(targets, targetCount, kMaxLiveItems, &TargetRecord::mute);
}

void QX_GUI::unsoloAllTargets() {
    clearField(targets, targetCount, kMaxLiveItems, &TargetRecord::solo);
}

void QX_GUI::unmuteAllRooms() {
    clearField(rooms, roomCount, kMaxRooms, &RoomRecord::mute);
}

void QX_GUI::unsoloAllRooms() {
    clearField(rooms, roomCount, kMaxRooms, &RoomRecord::solo);
}

void QX_GUI::unmuteAllCables() {
    clearField(cables, cableCount, kMaxCables, &CableRecord::mute);
    anyCableMuted = 0;
}

void QX_GUI::unsoloAllCables() {
    clearField(cables, cableCount, kMaxCables, &CableRecord::solo);
    anyCableSoloed = 0;
}

void QX_GUI::clearSourceClipping() {
    clearField(sources, sourceCount, kMaxLiveItems, &SourceRecord::clip);
    anySourceClipping = 0;
}

void QX_GUI::clearTargetClipping() {
    clearField(targets, targetCount, kMaxLiveItems, &TargetRecord::clip);
    anyTargetClipping = 0;
}
