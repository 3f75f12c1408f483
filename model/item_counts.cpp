// Count setters: sources and targets are added in a grid inside the current room or removed
// with their cables and memberships; group and room counts stay within their tables.
//
// A patch rebuilds the stage from a hard reset, so what its lines do not carry (the own radius
// of a target that uses the global one, the side-chain location of a record not in use) is what
// that reset leaves; a new item is given the same, so that it reloads as it was. Every slot a
// count brings into use is set up afresh, whatever an earlier use or a restored state left in
// it, so a name, a room rectangle or a group position never comes from a slot out of use.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "model/checked_number.h"
#include "model/item_removal.h"

namespace {

// Grid origin and column count of new items inside the current room.
struct Grid {
    int32_t left = 0;
    int32_t top = 0;
    int32_t columns = 1;
};

Grid gridInRoom(const RoomRecord& room, bool forTargets) {
    Grid grid;
    grid.left = saturatingInt(room.x);
    grid.top = saturatingInt(room.y);
    int32_t w = saturatingInt(room.width);
    if (forTargets && w == 0) {
        grid.columns = 6;
        return grid;
    }
    if (w == 0) w = 200;
    grid.columns = std::max(1, static_cast<int32_t>(static_cast<float>(w) * 0.033333335f));
    return grid;
}

void placeInGrid(const Grid& grid, int32_t k, float& x, float& y) {
    x = static_cast<float>(grid.left + 20 + (k % grid.columns) * 30);
    y = static_cast<float>(grid.top + (k / grid.columns) * 30 + 20);
}

} // namespace

void QX_GUI::setSourceCount(int32_t n) {
    n = std::min(n, static_cast<int32_t>(kMaxLiveItems));
    n = std::max(n, 0);
    if (currentRoom < 0) currentRoom = 0;
    if (sourceCount < 0) sourceCount = 0;
    const int32_t old = std::min(sourceCount, static_cast<int32_t>(kMaxLiveItems));

    if (n > old) {
        const Grid grid = gridInRoom(rooms[std::min(currentRoom, kMaxRooms - 1)], false);
        for (int32_t s = old; s < n; ++s) {
            SourceRecord& source = sources[s];
            source.setColour(0xC8C8C8);
            placeInGrid(grid, s - old, source.x, source.y);
            source.virtualChannel = s;
            source.shown = 1;
            source.size = 1.0f;
            source.level = 1.0f;
            source.phase = 1.0f;
            source.room = currentRoom;
            source.lastRoom = currentRoom;
            source.name = numberedName("S", s + 1);
            leaveGroups(*this, s, 0, 16);
            DynamicsRecord& dynamics = inputDynamics[s];
            dynamics.channelIndex = s;
            dynamics.direction = 1;
            dynamics.sideChainLocation = -1;
            switchOffProcessing(inputDelays[s], inputFilters[s], dynamics);
        }
    }
    for (int32_t s = n; s < old; ++s) {
        leaveGroups(*this, s, 0, 16);
        dropCablesOfSource(*this, s);
    }

    sourceCount = n;
    updateRoomMembership();
    raiseSendFlag(kSendGainMatrix);
    sendStateAndRedraw();
    for (int32_t flag : {kSendSources, kSendViewState, kSendCables, kSendInputDelays, kSendInputEq,
                         kSendInputDynamics})
        raiseSendFlag(flag);
    currentSource = n - 1;
}

