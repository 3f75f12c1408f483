// The one user-interface object: all state of one editor instance in fixed tables, the host
// pins, and the operations of every subsystem. Member functions live in the folder of the
// subsystem they belong to, one file per topic.
//
// Index of the member blocks, and the folder that implements each:
//   Host frame: window messages, console, text services, displays ...... app/
//   Stage model ......................................................... model/
//   DSP link: pin callbacks, state sender ............................... dsp_link/
//   Command language .................................................... command/
//   Rendering platform .................................................. app/, render/
//   Screens: frame ...................................................... view/frame/
//   Screens: chrome (menu bars, selection strip, toolbox, MASTER, popups) view/chrome/
//   Screens: input (mouse dispatch, keyboard, text entry) ............... view/input/
//   Screens: stage (transform, passes, hit tests, presses, readouts) .... view/stage/
//   Screens: panel frame (panel window and manager) ..................... panels/frame/
//   Screens: mixer pages, MATRIX page, FEEDBACK page .................... view/pages/mixer/,
//                                                                          view/pages/matrix/,
//                                                                          view/pages/feedback/
//   Panels: editor settings ............................................. panels/<editor>/
// State follows the operations, under the same headings: each block's shared state, the pins
// in pin order, and each screen's own state as one struct declared beside its drawing and held
// as one member.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "app/configuration_block.h"
#include "app/console_ring.h"
#include "app/popup_menu.h"
#include "command/command_records.h"
#include "command/save_state.h"
#include "command/slice_record.h"
#include "command/verb_records.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/blob_staging.h"
#include "dsp_link/dsp_link_state.h"
#include "dsp_link/script_record.h"
#include "dsp_link/send_flags.h"
#include "host/mp_gui_base.h"
#include "model/eq_band.h"
#include "model/item_kinds.h"
#include "model/level_arithmetic.h"
#include "model/mix_record.h"
#include "model/processing_records.h"
#include "model/stage_records.h"
#include "panels/console/console_panel_state.h"
#include "panels/delay/delay_state.h"
#include "panels/dynamics/dynamics_state.h"
#include "panels/filters/filters_state.h"
#include "panels/frame/panel_frame_state.h"
#include "panels/frame/panel_window.h"
#include "panels/frame/view_settings.h"
#include "panels/monitors/monitor_panels_state.h"
#include "panels/mutes/mutes_state.h"
#include "panels/virtual/virtual_state.h"
#include "render/damage_painter.h"
#include "render/gl_draw_layer.h"
#include "render/stroke_font.h"
#include "view/chrome/chrome_state.h"
#include "view/chrome/popup_cascade.h"
#include "view/frame/page_ids.h"
#include "view/frame/view_state.h"
#include "view/input/interaction_state.h"
#include "view/input/key_predicates.h"
#include "view/input/keyboard_state.h"
#include "view/input/text_entry_state.h"
#include "view/pages/feedback/feedback_state.h"
#include "view/pages/matrix/matrix_state.h"
#include "view/pages/mixer/mixer_state.h"
#include "view/stage/annotation_records.h"
#include "view/stage/slice_drift_state.h"
#include "view/stage/stage_state.h"
#include "view/stage/stage_view_switches.h"

struct CliObject;

// A point on the stage.
struct StagePoint {
    float x = 0.0f;
    float y = 0.0f;
};
// A window pixel.
struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};
struct ItemSnapshotList;
class BlobReader;

// A colour quad as the drawing code hands it to the shaders.
struct ColourQuad {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
};

class QX_GUI : public SeGuiWindowsGfxBase {
public:
    static constexpr int kMaxSources = 256;
    static constexpr int kMaxTargets = 256;
    static constexpr int kMaxGroups = 256;
    static constexpr int kMaxRooms = 256;
    static constexpr int kMaxCables = 4096;
    static constexpr int kChannels = 64; // processing and mix records per direction
    static constexpr int kSendFlags = 64;
    static constexpr int kTokens = 512;
    static constexpr int kMaxTokenLength = 2047;

    QX_GUI();
    ~QX_GUI() override;

    // ---- Host frame: window messages (slots 15 to 26 of the primary table) ----------------
    int32_t onPaint(HDC dc) override;
    int32_t onLButtonDown(WPARAM flags, int32_t x, int32_t y) override;
    int32_t onLButtonUp(WPARAM flags, int32_t x, int32_t y) override;
    int32_t onMouseMove(WPARAM flags, int32_t x, int32_t y) override;
    int32_t onTimer() override;
    virtual int32_t onMButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onMButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onRButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t onMouseWheel(WPARAM flags, int32_t delta, int32_t delta2);
    virtual int32_t onKeyDown(HWND window, UINT message, WPARAM key, LPARAM lParam);
    virtual int32_t onKeyUp(HWND window, UINT message, WPARAM key, LPARAM lParam);

    // ---- Host frame: console and status line --------------------------------------------
    void appendConsoleLine(std::string line);
    void setStatusMessage(std::string text);
    void clearConsole();

    // ---- Host frame: text services -------------------------------------------------------
    void splitTokens(std::string text, char separator);
    void replaceNameSeparators();
    void openTextEntry(int32_t x, int32_t y, int32_t width, int32_t height, std::string text,
                       int32_t maxLength, int32_t inputKind, std::string prompt1,
                       std::string prompt2, uint8_t replaceOnFirstKey);

    // ---- Host frame: displays, configuration block and system information --------------
    void enumerateDisplays();
    void communicateConfiguration();
    void logSystemInformation();
    std::string findFontFile(std::string faceName);
    int32_t printMousePosition();
    int32_t testConfigurationToPatch(CliObject command);

    // ---- Stage model ----------------------------------------------------------------------
    static constexpr int kMaxLiveItems = 64;  // sources, targets and channel records in use
    static constexpr int kMaxGroupCount = 32; // the groups blob and a source's group mask
    static constexpr int kMaxRoomCount = 8;

    // Upkeep hooks run after every edit.
    void updateRoomMembership();
    void applyGroupMuteSolo();
    void updateMuteSoloSummary();
    void updateSourceMuteSummary();
    void updateSourceSoloSummary();
    void updateTargetMuteSummary();
    void updateTargetSoloSummary();
    void updateCableMuteSummary();
    void updateCableSoloSummary();

    // Cable table: live cables packed at the front.
    void compactCables();
    void removeCable(int32_t i);
    int32_t addPendingCable();

    // Counts and resets.
    void setSourceCount(int32_t n);
    void setTargetCount(int32_t n);
    void setGroupCount(int32_t n);
    void clearNewGroupSlot();
    void setRoomCount(int32_t n);
    // A room or group slot that a count brings into use, given what HARD_RESET gives it.
    void bringRoomIntoUse(int32_t r);
    void bringGroupIntoUse(int32_t g);
    void setupRoom(int32_t i);
    void resetSource(int32_t i);
    void resetTarget(int32_t i);
    void resetGroup(int32_t i);
    void resetRoom(int32_t i);

    // Bulk clears of the live items.
    void clearAllMuteSolo();
    void unmuteAllGroups();
    void unsoloAllGroups();
    void unmuteAllSources();
    void unsoloAllSources();
    void unmuteAllTargets();
    void unsoloAllTargets();
    void unmuteAllRooms();
    void unsoloAllRooms();
    void unmuteAllCables();
    void unsoloAllCables();
    void clearSourceClipping();
    void clearTargetClipping();

    // Small operations.
    uint32_t pickColour(uint32_t initial);
    StagePoint snapStagePoint(float x, float y) const;
    void markAllDirty();
    void sendStateAndRedraw();
    void setPin60Value(int32_t a, int32_t b);
    void raiseSendFlag(int32_t flag);
    // Window hooks: repaint the window, start the 10 ms motion timer; neither acts without a
    // window.
    void invalidateWindow();
    void startMotionTimer();

    // Gain matrix.
    void computeGainMatrix();
    void pairGain(int32_t s, int32_t t);
    void applyCableGains();

    // Group motion.
    void setRotationClock(int32_t on);
    void setMovementClock(int32_t on);
    void rotateGroupMembers(int32_t g, int32_t elapsed);
    void stepGroupMovement(int32_t g, int32_t elapsed);
    void rotateGroup(int32_t g, float amount);
    // The timer tick's share: the timed rotation and movement steps of every switched group.
    void advanceGroupMotion();

