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
    {"NAME", [](QX_GUI& gui, CliObject& c) { return gui.cmdName(std::move(c)); }, 7},
    {"COLOUR", [](QX_GUI& gui, CliObject& c) { return gui.cmdColour(std::move(c)); }, 7},
    {"RGB", [](QX_GUI& gui, CliObject& c) { return gui.cmdRgb(std::move(c)); }, 7},
    {"PRESET_COLOUR", [](QX_GUI& gui, CliObject& c) { return gui.cmdPresetColour(std::move(c)); }, 7},
    {"SPECTRUM", [](QX_GUI& gui, CliObject& c) { return gui.cmdSpectrum(std::move(c)); }, 7},
    {"HIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdHide(std::move(c)); }, 7},
    {"UNHIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnhide(std::move(c)); }, 7},
    {"RESET", [](QX_GUI& gui, CliObject& c) { return gui.cmdReset(std::move(c)); }, 7},
    {"MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdMute(std::move(c)); }, 7},
    {"UNMUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnmute(std::move(c)); }, 7},
    {"SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdSolo(std::move(c)); }, 7},
    {"UNSOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnsolo(std::move(c)); }, 7},
    {"PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPhase(std::move(c)); }, 7},
    {"LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdLevel(std::move(c)); }, 7},
    {"TRIM", [](QX_GUI& gui, CliObject& c) { return gui.cmdTrim(std::move(c)); }, 7},
    {"USE_GLOBAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdUseGlobalZero(std::move(c)); }, 7},
    {"GLOBALZ", [](QX_GUI& gui, CliObject& c) { return gui.cmdUseGlobalZero(std::move(c)); }, 7},
    {"GROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdGroupify(std::move(c)); }, 7},
    {"UNGROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdUngroupify(std::move(c)); }, 7},
    {"TOGGLE_GROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleGroupify(std::move(c)); }, 7},
    {"UNGROUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdUngroup(std::move(c)); }, 7},
    {"SET_ROTATION", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetRotation(std::move(c)); }, 7},
    {"SET_MOVEMENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetMovement(std::move(c)); }, 7},
    {"SET_ZERO", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetZero(std::move(c)); }, 7},
    {"SET_SIZE", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetSize(std::move(c)); }, 7},
    {"VIRTUALISE", [](QX_GUI& gui, CliObject& c) { return gui.cmdVirtualise(std::move(c)); }, 7},
    {"SET_MASTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetMaster(std::move(c)); }, 7},
    {"TRIM_MASTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdTrimMaster(std::move(c)); }, 7},
    {"MOVE", [](QX_GUI& gui, CliObject& c) { return gui.cmdMove(std::move(c)); }, 7},
    {"POS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPos(std::move(c)); }, 7},
    {"SWAP_POS", [](QX_GUI& gui, CliObject& c) { return gui.cmdSwapPos(std::move(c)); }, 7},
    {"TRANSPORT", [](QX_GUI& gui, CliObject& c) { return gui.cmdTransport(std::move(c)); }, 7},
    {"CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCable(std::move(c)); }, 7},
    {"UNCABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUncable(std::move(c)); }, 7},
    {"CLEANUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdCleanup(std::move(c)); }, 7},
    {"RESET_ALL_NAMES", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetAllNames(std::move(c)); }, 7},
    {"RESETALLNAMES", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetAllNames(std::move(c)); }, 7},
    {"TOGGLE_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleMute(std::move(c)); }, 7},
    {"TOGGLE_SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleSolo(std::move(c)); }, 7},
    {"TOGGLE_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdTogglePhase(std::move(c)); }, 7},
    {"TOGGLE_HIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleHide(std::move(c)); }, 7},
    {"TOGGLE_HIDE_ALL", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleHideAll(std::move(c)); }, 7},
    {"TOGGLE_ROTATION", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleRotation(std::move(c)); }, 7},
    {"TOGGLE_MOVEMENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleMovement(std::move(c)); }, 7},
    {"TOGGLE_USE_GLOBAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleUseGlobal(std::move(c)); }, 7},
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
    {"LIST_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdListCables(std::move(c)); }, 7},
    {"REMOVE_CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveCable(std::move(c)); }, 7},
    {"REMOVE_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveCables(std::move(c)); }, 7},
    {"EXCLUDE_CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdExcludeCable(std::move(c)); }, 7},
    {"EXCLUDE_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdExcludeCables(std::move(c)); }, 7},
    {"TOGGLE_CABLE_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "MUTE"); }, 7},
    {"TOGGLE_CABLE_SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "SOLO"); }, 7},
    {"TOGGLE_CABLE_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "PHASE"); }, 7},
    {"TOGGLE_CABLE_USE_GROUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "GROUP"); }, 7},
    {"CABLE_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "LEVEL"); }, 7},
    {"FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdFeedback(std::move(c)); }, 9},
    {"REMOVE_FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveFeedback(std::move(c)); }, 9},
    {"FEEDBACK_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdFeedbackLevel(std::move(c)); }, 9},
    {"TOGGLE_FEEDBACK_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleFeedbackMute(std::move(c)); }, 9},
    {"TOGGLE_FEEDBACK_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleFeedbackPhase(std::move(c)); }, 9},
    {"NO_FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdNoFeedback(std::move(c)); }, 9},
    {"SIDECHAIN", [](QX_GUI& gui, CliObject& c) { return gui.cmdSidechain(std::move(c)); }, 9},
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
    {"DELAY", [](QX_GUI& gui, CliObject& c) { return gui.cmdDelay(std::move(c)); }, 9},
    {"RESET_FILTERS_DSP", nullptr, 8},
    {"FILTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdFilter(std::move(c)); }, 9},
    {"RESETFILTERS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetFilters(std::move(c)); }, 9},
    {"RESET_FILTERS", nullptr, 8},
    {"COPY_FILTER", [](QX_GUI& gui, CliObject&) { return gui.copyFilter(); }, 9},
    {"PASTE_FILTER", [](QX_GUI& gui, CliObject&) { return gui.pasteFilter(); }, 9},
    {"PASTE_FILTERS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPasteFilters(std::move(c)); }, 9},
    {"DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdDynamics(std::move(c)); }, 9},
    {"RESETDYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetDynamics(std::move(c)); }, 9},
    {"PASTE_DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPasteDynamics(std::move(c)); }, 9},
    {"PASTE_DYNAMIC", [](QX_GUI& gui, CliObject&) { return gui.pasteDynamics(); }, 9},
    {"DYNAMICS_MODE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDynamicsMode(std::move(c)); }, 9},
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
    {"INPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 1); }, 9},
    {"OUTPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 2); }, 9},
    {"HARD_RESET_PROMPT", nullptr, 8},
    {"HARD_RESET", nullptr, 8},
    {"RESET_V", nullptr, 8},
    {"RESET_F", nullptr, 8},
    {"RESET_DY", nullptr, 8},
    {"RESET_DE", nullptr, 8},
    {"RESET_FF", nullptr, 8},
    {"INFO", nullptr, 8},
    {"GRID", [](QX_GUI& gui, CliObject& c) { return gui.cmdGrid(std::move(c)); }, 7},
    {"BLOB2PATCH", nullptr, 4},
    {"SET_FILTER_TYPE", nullptr, 8},
    {"EXPORT_EQ_PRESET", [](QX_GUI& gui, CliObject&) { gui.saveEqPreset(); return 0; }, 9},
    {"LOAD_EQ_PRESETS", nullptr, 8},
    {"EQ_PRESET", nullptr, 8},
    {"COPY_DYNAMICS", [](QX_GUI& gui, CliObject&) { return gui.copyDynamics(); }, 9},
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
