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
    {"DRAW_ON_TOP", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawOnTop(std::move(c)); }, 8},
    {"DRAW_WITH_STAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawWithStage(std::move(c)); }, 8},
    {"DRAW_IN_MACRO", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawInMacro(std::move(c)); }, 8},
    {"_AT", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorAt(std::move(c)); }, 8},
    {"_AT+", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorMove(std::move(c), 1.0f); }, 8},
    {"_AT-", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorMove(std::move(c), -1.0f); }, 8},
    {"VERBOSE", [](QX_GUI& gui, CliObject& c) { return gui.cmdVerbose(std::move(c)); }, 5},
    {"CLS",
     [](QX_GUI& gui, CliObject&) {
         gui.cmdCls();
         return 0;
     },
     5},
    {"ENTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdEnter(std::move(c)); }, 5},
    {"SET", [](QX_GUI& gui, CliObject& c) { return gui.cmdSet(std::move(c)); }, 5},
    {"REDRAW", [](QX_GUI& gui, CliObject& c) { return gui.cmdRedraw(std::move(c)); }, 8},
    {"CONFIRM", [](QX_GUI& gui, CliObject& c) { return gui.cmdConfirm(std::move(c)); }, 5},
    {"INK", [](QX_GUI& gui, CliObject& c) { return gui.cmdInk(std::move(c)); }, 8},
    {"PAINT", [](QX_GUI& gui, CliObject& c) { return gui.cmdPaint(std::move(c)); }, 8},
    {"RECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdRect(std::move(c)); }, 8},
    {"TEXT", [](QX_GUI& gui, CliObject& c) { return gui.cmdText(std::move(c)); }, 8},
    {"BUTTON", [](QX_GUI& gui, CliObject& c) { return gui.cmdButton(std::move(c)); }, 8},
    {"NOTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNote(std::move(c)); }, 8},
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
    {"ROOM_TO_MARQUEE", [](QX_GUI& gui, CliObject& c) { return gui.cmdRoomToMarquee(std::move(c)); }, 8},
    {"MARQUEE_TO_ROOM", [](QX_GUI& gui, CliObject& c) { return gui.cmdMarqueeToRoom(std::move(c)); }, 8},
    {"NORMALISE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNormalise(std::move(c)); }, 8},
    {"ALIGN", [](QX_GUI& gui, CliObject& c) { return gui.cmdAlign(std::move(c)); }, 8},
    {"CIRCLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCircle(std::move(c)); }, 8},
    {"OVAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdOval(std::move(c)); }, 8},
    {"SPACING", [](QX_GUI& gui, CliObject& c) { return gui.cmdSpacing(std::move(c)); }, 8},
    {"SNAP", [](QX_GUI& gui, CliObject& c) { return gui.cmdSnap(std::move(c)); }, 8},
    {"EXPAND", [](QX_GUI& gui, CliObject& c) { return gui.cmdExpand(std::move(c)); }, 8},
    {"CONTRACT", [](QX_GUI& gui, CliObject& c) { return gui.cmdContract(std::move(c)); }, 8},
    {"FIND", [](QX_GUI& gui, CliObject& c) { return gui.cmdFind(std::move(c)); }, 8},
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
    {"ZOOM_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomLevel(std::move(c)); }, 8},
    {"ZOOM", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomLevel(std::move(c)); }, 8},
    {"ZOOM_IN", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomIn(std::move(c)); }, 8},
    {"ZOOM_OUT", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomOut(std::move(c)); }, 8},
    {"FLAT_ZOOM_IN", [](QX_GUI& gui, CliObject& c) { return gui.cmdFlatZoomIn(std::move(c)); }, 8},
    {"FLAT_ZOOM_OUT", [](QX_GUI& gui, CliObject& c) { return gui.cmdFlatZoomOut(std::move(c)); }, 8},
    {"DISPLACE_STAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDisplaceStage(std::move(c)); }, 8},
    {"FULLSCREEN", [](QX_GUI& gui, CliObject& c) { return gui.cmdFullscreen(std::move(c)); }, 8},
    {"TOGGLE_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdTogglePanel(std::move(c)); }, 8},
    {"SHOW_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdShowPanel(std::move(c)); }, 8},
    {"HIDE_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdHidePanel(std::move(c)); }, 8},
    {"PAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPage(std::move(c)); }, 8},
    {"NEXTPAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNextPage(std::move(c)); }, 8},
    {"PREVIOUSPAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPreviousPage(std::move(c)); }, 8},
    {"NO_PANELS", [](QX_GUI& gui, CliObject& c) { return gui.cmdNoPanels(std::move(c)); }, 8},
    {"RESET_PANELS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetPanels(std::move(c)); }, 8},
    {"PANEL_SETUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdPanelSetup(std::move(c)); }, 8},
    {"POSITION_PANEL_AT", [](QX_GUI& gui, CliObject& c) { return gui.cmdPositionPanelAt(std::move(c)); }, 8},
    {"STEALTH", [](QX_GUI& gui, CliObject& c) { return gui.cmdStealth(std::move(c)); }, 8},
    {"VIEW_ENVELOPES", [](QX_GUI& gui, CliObject& c) { return gui.cmdViewEnvelopes(std::move(c)); }, 8},
    {"DELAY", [](QX_GUI& gui, CliObject& c) { return gui.cmdDelay(std::move(c)); }, 9},
    {"RESET_FILTERS_DSP", [](QX_GUI& gui, CliObject&) { gui.resetFiltersDsp(); return 0; }, 8},
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
    {"TOGGLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggle(std::move(c)); }, 8},
    {"DISMISS", [](QX_GUI& gui, CliObject& c) { return gui.cmdDismiss(std::move(c)); }, 8},
    {"RESET_TOOLBOX", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetToolbox(std::move(c)); }, 8},
    {"SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSelect(std::move(c)); }, 8},
    {"TOUCH", [](QX_GUI& gui, CliObject& c) { return gui.cmdTouch(std::move(c)); }, 8},
    {"UNSELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnselect(std::move(c)); }, 8},
    {"ADDSELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdAddSelect(std::move(c)); }, 8},
    {"TOGGLE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleSelect(std::move(c)); }, 8},
    {"STORE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoreSelect(std::move(c)); }, 8},
    {"RETRIEVE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdRetrieveSelect(std::move(c)); }, 8},
    {"SWITCH_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSwitchSelect(std::move(c)); }, 8},
    {"RESET_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetSelect(std::move(c)); }, 8},
    {"PRINT_SELECTED", [](QX_GUI& gui, CliObject& c) { return gui.cmdPrintSelected(std::move(c)); }, 8},
    {"WRAP", [](QX_GUI& gui, CliObject&) { gui.updateSelectionBounds(); return 0; }, 8},
    {"READ", [](QX_GUI& gui, CliObject& c) { return gui.cmdRead(std::move(c)); }, 5},
    {"SLEEP_CLIENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSleepClient(std::move(c)); }, 8},
    {"WAKE_CLIENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdWakeClient(std::move(c)); }, 8},
    {"SLEEP_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdSleepNow(std::move(c)); }, 8},
    {"WAKE_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdWakeNow(std::move(c)); }, 8},
    {"INPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 1); }, 9},
    {"OUTPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 2); }, 9},
    {"HARD_RESET_PROMPT", [](QX_GUI& gui, CliObject& c) { return gui.cmdHardResetPrompt(std::move(c)); }, 8},
    {"HARD_RESET", [](QX_GUI& gui, CliObject& c) { return gui.cmdHardReset(std::move(c)); }, 8},
    {"RESET_V", [](QX_GUI& gui, CliObject&) { gui.resetVirtualRouting(); return 0; }, 8},
    {"RESET_F", [](QX_GUI& gui, CliObject&) { gui.resetAllFilterUse(); return 0; }, 8},
    {"RESET_DY", [](QX_GUI& gui, CliObject&) { gui.resetAllDynamics(); return 0; }, 8},
    {"RESET_DE", [](QX_GUI& gui, CliObject&) { gui.resetAllDelays(); return 0; }, 8},
    {"RESET_FF", [](QX_GUI& gui, CliObject&) { gui.resetFeedbackMixes(); return 0; }, 8},
    {"INFO", [](QX_GUI& gui, CliObject& c) { return gui.cmdInfo(std::move(c)); }, 8},
    {"GRID", [](QX_GUI& gui, CliObject& c) { return gui.cmdGrid(std::move(c)); }, 7},
    {"BLOB2PATCH", nullptr, 4},
    {"SET_FILTER_TYPE", nullptr, 8},
    {"EXPORT_EQ_PRESET", [](QX_GUI& gui, CliObject&) { gui.saveEqPreset(); return 0; }, 9},
    {"LOAD_EQ_PRESETS", nullptr, 8},
    {"EQ_PRESET", nullptr, 8},
    {"COPY_DYNAMICS", [](QX_GUI& gui, CliObject&) { return gui.copyDynamics(); }, 9},
    {"RESET_DYNAMICS", nullptr, 8},
    {"SR", [](QX_GUI& gui, CliObject& c) { return gui.cmdSampleRate(std::move(c)); }, 8},
    {"SIDE_CHAIN_INTERNAL", nullptr, 8},
    {"SIDE_CHAIN_SELECT", nullptr, 8},
    {"SIDE_CHAIN_PRE_DELAY", nullptr, 8},
    {"SIDE_CHAIN_PRE_FILTER", nullptr, 8},
    {"SIDE_CHAIN_POST_FILTER", nullptr, 8},
    {"SIDE_CHAIN_POST_DYNAMICS", nullptr, 8},
    {"LOAD_MACRO", [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacro(std::move(c)); }, 5},
    {"LOAD_MACRO_FILE",
     [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacroFile(std::move(c)); }, 5},
    {"RELOAD_ON_RESIZE", [](QX_GUI& gui, CliObject& c) { return gui.cmdReloadOnResize(std::move(c)); }, 10},
    {"STOP_MACRO",
     [](QX_GUI& gui, CliObject&) {
         gui.macroRunning = 0;
         return 0;
     },
     5},
    {"SAVE_PATCH", [](QX_GUI& gui, CliObject& c) { return gui.cmdSavePatch(std::move(c)); }, 10},
    {"SAVE_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdSaveNow(std::move(c)); }, 10},
    {"AUTO_SAVE", [](QX_GUI& gui, CliObject& c) { return gui.cmdAutoSave(std::move(c)); }, 10},
    {"AUTO_BACKUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdAutoBackup(std::move(c)); }, 10},
    {"SYSTEM", [](QX_GUI& gui, CliObject& c) { return gui.cmdSystem(std::move(c)); }, 8},
    {"SYSTEM_INFO", nullptr, 4},
    {"WEB", [](QX_GUI& gui, CliObject& c) { return gui.cmdWeb(std::move(c)); }, 8},
    {"SYN_MODE", [](QX_GUI& gui, CliObject& c) { return gui.cmdSyndicationMode(std::move(c)); }, 8},
    {"SEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoredSelection(std::move(c)); }, 8},
    {"STORE_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoreSlice(std::move(c)); }, 8},
    {"JUMP_TO_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdJumpToSlice(std::move(c)); }, 8},
    {"DRIFT_TO_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDriftToSlice(std::move(c)); }, 8},
    {"SLICE_M", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceMembers(std::move(c)); }, 8},
    {"SLICE_X", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowX(std::move(c)); }, 8},
    {"SLICE_Y", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowY(std::move(c)); }, 8},
    {"SLICE_S", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowS(std::move(c)); }, 8},
    {"SLICE_L", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowL(std::move(c)); }, 8},
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
