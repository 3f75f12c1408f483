// The key shortcuts: tables of rows, each row a set of keys that must all be held and the
// command line it runs. Every held row of a block fires, in table order, on every key-down.
#include <cstddef>

#include "app/qx_gui.h"
#include "view/input/key_predicates.h"

namespace {

struct ShortcutRow {
    int keys[3]; // all held; 0 ends the list
    const char* command;
};

constexpr int kNum0 = 0x60;
constexpr int kF1 = 0x70;

constexpr ShortcutRow kAltRows[] = {
    {{'1'}, "SWITCH_SELECT 1"},
    {{'2'}, "SWITCH_SELECT 2"},
    {{'3'}, "SWITCH_SELECT 3"},
    {{'4'}, "SWITCH_SELECT 4"},
    {{'5'}, "SWITCH_SELECT 5"},
    {{'6'}, "SWITCH_SELECT 6"},
    {{'7'}, "SWITCH_SELECT 7"},
    {{'8'}, "SWITCH_SELECT 8"},
    {{'9'}, "SWITCH_SELECT 9"},
    {{'0'}, "SWITCH_SELECT 10"},
    {{kNum0 + 1}, "DRIFT_TO_SLICE S:0.1 0"},
    {{kNum0 + 2}, "DRIFT_TO_SLICE S:0.1 1"},
    {{kNum0 + 3}, "DRIFT_TO_SLICE S:0.1 2"},
    {{kNum0 + 4}, "DRIFT_TO_SLICE S:0.1 3"},
    {{kNum0 + 5}, "DRIFT_TO_SLICE S:0.1 4"},
    {{kNum0 + 6}, "DRIFT_TO_SLICE S:0.1 5"},
    {{kNum0 + 7}, "DRIFT_TO_SLICE S:0.1 6"},
    {{kNum0 + 8}, "DRIFT_TO_SLICE S:0.1 7"},
    {{kNum0 + 9}, "DRIFT_TO_SLICE S:0.1 8"},
    {{kNum0}, "DRIFT_TO_SLICE S:0.1 9"},
    {{VK_CONTROL, kNum0 + 1}, "STORE_SLICE 0"},
    {{VK_CONTROL, kNum0 + 2}, "STORE_SLICE 1"},
    {{VK_CONTROL, kNum0 + 3}, "STORE_SLICE 2"},
    {{VK_CONTROL, kNum0 + 4}, "STORE_SLICE 3"},
    {{VK_CONTROL, kNum0 + 5}, "STORE_SLICE 4"},
    {{VK_CONTROL, kNum0 + 6}, "STORE_SLICE 5"},
    {{VK_CONTROL, kNum0 + 7}, "STORE_SLICE 6"},
    {{VK_CONTROL, kNum0 + 8}, "STORE_SLICE 7"},
    {{VK_CONTROL, kNum0 + 9}, "STORE_SLICE 8"},
    {{VK_CONTROL, kNum0}, "STORE_SLICE 9"},
    {{'A'}, "TOGGLE_MUTE SELECTION"},
    {{'S'}, "TOGGLE_SOLO SELECTION"},
    {{'P'}, "TOGGLE_PHASE SELECTION"},
    {{'Z'}, "LEVEL SELECTION 0.0"},
    {{'X'}, "UNCABLE SELECTION"},
    {{'F'}, "UNGROUP SELECTION"},
    {{'R'}, "RESET SELECTION"},
    {{'B'}, "COLOUR SELECTION"},
    {{'Q'}, "TOGGLE_ROTATION SELECTION"},
    {{'W'}, "TOGGLE_MOVEMENT SELECTION"},
    {{'D'}, "TOGGLE_HIDE SELECTION"},
    {{'N'}, "UNSELECT ALL"},
    {{VK_RETURN}, "VERBOSE 0"},
    {{VK_RETURN, VK_SHIFT}, "VERBOSE 1"},
    {{VK_RETURN}, "CLS"},
};

constexpr ShortcutRow kAlwaysRows[] = {
    {{VK_ADD}, "ADDSELECT MARQUEE"},      {{VK_SUBTRACT}, "UNSELECT MARQUEE"},
    {{VK_OEM_PLUS}, "ADDSELECT MARQUEE"}, {{VK_OEM_MINUS}, "UNSELECT MARQUEE"},
    {{kF1 + 11}, "TOGGLE STEALTH"},
};

constexpr ShortcutRow kPlainRows[] = {
    {{'H'}, "TOGGLE ROOM_VISIBILITY"},      {{'J'}, "TOGGLE TARGET_VISIBILITY"},
    {{'K'}, "TOGGLE GROUP_VISIBILITY"},     {{'L'}, "TOGGLE SOURCE_VISIBILITY"},
    {{'M'}, "TOGGLE X_HAIR_VISIBILITY"},    {{'N'}, "TOGGLE CABLE_VISIBILITY"},
    {{VK_OEM_4}, "TOGGLE GRID_VISIBILITY"}, {{VK_OEM_6}, "TOGGLE ANNOTATION_VISIBILITY"},
    {{kF1}, "TOGGLE_PANEL VIRTUAL"},        {{kF1 + 1}, "TOGGLE_PANEL DELAY"},
    {{kF1 + 2}, "TOGGLE_PANEL FILTERS"},    {{kF1 + 3}, "TOGGLE_PANEL DYNAMICS"},
    {{kF1 + 4}, "TOGGLE_PANEL MUTES"},      {{kF1 + 5}, "TOGGLE_PANEL ENVELOPES"},
    {{kF1 + 6}, "TOGGLE_PANEL SCOPE"},      {{kF1 + 7}, "TOGGLE_PANEL FFT"},
    {{kF1 + 8}, "TOGGLE_PANEL MACRO"},      {{VK_TAB}, "NEXTPAGE"},
};

constexpr ShortcutRow kCtrlRows[] = {
    {{'H'}, "TOGGLE ROOM_LOCKS"},       {{'J'}, "TOGGLE TARGET_LOCKS"},
    {{'K'}, "TOGGLE GROUP_LOCKS"},      {{'L'}, "TOGGLE SOURCE_LOCKS"},
    {{VK_OEM_6}, "TOGGLE STAGE_LOCKS"}, {{'P'}, "PRINT_SELECTED"},
};

constexpr ShortcutRow kShiftRows[] = {
    {{'I'}, "PAGE INPUTS"},
    {{'O'}, "PAGE OUTPUTS"},
    {{'P'}, "PAGE STAGE"},
    {{'U'}, "PAGE MATRIX"},
    {{'G'}, "PAGE FEEDBACK"},
    {{'S'}, "TOGGLE GUI_SNAP"},
    {{'V'}, "TOGGLE VISUALISATIONS"},
    {{'H'}, "TOGGLE ROOM_LABELS"},
    {{'J'}, "TOGGLE TARGET_LABELS"},
    {{'K'}, "TOGGLE GROUP_LABELS"},
    {{'L'}, "TOGGLE SOURCE_LABELS"},
    {{VK_OEM_6}, "TOGGLE ANNOTATION_LOCKS"},
    {{'Q'}, "TOGGLE ROTATION"},
    {{'W'}, "TOGGLE MOVEMENT"},
    {{VK_OEM_1}, "ENTER SOURCE_COUNT"},
    {{VK_OEM_3}, "ENTER TARGET_COUNT"},
    {{'T'}, "TOGGLE TOOLBOX"},
    {{'Y'}, "TOGGLE MASTER"},
    {{'F'}, "TOGGLE HEATMAP"},
    {{kF1 + 9}, "TOGGLE FULLSCREEN"},
    {{kF1 + 10}, "TOGGLE DEBUG"},
    {{VK_TAB}, "PREVIOUSPAGE"},
};

bool rowHeld(const ShortcutRow& row) {
    for (int key : row.keys)
        if (key != 0 && !isKeyDownCode(key)) return false;
    return true;
}

template <size_t N> void runRows(QX_GUI& gui, const ShortcutRow (&rows)[N]) {
    for (const ShortcutRow& row : rows)
        if (rowHeld(row)) gui.executeCommandString(row.command);
}

} // namespace

void QX_GUI::runAltShortcuts() {
    runRows(*this, kAltRows);
    if (isKeyDownEnter()) printBanner();
}

bool QX_GUI::runShortcutBlocks() {
    runRows(*this, kAlwaysRows);
    const bool ctrl = isKeyDownCtrl();
    const bool shift = isKeyDownShift();
    if (!ctrl && !shift && !isKeyDownAlt()) runRows(*this, kPlainRows);
    if (ctrl) runRows(*this, kCtrlRows);
    if (!shift) return true;
    if (isKeyDownR()) {
        if (!lastCommand.empty()) executeCommandString(lastCommand);
        return false;
    }
    runRows(*this, kShiftRows);
    return true;
}