    // ---- DSP link: pin callbacks ---------------------------------------------------------
    void onPin0();
    void onLocalIdPin();
    void onConfigBlobPin();
    void onScriptPin();
    void onOutgoingScriptPin();
    void onViewStatePin();
    void onPin6();
    void onRoomsPin();
    void onTargetsPin();
    void onSourcesPin();
    void onGroupsPin();
    void onCablesPin();
    void onInputDelaysPin();
    void onInputEqPin();
    void onInputDynamicsPin();
    void onGainMatrixPin();
    void onOutputEqPin();
    void onOutputDynamicsPin();
    void onOutputDelaysPin();
    void onPatchRetryPin();
    void onPin20();
    void onPanelLayoutPin();
    void loadEditorsFromLayout(const BlobReader& blob);
    void onInputMixerPin();
    void onOutputMixerPin();
    void onSourceVirtualsPin();
    void onTargetVirtualsPin();
    void onPin26Blob();
    void onFeedbackMixesPin();
    void onRecords28Pin();
    void onTextCommandPin();
    void onBlock30Pin();
    void onSlicesPin();
    void onPin33();
    void onPin34();
    void onPin35();
    void onPin36();
    void onLeaveFullScreenPin();
    void onTextPin38();
    void onHostLinesPin();
    void onPin40();
    void onPin41();
    void onPin42();
    void onPin43();
    void onPin44();
    void onPin45();
    void onPin52();
    void onFloatPin58();
    void onFloatPin59();
    void onPin60();
    void onMeterPin();
    void onSourceActivityPin();
    void onTargetActivityPin();
    void onPin65();
    void onSourceMetersPin();
    void onTargetMetersPin();

    // ---- DSP link: state sender ------------------------------------------------------------
    void sendStateToDsp();
    void sendSourcesBlob();
    void sendTargetsBlob();
    void sendGroupsBlob();
    void sendCablesBlob();
    void sendRoomsBlob();
    void sendPanelLayoutBlob();
    void sendViewStateBlob();
    void sendGainMatrixBlob();
    void sendInputDelaysBlob();
    void sendOutputDelaysBlob();
    void sendInputEqBlob();
    void sendOutputEqBlob();
    void sendInputDynamicsBlob();
    void sendOutputDynamicsBlob();
    void sendVirtualChannelTables();
    void sendInputMixerBlob();
    void sendOutputMixerBlob();
    void sendFeedbackMixesBlob();
    void sendTextCommandPin();
    void sendNotesBlob();
    void sendPatchRecordBlob();
    void sendSlicesBlob();
    int32_t sendScript(ScriptRecord script);
    void checkPatch();
    void advancePatchRetry();
    void refreshOpenEditors(int32_t kind);
    void initSpectrumTables();
    bool wantsFullScreenOnOwnScreen() const;
    void takeDelays(MpGuiPin<MpBlob>& pin, DelayRecord* records, const char* resetMessage);
    void takeFilters(MpGuiPin<MpBlob>& pin, FilterRecord* records, int32_t kind);
    void takeDynamics(MpGuiPin<MpBlob>& pin, DynamicsRecord* records, int32_t kind);
    void takeMixes(MpGuiPin<MpBlob>& pin, MixRecord* records);
    void takeActivity(MpGuiPin<MpBlob>& pin, int32_t kind);
    void takeItemMeters(MpGuiPin<MpBlob>& pin, int32_t kind);
    void takeSpectrum(const BlobReader& blob);

