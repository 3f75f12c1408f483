// Callbacks of the stage pins: sources, targets, groups, rooms and cables handed in by the host
// (a restored project or another instance's state). Counts follow the blob's size but never pass
// the tables the blobs are built from; indices out of range are skipped.
#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"

namespace {

int32_t recordsIn(const BlobReader& blob, int32_t recordSize, int32_t capacity) {
    int32_t n = blob.size() / recordSize;
    return n > capacity ? capacity : n;
}

// The components as the records' own setColour gives them, so a restored item writes the
// same RGB line as the item a patch made.
template <class Record> void takeColour(Record& record, uint32_t packed) {
    record.setColour(packed);
}

// Bytes 1 to 32 of a source or target record (byte 0 is the index); the size is a target's own
// radius and the shown flag its visible flag.
template <class Record>
void takeChannelItemHead(const BlobReader& blob, int64_t at, Record& item, float& size,
                         uint8_t& shown) {
    item.virtualChannel = blob.u8(at + 1);
    item.x = blob.f32(at + 4);
    item.y = blob.f32(at + 8);
    item.level = blob.f32(at + 12);
    item.phase = blob.f32(at + 16);
    size = blob.f32(at + 20);
    item.mute = blob.u8(at + 24);
    item.solo = blob.u8(at + 25);
    takeColour(item, blob.u32(at + 28));
    shown = blob.u8(at + 32);
}

} // namespace

void QX_GUI::onSourcesPin() {
    BlobReader blob(pinSources.getData(), pinSources.getSize());
    if (blob.empty()) return;
    int32_t n = recordsIn(blob, blob_layout::kSourceSize, blob_layout::kSourceRecords);
    if (n < 1) {
        setStatusMessage("SOURCES BLOB IS TOO SHORT");
        return;
    }
    sourceCount = n;
    for (int k = 0; k < n; ++k) {
        int64_t at = int64_t{k} * blob_layout::kSourceSize;
        int32_t i = blob.u8(at);
        if (i >= n) continue;
        SourceRecord& s = sources[i];
        takeChannelItemHead(blob, at, s, s.size, s.shown);
        s.name = blob.name(at + 33);
        uint32_t mask = blob.u32(at + 52);
        for (int g = 0; g < kMembershipSlots; ++g) s.groupFlags[g] = 0;
        for (int g = 0; g < 16; ++g) s.groupFlags[g] = (mask >> g) & 1;
        s.rebuildGroupList();
        s.clip = 0;
    }
    updateSourceMuteSummary();
    updateSourceSoloSummary();
    applyGroupMuteSolo();
    updateRoomMembership();
    sendStateAndRedraw();
    refreshOpenEditors(1);
}

void QX_GUI::onTargetsPin() {
    BlobReader blob(pinTargets.getData(), pinTargets.getSize());
    if (blob.empty()) return;
    int32_t n = recordsIn(blob, blob_layout::kTargetSize, blob_layout::kTargetRecords);
    if (n < 1) {
        setStatusMessage("TARGETS BLOB IS TOO SHORT");
        return;
    }
    targetCount = n;
    for (int k = 0; k < n; ++k) {
        int64_t at = int64_t{k} * blob_layout::kTargetSize;
        int32_t i = blob.u8(at);
        if (i >= n) continue;
        TargetRecord& t = targets[i];
        takeChannelItemHead(blob, at, t, t.ownRadius, t.visible);
        // Any byte but 0 means "uses the global radius"; held as 1 so every reader agrees.
        t.useGlobalRadius = blob.u8(at + 33) != 0 ? 1 : 0;
        t.name = blob.name(at + 34);
    }
    updateTargetMuteSummary();
    updateTargetSoloSummary();
    anyTargetClipping = 0;
    for (int i = 0; i < targetCount; ++i)
        if (targets[i].clip) anyTargetClipping = 1;
    updateRoomMembership();
    sendStateAndRedraw();
    refreshOpenEditors(2);
}

