// Resets that give one item its default state, keeping its place on the stage.
#include "app/qx_gui.h"
#include "model/item_removal.h"

namespace {

bool isChannel(int32_t i) {
    return i >= 0 && i < QX_GUI::kChannels;
}

} // namespace

void QX_GUI::resetSource(int32_t i) {
    if (!isChannel(i)) return;
    SourceRecord& source = sources[i];
    leaveGroups(*this, i, 0, kMembershipLive);
    applyGroupMuteSolo();
    dropCablesOfSource(*this, i);
    source.virtualChannel = i;
    source.level = 1.0f;
    source.phase = 1.0f;
    source.size = 1.0f;
    source.setColour(0xC0C0C0);
    source.mute = 0;
    source.solo = 0;
    source.name = numberedName("S", i + 1);
    source.shown = 1;
    switchOffProcessing(inputDelays[i], inputFilters[i], inputDynamics[i]);
    inputMixers[i].inUse = 0;
    inputMixers[i].pinNumbers[0] = i;
    inputMixers[i].pinCount = 1;

    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendCables);
    raiseSendFlag(kSendSources);
    for (int32_t s = 0; s < std::min(sourceCount, static_cast<int32_t>(kMaxLiveItems)); ++s) {
        if (sources[s].mute == 1) anySourceMuted = 1;
        if (sources[s].solo == 1) anySourceSoloed = 1;
    }
    for (int32_t flag : {kSendInputDelays, kSendInputEq, kSendInputDynamics, kSendMixers})
        raiseSendFlag(flag);
}

void QX_GUI::resetTarget(int32_t i) {
    if (!isChannel(i)) return;
    TargetRecord& target = targets[i];
    dropCablesOfTarget(*this, i);
    target.virtualChannel = i;
    target.useGlobalRadius = 1;
    // Not the current global radius: a patch writes no own radius for a target that uses the
    // global one, and its hard reset runs before its SET_ZERO line.
    target.ownRadius = ViewSettings::kDefaultRadius;
    target.name = numberedName("T", i + 1);
    target.setColour(0xC0C0C0);
    target.mute = 0;
    target.solo = 0;
    target.visible = 1;
    target.level = 1.0f;
    target.phase = 1.0f;
    switchOffProcessing(outputDelays[i], outputFilters[i], outputDynamics[i]);
    outputMixers[i].inUse = 0;
    outputMixers[i].pinNumbers[0] = i;
    outputMixers[i].pinCount = 1;

    raiseSendFlag(kSendTargets);
    raiseSendFlag(kSendCables);
    for (int32_t t = 0; t < std::min(targetCount, static_cast<int32_t>(kMaxLiveItems)); ++t) {
        if (targets[t].mute == 1) anyTargetMuted = 1;
        if (targets[t].solo == 1) anyTargetSoloed = 1;
    }
    for (int32_t flag : {kSendOutputDelays, kSendOutputEq, kSendOutputDynamics, kSendMixers})
        raiseSendFlag(flag);
}

void QX_GUI::resetGroup(int32_t i) {
    if (i < 0 || i >= kMaxGroups) return;
    GroupRecord& group = groups[i];
    group.shown = 1;
    for (int32_t m = 0; m < group.memberCount; ++m) sources[group.memberList[m]].shown = 1;
    for (int32_t s = 0; s < std::min(sourceCount, static_cast<int32_t>(kMaxLiveItems)); ++s) {
        group.removeMember(s);
        sources[s].removeFromGroup(i);
    }
    group.level = 1.0f;
    group.phase = 1.0f;
    group.mute = 0;
    group.solo = 0;
    group.name = numberedName("G", i + 1);
    group.rotationSpeed = 0.0f;
    group.rotationOn = 0;
    group.movementOn = 0;
    group.movementX = 0.0f;
    group.movementY = 0.0f;
    group.setColour(0xC0C0C0);

    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
    for (int32_t g = 0; g < std::min(groupCount, static_cast<int32_t>(kMaxGroups)); ++g) {
        if (groups[g].mute == 1) anyGroupMuted = 1;
        if (groups[g].solo == 1) anyGroupSoloed = 1;
    }
    applyGroupMuteSolo();
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
}

void QX_GUI::resetRoom(int32_t i) {
    if (i < 0 || i >= kMaxRooms) return;
    RoomRecord& room = rooms[i];
    room.setColour(0x0A0A0A);
    room.name = numberedName("R", i + 1);
    room.level = 1.0f;
    room.phase = 1.0f;
    room.mute = 0;
    room.solo = 0;
    raiseSendFlag(kSendRooms);
}