    // ---- Command language ------------------------------------------------------------------
    int32_t executeCommandString(std::string line);
    int32_t dispatchCommand(CliObject command);
    void commitModelChange();
    bool loadMacroFile(std::string fileName, bool inModuleFolder);
    // Argument passes.
    CliObject parseNamedArguments(CliObject command);
    std::string parseNamedValue(const std::string& text);
    CliObject resolveItemNames(CliObject command);
    ItemRef resolveItemName(const std::string& word);
    CliObject trimArguments(CliObject command);
    // Parse dump and banner.
    void dumpCliObject(const CliObject& command);
    void dumpItemRef(const ItemRef& ref);
    void printBanner();
    // Item name lists and lookups.
    std::string allSourceNames();
    std::string allTargetNames();
    std::string allGroupNames();
    std::string allRoomNames();
    std::string markedSourceNames(uint8_t force);
    std::string markedTargetNames(uint8_t force);
    std::string markedGroupNames(uint8_t force);
    std::string marqueeNameList(uint8_t force);
    std::string selectionNames();
    std::string itemName();
    int32_t countFlaggedInMarquee();
    bool isItemInMarquee(int32_t kind, int32_t index, uint8_t force);
    int32_t findItemIndexByName(const std::string& name);
    int32_t findItemKindByName(const std::string& name);
    void findObjectPosition(const std::string& name, float& x, float& y);
    // Item snapshots.
    ItemSnapshot snapshotFromSource(int32_t index);
    ItemSnapshot snapshotFromTarget(int32_t index);
    ItemSnapshot snapshotFromGroup(int32_t index);
    ItemSnapshot snapshotFromRoom(int32_t index);
    ItemSnapshot snapshotFromCable(int32_t index);
    void applySnapshotToSource(int32_t index, const ItemSnapshot& snapshot);
    void applySnapshotToTarget(int32_t index, const ItemSnapshot& snapshot);
    void applySnapshotToGroup(int32_t index, const ItemSnapshot& snapshot);
    void applySnapshotToRoom(int32_t index, const ItemSnapshot& snapshot);
    void applySnapshotToCable(int32_t index, const ItemSnapshot& snapshot);
    ItemSnapshotList gatherItemRecords(const CliObject& command);
    void scatterItemRecords(const ItemSnapshotList& list);
    ItemSnapshot makeItemSnapshot(const std::string& name);
    // Model commit and cable lookup.
    int32_t findCableIndex(int32_t source, int32_t target);
    // Sets the line that the rerun shortcut runs again; the executor keeps it.
    void keepAsLastCommand(std::string line);
    // Macro files and the deferred-line queue (the timer runs one queued line per tick).
    int32_t runMacroLoad(const std::string& name, bool inModuleFolder, bool byName);
    void runNextQueuedLine();
    void runQueuedLinesNow();
    void endQueuedLines();
    bool stopLoadPastItsTime(int32_t lineNumber, const std::string& name);
    // Console and prompt verbs.
    int32_t cmdVerbose(CliObject command);
    void cmdCls();
    int32_t cmdEnter(CliObject command);
    int32_t cmdSet(CliObject command);
    int32_t cmdConfirm(CliObject command);
    int32_t cmdLoadMacro(CliObject command);
    int32_t cmdLoadMacroFile(CliObject command);
    int32_t cmdRead(CliObject command);
    // Action list.
    void readActionList(std::string fileName);
    // Selection verbs and the operations they share.
    int32_t cmdSelect(CliObject command);
    int32_t cmdUnselect(CliObject command);
    int32_t cmdAddSelect(CliObject command);
    int32_t cmdToggleSelect(CliObject command);
    int32_t cmdStoreSelect(CliObject command);
    int32_t cmdRetrieveSelect(CliObject command);
    int32_t cmdSwitchSelect(CliObject command);
    int32_t cmdResetSelect(CliObject command);
    int32_t cmdPrintSelected(CliObject command);
    int32_t cmdTouch(CliObject command);
    int32_t cmdStoredSelection(CliObject command);
    int32_t cmdSyndicationMode(CliObject command);
    void clearSelectionFlags();
    void updateSelectionBounds();
    bool isInSelection(const std::string& name);
    void applySelection();
    // Arrangement verbs.
    ItemMetrics measureItemRecords(const ItemSnapshotList& list);
    int32_t cmdFind(CliObject command);
    int32_t cmdContract(CliObject command);
    int32_t cmdExpand(CliObject command);
    int32_t cmdSnap(CliObject command);
    int32_t cmdSpacing(CliObject command);
    int32_t cmdOval(CliObject command);
    int32_t cmdCircle(CliObject command);
    int32_t cmdAlign(CliObject command);
    int32_t cmdNormalise(CliObject command);
    int32_t cmdMarqueeToRoom(CliObject command);
    int32_t cmdRoomToMarquee(CliObject command);
    // Slices: storing, the drift and the verbs.
    void storeSlice(int32_t slice);
    void beginSliceDrift(int32_t slice, float speed);
    // Moves every member of the drifted slice to start + (stored - start) x t.
    void moveSliceMembers(float t);
    int32_t cmdStoreSlice(CliObject command);
    int32_t cmdJumpToSlice(CliObject command);
    int32_t cmdDriftToSlice(CliObject command);
    int32_t cmdSliceMembers(CliObject command);
    int32_t cmdSliceRowX(CliObject command);
    int32_t cmdSliceRowY(CliObject command);
    int32_t cmdSliceRowS(CliObject command);
    int32_t cmdSliceRowL(CliObject command);
    int32_t readSliceRow(const CliObject& command, int32_t field);
    // View switch and zoom verbs.
    int32_t cmdToggle(CliObject command);
    int32_t cmdResetToolbox(CliObject command);
    int32_t cmdDismiss(CliObject command);
    int32_t cmdStealth(CliObject command);
    int32_t cmdDisplaceStage(CliObject command);
    int32_t cmdFlatZoomOut(CliObject command);
    int32_t cmdFlatZoomIn(CliObject command);
    int32_t cmdZoomOut(CliObject command);
    int32_t cmdZoomIn(CliObject command);
    int32_t cmdZoomLevel(CliObject command);
    void zoomAboutMouse(double factor);
    // Panel, page and full-screen verbs.
    int32_t cmdPositionPanelAt(CliObject command);
    int32_t cmdPanelSetup(CliObject command);
    int32_t cmdResetPanels(CliObject command);
    int32_t cmdNoPanels(CliObject command);
    int32_t cmdHidePanel(CliObject command);
    int32_t cmdShowPanel(CliObject command);
    int32_t cmdTogglePanel(CliObject command);
    int32_t cmdPage(CliObject command);
    int32_t cmdNextPage(CliObject command);
    int32_t cmdPreviousPage(CliObject command);
    int32_t cmdViewEnvelopes(CliObject command);
    int32_t cmdFullscreen(CliObject command);
    void bringPanelToFront(int32_t id);
    void initPanelOrder();
    // Reset, information and instance verbs.
    int32_t cmdHardReset(CliObject command);
    int32_t cmdHardResetPrompt(CliObject command);
    int32_t cmdInfo(CliObject command);
    int32_t cmdWakeNow(CliObject command);
    int32_t cmdSleepNow(CliObject command);
    int32_t cmdWakeClient(CliObject command);
    int32_t cmdSleepClient(CliObject command);
    // Inline resets of the dispatcher.
    void resetVirtualRouting();
    void resetAllFilterUse();
    void resetAllDynamics();
    void resetAllDelays();
    void resetFeedbackMixes();
    void resetFiltersDsp();
    // Annotation verbs and the inline anchor and layer verbs.
    int32_t cmdInk(CliObject command);
    int32_t cmdPaint(CliObject command);
    int32_t cmdRect(CliObject command);
    int32_t cmdText(CliObject command);
    int32_t cmdButton(CliObject command);
    int32_t cmdNote(CliObject command);
    int32_t cmdDrawOnTop(CliObject command);
    int32_t cmdDrawWithStage(CliObject command);
    int32_t cmdDrawInMacro(CliObject command);
    int32_t cmdAnchorAt(CliObject command);
    int32_t cmdAnchorMove(CliObject command, float sign);
    int32_t cmdRedraw(CliObject command);
    int32_t cmdSampleRate(CliObject command);
    // SYSTEM and WEB: open a file beside the module, or a web address, without a shell.
    int32_t cmdSystem(CliObject command);
    int32_t cmdWeb(CliObject command);
    // The editors SELECT and TOUCH load for an item (command/neighbour_calls.cpp).
    void loadEditorsFor(int32_t kind, int32_t index, bool withVirtual);
    // Patch file writer and the save verbs.
    int32_t writePatchFile(const std::string& path, uint8_t isBackup);
    std::string composePatchText(uint8_t isBackup);
    std::string patchFileHostPath(const std::string& path) const;
    std::string writeDelaySection(int32_t kind);
    std::string writeFilterSection(int32_t kind);
    std::string writeViewLines();
    std::string writePanelLines();
    std::string writeSelectionLines();
    std::string writeNoteLines();
    std::string writeSliceLines();
    // The patch path as text, and the one way to change it (a name under MACROS/ leaves it).
    std::string patchPathText() const;
    void setPatchPath(const std::string& path);
    SaveDecision decideSave(const std::string& path) const;
    int32_t askThenSave(const std::string& path, const SaveDecision& decision);
    int32_t savePatchTo(const std::string& path);
    // The stage as a load or a save last left it, and its backup before a load replaces it.
    void noteStageHeldByFile();
    void forgetHeldStage();
    bool stageHoldsUnkeptChanges();
    bool keepStageBeforeLoad();
    // Runs a change that is no change of the person's: a stage a file held stays held.
    void keepStageHeldAcross(const std::function<void()>& change);
    int32_t cmdSaveNow(CliObject command);
    int32_t cmdSavePatch(CliObject command);
    int32_t cmdAutoSave(CliObject command);
    int32_t cmdAutoBackup(CliObject command);
    int32_t cmdReloadOnResize(CliObject command);
    // Item attribute verbs.
    int32_t cmdMute(CliObject command);
    int32_t cmdUnmute(CliObject command);
    int32_t cmdSolo(CliObject command);
    int32_t cmdUnsolo(CliObject command);
    int32_t cmdPhase(CliObject command);
    int32_t cmdLevel(CliObject command);
    int32_t cmdTrim(CliObject command);
    int32_t cmdUseGlobalZero(CliObject command);
    int32_t cmdReset(CliObject command);
    int32_t cmdHide(CliObject command);
    int32_t cmdUnhide(CliObject command);
    int32_t cmdSpectrum(CliObject command);
    int32_t cmdPresetColour(CliObject command);
    int32_t cmdRgb(CliObject command);
    int32_t cmdColour(CliObject command);
    int32_t cmdName(CliObject command);
    int32_t cmdSetSize(CliObject command);
    int32_t cmdSetZero(CliObject command);
    int32_t cmdSetMaster(CliObject command);
    int32_t cmdTrimMaster(CliObject command);
    int32_t cmdVirtualise(CliObject command);
    int32_t cmdSetMovement(CliObject command);
    int32_t cmdSetRotation(CliObject command);
    // Cabling verbs.
    int32_t cmdCable(CliObject command);
    int32_t cmdUncable(CliObject command);
    // Grouping verbs.
    int32_t cmdGroupify(CliObject command);
    int32_t cmdUngroupify(CliObject command);
    int32_t cmdToggleGroupify(CliObject command);
    int32_t cmdUngroup(CliObject command);
    // Position verbs.
    int32_t cmdMove(CliObject command);
    int32_t cmdPos(CliObject command);
    int32_t cmdSwapPos(CliObject command);
    int32_t cmdTransport(CliObject command);
    int32_t cmdGrid(CliObject command);
    // Toggle and clean-up verbs.
    int32_t cmdToggleMute(CliObject command);
    int32_t cmdToggleSolo(CliObject command);
    int32_t cmdTogglePhase(CliObject command);
    int32_t cmdToggleHide(CliObject command);
    int32_t cmdToggleHideAll(CliObject command);
    int32_t cmdToggleUseGlobal(CliObject command);
    int32_t cmdToggleMovement(CliObject command);
    int32_t cmdToggleRotation(CliObject command);
    int32_t cmdResetAllNames(CliObject command);
    int32_t cmdCleanup(CliObject command);
    // Cable list verbs.
    int32_t cmdCableMode(CliObject command, std::string mode);
    int32_t cmdExcludeCables(CliObject command);
    int32_t cmdExcludeCable(CliObject command);
    int32_t cmdRemoveCables(CliObject command);
    int32_t cmdRemoveCable(CliObject command);
    int32_t cmdListCables(CliObject command);
    // Delay and filter verbs.
    int32_t cmdDelay(CliObject command);
    int32_t cmdFilter(CliObject command);
    int32_t cmdResetFilters(CliObject command);
    int32_t cmdPasteFilters(CliObject command);
    // Dynamics verbs.
    int32_t cmdDynamics(CliObject command);
    int32_t cmdDynamicsMode(CliObject command);
    int32_t cmdResetDynamics(CliObject command);
    int32_t cmdPasteDynamics(CliObject command);
    // Side-chain and feedback verbs.
    int32_t cmdSidechain(CliObject command);
    int32_t cmdFeedback(CliObject command);
    int32_t cmdRemoveFeedback(CliObject command);
    int32_t cmdFeedbackLevel(CliObject command);
    int32_t cmdToggleFeedbackMute(CliObject command);
    int32_t cmdToggleFeedbackPhase(CliObject command);
    int32_t cmdNoFeedback(CliObject command);
    int32_t feedbackIndexOf(int32_t source, int32_t target);
    // Input and output mixer verbs (direction 1 INPUT_MIXER, 2 OUTPUT_MIXER).
    int32_t cmdIoMixer(CliObject command, int32_t direction);
    // Editor verbs run inline by the dispatcher (FILTERS and DYNAMICS editors, EQ presets).
    void storeAndSyndicateFiltersPanel();
    int32_t cmdResetFiltersPanel(CliObject command);
    int32_t cmdSetFilterType(CliObject command);
    int32_t cmdLoadEqPresets(CliObject command);
    int32_t cmdEqPreset(CliObject command);
    bool requireDynamicsPanelItem();
    int32_t cmdResetDynamicsPanel(CliObject command);
    int32_t cmdSideChainInternal(CliObject command);
    int32_t cmdSideChainSelect(CliObject command);
    int32_t cmdSideChainLocation(CliObject command, int32_t location);

