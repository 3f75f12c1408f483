// Copies between the stage records and ItemSnapshot, in both directions: gathering the items
// a command addresses, and writing snapshots back (verbs and UNDO). Each kind lists its fields
// once; the direction object decides which side is written.
#include "app/qx_gui.h"

namespace {

// Record to snapshot.
struct IntoSnapshot {
    template <class Field, class Slot> void operator()(const Field& field, Slot& slot) const {
        slot = field;
    }
    template <class Field, class Slot> void flag(const Field& field, Slot& slot) const {
        slot = field != 0 ? 1 : 0;
    }
    // The snapshot holds the low byte of a wider selection word.
    template <class Field, class Slot> void lowByte(const Field& field, Slot& slot) const {
        slot = static_cast<uint8_t>(field & 0xFF);
    }
};

// Snapshot to record.
struct IntoRecord {
    template <class Field, class Slot> void operator()(Field& field, const Slot& slot) const {
        field = slot;
    }
    template <class Field, class Slot> void flag(Field& field, const Slot& slot) const {
        field = slot != 0 ? 1 : 0;
    }
    // Only the low byte of the selection word is replaced.
    template <class Field, class Slot> void lowByte(Field& field, const Slot& slot) const {
        field = (field & ~0xFF) | slot;
    }
};

template <class Copy, class Record, class Snapshot>
void mixFields(Copy copy, Record& record, Snapshot& snapshot) {
    copy(record.mute, snapshot.mute);
    copy(record.solo, snapshot.solo);
    copy(record.level, snapshot.level);
    copy(record.phase, snapshot.phase);
}

// Sources, targets, groups and rooms: a place on the stage, a name and a colour.
template <class Copy, class Record, class Snapshot>
void placedFields(Copy copy, Record& record, Snapshot& snapshot) {
    copy(record.x, snapshot.x);
    copy(record.y, snapshot.y);
    mixFields(copy, record, snapshot);
    copy(record.name, snapshot.name);
    copy(record.colourRed, snapshot.red);
    copy(record.colourGreen, snapshot.green);
    copy(record.colourBlue, snapshot.blue);
    copy(record.colour, snapshot.colour);
}

template <class Copy, class Record, class Snapshot>
void sourceFields(Copy copy, Record& s, Snapshot& snapshot) {
    placedFields(copy, s, snapshot);
    copy(s.size, snapshot.size);
    copy(s.shown, snapshot.shown);
    copy(s.selected, snapshot.selected);
    copy(s.virtualChannel, snapshot.virtualChannel);
}

template <class Copy, class Record, class Snapshot>
void targetFields(Copy copy, Record& t, Snapshot& snapshot) {
    placedFields(copy, t, snapshot);
    copy(t.ownRadius, snapshot.size);
    copy(t.visible, snapshot.shown);
    copy(t.useGlobalRadius, snapshot.useGlobalRadius);
    copy(t.selected, snapshot.selected);
    copy(t.virtualChannel, snapshot.virtualChannel);
}

template <class Copy, class Record, class Snapshot>
void groupFields(Copy copy, Record& g, Snapshot& snapshot) {
    placedFields(copy, g, snapshot);
    copy(g.shown, snapshot.shown);
    copy.lowByte(g.selected, snapshot.selected);
    copy.flag(g.rotationOn, snapshot.rotationOn);
    copy.flag(g.movementOn, snapshot.movementOn);
    copy(g.rotationSpeed, snapshot.rotationSpeed);
    copy(g.movementX, snapshot.moveX);
    copy(g.movementY, snapshot.moveY);
}

template <class Copy, class Record, class Snapshot>
void roomFields(Copy copy, Record& r, Snapshot& snapshot) {
    placedFields(copy, r, snapshot);
    copy(r.width, snapshot.width);
    copy(r.height, snapshot.height);
}

template <class Copy, class Record, class Snapshot>
void cableFields(Copy copy, Record& c, Snapshot& snapshot) {
    mixFields(copy, c, snapshot);
    copy(c.source, snapshot.cableSource);
    copy(c.target, snapshot.cableTarget);
}

bool inTable(int32_t index, int32_t capacity) {
    return index >= 0 && index < capacity;
}

ItemSnapshot emptySnapshot(int32_t type, int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = type;
    snapshot.index = index;
    return snapshot;
}

} // namespace