void QX_GUI::onGroupsPin() {
    BlobReader blob(pinGroups.getData(), pinGroups.getSize());
    if (blob.empty()) return;
    int32_t n = recordsIn(blob, blob_layout::kGroupSize, blob_layout::kGroupRecords);
    if (n < 1) {
        setStatusMessage("GROUPS BLOB IS TOO SHORT");
        return;
    }
    groupCount = n;
    for (int k = 0; k < n; ++k) {
        int64_t at = int64_t{k} * blob_layout::kGroupSize;
        int32_t i = blob.u8(at + 28);
        if (i >= n) continue;
        GroupRecord& g = groups[i];
        g.x = blob.f32(at);
        g.y = blob.f32(at + 4);
        g.level = blob.f32(at + 8);
        g.phase = blob.f32(at + 12);
        g.movementX = blob.f32(at + 16);
        g.movementY = blob.f32(at + 20);
        g.rotationSpeed = blob.f32(at + 24);
        takeColour(g, blob.u32(at + 32));
        g.mute = blob.u8(at + 36);
        g.solo = blob.u8(at + 37);
        g.rotationOn = blob.u8(at + 38);
        g.movementOn = blob.u8(at + 39);
        g.shown = blob.u8(at + 40);
        g.name = blob.name(at + 41);
        uint64_t mask = blob.u64(at + 64);
        for (int s = 0; s < 64; ++s) g.memberFlags[s] = (mask >> s) & 1;
        g.rebuildMemberList();
    }
    anyGroupMuted = 0;
    anyGroupSoloed = 0;
    for (int i = 0; i < groupCount; ++i) {
        anyGroupMuted += groups[i].mute;
        anyGroupSoloed += groups[i].solo;
    }
    anyGroupMuted = anyGroupMuted > 0;
    anyGroupSoloed = anyGroupSoloed > 0;
    applyGroupMuteSolo();
    sendStateAndRedraw();
}

void QX_GUI::onRoomsPin() {
    BlobReader blob(pinRooms.getData(), pinRooms.getSize());
    if (blob.empty()) return;
    // The room count stays; the first rooms are overwritten.
    int32_t n = recordsIn(blob, blob_layout::kRoomSize, kMaxRoomCount);
    if (n < 1) {
        setStatusMessage("ROOMS BLOB IS TOO SHORT");
        return;
    }
    for (int k = 0; k < n; ++k) {
        int64_t at = int64_t{k} * blob_layout::kRoomSize;
        RoomRecord& r = rooms[k];
        r.level = blob.f32(at);
        r.phase = blob.f32(at + 4);
        r.x = blob.f32(at + 8);
        r.y = blob.f32(at + 12);
        r.width = blob.f32(at + 16);
        r.height = blob.f32(at + 20);
        takeColour(r, blob.u32(at + 24));
        r.name = blob.name(at + 28);
        r.mute = blob.u8(at + 44);
        r.solo = blob.u8(at + 45);
    }
    anyRoomMuted = 0;
    anyRoomSoloed = 0;
    for (int i = 0; i < roomCount && i < kMaxRooms; ++i) {
        anyRoomMuted += rooms[i].mute;
        anyRoomSoloed += rooms[i].solo;
    }
    anyRoomMuted = anyRoomMuted > 0;
    anyRoomSoloed = anyRoomSoloed > 0;
    sendStateAndRedraw();
}

void QX_GUI::onCablesPin() {
    BlobReader blob(pinCables.getData(), pinCables.getSize());
    int32_t liveSources = sourceCount < kMembershipSlots ? sourceCount : kMembershipSlots;
    int32_t liveTargets = targetCount < kMaxTargets ? targetCount : kMaxTargets;
    for (int t = 0; t < liveTargets; ++t)
        for (int s = 0; s < liveSources; ++s) targets[t].cabled[s] = 0;
    if (blob.empty()) {
        cableCount = 0;
        return;
    }
    int32_t n = recordsIn(blob, blob_layout::kCableSize, kMaxCables);
    int32_t kept = 0;
    for (int k = 0; k < n; ++k) {
        int64_t at = int64_t{k} * blob_layout::kCableSize;
        int32_t s = blob.u8(at + 8);
        int32_t t = blob.u8(at + 9);
        if (s >= kMaxLiveItems || t >= kMaxLiveItems) continue; // outside the cable grid
        CableRecord& c = cables[kept++];
        c.level = blob.f32(at);
        c.phase = blob.f32(at + 4);
        c.source = s;
        c.target = t;
        c.mute = blob.u8(at + 10);
        c.solo = blob.u8(at + 11);
        c.useGroups = blob.u8(at + 12);
        targets[t].cabled[s] = 1;
        targets[t].gainRow[s] = c.level;
    }
    cableCount = kept;
    updateCableMuteSummary();
    updateCableSoloSummary();
    sendStateAndRedraw();
}
