// Position verbs: shift, place, swap, carry a room with its contents, lay items on a grid.
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/qx_gui.h"
#include "command/verb_support.h"
#include "model/checked_number.h"

int32_t QX_GUI::cmdMove(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (command.has(kKeyX)) item.x += command.named(kKeyX);
        if (command.has(kKeyY)) item.y += command.named(kKeyY);
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdPos(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (command.has(kKeyX)) item.x = command.named(kKeyX);
        if (command.has(kKeyY)) item.y = command.named(kKeyY);
        if (command.has(kKeyW)) item.width = command.named(kKeyW);
        if (command.has(kKeyH)) item.height = command.named(kKeyH);
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSwapPos(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() < 2) {
        console.pendingError = "LESS THAN 2 NODES SPECIFIED";
        return 1;
    }
    std::swap(list[0].x, list[1].x);
    std::swap(list[0].y, list[1].y);
    ItemSnapshotList pair;
    pair.append(list[0]);
    pair.append(list[1]);
    scatterItemRecords(pair);
    return 0;
}

int32_t QX_GUI::cmdTransport(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    if (command.refCount() == 0 || command.refs[0].type != 5) {
        console.pendingError = "SPECIFIED ITEM MUST BE A ROOM";
        return 1;
    }
    RoomRecord& room = rooms[command.refs[0].index];
    const float dx = command.has(kKeyX) ? command.named(kKeyX) - room.x : 0.0f;
    const float dy = command.has(kKeyY) ? command.named(kKeyY) - room.y : 0.0f;
    room.x += dx;
    room.y += dy;
    // The member lists as the last room-membership update left them (-1: never filled).
    for (int32_t k = 0; k < std::clamp(room.targetCount, 0, 64); ++k) {
        const int32_t t = room.targetList[k];
        if (t < 0 || t >= kMaxTargets) continue;
        targets[t].x += dx;
        targets[t].y += dy;
    }
    for (int32_t k = 0; k < std::clamp(room.sourceCount, 0, 64); ++k) {
        const int32_t s = room.sourceList[k];
        if (s < 0 || s >= kMaxSources) continue;
        sources[s].x += dx;
        sources[s].y += dy;
    }
    for (int32_t k = 0; k < std::clamp(room.groupCount, 0, 64); ++k) {
        const int32_t g = room.groupList[k];
        if (g < 0 || g >= kMaxGroups) continue;
        groups[g].x += dx;
        groups[g].y += dy;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdGrid(CliObject command) {
    if (!command.has(kKeyX) || !command.has(kKeyY) || !command.has(kKeyW) || !command.has(kKeyS)) {
        console.pendingError = "BAD PARAMETERS\n ... grid starts at x,y, runs w,h with stride S";
        return 1;
    }
    if (command.starts.count() == 0) {
        console.pendingError = "NO ITEMS";
        return 1;
    }
    // The item ranges: from each start up to but not including its end, 64 indices at most.
    std::vector<int32_t> indices;
    for (int32_t r = 0; r < command.starts.count() && r < command.ends.count(); ++r)
        for (int32_t i = command.starts[r]; i < command.ends[r] && indices.size() < 64; ++i)
            indices.push_back(i);
    if (indices.empty()) {
        console.pendingError = "BAD ITEMS";
        return 1;
    }
    const float stride = command.named(kKeyS);
    const int32_t columns = saturatingInt(std::trunc(stride));
    if (columns < 1) {
        console.pendingError = "BAD PARAMETERS\n ... grid starts at x,y, runs w,h with stride S";
        return 1;
    }
    // One column has no spacing to share out.
    const float spacing = stride > 1.0f ? command.named(kKeyW) / (stride - 1.0f) : 0.0f;
    int32_t c = 0;
    int32_t r = 0;
    for (int32_t index : indices) {
        const float x = command.named(kKeyX) + static_cast<float>(c) * spacing;
        const float y = command.named(kKeyY) + static_cast<float>(r) * spacing;
        if (command.mode == 1 && index >= 0 && index < kMaxSources) {
            sources[index].x = x;
            sources[index].y = y;
        } else if (command.mode == 2 && index >= 0 && index < kMaxTargets) {
            targets[index].x = x;
            targets[index].y = y;
            if (spacing > 0.0f) { // a radius of 0 would leave the target without reach
                targets[index].ownRadius = 2.0f * spacing;
                targets[index].useGlobalRadius = 0;
            }
        } else if (command.mode == 3 && index >= 0 && index < kMaxGroups) {
            groups[index].x = x;
            groups[index].y = y;
        }
        if (++c >= columns) {
            c = 0;
            ++r;
        }
    }
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGainMatrix);
    return 0;
}