    // ---- Rendering platform ----------------------------------------------------------------
    int32_t openWindow(HWND parent, HWND* window) override;
    int32_t closeWindow() override;
    LRESULT windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void enterFullScreen(int32_t width, int32_t height, int32_t left, int32_t top);
    void enterFullScreenOnOwnScreen();
    void leaveFullScreen();
    void setupGraphics(HWND window, int32_t width, int32_t height);
    void buildFixedVertexTables();
    // The display rectangle the full-screen key poll tests the cursor against; false when
    // there is none.
    bool fullScreenRect(RECT& rect) const;
    std::string backupFileName(const std::tm& now) const;
    UserMenuTable loadUserMenu(const std::string& fileName);
    PopupMenu fillPopupMenuFromUserMenu(const std::string& menuName);
    // writePatchFile of the patch writer with the backup flag 1; false (and said) on failure.
    bool writeBackupFile(const std::string& path);

    // ---- Screens: frame (view/frame/) ------------------------------------------------------
    void showPage(int32_t page);
    void renderFrame();
    // Composes the frame and puts it on the window (GL context current, attributes saved):
    // only what changed while damage painting is on and the window can be shown in part,
    // else the whole frame and a buffer swap.
    void paintWindow(HDC dc);
    void drawBlankFrame();
    void applyFramePreamble();
    // Begins the frame of a page drawn from the page origin (pageGridX, pageGridY), pushed on
    // the transform stack for the caller to pop; false, with nothing pushed, without area.
    bool beginPageAtOrigin();
    void drawFullWindowQuad();

    // ---- Screens: chrome (view/chrome/) ----------------------------------------------------
    void drawSelectionMenu();
    void drawMasterBox();
    void drawToolsMenu();
    void drawPagesMenu(int32_t page);
    void drawPatchFileMenu();
    void drawSlicesMenu();
    void drawPopupMenus();
    void drawToolboxInfo();
    void drawMasterHeader(float x, float y, bool withLabel);
    void drawMasterMeters(float x, float y, float panelHeight);
    // Popup cascade: the row hit test (rows not checked against the count), one level's step
    // without drawing (highlights, opening and detaching deeper levels; returns true when its
    // last highlighted row is a submenu row), the whole frame's step, and the level painter.
    int32_t popupRowAt(float x, float y, int32_t menu);
    bool stepPopupMenu(int32_t menu, int8_t rowStates[100]);
    void stepPopupCascade(PopupCascadeFrame& frame);
    void openPopupLevel(int32_t menu, int32_t row);
    void drawPopupLevel(int32_t menu, const int8_t rowStates[100]);
    // Toolbox and MASTER box input: the press (the first of the stage's item presses), a row's
    // action, the mix-mode menu of its row, the hovered row, and the box's own area.
    bool pressToolboxOrMasterBox(int32_t x, int32_t y);
    void runToolboxRow(int32_t row, float y);
    void openMixModeMenu(float y);
    void hoverToolsRows(int32_t x, int32_t y);
    bool isOverToolbox(int32_t x, int32_t y) const;

    // ---- Screens: input (view/input/) ------------------------------------------------------
    void drawTextEntryBox();
    bool textEntryTakesKeys() const;
    void textEntryKeyDown(WPARAM key);
    void closeTextEntry();
    void commitTextEntry();
    void schedulePatchCheck();
    // Commit actions by entry id, each given the id and the committed text.
    void commitItemName(int32_t id, const std::string& text);
    void commitCount(int32_t id, const std::string& text);
    void commitGroupCount(int32_t id, const std::string& text);
    void commitRoomCount(int32_t id, const std::string& text);
    void commitHardResetAnswer(int32_t id, const std::string& text);
    void commitConfirmAnswer(int32_t id, const std::string& text);
    void commitDynamicsTime(int32_t id, const std::string& text);
    void commitSideChainName(int32_t id, const std::string& text);
    void commitVirtualChannel(int32_t id, const std::string& text);
    void commitNote(int32_t id, const std::string& text);
    void reportRefusedEntry(const std::string& message);
    void commitNoteAlpha(int32_t id, const std::string& text);
    void commitFilterBand(int32_t id, const std::string& text);
    void commitDelayTime(int32_t id, const std::string& text);
    void storeAndSyndicateDynamics(bool copySidechain, bool sidechainToSelf);
    NoteRecord* editedNote();
    bool toggleCliFocus(); // false when the key ends here
    void cliLineKeyDown(WPARAM key);
    void runAltShortcuts();
    bool runShortcutBlocks(); // false when the call ends here (the rerun)
    void nudgeSelectionWithArrows();
    int32_t arrowKindCount(int32_t mode) const;
    void chooseArrowKind(int32_t mode);
    bool nudgeGroup(int32_t group, float step);
    void scaleGroupMembers(int group, double factor);
    void moveGroupMembers(int group, int dx, int dy);
    // Mouse dispatch: the layers a press tries before the page, each true when it took it.
    bool isTextEntryOpen() const;
    bool pressTopBar(int32_t x, int32_t y);
    void runPatchFileCell(int32_t cell);
    bool pressOpenPopupMenus();
    bool pressPageTab(int32_t x, int32_t y);
    int32_t pageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    int32_t pageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    // A drag is under way on any page or panel; end them all, as their releases would, when
    // input is taken from the window (view/input/drag_ending.cpp).
    bool isDragUnderWay() const;
    void endEveryDrag();
    int32_t pageMouseMove(WPARAM flags, int32_t x, int32_t y);
    bool hoverAnnotationButtons(int32_t x, int32_t y);
    // Offers a move to every shown panel; true when one took it. endMove: stop the whole move.
    bool offerMoveToPanels(WPARAM flags, int32_t x, int32_t y, bool& endMove);
    bool offerMoveToPanel(int32_t id, WPARAM flags, int32_t x, int32_t y, bool& endMove);
    void setEnvelopesResizeCursor(const PanelWindow& panel, int32_t x, int32_t y);
    void raiseRedrawFlags();
    void setCursorById(int32_t cursor);