void QX_GUI::setTargetCount(int32_t n) {
    n = std::min(n, static_cast<int32_t>(kMaxLiveItems));
    n = std::max(n, 0);
    if (currentRoom < 0) currentRoom = 0;
    if (targetCount < 0) targetCount = 0;
    const int32_t old = std::min(targetCount, static_cast<int32_t>(kMaxLiveItems));

    if (n > old) {
        const Grid grid = gridInRoom(rooms[std::min(currentRoom, kMaxRooms - 1)], true);
        for (int32_t t = old; t < n; ++t) {
            TargetRecord& target = targets[t];
            target.setColour(0x323232);
            placeInGrid(grid, t - old, target.x, target.y);
            target.virtualChannel = t;
            target.visible = 1;
            target.useGlobalRadius = 1;
            target.ownRadius = ViewSettings::kDefaultRadius;
            target.name = numberedName("T", t + 1);
            DynamicsRecord& dynamics = outputDynamics[t];
            dynamics.channelIndex = t;
            dynamics.direction = 2;
            dynamics.sideChainLocation = -1;
            switchOffProcessing(outputDelays[t], outputFilters[t], dynamics);
        }
    }
    for (int32_t t = n; t < old; ++t) dropCablesOfTarget(*this, t);

    targetCount = n;
    updateRoomMembership();
    raiseSendFlag(kSendGainMatrix);
    sendStateAndRedraw();
    for (int32_t flag :
         {kSendTargets, kSendCables, kSendOutputDelays, kSendOutputEq, kSendOutputDynamics})
        raiseSendFlag(flag);
    currentTarget = n - 1;
}

// The groups blob carries 32 groups and a source's group mask is 32 bits wide.
void QX_GUI::setGroupCount(int32_t n) {
    if (n > kMaxGroupCount) {
        appendConsoleLine("MAXIMUM NUMBER OF GROUPS = 32");
        n = kMaxGroupCount;
    }
    n = std::max(n, 0);
    for (int32_t g = std::clamp(groupCount, 0, n); g < n; ++g) bringGroupIntoUse(g);
    groupCount = n;
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
    clearNewGroupSlot();
    applyGroupMuteSolo();
}

void QX_GUI::clearNewGroupSlot() {
    if (groupCount >= kMembershipLive) return;
    const int32_t liveSources = std::clamp(sourceCount, 0, static_cast<int32_t>(kMaxLiveItems));
    for (int32_t s = 0; s < liveSources; ++s) leaveGroups(*this, s, std::max(groupCount, 0), 64);
}

void QX_GUI::setRoomCount(int32_t n) {
    if (n > kMaxRoomCount) {
        appendConsoleLine("MAXIMUM NUMBER OF ROOMS = 8");
        n = kMaxRoomCount;
    }
    if (n < 1) return;
    for (int32_t r = std::clamp(roomCount, 0, n); r < n; ++r) bringRoomIntoUse(r);
    roomCount = n;
    updateRoomMembership();
    raiseSendFlag(kSendGainMatrix);
    raiseSendFlag(kSendRooms);
}

// Side by side along y = -200, 100 by 100, the first at x = -470 and each next 120 further on.
void QX_GUI::bringRoomIntoUse(int32_t r) {
    if (r < 0 || r >= kMaxRoomCount) return;
    resetRoom(r);
    RoomRecord& room = rooms[r];
    room.x = -470.0f + 120.0f * static_cast<float>(r);
    room.y = -200.0f;
    room.width = 100.0f;
    room.height = 100.0f;
}

void QX_GUI::bringGroupIntoUse(int32_t g) {
    if (g < 0 || g >= kMaxGroups) return;
    resetGroup(g);
    groups[g].x = groups[g].y = 0.0f;
}

// Room i takes the marquee rectangle; missing rooms up to i are created by resetting them.
void QX_GUI::setupRoom(int32_t i) {
    if (i < 0) return;
    if (i >= kMaxRoomCount) {
        appendConsoleLine("MAXIMUM NUMBER OF ROOMS = 8");
        return;
    }
    setStatusMessage("SETUP ROOM " + intToString(i));
    if (roomCount < i + 1) {
        setStatusMessage("NOT ENOUGH ROOMS DEFINED!");
        for (int32_t j = 0; j <= i; ++j) {
            setStatusMessage("SETUP ROOM");
            resetRoom(j);
        }
        roomCount = i + 1;
    }
    RoomRecord& room = rooms[i];
    const int32_t* m = marqueeRect; // left, top, right, bottom
    room.x = static_cast<float>(m[0]);
    room.y = static_cast<float>(m[1]);
    room.width = static_cast<float>(m[2] - m[0]);
    room.height = static_cast<float>(m[3] - m[1]);
    currentRoom = i;
    raiseSendFlag(kSendRooms);
    setStatusMessage("NUM ROOMS " + intToString(roomCount) + " CUR ROOM " + intToString(i));
}
