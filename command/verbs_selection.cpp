// Selection verbs: the current selection (names and the records' selected flags), the stored
// selections, the marquee around the selection, the touched node and the syndication mode.
#include <cstdio>

#include "app/qx_gui.h"
#include "model/checked_number.h"

namespace {

constexpr int32_t kNameCapacity = 255; // entries of selectedNames and of each stored slot
constexpr int32_t kStoredSlots = 11;   // slots 0 to 10

bool slotInRange(int32_t n) {
    return n >= 0 && n < kStoredSlots;
}

void setGroupSelected(GroupRecord& group, uint8_t on) {
    group.selected = (group.selected & ~0xFF) | on;
}

// A stored slot keeps no names past its count: the name-lists pin sends every name it holds.
void forgetNamesPast(std::string (&slot)[255], int32_t count) {
    for (int32_t i = count < 0 ? 0 : count; i < 255; ++i) slot[i].clear();
}

// Slot n holds the current selection's names, and nothing past them.
void storeSelectionIn(QX_GUI& gui, int32_t n) {
    for (int32_t i = 0; i < gui.selectedCount; ++i)
        gui.storedSelections[n][i] = gui.selectedNames[i];
    gui.storedSelectionCounts[n] = gui.selectedCount;
    forgetNamesPast(gui.storedSelections[n], gui.selectedCount);
}

} // namespace

void QX_GUI::clearSelectionFlags() {
    for (int32_t i = 0; i < sourceCount && i < kMaxSources; ++i) sources[i].selected = 0;
    for (int32_t i = 0; i < targetCount && i < kMaxTargets; ++i) targets[i].selected = 0;
    for (int32_t i = 0; i < groupCount && i < kMaxGroups; ++i) setGroupSelected(groups[i], 0);
    raiseSendFlag(kSendNameLists);
}

bool QX_GUI::isInSelection(const std::string& name) {
    for (int32_t i = 0; i < selectedCount; ++i)
        if (selectedNames[i] == name) return true;
    return false;
}

void QX_GUI::updateSelectionBounds() {
    if (selectedCount == 0) {
        for (int32_t& corner : marqueeRect) corner = 0;
        return;
    }
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    for (int32_t i = 0; i < selectedCount; ++i) {
        float x = 0.0f, y = 0.0f;
        findObjectPosition(selectedNames[i], x, y);
        if (i == 0) {
            minX = maxX = x;
            minY = maxY = y;
            continue;
        }
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
    }
    marqueeRect[0] = saturatingInt(minX - 20.0f);
    marqueeRect[1] = saturatingInt(minY - 20.0f);
    marqueeRect[2] = saturatingInt(maxX + 20.0f);
    marqueeRect[3] = saturatingInt(maxY + 20.0f);
}

void QX_GUI::applySelection() {
    if (selectedCount == 0) return;
    EnvelopeList list;
    for (int32_t i = 0; i < selectedCount; ++i) {
        const std::string& name = selectedNames[i];
        const int32_t kind = findItemKindByName(name);
        if (kind == kKindSource && list.sourceCount < EnvelopeList::kCapacity) {
            list.sources[list.sourceCount++] = findItemIndexByName(name);
            list.spec += name + " | ";
        } else if (kind == kKindTarget && list.targetCount < EnvelopeList::kCapacity) {
            list.targets[list.targetCount++] = findItemIndexByName(name);
            list.spec += name + " | ";
        }
    }
    list.total = list.sourceCount + list.targetCount;
    envelopeList = list;
}

namespace {

// Appends a name to the current selection unless the list is full.
void appendName(std::string* names, int32_t& count, const std::string& name) {
    if (count < kNameCapacity) names[count++] = name;
}

// SELECT ALL: every shown item of the unlocked kinds, with the marquee 20 units around them
// when they span an area.
void selectEverythingShown(QX_GUI& gui) {
    gui.selectedCount = 0;
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    auto takeIn = [&](const std::string& name, float x, float y) {
        appendName(gui.selectedNames, gui.selectedCount, name);
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
    };
    if (gui.stageView.sourcesLocked == 0)
        for (int32_t i = 0; i < gui.sourceCount; ++i)
            if (gui.sources[i].shown) {
                gui.sources[i].selected = 1;
                takeIn(gui.sources[i].name, gui.sources[i].x, gui.sources[i].y);
            }
    if (gui.stageView.targetsLocked == 0)
        for (int32_t i = 0; i < gui.targetCount; ++i)
            if (gui.targets[i].visible) {
                gui.targets[i].selected = 1;
                takeIn(gui.targets[i].name, gui.targets[i].x, gui.targets[i].y);
            }
    if (gui.stageView.groupsLocked == 0)
        for (int32_t i = 0; i < gui.groupCount; ++i)
            if (gui.groups[i].shown) {
                setGroupSelected(gui.groups[i], 1);
                takeIn(gui.groups[i].name, gui.groups[i].x, gui.groups[i].y);
            }
    if (minX != maxX && minY != maxY) {
        gui.marqueeRect[0] = saturatingInt(minX - 20.0f);
        gui.marqueeRect[1] = saturatingInt(minY - 20.0f);
        gui.marqueeRect[2] = saturatingInt(maxX + 20.0f);
        gui.marqueeRect[3] = saturatingInt(maxY + 20.0f);
    }
}

} // namespace

