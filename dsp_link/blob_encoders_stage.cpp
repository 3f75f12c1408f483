// Encoders of the stage blobs: sources, targets, groups, rooms, cables and the gain matrix.
// Every record is first filled with its defaults, then written field by field.
#include <vector>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "model/global_radius.h"

namespace {

int32_t clampCount(int32_t count, int32_t capacity) {
    return count < 0 ? 0 : count > capacity ? capacity : count;
}

void fillBytes(uint8_t* out, size_t from, size_t to, uint8_t value) {
    for (size_t i = from; i < to; ++i) out[i] = value;
}

void fillName(uint8_t* out, size_t offset, char fill) {
    fillBytes(out, offset, offset + 15, static_cast<uint8_t>(fill));
    out[offset + 15] = 0;
}

void send(MpGuiPin<MpBlob>& pin, const std::vector<uint8_t>& bytes, int32_t size) {
    pin.setValue(bytes.data(), size);
}

// Sources and targets share bytes 0 to 32: index, virtual channel, x, y, level, phase, size
// (a target's own radius), mute, solo, colour and the shown flag.
void putChannelItemDefaults(uint8_t* r) {
    r[0] = 0xFF;
    r[1] = 0xFF;
    le::putF32(r, 12, 1.0f);
    le::putF32(r, 16, 1.0f);
    le::putF32(r, 20, 1.0f);
    le::putU32(r, 28, 0xFF0000);
    r[32] = 1;
}

template <class Record>
void putChannelItemHead(uint8_t* r, int index, const Record& item, float size, uint8_t shown) {
    r[0] = static_cast<uint8_t>(index);
    r[1] = static_cast<uint8_t>(item.virtualChannel);
    le::putF32(r, 4, item.x);
    le::putF32(r, 8, item.y);
    le::putF32(r, 12, item.level);
    le::putF32(r, 16, item.phase);
    le::putF32(r, 20, size);
    r[24] = item.mute != 0;
    r[25] = item.solo != 0;
    le::putU32(r, 28, item.colour);
    r[32] = shown;
}

} // namespace

void QX_GUI::sendSourcesBlob() {
    using namespace blob_layout;
    std::vector<uint8_t> out(kSourceRecords * kSourceSize, 0);
    for (int i = 0; i < kSourceRecords; ++i) {
        uint8_t* r = out.data() + i * kSourceSize;
        putChannelItemDefaults(r);
        fillName(r, 33, '.');
        fillBytes(r, 56, 64, '*');
    }
    int32_t n = clampCount(sourceCount, kSourceRecords);
    int32_t groupsInMask = clampCount(groupCount, 32);
    for (int i = 0; i < n; ++i) {
        const SourceRecord& s = sources[i];
        uint8_t* r = out.data() + i * kSourceSize;
        putChannelItemHead(r, i, s, s.size, s.shown);
        le::putName(r, 33, s.name);
        uint32_t mask = 0;
        for (int g = 0; g < groupsInMask; ++g)
            if (s.groupFlags[g] != 0) mask |= uint32_t{1} << g;
        le::putU32(r, 52, mask);
    }
    send(pinSources, out, n * kSourceSize);
}

void QX_GUI::sendTargetsBlob() {
    using namespace blob_layout;
    std::vector<uint8_t> out(kTargetRecords * kTargetSize, 0);
    for (int i = 0; i < kTargetRecords; ++i) {
        uint8_t* r = out.data() + i * kTargetSize;
        putChannelItemDefaults(r);
        r[33] = 1;
        fillName(r, 34, '.');
        fillBytes(r, 50, 62, '*');
    }
    int32_t n = clampCount(targetCount, kTargetRecords);
    for (int i = 0; i < n; ++i) {
        const TargetRecord& t = targets[i];
        uint8_t* r = out.data() + i * kTargetSize;
        putChannelItemHead(r, i, t, t.ownRadius, t.visible);
        r[33] = usesGlobalRadiusWhenNotZero(t);
        le::putName(r, 34, t.name);
    }
    send(pinTargets, out, n * kTargetSize);
}

void QX_GUI::sendGroupsBlob() {
    using namespace blob_layout;
    std::vector<uint8_t> out(kGroupRecords * kGroupSize, 0);
    for (int i = 0; i < kGroupRecords; ++i) {
        uint8_t* r = out.data() + i * kGroupSize;
        le::putF32(r, 8, 1.0f);
        le::putF32(r, 12, 1.0f);
        r[28] = 0xFF;
        le::putU32(r, 32, 0xFF0000);
        r[40] = 1;
        fillName(r, 41, '.');
        fillBytes(r, 72, 80, '*');
    }
    int32_t n = clampCount(groupCount, kGroupRecords);
    int32_t sourcesInMask = clampCount(sourceCount, 64);
    for (int i = 0; i < n; ++i) {
        const GroupRecord& g = groups[i];
        uint8_t* r = out.data() + i * kGroupSize;
        le::putF32(r, 0, g.x);
        le::putF32(r, 4, g.y);
        le::putF32(r, 8, g.level);
        le::putF32(r, 12, g.phase);
        le::putF32(r, 16, g.movementX);
        le::putF32(r, 20, g.movementY);
        le::putF32(r, 24, g.rotationSpeed);
        r[28] = static_cast<uint8_t>(i);
        le::putU32(r, 32, g.colour);
        r[36] = g.mute != 0;
        r[37] = g.solo != 0;
        r[38] = g.rotationOn != 0;
        r[39] = g.movementOn != 0;
        r[40] = g.shown;
        le::putName(r, 41, g.name);
        uint64_t mask = 0;
        for (int s = 0; s < sourcesInMask; ++s)
            if (g.memberFlags[s] != 0) mask |= uint64_t{1} << s;
        le::putU64(r, 64, mask);
    }
    send(pinGroups, out, n * kGroupSize);
}