    // ---- Screens: stage (view/stage/) ------------------------------------------------------
    // View transform.
    StagePoint screenToStage(int32_t px, int32_t py) const;
    ScreenPoint stageToScreen(float sx, float sy) const;
    bool isPointInMarquee(int32_t x, int32_t y) const;
    // The page and the pieces it draws itself (distance scale, labels, member lines).
    void drawStagePage();
    void drawStageConnections();
    void drawStageItems();
    void drawStageDragFeedback();
    void drawStageInfoBoxes();
    void drawDistanceScale(float x, float y, float radius);
    void drawItemLabels();
    void drawGroupOutline();
    void drawHeatmapReadout();
    void drawStageFill(float x, float y, float radius);
    // Background passes.
    void drawStageGrid();
    void drawRooms();
    void drawAnnotations();
    void drawSourceBlendLayer();
    // Item glyphs.
    void drawSources();
    void drawTargets();
    void drawGroups();
    void drawCurrentItemHighlights();
    void drawStageCrosshair();
    // Cables and routing curves.
    void drawVerticalCableCurve(float x0, float y0, float x1, float y1, float width);
    void drawHorizontalCableCurve(float x0, float y0, float x1, float y1, float width);
    void drawCables();
    void drawCablesThunk();
    void drawSourceTargetCurves();
    void drawSourceLinkCurves();
    // Annotation layer and marquee.
    void drawAnnotationButtons();
    void drawMarquee();
    // Info boxes.
    void drawSourceInfoBox(int32_t s);
    void drawGroupInfoBox(int32_t g);
    void drawTargetInfoBox(int32_t t);
    // Readouts, heat map and pipeline diagram (drag_readouts_draw.cpp, rooms_heatmap_draw.cpp,
    // pipeline_draw.cpp).
    void drawRoomsHeatmap();
    void drawSourceSpreadReadout(int32_t s);
    void drawMultiHoverReadout(int32_t c);
    void drawSourceHoverReadout(int32_t s);
    void drawSourceGroupHoverReadout(int32_t g);
    void drawRoomHoverReadout(int32_t r);
    void drawTargetHoverReadout(int32_t t);
    void drawMixHoverReadout(int32_t s);
    void drawProcessingPipeline();
    // Mouse operations of the STAGE page.
    virtual int32_t stagePageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageRButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageMButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageMButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t stagePageMouseWheel(WPARAM flags, int32_t delta, int32_t delta2);
    // Hit tests: the first index within reach of a stage point, else -1.
    int32_t hitSource(float x, float y);
    int32_t hitTarget(float x, float y);
    int32_t hitGroup(float x, float y);
    int32_t hitSourceNoReset(float x, float y);
    int32_t hitTargetNoReset(float x, float y);
    int32_t hitGroupNoReset(float x, float y);
    int32_t hitRoom(float x, float y);
    int32_t hitMarquee(float x, float y);
    // Drag starts: offsets and movement bounds before a drag.
    void beginDragSource(int32_t s, float x, float y);
    void beginDragTarget(int32_t t, float x, float y);
    void beginDragGroup(int32_t g, float x, float y);
    void beginDragItem(float x, float y);
    int32_t lastRoomContaining(float x, float y) const;
    // Syndication selectors for the per-item command lines.
    bool isNameInMarqueeList(std::string name);
    std::string chooseSyndicationMode(std::string name, int32_t kind, int32_t index, uint8_t force);
    std::string selectSyndicationFromType(std::string name, int32_t kind, int32_t index,
                                          uint8_t force);
    std::string marqueeListNamesOfKind(int32_t kind);
    std::string markedNamesOfKind(int32_t kind, uint8_t force);
    // The head of the left press.
    float readDriftStep(bool& digitHeld);
    bool pressSlicesStrip(int32_t x, int32_t y, float step, bool digitHeld);
    bool pressStageAnnotationButton();
    bool pressSelectionStrip(int32_t x, int32_t y);
    bool pressSyndicationMenu(int32_t x, int32_t y);
    bool pressZoomDrag(int32_t x, int32_t y);
    void recordStagePress(int32_t x, int32_t y);
    // The item presses that follow the head, in order; each true when it took the press.
    bool pressInfoBoxes(int32_t x, int32_t y);
    bool pressFeedbackOrCableHandle(int32_t x, int32_t y);
    bool pressSource();
    bool pressGroup();
    bool pressTarget();
    bool pressEmptyStage(int32_t x, int32_t y);
    // Pieces of the item presses.
    void focusPressedItem(int32_t kind, int32_t index);
    void analyseChannel(int32_t channel, int32_t item);
    void beginValueDrag(int32_t mode, float startValue);
    void listEnvelopeItem(int32_t kind, int32_t index);
    bool pressSourceCableKeys(int32_t s);
    void toggleHeldGroupsOf(const std::string& covered);
    void dragPressedSource(int32_t s);
    bool runGroupKeyLine(const std::string& a, const std::string& b);
    void uncableGroupMembers(int32_t g);
    void listGroupMembersForEnvelopes(int32_t g);
    void dragPressedGroup(int32_t g);
    bool runTargetKeyLine(const std::string& a, const std::string& b);
    bool pressTargetCableKeys(int32_t t);
    void dragPressedTarget(int32_t t);
    bool pressRoomEdge();
    void pressInsideMarquee();
    void beginMarqueeDrag();
    bool pressRooms();
    void beginRoomDrag(int32_t r);
    bool listMarqueeForEnvelopes();
    void keyTargetsInMarqueeOnThemselves();
    bool pressNotes(int32_t px, int32_t py);
    void pressNote(int32_t i);
    void editNoteNumber(int32_t i, bool alpha);
    // Info boxes: the corner of a box in window pixels, the grid cell under a pixel (8 columns
    // of 11.75 pixels; the caller checks the range), and the presses on each box's controls.
    ScreenPoint infoBoxCorner(float itemX, float itemY, float up) const;
    static int32_t gridCellAt(int32_t left, int32_t top, int32_t width, int32_t height, int32_t x,
                              int32_t y, int32_t columns, int32_t rows);
    void toggleGroupMembership(int32_t s, int32_t g);
    bool pressGroupInfoBox(int32_t x, int32_t y);
    void pressMovementPad(int32_t g, int32_t px, int32_t py, int32_t x, int32_t y);
    bool pressSourceInfoBox(int32_t x, int32_t y);
    bool pressTargetInfoBox(int32_t x, int32_t y);
    // Handles: the feedback mix a source's curves are drawn from (-1 none), and the presses.
    int32_t feedbackMixChannelOf(int32_t s) const;
    bool pressFeedbackHandles();
    bool pressFeedbackHandle(int32_t s, int32_t t, int32_t k, CurvePoint h);
    bool pressCableHandle();
    // Releases, the double click and the right button.
    bool doubleClickAt(int32_t x, int32_t y, StagePoint p);
    bool nameItemAt(int32_t x, int32_t y, StagePoint p);
    void openNamingEntry(int32_t x, int32_t y, const std::string& caption, const char* prompt,
                         int32_t id);
    void endLeftDrag(WPARAM flags, int32_t x, int32_t y);
    void endStageDrag();
    bool rightPressOnGroup(int32_t x, int32_t y, StagePoint p);
    bool rightPressOnSource(StagePoint p);
    bool rightPressOnTarget(StagePoint p);
    void openMainMenuAt(int32_t x, int32_t y);
    // Hover and drags of the move.
    bool hoverStageAnnotationButtons(StagePoint p);
    bool zoomByDragging(int32_t x, int32_t y);
    void resizeRoomByEdges(StagePoint p);
    void hoverRoomEdges(int32_t x, int32_t y, StagePoint p);
    bool hoverAnnotations(StagePoint p);
    void hoverItems(StagePoint p);
    void setRoomHandleCursor(int32_t handle);
    void dragInMode(int32_t x, int32_t y, StagePoint p);
    void dragSourceTo(int32_t s, StagePoint p);
    void dragTargetTo(int32_t t, StagePoint p);
    void dragGroupTo(int32_t g, StagePoint p, bool membersFollow, bool membersClamped);
    void dragRoomTo(StagePoint p);
    void dragMarqueeList(StagePoint p);
    void dragMarquee(StagePoint p);
    void dragAnnotation();
    float levelFromDrag(float startLevel, float dy);
    void dragLevel(int32_t y);
    void dragSourceSize(int32_t y);
    void scaleGroupMembers(int32_t g, float factor);
    void dragGroupScale(int32_t y, bool wholeMarquee);
    void dragTargetRadius(int32_t y);
    void dragGroupRotationSpeed(int32_t x);
    void dragGroupRotate(int32_t x, bool wholeMarquee);
    void dragGroupMovement(int32_t x, int32_t y);
    void dragGroupBoxSpeed(int32_t x);
    void dragGroupBoxMovement(int32_t x, int32_t y);
    void dragPan(int32_t x, int32_t y);

    // ---- Screens: panel frame (panels/frame/) ----------------------------------------------
    static constexpr int32_t kPanelOrderCapacity = PanelFrameState::kOrderCapacity;
    void drawPanels();
    // The panels' share of the mouse: 0 when a panel took the message, -1 when it goes on.
    virtual int32_t panelsLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t panelsRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t panelsLButtonUp(WPARAM flags, int32_t x, int32_t y);
    // A left press on the frame of a shown panel (brought to the front first).
    void pressPanelFrame(int32_t id, WPARAM flags, int32_t x, int32_t y);
    // A left press on a bar button; true when the press is taken.
    bool pressBarButton(int32_t id);
    void releaseEditorPanel(int32_t id, WPARAM flags, int32_t x, int32_t y);
    void endPanelDrags();
    // The MACROS panel: its content, the hover, and the buttons a click runs.
    void drawMacroPanel();
    virtual int32_t macrosPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    void runLitMacroButtons();
    void loadMacroPanelFileOnce();
    // CLI, SCOPE, FFT and ENVELOPES: content drawers.
    void drawCliPanel();
    void drawScopePanel();
    void drawFftPanel();
    void drawEnvelopesPanel();
    void drawPanelContent(int32_t id);
    // The item SCOPE and FFT analyse: false when the monitored channel names no live item.
    bool monitoredItem(ColourQuad& colour, std::string& name, int32_t& kind) const;
    void drawEnvelopeRow(int32_t row, float rowHeight, int32_t kind, int32_t index);