int32_t QX_GUI::cmdSelect(CliObject command) {
    clearSelectionFlags();
    if (command.string == "NONE") {
        selectedCount = 0;
        updateSelectionBounds();
        raiseSendFlag(kSendNameLists);
        return 0;
    }
    if (command.string == "ALL") {
        selectEverythingShown(*this);
        raiseSendFlag(kSendNameLists);
        return 0;
    }
    if (command.string == "MARQUEE") {
        executeCommandString("SELECT " + markedSourceNames(0) + " " + markedTargetNames(0) + " " +
                             markedGroupNames(0));
        return 0;
    }

    clearSelectionFlags();
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() > 0) {
        const ItemSnapshot& first = list[0];
        switch (first.type) {
        case 1:
        case 2:
            if (first.type == kKindSource)
                currentSource = first.index;
            else
                currentTarget = first.index;
            loadEditorsFor(first.type, first.index, false);
            break;
        case 3:
            currentGroup = first.index;
            break;
        case 5:
            currentRoom = first.index;
            break;
        default:
            break;
        }
    }
    selectedCount = 0;
    for (const ItemSnapshot& item : list) {
        if (item.type == kKindSource && sources[item.index].shown) sources[item.index].selected = 1;
        if (item.type == kKindTarget && targets[item.index].visible)
            targets[item.index].selected = 1;
        if (item.type == kKindGroup && groups[item.index].shown)
            setGroupSelected(groups[item.index], 1);
        appendName(selectedNames, selectedCount, item.name);
    }
    marqueeRubberBand = 0;
    commitModelChange();
    applySelection();
    return 0;
}

int32_t QX_GUI::cmdUnselect(CliObject command) {
    if (command.string == "ALL") {
        selectedCount = 0;
        clearSelectionFlags();
        updateSelectionBounds();
        return 0;
    }
    if (command.string == "MARQUEE") {
        executeCommandString("UNSELECT " + markedSourceNames(0) + " " + markedTargetNames(0) + " " +
                             markedGroupNames(0));
        return 0;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        item.selected = 0;
        int32_t kept = 0;
        for (int32_t i = 0; i < selectedCount; ++i)
            if (selectedNames[i] != item.name) selectedNames[kept++] = selectedNames[i];
        selectedCount = kept;
    }
    const int32_t slot = storedSelectionNumber;
    if (slotInRange(slot)) storeSelectionIn(*this, slot);
    raiseSendFlag(kSendNameLists);
    scatterItemRecords(list);
    applySelection();
    return 0;
}