void QX_GUI::sendRoomsBlob() {
    using namespace blob_layout;
    std::vector<uint8_t> out(kRoomRecords * kRoomSize, 0);
    for (int i = 0; i < kRoomRecords; ++i) {
        uint8_t* r = out.data() + i * kRoomSize;
        le::putF32(r, 0, 1.0f);
        le::putF32(r, 4, 1.0f);
        le::putU32(r, 24, 0xFF0000);
        fillName(r, 28, ' ');
        fillBytes(r, 46, 64, '*');
    }
    int32_t n = clampCount(roomCount, kRoomRecords);
    for (int i = 0; i < n; ++i) {
        const RoomRecord& room = rooms[i];
        uint8_t* r = out.data() + i * kRoomSize;
        le::putF32(r, 0, room.level);
        le::putF32(r, 4, room.phase);
        le::putF32(r, 8, room.x);
        le::putF32(r, 12, room.y);
        le::putF32(r, 16, room.width);
        le::putF32(r, 20, room.height);
        le::putU32(r, 24, room.colour);
        le::putName(r, 28, room.name);
        r[44] = room.mute != 0;
        r[45] = room.solo != 0;
    }
    send(pinRooms, out, n * kRoomSize);
}

void QX_GUI::sendCablesBlob() {
    using namespace blob_layout;
    int32_t n = clampCount(cableCount, kMaxCables);
    for (int i = 0; i < n; ++i) {
        const CableRecord& c = cables[i];
        CableBlobEntry& e = cableBlobStaging[i];
        e.level = c.level;
        e.phase = c.phase;
        e.source = static_cast<uint8_t>(c.source);
        e.target = static_cast<uint8_t>(c.target);
        e.mute = c.mute != 0;
        e.solo = c.solo != 0;
        e.useGroup = c.useGroups;
    }
    std::vector<uint8_t> out(static_cast<size_t>(n) * kCableSize, 0);
    for (int i = 0; i < n; ++i) {
        const CableBlobEntry& e = cableBlobStaging[i];
        uint8_t* r = out.data() + i * kCableSize;
        le::putF32(r, 0, e.level);
        le::putF32(r, 4, e.phase);
        r[8] = e.source;
        r[9] = e.target;
        r[10] = e.mute;
        r[11] = e.solo;
        r[12] = e.useGroup;
    }
    send(pinCables, out, n * kCableSize);
}

void QX_GUI::sendGainMatrixBlob() {
    int32_t ns = clampCount(sourceCount, 64);
    int32_t nt = clampCount(targetCount, 64);
    int32_t count = 0;
    for (int s = 0; s < ns; ++s)
        for (int t = 0; t < nt; ++t) {
            const TargetRecord& target = targets[t];
            float gain = target.gainRow[s];
            if (gain == 0.0f) continue; // a NaN is not equal to 0 and is written
            float radius =
                usesGlobalRadiusWhenNotZero(target) ? viewSettings.globalRadius : target.ownRadius;
            GainMatrixEntry& e = gainMatrixStaging.entries[count++];
            e.bytes[0] = static_cast<uint8_t>(s);
            e.bytes[1] = static_cast<uint8_t>(t);
            e.bytes[2] = static_cast<uint8_t>(sources[s].virtualChannel);
            e.bytes[3] = static_cast<uint8_t>(target.virtualChannel);
            e.gain = target.cabled[s] ? gain : gain / radius;
        }
    gainMatrixStaging.entryCount = count;
    if (patchCheckPending) return; // a patch check is pending: the matrix waits

    std::vector<uint8_t> out(static_cast<size_t>(count + 1) * 8, 0);
    out[0] = static_cast<uint8_t>(ns);
    out[1] = static_cast<uint8_t>(nt);
    le::putU16BigEndian(out.data(), 2, static_cast<uint16_t>(count));
    for (int i = 0; i < count; ++i) {
        const GainMatrixEntry& e = gainMatrixStaging.entries[i];
        uint8_t* r = out.data() + (i + 1) * 8;
        for (int b = 0; b < 4; ++b) r[b] = e.bytes[b];
        le::putF32(r, 4, e.gain);
    }
    pinGainMatrix.setValue(out.data(), static_cast<int32_t>(out.size()));
}
