// The verb dispatcher: keeps the one-level undo snapshot, finds the verb and runs it.
#include <string_view>
#include <unordered_map>

#include "app/qx_gui.h"
#include "command/verb_table.h"

namespace {

// Every verb in the order in which it is compared.
const VerbRow kVerbRows[] = {
    {"UNDO", nullptr}, // handled before the table is consulted
    {"INTRO",
     [](QX_GUI& gui, CliObject&) {
         gui.printBanner();
         return 0;
     }},
    {"DRAW_ON_TOP", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawOnTop(std::move(c)); }},
    {"DRAW_WITH_STAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawWithStage(std::move(c)); }},
    {"DRAW_IN_MACRO", [](QX_GUI& gui, CliObject& c) { return gui.cmdDrawInMacro(std::move(c)); }},
    {"_AT", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorAt(std::move(c)); }},
    {"_AT+", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorMove(std::move(c), 1.0f); }},
    {"_AT-", [](QX_GUI& gui, CliObject& c) { return gui.cmdAnchorMove(std::move(c), -1.0f); }},
    {"VERBOSE", [](QX_GUI& gui, CliObject& c) { return gui.cmdVerbose(std::move(c)); }},
    {"CLS",
     [](QX_GUI& gui, CliObject&) {
         gui.cmdCls();
         return 0;
     }},
    {"ENTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdEnter(std::move(c)); }},
    {"SET", [](QX_GUI& gui, CliObject& c) { return gui.cmdSet(std::move(c)); }},
    {"REDRAW", [](QX_GUI& gui, CliObject& c) { return gui.cmdRedraw(std::move(c)); }},
    {"CONFIRM", [](QX_GUI& gui, CliObject& c) { return gui.cmdConfirm(std::move(c)); }},
    {"INK", [](QX_GUI& gui, CliObject& c) { return gui.cmdInk(std::move(c)); }},
    {"PAINT", [](QX_GUI& gui, CliObject& c) { return gui.cmdPaint(std::move(c)); }},
    {"RECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdRect(std::move(c)); }},
    {"TEXT", [](QX_GUI& gui, CliObject& c) { return gui.cmdText(std::move(c)); }},
    {"BUTTON", [](QX_GUI& gui, CliObject& c) { return gui.cmdButton(std::move(c)); }},
    {"NOTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNote(std::move(c)); }},
    {"NAME", [](QX_GUI& gui, CliObject& c) { return gui.cmdName(std::move(c)); }},
    {"COLOUR", [](QX_GUI& gui, CliObject& c) { return gui.cmdColour(std::move(c)); }},
    {"RGB", [](QX_GUI& gui, CliObject& c) { return gui.cmdRgb(std::move(c)); }},
    {"PRESET_COLOUR", [](QX_GUI& gui, CliObject& c) { return gui.cmdPresetColour(std::move(c)); }},
    {"SPECTRUM", [](QX_GUI& gui, CliObject& c) { return gui.cmdSpectrum(std::move(c)); }},
    {"HIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdHide(std::move(c)); }},
    {"UNHIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnhide(std::move(c)); }},
    {"RESET", [](QX_GUI& gui, CliObject& c) { return gui.cmdReset(std::move(c)); }},
    {"MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdMute(std::move(c)); }},
    {"UNMUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnmute(std::move(c)); }},
    {"SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdSolo(std::move(c)); }},
    {"UNSOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnsolo(std::move(c)); }},
    {"PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPhase(std::move(c)); }},
    {"LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdLevel(std::move(c)); }},
    {"TRIM", [](QX_GUI& gui, CliObject& c) { return gui.cmdTrim(std::move(c)); }},
    {"USE_GLOBAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdUseGlobalZero(std::move(c)); }},
    {"GLOBALZ", [](QX_GUI& gui, CliObject& c) { return gui.cmdUseGlobalZero(std::move(c)); }},
    {"GROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdGroupify(std::move(c)); }},
    {"UNGROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdUngroupify(std::move(c)); }},
    {"TOGGLE_GROUPIFY", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleGroupify(std::move(c)); }},
    {"UNGROUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdUngroup(std::move(c)); }},
    {"SET_ROTATION", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetRotation(std::move(c)); }},
    {"SET_MOVEMENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetMovement(std::move(c)); }},
    {"SET_ZERO", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetZero(std::move(c)); }},
    {"SET_SIZE", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetSize(std::move(c)); }},
    {"VIRTUALISE", [](QX_GUI& gui, CliObject& c) { return gui.cmdVirtualise(std::move(c)); }},
    {"SET_MASTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetMaster(std::move(c)); }},
    {"TRIM_MASTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdTrimMaster(std::move(c)); }},
    {"MOVE", [](QX_GUI& gui, CliObject& c) { return gui.cmdMove(std::move(c)); }},
    {"POS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPos(std::move(c)); }},
    {"SWAP_POS", [](QX_GUI& gui, CliObject& c) { return gui.cmdSwapPos(std::move(c)); }},
    {"TRANSPORT", [](QX_GUI& gui, CliObject& c) { return gui.cmdTransport(std::move(c)); }},
    {"CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCable(std::move(c)); }},
    {"UNCABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdUncable(std::move(c)); }},
    {"CLEANUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdCleanup(std::move(c)); }},
    {"RESET_ALL_NAMES", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetAllNames(std::move(c)); }},
    {"RESETALLNAMES", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetAllNames(std::move(c)); }},
    {"TOGGLE_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleMute(std::move(c)); }},
    {"TOGGLE_SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleSolo(std::move(c)); }},
    {"TOGGLE_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdTogglePhase(std::move(c)); }},
    {"TOGGLE_HIDE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleHide(std::move(c)); }},
    {"TOGGLE_HIDE_ALL", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleHideAll(std::move(c)); }},
    {"TOGGLE_ROTATION", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleRotation(std::move(c)); }},
    {"TOGGLE_MOVEMENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleMovement(std::move(c)); }},
    {"TOGGLE_USE_GLOBAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleUseGlobal(std::move(c)); }},
    {"ROOM_TO_MARQUEE", [](QX_GUI& gui, CliObject& c) { return gui.cmdRoomToMarquee(std::move(c)); }},
    {"MARQUEE_TO_ROOM", [](QX_GUI& gui, CliObject& c) { return gui.cmdMarqueeToRoom(std::move(c)); }},
    {"NORMALISE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNormalise(std::move(c)); }},
    {"ALIGN", [](QX_GUI& gui, CliObject& c) { return gui.cmdAlign(std::move(c)); }},
    {"CIRCLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCircle(std::move(c)); }},
    {"OVAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdOval(std::move(c)); }},
    {"SPACING", [](QX_GUI& gui, CliObject& c) { return gui.cmdSpacing(std::move(c)); }},
    {"SNAP", [](QX_GUI& gui, CliObject& c) { return gui.cmdSnap(std::move(c)); }},
    {"EXPAND", [](QX_GUI& gui, CliObject& c) { return gui.cmdExpand(std::move(c)); }},
    {"CONTRACT", [](QX_GUI& gui, CliObject& c) { return gui.cmdContract(std::move(c)); }},
    {"FIND", [](QX_GUI& gui, CliObject& c) { return gui.cmdFind(std::move(c)); }},
    {"LIST_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdListCables(std::move(c)); }},
    {"REMOVE_CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveCable(std::move(c)); }},
    {"REMOVE_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveCables(std::move(c)); }},
    {"EXCLUDE_CABLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdExcludeCable(std::move(c)); }},
    {"EXCLUDE_CABLES", [](QX_GUI& gui, CliObject& c) { return gui.cmdExcludeCables(std::move(c)); }},
    {"TOGGLE_CABLE_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "MUTE"); }},
    {"TOGGLE_CABLE_SOLO", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "SOLO"); }},
    {"TOGGLE_CABLE_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "PHASE"); }},
    {"TOGGLE_CABLE_USE_GROUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "GROUP"); }},
    {"CABLE_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdCableMode(std::move(c), "LEVEL"); }},
    {"FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdFeedback(std::move(c)); }},
    {"REMOVE_FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdRemoveFeedback(std::move(c)); }},
    {"FEEDBACK_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdFeedbackLevel(std::move(c)); }},
    {"TOGGLE_FEEDBACK_MUTE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleFeedbackMute(std::move(c)); }},
    {"TOGGLE_FEEDBACK_PHASE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleFeedbackPhase(std::move(c)); }},
    {"NO_FEEDBACK", [](QX_GUI& gui, CliObject& c) { return gui.cmdNoFeedback(std::move(c)); }},
    {"SIDECHAIN", [](QX_GUI& gui, CliObject& c) { return gui.cmdSidechain(std::move(c)); }},
    {"ZOOM_LEVEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomLevel(std::move(c)); }},
    {"ZOOM", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomLevel(std::move(c)); }},
    {"ZOOM_IN", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomIn(std::move(c)); }},
    {"ZOOM_OUT", [](QX_GUI& gui, CliObject& c) { return gui.cmdZoomOut(std::move(c)); }},
    {"FLAT_ZOOM_IN", [](QX_GUI& gui, CliObject& c) { return gui.cmdFlatZoomIn(std::move(c)); }},
    {"FLAT_ZOOM_OUT", [](QX_GUI& gui, CliObject& c) { return gui.cmdFlatZoomOut(std::move(c)); }},
    {"DISPLACE_STAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDisplaceStage(std::move(c)); }},
    {"FULLSCREEN", [](QX_GUI& gui, CliObject& c) { return gui.cmdFullscreen(std::move(c)); }},
    {"TOGGLE_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdTogglePanel(std::move(c)); }},
    {"SHOW_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdShowPanel(std::move(c)); }},
    {"HIDE_PANEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdHidePanel(std::move(c)); }},
    {"PAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPage(std::move(c)); }},
    {"NEXTPAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdNextPage(std::move(c)); }},
    {"PREVIOUSPAGE", [](QX_GUI& gui, CliObject& c) { return gui.cmdPreviousPage(std::move(c)); }},
    {"NO_PANELS", [](QX_GUI& gui, CliObject& c) { return gui.cmdNoPanels(std::move(c)); }},
    {"RESET_PANELS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetPanels(std::move(c)); }},
    {"PANEL_SETUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdPanelSetup(std::move(c)); }},
    {"POSITION_PANEL_AT", [](QX_GUI& gui, CliObject& c) { return gui.cmdPositionPanelAt(std::move(c)); }},
    {"STEALTH", [](QX_GUI& gui, CliObject& c) { return gui.cmdStealth(std::move(c)); }},
    {"VIEW_ENVELOPES", [](QX_GUI& gui, CliObject& c) { return gui.cmdViewEnvelopes(std::move(c)); }},
    {"DELAY", [](QX_GUI& gui, CliObject& c) { return gui.cmdDelay(std::move(c)); }},
    {"RESET_FILTERS_DSP", [](QX_GUI& gui, CliObject&) { gui.resetFiltersDsp(); return 0; }},
    {"FILTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdFilter(std::move(c)); }},
    {"RESETFILTERS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetFilters(std::move(c)); }},
    {"RESET_FILTERS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetFiltersPanel(std::move(c)); }},
    {"COPY_FILTER", [](QX_GUI& gui, CliObject&) { return gui.copyFilter(); }},
    {"PASTE_FILTER", [](QX_GUI& gui, CliObject&) { return gui.pasteFilter(); }},
    {"PASTE_FILTERS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPasteFilters(std::move(c)); }},
    {"DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdDynamics(std::move(c)); }},
    {"RESETDYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetDynamics(std::move(c)); }},
    {"PASTE_DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdPasteDynamics(std::move(c)); }},
    {"PASTE_DYNAMIC", [](QX_GUI& gui, CliObject&) { return gui.pasteDynamics(); }},
    {"DYNAMICS_MODE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDynamicsMode(std::move(c)); }},
    {"TOGGLE", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggle(std::move(c)); }},
    {"DISMISS", [](QX_GUI& gui, CliObject& c) { return gui.cmdDismiss(std::move(c)); }},
    {"RESET_TOOLBOX", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetToolbox(std::move(c)); }},
    {"SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSelect(std::move(c)); }},
    {"TOUCH", [](QX_GUI& gui, CliObject& c) { return gui.cmdTouch(std::move(c)); }},
    {"UNSELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdUnselect(std::move(c)); }},
    {"ADDSELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdAddSelect(std::move(c)); }},
    {"TOGGLE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdToggleSelect(std::move(c)); }},
    {"STORE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoreSelect(std::move(c)); }},
    {"RETRIEVE_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdRetrieveSelect(std::move(c)); }},
    {"SWITCH_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSwitchSelect(std::move(c)); }},
    {"RESET_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetSelect(std::move(c)); }},
    {"PRINT_SELECTED", [](QX_GUI& gui, CliObject& c) { return gui.cmdPrintSelected(std::move(c)); }},
    {"WRAP", [](QX_GUI& gui, CliObject&) { gui.updateSelectionBounds(); return 0; }},
    {"READ", [](QX_GUI& gui, CliObject& c) { return gui.cmdRead(std::move(c)); }},
    {"SLEEP_CLIENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSleepClient(std::move(c)); }},
    {"WAKE_CLIENT", [](QX_GUI& gui, CliObject& c) { return gui.cmdWakeClient(std::move(c)); }},
    {"SLEEP_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdSleepNow(std::move(c)); }},
    {"WAKE_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdWakeNow(std::move(c)); }},
    {"INPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 1); }},
    {"OUTPUT_MIXER", [](QX_GUI& gui, CliObject& c) { return gui.cmdIoMixer(std::move(c), 2); }},
    {"HARD_RESET_PROMPT", [](QX_GUI& gui, CliObject& c) { return gui.cmdHardResetPrompt(std::move(c)); }},
    {"HARD_RESET", [](QX_GUI& gui, CliObject& c) { return gui.cmdHardReset(std::move(c)); }},
    {"RESET_V", [](QX_GUI& gui, CliObject&) { gui.resetVirtualRouting(); return 0; }},
    {"RESET_F", [](QX_GUI& gui, CliObject&) { gui.resetAllFilterUse(); return 0; }},
    {"RESET_DY", [](QX_GUI& gui, CliObject&) { gui.resetAllDynamics(); return 0; }},
    {"RESET_DE", [](QX_GUI& gui, CliObject&) { gui.resetAllDelays(); return 0; }},
    {"RESET_FF", [](QX_GUI& gui, CliObject&) { gui.resetFeedbackMixes(); return 0; }},
    {"INFO", [](QX_GUI& gui, CliObject& c) { return gui.cmdInfo(std::move(c)); }},
    {"GRID", [](QX_GUI& gui, CliObject& c) { return gui.cmdGrid(std::move(c)); }},
    {"BLOB2PATCH",
     [](QX_GUI& gui, CliObject& c) { return gui.testConfigurationToPatch(std::move(c)); }},
    {"SET_FILTER_TYPE", [](QX_GUI& gui, CliObject& c) { return gui.cmdSetFilterType(std::move(c)); }},
    {"EXPORT_EQ_PRESET", [](QX_GUI& gui, CliObject&) { gui.saveEqPreset(); return 0; }},
    {"LOAD_EQ_PRESETS", [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadEqPresets(std::move(c)); }},
    {"EQ_PRESET", [](QX_GUI& gui, CliObject& c) { return gui.cmdEqPreset(std::move(c)); }},
    {"COPY_DYNAMICS", [](QX_GUI& gui, CliObject&) { return gui.copyDynamics(); }},
    {"RESET_DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdResetDynamicsPanel(std::move(c)); }},
    {"SR", [](QX_GUI& gui, CliObject& c) { return gui.cmdSampleRate(std::move(c)); }},
    {"SIDE_CHAIN_INTERNAL", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainInternal(std::move(c)); }},
    {"SIDE_CHAIN_SELECT", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainSelect(std::move(c)); }},
    {"SIDE_CHAIN_PRE_DELAY", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainLocation(std::move(c), 0); }},
    {"SIDE_CHAIN_PRE_FILTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainLocation(std::move(c), 1); }},
    {"SIDE_CHAIN_POST_FILTER", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainLocation(std::move(c), 2); }},
    {"SIDE_CHAIN_POST_DYNAMICS", [](QX_GUI& gui, CliObject& c) { return gui.cmdSideChainLocation(std::move(c), 3); }},
    {"LOAD_MACRO", [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacro(std::move(c)); }},
    {"LOAD_MACRO_FILE",
     [](QX_GUI& gui, CliObject& c) { return gui.cmdLoadMacroFile(std::move(c)); }},
    {"RELOAD_ON_RESIZE", [](QX_GUI& gui, CliObject& c) { return gui.cmdReloadOnResize(std::move(c)); }},
    {"STOP_MACRO",
     [](QX_GUI& gui, CliObject&) {
         gui.macroRunning = 0;
         return 0;
     }},
    {"SAVE_PATCH", [](QX_GUI& gui, CliObject& c) { return gui.cmdSavePatch(std::move(c)); }},
    {"SAVE_NOW", [](QX_GUI& gui, CliObject& c) { return gui.cmdSaveNow(std::move(c)); }},
    {"AUTO_SAVE", [](QX_GUI& gui, CliObject& c) { return gui.cmdAutoSave(std::move(c)); }},
    {"AUTO_BACKUP", [](QX_GUI& gui, CliObject& c) { return gui.cmdAutoBackup(std::move(c)); }},
    {"SYSTEM", [](QX_GUI& gui, CliObject& c) { return gui.cmdSystem(std::move(c)); }},
    {"SYSTEM_INFO",
     [](QX_GUI& gui, CliObject&) {
         gui.logSystemInformation();
         return 0;
     }},
    {"WEB", [](QX_GUI& gui, CliObject& c) { return gui.cmdWeb(std::move(c)); }},
    {"SYN_MODE", [](QX_GUI& gui, CliObject& c) { return gui.cmdSyndicationMode(std::move(c)); }},
    {"SEL", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoredSelection(std::move(c)); }},
    {"STORE_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdStoreSlice(std::move(c)); }},
    {"JUMP_TO_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdJumpToSlice(std::move(c)); }},
    {"DRIFT_TO_SLICE", [](QX_GUI& gui, CliObject& c) { return gui.cmdDriftToSlice(std::move(c)); }},
    {"SLICE_M", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceMembers(std::move(c)); }},
    {"SLICE_X", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowX(std::move(c)); }},
    {"SLICE_Y", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowY(std::move(c)); }},
    {"SLICE_S", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowS(std::move(c)); }},
    {"SLICE_L", [](QX_GUI& gui, CliObject& c) { return gui.cmdSliceRowL(std::move(c)); }},
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
    return found->second->handler(*this, command);
}