int32_t QX_GUI::cmdAddSelect(CliObject command) {
    if (command.string == "MARQUEE") {
        executeCommandString("ADDSELECT " + markedSourceNames(0) + " " + markedTargetNames(0) +
                             " " + markedGroupNames(0));
        return 0;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    int32_t added = 0;
    for (ItemSnapshot& item : list) {
        item.selected = 1;
        if (!isInSelection(item.name) && selectedCount < kNameCapacity) {
            selectedNames[selectedCount++] = item.name;
            ++added;
        }
    }
    scatterItemRecords(list);
    const int32_t slot = storedSelectionNumber;
    if (slotInRange(slot)) storeSelectionIn(*this, slot);
    raiseSendFlag(kSendNameLists);
    if (added == 0) {
        console.pendingError = "NOT ITEMS ADDED";
        return 1;
    }
    scatterItemRecords(list);
    applySelection();
    return 0;
}

int32_t QX_GUI::cmdToggleSelect(CliObject command) {
    // The nested lines run as one batch; the outer batch state (a loading macro) comes back
    // afterwards rather than being cleared.
    const uint8_t outerBatch = batch;
    batch = 1;
    const ItemSnapshotList list = gatherItemRecords(command);
    for (const ItemSnapshot& item : list)
        executeCommandString((isInSelection(item.name) ? "UNSELECT " : "ADDSELECT ") + item.name);
    batch = outerBatch;
    raiseSendFlag(kSendNameLists);
    sendTextCommandPin();
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdStoreSelect(CliObject command) {
    const int32_t n = saturatingInt(command.value);
    if (!slotInRange(n)) {
        console.pendingError = "SELECTION INDEX OUT OF RANGE (1-10)";
        commitModelChange();
        return 1;
    }
    storedSelectionNumber = n;
    storeSelectionIn(*this, n);
    selectedCount = 0;
    commitModelChange();
    raiseSendFlag(kSendNameLists);
    return 0;
}

int32_t QX_GUI::cmdRetrieveSelect(CliObject command) {
    const int32_t n = saturatingInt(command.value);
    if (!slotInRange(n)) {
        console.pendingError = "SELECTION INDEX OUT OF RANGE (1-10)";
        commitModelChange();
        return 1;
    }
    storedSelectionNumber = n;
    selectedCount = 0;
    clearSelectionFlags();
    std::string text;
    const int32_t count = storedSelectionCounts[n];
    for (int32_t i = 0; i < count; ++i) {
        appendName(selectedNames, selectedCount, storedSelections[n][i]);
        text += " " + storedSelections[n][i];
    }
    if (count > 0) {
        executeCommandString("SELECT " + text);
        const std::string& first = storedSelections[n][0];
        const int32_t kind = findItemKindByName(first);
        if (kind >= 1 && kind <= 3) {
            touchedKind = kind;
            touchedIndex = findItemIndexByName(first);
        }
    }
    commitModelChange();
    raiseSendFlag(kSendNameLists);
    return 0;
}

int32_t QX_GUI::cmdSwitchSelect(CliObject command) {
    executeCommandString("STORE_SELECT " + std::to_string(storedSelectionNumber));
    executeCommandString("RETRIEVE_SELECT " + command.string);
    raiseSendFlag(kSendNameLists);
    applySelection();
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdResetSelect(CliObject) {
    for (int32_t i = 0; i < kStoredSlots; ++i) {
        storedSelectionCounts[i] = 0;
        forgetNamesPast(storedSelections[i], 0);
    }
    clearSelectionFlags();
    applySelection();
    return 0;
}

int32_t QX_GUI::cmdPrintSelected(CliObject) {
    if (selectedCount == 0) {
        console.pendingError = "NO ITEMS SELECTED";
        return 1;
    }
    appendConsoleLine("SELECTED NODES -");
    for (int32_t i = 0; i < selectedCount; ++i) appendConsoleLine("    " + selectedNames[i]);
    raiseSendFlag(kSendNameLists);
    return 0;
}

int32_t QX_GUI::cmdTouch(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0) {
        console.pendingError = "TOUCH - NO ITEM SPECIFIED";
        return 1;
    }
    const int32_t kind = list[0].type;
    const int32_t i = list[0].index;
    if (kind < 1 || kind > 3) {
        console.pendingError = "TOUCH - NO RELEVANT NODE FOUND";
        return 1;
    }
    touchedIndex = i;
    touchedKind = kind;
    if (kind == kKindGroup) return 0;

    // The editors follow the touched item and load its settings, so that the next edit in an
    // editor is stored into that item and no other.
    loadEditorsFor(kind, i, true);
    EnvelopeList alone;
    if (kind == kKindSource) {
        currentSource = i;
        setPin60Value(sources[i].virtualChannel, i);
        alone.sourceCount = 1;
        alone.sources[0] = i;
    } else {
        currentTarget = i;
        setPin60Value(targets[i].virtualChannel + 64, i);
        alone.targetCount = 1;
        alone.targets[0] = i;
    }
    alone.total = 1;
    envelopeList = alone;
    return 0;
}

int32_t QX_GUI::cmdStoredSelection(CliObject command) {
    if (!command.has(kKeyX)) {
        console.pendingError = "CREATE SELECTION - NO INDEX SPECIFIED";
        return 1;
    }
    const int32_t n = saturatingInt(command.named(kKeyX));
    if (!slotInRange(n)) {
        console.pendingError = "SELECTION INDEX OUT OF RANGE (1-10)";
        return 1;
    }
    clearSelectionFlags();
    appendConsoleLine("A SELECTION : ");
    appendConsoleLine(command.arguments);

    const size_t blank = command.arguments.find(' ');
    const std::string names =
        blank == std::string::npos ? std::string() : command.arguments.substr(blank + 1);
    splitTokens(names, ' ');
    std::vector<std::string> words(tokens, tokens + tokenCount);
    storedSelectionCounts[n] = 0;
    for (const std::string& word : words) {
        appendConsoleLine("\"" + word + "\"");
        if (!word.empty() && storedSelectionCounts[n] < kNameCapacity)
            storedSelections[n][storedSelectionCounts[n]++] = word;
    }
    forgetNamesPast(storedSelections[n], storedSelectionCounts[n]);

    selectedCount = 0;
    storedSelectionNumber = n;
    std::string text;
    for (int32_t i = 0; i < storedSelectionCounts[n]; ++i) {
        appendName(selectedNames, selectedCount, storedSelections[n][i]);
        text += " " + storedSelections[n][i];
    }
    if (!text.empty()) executeCommandString("SELECT " + text);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSyndicationMode(CliObject command) {
    const std::string& word = command.string;
    if (word.find("NONE") != std::string::npos) syndicationMode = 0;
    if (word.find("MARQ") != std::string::npos) syndicationMode = 1;
    if (word.find("SELECT") != std::string::npos) syndicationMode = 2;
    if (word.find("BOTH") != std::string::npos) syndicationMode = 3;
    return 0;
}
