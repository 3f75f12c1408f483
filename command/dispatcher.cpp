// The verb dispatcher: keeps the one-level undo snapshot, finds the verb and runs it.
#include <string_view>
#include <unordered_map>

#include "app/qx_gui.h"
#include "command/verb_table.h"

namespace {

// Every verb in the order in which it is compared. A verb whose handler is not built yet
// answers with a failure that says so; owner names the piece of work that brings it.
const VerbRow kVerbRows[] = {
    {"UNDO", nullptr, 5}, // handled before the table is consulted
    {"INTRO",
     [](QX_GUI& gui, CliObject&) {
         gui.printBanner();
         return 0;
     },
     5},
    {"DRAW_ON_TOP", nullptr, 8},
    {"DRAW_WITH_STAGE", nullptr, 8},
    {"DRAW_IN_MACRO", nullptr, 8},
    {"_AT", nullptr, 8},
    {"_AT+", nullptr, 8},
    {"_AT-", nullptr, 8},
    {"VERBOSE", [](QX_GUI& gui, CliObject& c) { return gui.cmdVerbose(std::move(c)); }, 5},
    {"CLS",
     [](QX_GUI& gui, CliObject&) {
         gui.cmdCls();
         return 0;
     },
     5},
    {"ENTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdEnter(std::move(c)); }, 5},
    {"SET", [](QX_GUI& gui, CliObject& c) { return gui.cmdSet(std::move(c)); }, 5},
    {"REDRAW", nullptr, 8},
    {"CONFIRM", [](QX_GUI& gui, CliObject& c) { return gui.cmdConfirm(std::move(c)); }, 5},
    {"INK", nullptr, 8},
    {"PAINT", nullptr, 8},
    {"RECT", nullptr, 8},
    {"TEXT", nullptr, 8},
    {"BUTTON", nullptr, 8},
    {"NOTE", nullptr, 8},
    {"NAME", nullptr, 7},
    {"COLOUR", nullptr, 7},
    {"RGB", nullptr, 7},
    {"PRESET_COLOUR", nullptr, 7},
    {"SPECTRUM", nullptr, 7},
    {"HIDE", nullptr, 7},
    {"UNHIDE", nullptr, 7},
    {"RESET", nullptr, 7},
    {"MUTE", nullptr, 7},
    {"UNMUTE", nullptr, 7},
    {"SOLO", nullptr, 7},
    {"UNSOLO", nullptr, 7},
    {"PHASE", nullptr, 7},
    {"LEVEL", nullptr, 7},
    {"TRIM", nullptr, 7},
    {"USE_GLOBAL", nullptr, 7},
    {"GLOBALZ", nullptr, 7},
    {"GROUPIFY", nullptr, 7},
    {"UNGROUPIFY", nullptr, 7},
    {"TOGGLE_GROUPIFY", nullptr, 7},
    {"UNGROUP", nullptr, 7},
    {"SET_ROTATION", nullptr, 7},
    {"SET_MOVEMENT", nullptr, 7},
    {"SET_ZERO", nullptr, 7},
    {"SET_SIZE", nullptr, 7},
    {"VIRTUALISE", nullptr, 7},
    {"SET_MASTER", nullptr, 7},
    {"TRIM_MASTER", nullptr, 7},
    {"MOVE", nullptr, 7},
    {"POS", nullptr, 7},
    {"SWAP_POS", nullptr, 7},
    {"TRANSPORT", nullptr, 7},
    {"CABLE", nullptr, 7},
    {"UNCABLE", nullptr, 7},
    {"CLEANUP", nullptr, 7},
    {"RESET_ALL_NAMES", nullptr, 7},
    {"RESETALLNAMES", nullptr, 7},
    {"TOGGLE_MUTE", nullptr, 7},
    {"TOGGLE_SOLO", nullptr, 7},
    {"TOGGLE_PHASE", nullptr, 7},
    {"TOGGLE_HIDE", nullptr, 7},
    {"TOGGLE_HIDE_ALL", nullptr, 7},
    {"TOGGLE_ROTATION", nullptr, 7},
    {"TOGGLE_MOVEMENT", nullptr, 7},
    {"TOGGLE_USE_GLOBAL", nullptr, 7},
    {"ROOM_TO_MARQUEE", nullptr, 8},
    {"MARQUEE_TO_ROOM", nullptr, 8},
    {"NORMALISE", nullptr, 8},
    {"ALIGN", nullptr, 8},
    {"CIRCLE", nullptr, 8},
    {"OVAL", nullptr, 8},
    {"SPACING", nullptr, 8},
    {"SNAP", nullptr, 8},
    {"EXPAND", nullptr, 8},
    {"CONTRACT", nullptr, 8},
    {"FIND", nullptr, 8},
    {"LIST_CABLES", nullptr, 7},
    {"REMOVE_CABLE", nullptr, 7},
    {"REMOVE_CABLES", nullptr, 7},
    {"EXCLUDE_CABLE", nullptr, 7},
    {"EXCLUDE_CABLES", nullptr, 7},
    {"TOGGLE_CABLE_MUTE", nullptr, 7},
    {"TOGGLE_CABLE_SOLO", nullptr, 7},
    {"TOGGLE_CABLE_PHASE", nullptr, 7},
    {"TOGGLE_CABLE_USE_GROUP", nullptr, 7},
    {"CABLE_LEVEL", nullptr, 7},
    {"FEEDBACK", nullptr, 9},
    {"REMOVE_FEEDBACK", nullptr, 9},
    {"FEEDBACK_LEVEL", nullptr, 9},
    {"TOGGLE_FEEDBACK_MUTE", nullptr, 9},
    {"TOGGLE_FEEDBACK_PHASE", nullptr, 9},
    {"NO_FEEDBACK", nullptr, 9},
    {"SIDECHAIN", nullptr, 9},
    {"ZOOM_LEVEL", nullptr, 8},
    {"ZOOM", nullptr, 8},
    {"ZOOM_IN", nullptr, 8},
    {"ZOOM_OUT", nullptr, 8},
    {"FLAT_ZOOM_IN", nullptr, 8},
    {"FLAT_ZOOM_OUT", nullptr, 8},
    {"DISPLACE_STAGE", nullptr, 8},
    {"FULLSCREEN", nullptr, 8},
    {"TOGGLE_PANEL", nullptr, 8},
    {"SHOW_PANEL", nullptr, 8},
    {"HIDE_PANEL", nullptr, 8},
    {"PAGE", nullptr, 8},
    {"NEXTPAGE", nullptr, 8},
    {"PREVIOUSPAGE", nullptr, 8},
    {"NO_PANELS", nullptr, 8},
    {"RESET_PANELS", nullptr, 8},
    {"PANEL_SETUP", nullptr, 8},
    {"POSITION_PANEL_AT", nullptr, 8},
    {"STEALTH", nullptr, 8},
    {"VIEW_ENVELOPES", nullptr, 8},
    {"DELAY", nullptr, 9},
    {"RESET_FILTERS_DSP", nullptr, 8},
    {"FILTER", nullptr, 9},
    {"RESETFILTERS", nullptr, 9},
    {"RESET_FILTERS", nullptr, 8},
    {"COPY_FILTER", nullptr, 9},
    {"PASTE_FILTER", nullptr, 9},
    {"PASTE_FILTERS", nullptr, 9},
    {"DYNAMICS", nullptr, 9},
    {"RESETDYNAMICS", nullptr, 9},
    {"PASTE_DYNAMICS", nullptr, 9},
    {"PASTE_DYNAMIC", nullptr, 9},
    {"DYNAMICS_MODE", nullptr, 9},
    {"TOGGLE", nullptr, 8},
    {"DISMISS", nullptr, 8},
    {"RESET_TOOLBOX", nullptr, 8},
    {"SELECT", nullptr, 8},
    {"TOUCH", nullptr, 8},
    {"UNSELECT", nullptr, 8},
    {"ADDSELECT", nullptr, 8},
    {"TOGGLE_SELECT", nullptr, 8},
    {"STORE_SELECT", nullptr, 8},
    {"RETRIEVE_SELECT", nullptr, 8},
    {"SWITCH_SELECT", nullptr, 8},
    {"RESET_SELECT", nullptr, 8},
    {"PRINT_SELECTED", nullptr, 8},
    {"WRAP", nullptr, 8},
    {"READ", [](QX_GUI& gui, CliObject& c) { return gui.cmdRead(std::move(c)); }, 5},
    {"SLEEP_CLIENT", nullptr, 8},
    {"WAKE_CLIENT", nullptr, 8},
    {"SLEEP_NOW", nullptr, 8},
    {"WAKE_NOW", nullptr, 8},
    {"INPUT_MIXER", nullptr, 9},
    {"OUTPUT_MIXER", nullptr, 9},
    {"HARD_RESET_PROMPT", nullptr, 8},
    {"HARD_RESET", nullptr, 8},
    {"RESET_V", nullptr, 8},
    {"RESET_F", nullptr, 8},
    {"RESET_DY", nullptr, 8},
    {"RESET_DE", nullptr, 8},
    {"RESET_FF", nullptr, 8},
    {"INFO", nullptr, 8},
    {"GRID", nullptr, 7},
    {"BLOB2PATCH", nullptr, 4},
    {"SET_FILTER_TYPE", nullptr, 8},
    {"EXPORT_EQ_PRESET", nullptr, 9},
    {"LOAD_EQ_PRESETS", nullptr, 8},
    {"EQ_PRESET", nullptr, 8},
    {"COPY_DYNAMICS", nullptr, 9},
    {"RESET_DYNAMICS", nullptr, 8},
    {"SR", nullptr, 8},
    {"SIDE_CHAIN_INTERNAL", nullptr, 8},
    {"SIDE_CHAIN_SELECT", nullptr, 8},
    {"SIDE_CHAIN_PRE_DELAY", nullptr, 8},
    {"SIDE_CHAIN_PRE_FILTER", nullptr, 8},
    {"SIDE_CHAIN_POST_FILTER", nullptr, 8},
    {"SIDE_CHAIN_POST_DYNAMICS", nullptr, 8},
    {"LOAD_MACRO", [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacro(std::move(c)); }, 5},
    {"LOAD_MACRO_FILE",
     [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacroFile(std::move(c)); }, 5},
    {"RELOAD_ON_RESIZE", nullptr, 10},
    {"STOP_MACRO",
     [](QX_GUI& gui, CliObject&) {
         gui.macroRunning = 0;
         return 0;
     },
     5},
    {"SAVE_PATCH", nullptr, 10},
    {"SAVE_NOW", nullptr, 10},
    {"AUTO_SAVE", nullptr, 10},
    {"AUTO_BACKUP", nullptr, 10},
    {"SYSTEM", nullptr, 8},
    {"SYSTEM_INFO", nullptr, 4},
    {"WEB", nullptr, 8},
    {"SYN_MODE", nullptr, 8},
    {"SEL", nullptr, 8},
    {"STORE_SLICE", nullptr, 8},
    {"JUMP_TO_SLICE", nullptr, 8},
    {"DRIFT_TO_SLICE", nullptr, 8},
    {"SLICE_M", nullptr, 8},
    {"SLICE_X", nullptr, 8},
    {"SLICE_Y", nullptr, 8},
    {"SLICE_S", nullptr, 8},
    {"SLICE_L", nullptr, 8},
};

// Exact, case-sensitive lookup of a whole action; the first row of a verb wins.
const std::unordered_map<std::string_view, const VerbRow*>& verbIndex() {
    static const std::unordered_map<std::string_view, const VerbRow*> index = [] {
        std::unordered_map<std::string_view, const VerbRow*> map;
        for (const VerbRow& row : kVerbRows) map.emplace(row.verb, &row);
        return map;
    }();
    return index;
}

} // namespace

const VerbRow* verbTableBegin() {
    return kVerbRows;
}
const VerbRow* verbTableEnd() {
    return kVerbRows + sizeof kVerbRows / sizeof kVerbRows[0];
}

int32_t QX_GUI::dispatchCommand(CliObject command) {
    if (command.action == "UNDO") {
        appendConsoleLine("UNDO !");
        ItemSnapshotList list;
        for (int32_t i = 0; i < undoCount; ++i) list.append(undoSnapshot[i]);
        scatterItemRecords(list);
        commitModelChange();
        return 0;
    }

    // The items this command addresses, as they are before it runs, become the undo store,
    // whether the verb then succeeds, fails or is unknown.
    {
        const ItemSnapshotList gathered = gatherItemRecords(command);
        for (int32_t i = 0; i < gathered.count(); ++i) undoSnapshot[i] = gathered[i];
        for (int32_t i = gathered.count(); i < undoCount; ++i) undoSnapshot[i] = ItemSnapshot();
        undoCount = gathered.count();
    }

    const auto& index = verbIndex();
    const auto found = index.find(command.action);
    if (found == index.end()) {
        console.pendingError = "COMMAND \"" + command.action + "\" NOT FOUND";
        return 1;
    }
    const VerbRow& row = *found->second;
    if (row.handler == nullptr) {
        console.pendingError = "VERB \"" + command.action + "\" NOT AVAILABLE YET";
        return 1;
    }
    return row.handler(*this, command);
}
