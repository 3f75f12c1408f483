// Copies between the stage records and ItemSnapshot, in both directions: gathering the items
// a command addresses, and writing snapshots back (verbs and UNDO).
#include "app/qx_gui.h"

namespace {

template <typename Record> void copyColourOut(const Record& record, ItemSnapshot& snapshot) {
    snapshot.red = record.colourRed;
    snapshot.green = record.colourGreen;
    snapshot.blue = record.colourBlue;
    snapshot.colour = record.colour;
}

template <typename Record> void copyColourIn(const ItemSnapshot& snapshot, Record& record) {
    record.colourRed = snapshot.red;
    record.colourGreen = snapshot.green;
    record.colourBlue = snapshot.blue;
    record.colour = snapshot.colour;
}

bool inTable(int32_t index, int32_t capacity) {
    return index >= 0 && index < capacity;
}

} // namespace

ItemSnapshot QX_GUI::snapshotFromSource(int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = 1;
    snapshot.index = index;
    if (!inTable(index, kMaxSources)) return snapshot;
    const SourceRecord& s = sources[index];
    snapshot.x = s.x;
    snapshot.y = s.y;
    snapshot.mute = s.mute;
    snapshot.solo = s.solo;
    snapshot.level = s.level;
    snapshot.phase = s.phase;
    snapshot.size = s.size;
    snapshot.name = s.name;
    snapshot.shown = s.shown;
    copyColourOut(s, snapshot);
    snapshot.selected = s.selected;
    snapshot.virtualChannel = s.virtualChannel;
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromTarget(int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = 2;
    snapshot.index = index;
    if (!inTable(index, kMaxTargets)) return snapshot;
    const TargetRecord& t = targets[index];
    snapshot.x = t.x;
    snapshot.y = t.y;
    snapshot.mute = t.mute;
    snapshot.solo = t.solo;
    snapshot.level = t.level;
    snapshot.phase = t.phase;
    snapshot.size = t.ownRadius;
    snapshot.name = t.name;
    snapshot.shown = t.visible;
    snapshot.useGlobalRadius = t.useGlobalRadius;
    copyColourOut(t, snapshot);
    snapshot.selected = t.selected;
    snapshot.virtualChannel = t.virtualChannel;
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromGroup(int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = 3;
    snapshot.index = index;
    if (!inTable(index, kMaxGroups)) return snapshot;
    const GroupRecord& g = groups[index];
    snapshot.x = g.x;
    snapshot.y = g.y;
    snapshot.mute = g.mute;
    snapshot.solo = g.solo;
    snapshot.level = g.level;
    snapshot.phase = g.phase;
    snapshot.name = g.name;
    snapshot.shown = g.shown;
    copyColourOut(g, snapshot);
    snapshot.selected = static_cast<uint8_t>(g.selected & 0xFF);
    snapshot.rotationOn = g.rotationOn != 0 ? 1 : 0;
    snapshot.movementOn = g.movementOn != 0 ? 1 : 0;
    snapshot.rotationSpeed = g.rotationSpeed;
    snapshot.moveX = g.movementX;
    snapshot.moveY = g.movementY;
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromRoom(int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = 5;
    snapshot.index = index;
    if (!inTable(index, kMaxRooms)) return snapshot;
    const RoomRecord& r = rooms[index];
    snapshot.x = r.x;
    snapshot.y = r.y;
    snapshot.width = r.width;
    snapshot.height = r.height;
    snapshot.mute = r.mute;
    snapshot.solo = r.solo;
    snapshot.level = r.level;
    snapshot.phase = r.phase;
    snapshot.name = r.name;
    copyColourOut(r, snapshot);
    return snapshot;
}

ItemSnapshot QX_GUI::snapshotFromCable(int32_t index) {
    ItemSnapshot snapshot;
    snapshot.type = 4;
    snapshot.index = index;
    if (!inTable(index, kMaxCables)) return snapshot;
    const CableRecord& c = cables[index];
    snapshot.mute = c.mute;
    snapshot.solo = c.solo;
    snapshot.level = c.level;
    snapshot.phase = c.phase;
    snapshot.cableSource = c.source;
    snapshot.cableTarget = c.target;
    return snapshot;
}

// The write-backs skip an index outside the kind's table.
void QX_GUI::applySnapshotToSource(int32_t index, const ItemSnapshot& snapshot) {
    if (!inTable(index, kMaxSources)) return;
    SourceRecord& s = sources[index];
    s.x = snapshot.x;
    s.y = snapshot.y;
    s.mute = snapshot.mute;
    s.solo = snapshot.solo;
    s.level = snapshot.level;
    s.phase = snapshot.phase;
    s.size = snapshot.size;
    s.name = snapshot.name;
    s.shown = snapshot.shown;
    copyColourIn(snapshot, s);
    s.selected = snapshot.selected;
    s.virtualChannel = snapshot.virtualChannel;
}

void QX_GUI::applySnapshotToTarget(int32_t index, const ItemSnapshot& snapshot) {
    if (!inTable(index, kMaxTargets)) return;
    TargetRecord& t = targets[index];
    t.x = snapshot.x;
    t.y = snapshot.y;
    t.mute = snapshot.mute;
    t.solo = snapshot.solo;
    t.level = snapshot.level;
    t.phase = snapshot.phase;
    t.ownRadius = snapshot.size;
    t.name = snapshot.name;
    t.visible = snapshot.shown;
    t.useGlobalRadius = snapshot.useGlobalRadius;
    copyColourIn(snapshot, t);
    t.selected = snapshot.selected;
    t.virtualChannel = snapshot.virtualChannel;
}

void QX_GUI::applySnapshotToGroup(int32_t index, const ItemSnapshot& snapshot) {
    if (!inTable(index, kMaxGroups)) return;
    GroupRecord& g = groups[index];
    g.x = snapshot.x;
    g.y = snapshot.y;
    g.mute = snapshot.mute;
    g.solo = snapshot.solo;
    g.level = snapshot.level;
    g.phase = snapshot.phase;
    g.name = snapshot.name;
    g.shown = snapshot.shown;
    copyColourIn(snapshot, g);
    g.selected = (g.selected & ~0xFF) | snapshot.selected;
    g.rotationOn = snapshot.rotationOn != 0 ? 1 : 0;
    g.movementOn = snapshot.movementOn != 0 ? 1 : 0;
    g.rotationSpeed = snapshot.rotationSpeed;
    g.movementX = snapshot.moveX;
    g.movementY = snapshot.moveY;
}

void QX_GUI::applySnapshotToRoom(int32_t index, const ItemSnapshot& snapshot) {
    if (!inTable(index, kMaxRooms)) return;
    RoomRecord& r = rooms[index];
    r.x = snapshot.x;
    r.y = snapshot.y;
    r.width = snapshot.width;
    r.height = snapshot.height;
    r.mute = snapshot.mute;
    r.solo = snapshot.solo;
    r.level = snapshot.level;
    r.phase = snapshot.phase;
    r.name = snapshot.name;
    copyColourIn(snapshot, r);
}

void QX_GUI::applySnapshotToCable(int32_t index, const ItemSnapshot& snapshot) {
    if (!inTable(index, kMaxCables)) return;
    CableRecord& c = cables[index];
    c.mute = snapshot.mute;
    c.solo = snapshot.solo;
    c.level = snapshot.level;
    c.phase = snapshot.phase;
    c.source = snapshot.cableSource;
    c.target = snapshot.cableTarget;
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

ItemSnapshotList QX_GUI::gatherSelectedItems(const CliObject& command) {
    return gatherItemRecords(command);
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
