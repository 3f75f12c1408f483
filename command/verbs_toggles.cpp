// Toggle and clean-up verbs: flip one switch of the named items (or set it by a last word),
// flip visibility inside the marquee, and reset or tidy every name.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/qx_gui.h"
#include "command/verb_support.h"

namespace {

// Runs the hooks and raises the commit's send flags, unless a macro file is loading.
void commitToggle(QX_GUI& gui) {
    gui.commitModelChange();
}

// TOGGLE_MUTE and TOGGLE_SOLO: the last word sets, clears or (any other word) flips.
int32_t toggleSwitch(QX_GUI& gui, const CliObject& command, int32_t ItemSnapshot::*field,
                     const std::vector<const char*>& onWords,
                     const std::vector<const char*>& offWords) {
    std::vector<const char*> words(onWords);
    words.insert(words.end(), offWords.begin(), offWords.end());
    if (!verbs::checkItemWords(gui, command, verbs::LastWord::Optional, words)) return 1;
    ItemSnapshotList list = gui.gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (verbs::isOneOf(command.string, onWords))
            item.*field = 1;
        else if (verbs::isOneOf(command.string, offWords))
            item.*field = 0;
        else
            item.*field = item.*field == 0 ? 1 : 0;
    }
    gui.scatterItemRecords(list);
    commitToggle(gui);
    return 0;
}

void setSourceShown(QX_GUI& gui, int32_t s, uint8_t shown) {
    if (s < 0 || s >= QX_GUI::kMaxSources) return;
    gui.sources[s].shown = shown;
    if (s >= kMembershipSlots) return;
    for (int32_t t = 0; t < std::min(gui.targetCount, QX_GUI::kMaxTargets); ++t)
        gui.targets[t].sourceShown[s] = shown;
}

// Inside the marquee with its edges outside, on the whole-number position.
bool strictlyInMarquee(const QX_GUI& gui, float x, float y) {
    const float ix = std::trunc(x);
    const float iy = std::trunc(y);
    return static_cast<float>(gui.marqueeRect[0]) < ix &&
           ix < static_cast<float>(gui.marqueeRect[2]) &&
           static_cast<float>(gui.marqueeRect[1]) < iy &&
           iy < static_cast<float>(gui.marqueeRect[3]);
}

std::string numberedName(char letter, int32_t number) {
    char text[16];
    std::snprintf(text, sizeof text, "%c%i", letter, number);
    return text;
}

} // namespace

int32_t QX_GUI::cmdToggleMute(CliObject command) {
    return toggleSwitch(*this, command, &ItemSnapshot::mute, {"1", "YES", "TRUE", "MUTE", "ON"},
                        {"0", "NO", "FALSE", "UNMUTE", "OFF"});
}

int32_t QX_GUI::cmdToggleSolo(CliObject command) {
    return toggleSwitch(*this, command, &ItemSnapshot::solo, {"1", "YES", "TRUE", "SOLO", "ON"},
                        {"0", "NO", "FALSE", "UNSOLO", "OFF"});
}

int32_t QX_GUI::cmdTogglePhase(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::Optional,
                               {"1", "FORWARDS", "NORMAL", "-1", "REVERSE", "ANTIPHASE"}))
        return 1;
    const bool forwards = verbs::isOneOf(command.string, {"1", "FORWARDS", "NORMAL"});
    const bool reverse = verbs::isOneOf(command.string, {"-1", "REVERSE", "ANTIPHASE"});
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) item.phase = forwards ? 1.0f : reverse ? -1.0f : -item.phase;
    scatterItemRecords(list);
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdToggleHide(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (item.type == kKindSource) {
            // The snapshot still holds the state before the flip.
            setSourceShown(*this, item.index, item.shown == 1 ? 0 : 1);
        } else if (item.type == kKindGroup) {
            GroupRecord& group = groups[item.index];
            const uint8_t shown = item.shown == 0 ? 1 : 0;
            group.shown = shown;
            for (int32_t m = 0; m < group.memberCount; ++m)
                setSourceShown(*this, group.memberList[m], shown);
        }
        if (item.type == kKindSource || item.type == kKindTarget || item.type == kKindGroup)
            item.shown = item.shown == 0 ? 1 : 0;
    }
    // The scatter would write back the shown flags of sources as they were gathered; a source
    // that a group in the same line showed or hid takes the group's word, so re-read them.
    for (ItemSnapshot& item : list)
        if (item.type == kKindSource) item.shown = sources[item.index].shown;
    scatterItemRecords(list);
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdToggleHideAll(CliObject) {
    if (stageView.sourcesLocked == 0)
        for (int32_t s = 0; s < std::min(sourceCount, kMaxSources); ++s)
            if (strictlyInMarquee(*this, sources[s].x, sources[s].y))
                sources[s].shown = sources[s].shown == 0 ? 1 : 0;
    if (stageView.targetsLocked == 0)
        for (int32_t t = 0; t < std::min(targetCount, kMaxTargets); ++t)
            if (strictlyInMarquee(*this, targets[t].x, targets[t].y))
                targets[t].visible = targets[t].visible == 0 ? 1 : 0;
    if (stageView.groupsLocked == 0)
        for (int32_t g = 0; g < std::min(groupCount, kMaxGroups); ++g)
            if (strictlyInMarquee(*this, groups[g].x, groups[g].y))
                groups[g].shown = groups[g].shown == 0 ? 1 : 0;
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdToggleUseGlobal(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    for (const ItemRef& ref : command.refs)
        if (ref.type == kKindTarget)
            targets[ref.index].useGlobalRadius = targets[ref.index].useGlobalRadius == 0 ? 1 : 0;
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdToggleMovement(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindGroup) item.movementOn = item.movementOn == 0 ? 1 : 0;
    scatterItemRecords(list);
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdToggleRotation(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindGroup) item.rotationOn = item.rotationOn == 0 ? 1 : 0;
    scatterItemRecords(list);
    commitToggle(*this);
    return 0;
}

int32_t QX_GUI::cmdResetAllNames(CliObject) {
    for (int32_t i = 0; i < kMaxLiveItems; ++i) sources[i].name = numberedName('S', i + 1);
    for (int32_t i = 0; i < kMaxLiveItems; ++i) targets[i].name = numberedName('T', i + 1);
    for (int32_t i = 0; i < 16; ++i) groups[i].name = numberedName('G', i + 1);
    for (int32_t i = 0; i < kMaxRoomCount; ++i) rooms[i].name = numberedName('R', i + 1);
    return 0;
}

int32_t QX_GUI::cmdCleanup(CliObject) {
    replaceNameSeparators();
    return 0;
}