    // ---- Screens: mixer pages (view/pages/mixer/) ----------------------------------------------
    // Strip layouts for the current window size, and the fader mark tables.
    FaderRecord getStripLayout();
    FaderRecord getMasterStripLayout();
    FaderRecord buildInputTrimFader();
    void buildLinearFader(FaderScale& scale, float maximum);
    void buildMixerFader(FaderScale& scale, float maximum);
    void buildMasterFaderLin(float maximum);
    void buildMasterFaderExp(float maximum);
    void buildTrimFader(float maximum);
    // The strip grid: strip index at a grid position, and hit tests in window pixels.
    int32_t stripIndexAt(int32_t x, int32_t y, const FaderRecord& layout) const;
    StripHit hitTestStrip(int32_t kind, int32_t x, int32_t y);
    StripHit hitTestMasterStrip(int32_t kind, int32_t x, int32_t y);
    ScreenPoint stripOrigin(int32_t index) const;
    // Drawing.
    void drawChannelStrip(const FaderScale& left, const FaderScale& right,
                          const FaderRecord& strip);
    void drawInputsPage();
    void drawOutputsPage();
    void drawStripGrid(int32_t kind);
    void fillSourceStrip(FaderRecord& strip, int32_t index);
    void fillTargetStrip(FaderRecord& strip, int32_t index);
    void translateToTwoRowStrip();
    // The pages' mouse operations (the wheel: x and y both carry the signed wheel delta).
    virtual int32_t inputsPageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    void endMixerPageDrag();
    virtual int32_t inputsPageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t inputsPageMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t inputsPageMouseWheel(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t outputsPageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t outputsPageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t outputsPageMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t outputsPageMouseWheel(WPARAM flags, int32_t x, int32_t y);
    // Steps shared by both pages.
    void pressStripControl(int32_t kind, int32_t index, const StripHit& hit);
    void toggleProcessingSwitch(int32_t kind, int32_t index, int32_t control);
    void setUpProcessingRecord(int32_t kind, int32_t index, int32_t control);
    void openStripNameEntry(int32_t kind, int32_t index);
    void grabStripKnob(int32_t kind, int32_t index, int32_t localY);
    void setStripCursor(bool vertical);
    void grabTrimKnob(int32_t localY);
    void dragTrim(int32_t localY);
    void grabMasterKnob(int32_t localY);
    void masterLevelChanged();

    // ---- Screens: MATRIX page (view/pages/matrix/) ---------------------------------------------
    void drawMatrixPage();
    void drawMatrixCellReadout(int32_t cable);
    void drawMatrixLines(DrawLayer& d);
    void drawMatrixChannelTables(DrawLayer& d);
    void drawMatrixCurves(DrawLayer& d, int32_t sourceRows, int32_t targetRows);
    void drawMatrixSwitches(DrawLayer& d, int32_t sourceRows, int32_t targetRows);
    void drawMatrixGainCells(DrawLayer& d, int32_t sourceRows, int32_t targetRows);
    void drawMatrixCableCells(DrawLayer& d);
    void drawMatrixCell(DrawLayer& d, int32_t t, int32_t s, float value);
    void drawMatrixHover(DrawLayer& d, int32_t sourceRows, int32_t targetRows);
    void drawMatrixPickLines(DrawLayer& d);
    // A target's radius for its gains: the global one or its own.
    float targetRadius(int32_t t) const;
    // The product of the levels of the rooms whose rectangles strictly hold target t.
    float roomLevelAt(int32_t t) const;
    virtual int32_t matrixPageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t matrixPageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t matrixPageRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t matrixPageMouseMove(WPARAM flags, int32_t x, int32_t y);
    // The page grid origin for a window size, as the graphics set-up places it.
    void placePageGrid(int32_t width, int32_t height);
    // A level dragged dy pixels up from its start on the fader law, limited to 0..4 and held
    // at unity in its snap window.
    float dragLevelFrom(float startLevel, float dy) const;
    // The click cases, tried in order; true when the click is done.
    bool matrixClickSwitches(int32_t h, int32_t r, int32_t gx, int32_t gy);
    bool matrixClickSourceRow(int32_t r, int32_t gx);
    bool matrixClickTargetColumn(int32_t h, int32_t gy);
    bool matrixClickChannelMarker(int32_t h, int32_t r);
    bool matrixClickGridCell(int32_t h, int32_t r);
    bool matrixCableKeys(int32_t cable);
    bool matrixNewCable(int32_t h, int32_t r);
    void startCableLevelDrag(int32_t cable);
    void matrixClickReassignment(int32_t h, int32_t r);
    void completeInputReassignment(int32_t source, int32_t channel);
    void completeOutputReassignment(int32_t target, int32_t channel);
    void raiseRecordSet();
    void raiseFullMatrixSet();

    // ---- Screens: FEEDBACK page (view/pages/feedback/) -----------------------------------------
    void drawFeedbackPage();
    void drawFeedbackCellReadout();
    virtual int32_t feedbackPageLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t feedbackPageLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t feedbackPageRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t feedbackPageMouseMove(WPARAM flags, int32_t x, int32_t y);
    void drawFeedbackInputs(DrawLayer& d);
    void drawFeedbackOutputs(DrawLayer& d);
    void drawFeedbackMeters(DrawLayer& d, float left, bool inputs);
    void drawFeedbackPaths(DrawLayer& d);
    void drawFeedbackOverlay(DrawLayer& d);
    void drawFeedbackSpoke(DrawLayer& d, float cx, float cy, float angle, const MixRecord& mix,
                           int32_t slot);
    void connectFeedbackPath();
    void recountFeedbackMixes();
    void feedbackClickRow(int32_t column, int32_t row);
    bool feedbackOverlayClick(int32_t dx, int32_t dy);
    bool feedbackWheelHandles(int32_t dx, int32_t dy);
    void feedbackCentreBox(int32_t dx, int32_t dy);
    void feedbackLevelDrag(int32_t y);
    void feedbackOverlayOffset(int32_t& dx, int32_t& dy) const;
    bool feedbackHandleHit(int32_t slot, float radius, int32_t dx, int32_t dy) const;

    // ---- Panels: editor content (panels/<editor>/): drawing and mouse -------------------
    // Each draw starts at the content origin the panel frame leaves; the mouse operations of
    // DYNAMICS, FILTERS, DELAY and VIRTUAL take window pixels, those of MUTES content pixels.
    void drawDynamicsPanel();
    virtual int32_t dynamicsPanelLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t dynamicsPanelLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t dynamicsPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t dynamicsPanelRButtonDown(WPARAM flags, int32_t x, int32_t y);
    void drawFiltersPanel();
    void drawFilterFrequencyGrid();
    void drawFilterBandLabels();
    virtual int32_t filtersPanelLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t filtersPanelLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t filtersPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t filtersPanelRButtonDown(WPARAM flags, int32_t x, int32_t y);
    void drawDelayPanel();
    virtual int32_t delayPanelLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t delayPanelLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t delayPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t delayPanelRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t delayPanelRButtonUp(WPARAM flags, int32_t x, int32_t y);
    void drawMutesPanel();
    virtual int32_t mutesPanelLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t mutesPanelLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t mutesPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    void drawVirtualPanel();
    void drawVirtualCellReadout();
    virtual int32_t virtualPanelLButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t virtualPanelLButtonUp(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t virtualPanelMouseMove(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t virtualPanelRButtonDown(WPARAM flags, int32_t x, int32_t y);
    virtual int32_t virtualPanelRButtonUp(WPARAM flags, int32_t x, int32_t y);
    // Popup menu 0 filled from a user menu and opened with its centre x and top at (x, y).
    void openEditorMenu(const std::string& menuName, int32_t x, int32_t y);

    // ---- Panels: editor settings (panels/<editor>/) ----------------------------------------
    // The editors load their item again wherever its record changed other than through them.
    void followModelInEditors();
    // Syndication: the items of one kind that an editor's change is copied to.
    void buildSyndicationSet(int32_t kind);
    bool isItemInMarqueeList(int32_t kind, int32_t index);
    bool editedItemQualifiesForSyndication(int32_t kind, int32_t index);
    // DELAY editor: load, store, copy to the syndication set, table reset.
    void loadDelayPanel(int32_t kind, int32_t index);
    void showDelayRecord(const DelayRecord& record);
    void storeDelaySettings(int32_t kind, int32_t index);
    void syndicateDelay();
    void resetDelays(int32_t kind);
    void markDelayDirty(int32_t kind);
    // FILTERS editor settings.
    void resetFilterRecord(int32_t kind, int32_t index);
    void loadFiltersPanel(int32_t kind, int32_t index);
    void showFiltersRecord(const FilterRecord& record);
    void storeFilterSettings(int32_t kind, int32_t index);
    void syndicateFilters();
    void resetFilters(int32_t kind);
    int32_t copyFilter();
    int32_t pasteFilter();
    void markFiltersDirty(int32_t kind);
    // EQ presets.
    EqPresetTable readEqPresetFile(const std::string& fileName);
    std::string findEqPresetText(const std::string& name);
    bool isEqPresetName(const std::string& name);
    void loadEqPreset(const std::string& name);
    int32_t applyEqPresetByName(const std::string& name);
    void designAlgorithmicFilter(int32_t family, int32_t response, int32_t n, int32_t frequency);
    void saveEqPreset();
    // DYNAMICS editor settings.
    void resetDynamicsRecord(int32_t kind, int32_t index);
    void loadDynamicsPanel(int32_t kind, int32_t index);
    void showDynamicsRecord(const DynamicsRecord& record);
    void sendDynamicsSettings(int32_t kind, int32_t index);
    void syndicateDynamics(bool copySidechainSource, bool copySidechainLocation,
                           bool sidechainToSelf);
    void resetDynamics(int32_t kind);
    int32_t copyDynamics();
    int32_t pasteDynamics();
    void markDynamicsDirty(int32_t kind);
    void sendDynamicsTable(int32_t kind);
    std::string writeDynamicsPatchSection(int32_t index, int32_t kind);
    // VIRTUAL editor mix editing.
    MixRecord* virtualEditMix();
    void loadVirtualPanel(int32_t mode, int32_t index);
    void followVirtualItem();
    void resetMixRecord(int32_t mode, int32_t index);
    void storeVirtualChannel(int32_t mode, int32_t index);
    void compactVirtualChannel(int32_t mode, int32_t index, int32_t slot);
    void swapVirtualChannels(int32_t mode, int32_t index, int32_t slot, int32_t channel);
    void sendMixerTable(int32_t mode);
    std::string writeMixerPatchSection(int32_t kind, int32_t index);
    // FEEDBACK mixes.
    void compactFeedbackMix(int32_t source);
    // Panel windows: names, bar buttons, default sizes; the program and font they draw with.
    void initPanelWindows();
    void bindPanelsToShader();

    // ======================================================================================
    // State, by the blocks of the index: shared state first, then one struct per screen.

    // ---- Host frame: window, timer and configuration ------------------------------------
    HWND parentWindow = nullptr;
    int32_t glSlot = 0;
    uint8_t graphicsReady = 0;         // set once the graphics start-up has run
    uint8_t fullScreenOnOwnScreen = 0; // went full screen through the configuration block
    int32_t fullScreenDisplay = -1;
    float windowWidth = 0.0f;
    float windowHeight = 0.0f;
    float savedWidth = 0.0f;
    float savedHeight = 0.0f;
    int32_t savedTop = 0;
    int32_t savedBottom = 0;
    int32_t savedLeft = 0;
    int32_t savedRight = 0;
    uint8_t timerStarted = 0;
    UINT_PTR timerId = 0;
    int32_t lastTickTime = 0;
    int32_t cursorScreenX = 0;
    int32_t cursorScreenY = 0;
    std::string clockText;
    std::string dateText;
    int32_t sampleRate = 44100;
    InstanceRecord ownInstance;
    ConfigurationBlock configuration;
    uint8_t displaysEnumerated = 0;
    int32_t localId = 0;
    ConsoleRing console;
    std::string fieldTokens[128];
    std::string tokens[kTokens];
    int32_t tokenCount = 0;

    // ---- Stage model ----------------------------------------------------------------------
    SourceRecord sources[kMaxSources];
    int32_t sourceCount = 0;
    int32_t currentSource = 0;
    TargetRecord targets[kMaxTargets];
    int32_t targetCount = 0;
    int32_t currentTarget = 0;
    GroupRecord groups[kMaxGroups];
    int32_t groupCount = 16;
    int32_t currentGroup = 0;
    RoomRecord rooms[kMaxRooms];
    int32_t roomCount = 0;
    int32_t currentRoom = 0;
    CableRecord cables[kMaxCables];
    int32_t cableCount = 0;
    // The half-made cable of the stage and the pages: its ends (-1 none) and its level.
    int32_t pendingCableSource = -1;
    int32_t pendingCableTarget = -1;
    float pendingCableLevel = 0.0f;
    CableRecord cableWorkTable[kMaxCables];
    CableBlobEntry cableBlobStaging[kMaxCables];
    ViewSettings viewSettings;
    FaderLaw faderLaw;
    DynamicsCurve cableCurve;
    // Processing records per channel, the mixes, and the editors' clipboards.
    FilterRecord inputFilters[kChannels];
    FilterRecord outputFilters[kChannels];
    DelayRecord inputDelays[kChannels];
    DelayRecord outputDelays[kChannels];
    DynamicsRecord inputDynamics[kChannels];
    DynamicsRecord outputDynamics[kChannels];
    MixRecord inputMixers[kChannels];
    MixRecord outputMixers[kChannels];
    MixRecord feedbackMixes[kChannels];
    FilterRecord filterClipboard;
    uint8_t filterClipboardFull = 0;
    DynamicsRecord dynamicsClipboard;
    uint8_t dynamicsClipboardFull = 0;
    EqPresetTable eqPresets;
    // The items an editor's change is copied to, rebuilt before every copy.
    int32_t syndicationSet[kChannels] = {};
    int32_t syndicationSetCount = 0;
    uint8_t syndicationFlash = 0; // an editor copied its settings; the stage shows it once
    NoteRecord notes[256];
    int32_t noteCount = 0;
    SliceRecord slices[20];
    EnvelopeList envelopeList;
    // Mute, solo and clipping summaries kept by the upkeep hooks.
    int32_t anySourceMuted = 0;
    int32_t anySourceSoloed = 0;
    int32_t anyTargetMuted = 0;
    int32_t anyTargetSoloed = 0;
    int32_t anyGroupMuted = 0;
    int32_t anyGroupSoloed = 0;
    int32_t anyRoomMuted = 0;
    int32_t anyRoomSoloed = 0;
    int32_t anyCableMuted = 0;
    int32_t anyCableSoloed = 0;
    int32_t anySourceClipping = 0;
    int32_t anyTargetClipping = 0;
    // Group motion switches and the clock of their last step; GUI snap.
    int32_t rotationRunning = 0;
    int32_t rotationLastTime = 0;
    int32_t movementRunning = 0;
    int32_t movementLastTime = 0;
    int32_t guiSnap = 0;
    // The item the SCOPE and FFT panels analyse (pin 60): channel, and source 0 or 1.
    int32_t monitorChannel = 0;
    int32_t monitorSource = 0;

    // ---- DSP link ---------------------------------------------------------------------------
    uint8_t sendFlags[kSendFlags] = {};
    int32_t sendFlagCount = kSendFlags;
    DspLinkState dspLink;
    GainMatrixStaging gainMatrixStaging;
    int32_t patchCheckCountdown = 10;
    uint8_t patchCheckPending = 0;
    int32_t viewStateWord = 1;
    uint8_t blankScriptDue = 1;
    // The processing side's status block (pin 26), read by the pipeline diagram.
    uint8_t pipelineStatus[blob_layout::kProcessingStatusSize] = {};

    // ---- DSP link: the pins, in pin order ---------------------------------------------------
    StringGuiPin pin0;
    MpGuiPin<int> pinLocalId;             // 1
    MpGuiPin<MpBlob> pinConfiguration;    // 2
    MpGuiPin<MpBlob> pinScriptIn;         // 3
    MpGuiPin<MpBlob> pinScriptOut;        // 4
    MpGuiPin<MpBlob> pinViewState;        // 5
    MpGuiPin<MpBlob> pin6;                // 6
    MpGuiPin<MpBlob> pinRooms;            // 7
    MpGuiPin<MpBlob> pinTargets;          // 8
    MpGuiPin<MpBlob> pinSources;          // 9
    MpGuiPin<MpBlob> pinGroups;           // 10
    MpGuiPin<MpBlob> pinCables;           // 11
    MpGuiPin<MpBlob> pinInputDelays;      // 12
    MpGuiPin<MpBlob> pinInputEq;          // 13
    MpGuiPin<MpBlob> pinInputDynamics;    // 14
    MpGuiPin<MpBlob> pinGainMatrix;       // 15
    MpGuiPin<MpBlob> pinOutputEq;         // 16
    MpGuiPin<MpBlob> pinOutputDynamics;   // 17
    MpGuiPin<MpBlob> pinOutputDelays;     // 18
    MpGuiPin<int> pinPatchRetry;          // 19
    MpGuiPin<int> pinEditorOpen;          // 20
    MpGuiPin<MpBlob> pinPanelLayout;      // 21
    MpGuiPin<MpBlob> pinInputMixer;       // 22
    MpGuiPin<MpBlob> pinOutputMixer;      // 23
    MpGuiPin<MpBlob> pinSourceVirtuals;   // 24
    MpGuiPin<MpBlob> pinTargetVirtuals;   // 25
    MpGuiPin<MpBlob> pinProcessingStatus; // 26
    MpGuiPin<MpBlob> pinFeedbackMixes;    // 27
    MpGuiPin<MpBlob> pinNotes;            // 28
    MpGuiPin<MpBlob> pinNameLists;        // 29
    MpGuiPin<MpBlob> pinPatchRecord;      // 30
    MpGuiPin<MpBlob> pinSlices;           // 31
    MpGuiPin<int> pin33;
    MpGuiPin<int> pin34;
    MpGuiPin<int> pin35;
    MpGuiPin<int> pin36;
    MpGuiPin<bool> pinLeaveFullScreen; // 37
    StringGuiPin pinText38;
    StringGuiPin pinHostLines; // lines the host has for the person, shown in the console
    StringGuiPin pins40to45[6];
    StringGuiPin pin52;
    MpGuiPin<float> pinFloat58;
    MpGuiPin<float> pinFloat59;
    MpGuiPin<int> pinNode;              // 60
    MpGuiPin<MpBlob> pinMeters;         // 61
    MpGuiPin<MpBlob> pinSourceActivity; // 62
    MpGuiPin<MpBlob> pinTargetActivity; // 63
    StringGuiPin pin65;
    MpGuiPin<MpBlob> pinSourceMeters; // 66
    MpGuiPin<MpBlob> pinTargetMeters; // 67

    // ---- Command language ------------------------------------------------------------------
    // Patch file state.
    char patchPath[kPatchPathCapacity] = {};
    int32_t patchPathLength = 0;
    uint8_t autoSave = 0;
    int32_t autoSaveInterval = 5000;
    uint8_t autoSaveShown = 0;
    uint8_t autoBackupShown = 0;
    int32_t autoSaveClock = 0; // clock of the last automatic save
    uint8_t autoBackupOn = 0;
    int32_t autoLastClock = 0;
    SaveState saveState;
    ItemSnapshot undoSnapshot[256];
    int32_t undoCount = 0;
    // Selection names.
    std::string selectedNames[255];
    int32_t selectedCount = 0;
    // The touched item: the last item touched or pressed on the stage, which syndication
    // follows (kind 1 source, 2 target, 3 group; index -1 none).
    int32_t touchedKind = -1;
    int32_t touchedIndex = -1;
    std::string storedSelections[20][255];
    int32_t storedSelectionNumber = 1;
    int32_t storedSelectionCounts[20] = {}; // name counts of storedSelections, slots 0 to 10
    // Marquee and syndication.
    int32_t marqueeRect[4] = {}; // left, top, right, bottom in stage units
    uint8_t marqueeRubberBand = 0;
    int32_t syndicationMode = 0; // 0 NONE, 1 MARQ, 2 SELECT, 3 BOTH
    uint8_t batch = 0;           // a macro file is loading: no commit, no send
    // Macro line queue.
    int32_t queuedLineCount = 0;
    std::string queuedLines[200];
    uint8_t queueActive = 0;
    int32_t queueNext = 0;
    uint8_t pendingLoadMacro = 0;
    std::string pendingMacroName;
    std::string failedLines[128];
    // Command executor and macro loader state.
    // Tests see every line given to executeCommandString here, nested ones too (null: off).
    std::vector<std::string>* executedLineTap = nullptr;
    std::string rawCommandText;  // the last command text as received, before expansion
    std::string lastCommand;     // the line that the rerun shortcut runs again
    uint8_t lastCommandKept = 0; // a verb set lastCommand itself during this dispatch
    uint8_t macroRunning = 0;    // STOP_MACRO clears it; no further macro line runs
    int32_t failedLineNumbers[128] = {};
    int32_t failedLineCount = 0;
    std::string currentMacroName;
    int32_t macroLoadDepth = 0;        // loads in progress (a macro line may load another file)
    size_t macroLoadBytesLeft = 0;     // what the loads in progress may still read between them
    int32_t macroLoadStartClock = 0;   // clock when the outermost load in progress began
    int32_t macroLoadTimeLimit = 3000; // ms a load and the loads inside it may run lines
    LoadCut macroLoadCut = LoadCut::None;
    uint8_t queueFlushing = 0;  // runQueuedLinesNow is running the queue
    uint8_t pendingConfirm = 0; // the open text entry asks for a confirmation
    std::string confirmCommand; // run when the confirmation is answered YES
    std::string actionLists[2][100];
    int32_t actionCount = 0; // entries of actionLists (names, actions)
    NamedStringList userMenus[100];
    int32_t userMenuCount = 0;
    uint8_t reloadOnResizePending = 0;
    std::string reloadMacroName;

    // ---- Rendering platform ----------------------------------------------------------------
    unsigned uiVertexShader = 0;
    unsigned uiFragmentShader = 0;
    unsigned uiProgram = 0;
    unsigned textVertexShader = 0;
    unsigned textFragmentShader = 0;
    unsigned textProgram = 0;
    int32_t heightLocation = -1;
    int32_t stageLocation = -1;
    int32_t levelLocation = -1;
    int32_t rgbLocation = -1;
    int32_t modeLocation = -1;
    int32_t metricsLocation = -1;
    unsigned flatProgram = 0;
    int32_t flatColourLocation = -1;
    // Every screen draws through drawLayer: the GL layer, or a recording layer in tests.
    GlDrawLayer glDrawLayer{{&rgbLocation, &modeLocation, &metricsLocation, &stageLocation,
                             &levelLocation, &heightLocation, &flatProgram, &flatColourLocation}};
    DrawLayer* drawLayer = &glDrawLayer;
    // Paints only what changed; on unless QX_DAMAGE_PAINTING is "0" in the environment.
    DamagePainter damagePainter;
    bool damagePainting = damagePaintingByDefault();
    TextShaderBinding textBinding;
    StrokeFont font;
    HCURSOR cursors[7] = {};
    float sourceSquare[2][8] = {};
    float groupSquare[8] = {};
    float groupCorners[32] = {};
    float unitDisc[432] = {};
    int32_t unitDiscCount = 0;

    // ---- Screens: shared interaction state --------------------------------------------------
    ViewState view;
    InteractionState interaction;

    // ---- Screens: chrome ---------------------------------------------------------------------
    ChromeState chrome;

    // ---- Screens: input ----------------------------------------------------------------------
    KeyboardState keyboard; // the new-key scan, the CLI line's history, the arrow-key target
    TextEntryState textEntry;

    // ---- Screens: stage ----------------------------------------------------------------------
    StageState stage; // the stage interaction as the STAGE page draws it
    StageViewSwitches stageView;
    SliceDriftState sliceDrift;
    AnnotationState annotations;

    // ---- Screens: panel frame ----------------------------------------------------------------
    PanelFrameState panelFrame;
    ConsolePanelState consolePanel;
    MonitorPanelsState monitorPanels;
    MutesPanelState mutesPanel;

    // ---- Screens: mixer pages, MATRIX page, FEEDBACK page -------------------------------------
    MixerPageState mixerPages;
    MatrixPageState matrixPage;
    FeedbackState feedbackPage;

    // ---- Panels: editors ---------------------------------------------------------------------
    FiltersState filtersEditor;
    DelayState delayEditor;
    VirtualState virtualEditor;
    DynamicsState dynamicsEditor;

private:
    void registerPins();
};

// The process-wide once-per-id full-screen table that every constructor clears.
extern uint8_t fullScreenDone[10];
