// The text entry's commit: the typed text becomes the edit that the entry's action id names,
// then the entry closes.
#include <cstdlib>
#include <string>

#include "app/qx_gui.h"
#include "command/text_utils.h"

namespace {

using CommitHandler = void (QX_GUI::*)(int32_t id, const std::string& text);

struct CommitRow {
    int32_t first;
    int32_t last;
    CommitHandler handler;
};

constexpr CommitRow kCommitRows[] = {
    {1, 3, &QX_GUI::commitItemName},
    {5, 5, &QX_GUI::commitItemName},
    {7, 8, &QX_GUI::commitCount},
    {23, 24, &QX_GUI::commitDynamicsTime},
    {25, 25, &QX_GUI::commitSideChainName},
    {26, 26, &QX_GUI::commitVirtualChannel},
    {28, 28, &QX_GUI::commitGroupCount},
    {29, 29, &QX_GUI::commitRoomCount},
    {30, 30, &QX_GUI::commitHardResetAnswer},
    {31, 33, &QX_GUI::commitNote},
    {34, 34, &QX_GUI::commitNoteAlpha},
    {35, 35, &QX_GUI::commitConfirmAnswer},
    {100, 104, &QX_GUI::commitFilterBand},
    {200, 204, &QX_GUI::commitFilterBand},
    {300, 304, &QX_GUI::commitFilterBand},
    {3001, 3001, &QX_GUI::commitDelayTime},
};

bool hasDigit(const std::string& text) {
    return text.find_first_of("0123456789") != std::string::npos;
}

// Whether the name is the name an item other than (kind, index) is given by default: a patch
// addresses each item by that default name until its own NAME line, so such a name would draw
// another item's lines to this one.
bool isAnotherDefaultName(const std::string& name, int32_t kind, int32_t index) {
    static constexpr struct {
        char letter;
        int32_t kind;
    } kDefaultLetters[] = {{'S', 1}, {'T', 2}, {'G', 3}, {'R', 5}};
    if (name.size() < 2 || name.size() > 9 || name[1] == '0') return false;
    if (name.find_first_not_of("0123456789", 1) != std::string::npos) return false;
    for (const auto& row : kDefaultLetters)
        if (name[0] == row.letter)
            return row.kind != kind || std::atoi(name.c_str() + 1) != index + 1;
    return false;
}

} // namespace

void QX_GUI::closeTextEntry() {
    textEntry.textEntryId = 0;
    textEntry.textEntryKind = 0;
    textEntry.textEntryKeysOn = 0; // the frame stops drawing the box
}

void QX_GUI::commitTextEntry() {
    std::string text = textEntry.textEntryText;
    if (!text.empty() && text[0] == ' ') text.erase(0, 1);
    const int32_t id = textEntry.textEntryId;
    closeTextEntry(); // before the edit, so that a line it runs may open a new entry
    raiseSendFlag(kSendTextEntry);
    for (const CommitRow& row : kCommitRows) {
        if (id < row.first || id > row.last) continue;
        (this->*row.handler)(id, text);
        break;
    }
}

// A refused entry says why in the status line and, highlighted as a failed line is, on the
// console.
void QX_GUI::reportRefusedEntry(const std::string& message) {
    setStatusMessage(message);
    console.highlight = 1;
    appendConsoleLine(message);
    console.highlight = 0;
}

void QX_GUI::schedulePatchCheck() {
    patchCheckCountdown = 5;
    patchCheckPending = 1;
}

void QX_GUI::commitItemName(int32_t id, const std::string& entered) {
    // A line's words are split at blanks: a blank in a name becomes "_", as when typed.
    std::string text = entered;
    for (char& c : text)
        if (c == ' ') c = '_';
    // Lines, patch files among them, reach an item by its name: an empty name, or one that
    // another item holds or starts from, would put this item out of their reach, so the old
    // name stays.
    const int32_t kind = id >= 1 && id <= 3 ? id : 5;
    const int32_t index = kind == 1   ? currentSource
                          : kind == 2 ? currentTarget
                          : kind == 3 ? currentGroup
                                      : currentRoom;
    if (holdsCommentMark(text)) {
        reportRefusedEntry(std::string("NAME NOT CHANGED : ") + kNameCommentMarkRefused);
        return;
    }
    const bool heldByAnother =
        findItemKindByName(text) != -1 &&
        (findItemKindByName(text) != kind || findItemIndexByName(text) != index);
    if (text.empty() || heldByAnother || isAnotherDefaultName(text, kind, index)) {
        setStatusMessage(text.empty() ? "NAME NOT CHANGED : NO NAME GIVEN"
                                      : "NAME NOT CHANGED : " + text + " IS IN USE");
        return;
    }
    switch (id) {
    case 1:
        if (currentSource < 0 || currentSource >= kMaxSources) return;
        sources[currentSource].name = text;
        raiseSendFlag(kSendSources);
        break;
    case 2:
        if (currentTarget < 0 || currentTarget >= kMaxTargets) return;
        targets[currentTarget].name = text;
        raiseSendFlag(kSendTargets);
        break;
    case 3:
        if (currentGroup < 0 || currentGroup >= kMaxGroups) return;
        groups[currentGroup].name = text;
        raiseSendFlag(kSendGroups);
        break;
    default:
        if (currentRoom < 0 || currentRoom >= kMaxRooms) return;
        rooms[currentRoom].name = text;
        raiseSendFlag(kSendRooms);
        break;
    }
}

// Source and target counts: the prompt's minimum of 1 holds; a text without a number changes
// nothing.
void QX_GUI::commitCount(int32_t id, const std::string& text) {
    if (!hasDigit(text)) return;
    const int32_t n = std::atoi(text.c_str());
    if (n < 1) return;
    if (id == 7) {
        setSourceCount(n);
        raiseSendFlag(kSendSources);
    } else {
        setTargetCount(n);
        raiseSendFlag(kSendTargets);
    }
    raiseSendFlag(kSendMixers);
    schedulePatchCheck();
}

// The group count is clamped to the groups the tables carry, as SET does; groups above the
// new count lose their members.
void QX_GUI::commitGroupCount(int32_t, const std::string& text) {
    if (!hasDigit(text)) return;
    setGroupCount(std::atoi(text.c_str()));
    raiseSendFlag(kSendGroups);
    raiseSendFlag(kSendSources);
    applyGroupMuteSolo();
    schedulePatchCheck();
}

void QX_GUI::commitRoomCount(int32_t, const std::string& text) {
    const int32_t n = std::atoi(text.c_str());
    if (n > kMaxRoomCount)
        appendConsoleLine("MAXIMUM NUMBER OF ROOMS = 8");
    else
        setRoomCount(n);
    raiseSendFlag(kSendGroups);
    schedulePatchCheck();
}

void QX_GUI::commitHardResetAnswer(int32_t, const std::string& text) {
    if (text == "YES") executeCommandString("LOAD_MACRO PATCHES/BLANK.txt");
    pendingConfirm = 0;
}

void QX_GUI::commitConfirmAnswer(int32_t, const std::string& text) {
    pendingConfirm = 0;
    if (text == "YES") executeCommandString(confirmCommand);
}