ItemSnapshot QX_GUI::snapshotFromSource(int32_t index) {
    ItemSnapshot snapshot = emptySnapshot(1, index);
    if (inTable(index, kMaxSources)) sourceFields(IntoSnapshot{}, sources[index], snapshot);
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromTarget(int32_t index) {
    ItemSnapshot snapshot = emptySnapshot(2, index);
    if (inTable(index, kMaxTargets)) targetFields(IntoSnapshot{}, targets[index], snapshot);
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromGroup(int32_t index) {
    ItemSnapshot snapshot = emptySnapshot(3, index);
    if (inTable(index, kMaxGroups)) groupFields(IntoSnapshot{}, groups[index], snapshot);
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromRoom(int32_t index) {
    ItemSnapshot snapshot = emptySnapshot(5, index);
    if (inTable(index, kMaxRooms)) roomFields(IntoSnapshot{}, rooms[index], snapshot);
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromCable(int32_t index) {
    ItemSnapshot snapshot = emptySnapshot(4, index);
    if (inTable(index, kMaxCables)) cableFields(IntoSnapshot{}, cables[index], snapshot);
    return snapshot;
}

// The write-backs skip an index outside the kind's table.
void QX_GUI::applySnapshotToSource(int32_t index, const ItemSnapshot& snapshot) {
    if (inTable(index, kMaxSources)) sourceFields(IntoRecord{}, sources[index], snapshot);
}

void QX_GUI::applySnapshotToTarget(int32_t index, const ItemSnapshot& snapshot) {
    if (inTable(index, kMaxTargets)) targetFields(IntoRecord{}, targets[index], snapshot);
}

void QX_GUI::applySnapshotToGroup(int32_t index, const ItemSnapshot& snapshot) {
    if (inTable(index, kMaxGroups)) groupFields(IntoRecord{}, groups[index], snapshot);
}

void QX_GUI::applySnapshotToRoom(int32_t index, const ItemSnapshot& snapshot) {
    if (inTable(index, kMaxRooms)) roomFields(IntoRecord{}, rooms[index], snapshot);
}

void QX_GUI::applySnapshotToCable(int32_t index, const ItemSnapshot& snapshot) {
    if (inTable(index, kMaxCables)) cableFields(IntoRecord{}, cables[index], snapshot);
}

ItemSnapshotList QX_GUI::gatherItemRecords(const CliObject& command) {
    ItemSnapshotList list;
    for (const ItemRef& ref : command.refs) {
        switch (ref.type) {
        case 1:
            list.append(snapshotFromSource(ref.index));
            break;
        case 2:
            list.append(snapshotFromTarget(ref.index));
            break;
        case 3:
            list.append(snapshotFromGroup(ref.index));
            break;
        case 4:
            list.append(snapshotFromCable(ref.index));
            break;
        case 5:
            list.append(snapshotFromRoom(ref.index));
            break;
        default:
            break;
        }
    }
    return list;
}

void QX_GUI::scatterItemRecords(const ItemSnapshotList& list) {
    for (const ItemSnapshot& snapshot : list) {
        switch (snapshot.type) {
        case 1:
            applySnapshotToSource(snapshot.index, snapshot);
            break;
        case 2:
            applySnapshotToTarget(snapshot.index, snapshot);
            break;
        case 3:
            applySnapshotToGroup(snapshot.index, snapshot);
            break;
        case 4:
            applySnapshotToCable(snapshot.index, snapshot);
            break;
        case 5:
            applySnapshotToRoom(snapshot.index, snapshot);
            break;
        default:
            break;
        }
    }
}

ItemSnapshot QX_GUI::makeItemSnapshot(const std::string& name) {
    for (int32_t i = 0; i < sourceCount; ++i)
        if (sources[i].name == name) return snapshotFromSource(i);
    for (int32_t i = 0; i < targetCount; ++i)
        if (targets[i].name == name) return snapshotFromTarget(i);
    for (int32_t i = 0; i < groupCount; ++i)
        if (groups[i].name == name) return snapshotFromGroup(i);
    for (int32_t i = 0; i < roomCount; ++i)
        if (rooms[i].name == name) return snapshotFromRoom(i);
    return ItemSnapshot();
}
