// Callbacks of the view and session pins: view state, panel layout, name lists, notes, the
// patch-file record and slices.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "dsp_link/selection_lists.h"
#include "model/checked_number.h"
#include "model/level_arithmetic.h"

namespace {

// A radius the ZERO verb or the radius drag could give: a number 0 or above; any other keeps the
// radius that was.
float heldRadius(float value, float was) {
    return value >= 0.0f && std::isfinite(value) ? value : was;
}

// A master gain the master drag could give (0 .. its top level); NaN keeps the gain that was.
float heldMasterVolume(float value, float was) {
    if (std::isnan(value)) return was;
    return std::clamp(value, 0.0f, kMaxDragLevel);
}

// NaN and negative counts give 0; counts past the capacity give the capacity.
int32_t truncateCount(float value, int32_t capacity) {
    return clampedInt(value, 0, capacity);
}

} // namespace

void QX_GUI::onViewStatePin() {
    BlobReader blob(pinViewState.getData(), pinViewState.getSize());
    if (blob.size() / blob_layout::kViewStateSize < 1) return;
    viewSettings.globalRadius = heldRadius(blob.f32(0), viewSettings.globalRadius);
    // Bytes 4 to 20 in the order of their TOGGLE words.
    int32_t* switches[] = {
        &stageView.roomsShown,    &stageView.targetsShown, &stageView.groupsShown,
        &stageView.sourcesShown,  &stageView.cablesShown,  &stageView.crosshairShown,
        &stageView.gridShown,     &stageView.roomLabels,   &stageView.targetLabels,
        &stageView.groupLabels,   &stageView.sourceLabels, &stageView.roomsLocked,
        &stageView.targetsLocked, &stageView.groupsLocked, &stageView.sourcesLocked};
    const int switchOffsets[] = {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 17, 18, 19, 20};
    for (size_t k = 0; k < sizeof switches / sizeof switches[0]; ++k)
        *switches[k] = blob.u8(switchOffsets[k]) != 0;
    stageView.annotationVisibility = blob.u8(15) != 0;
    view.stageLock = blob.u8(16) != 0;
    stageView.annotationLocks = blob.u8(21);
    rotationRunning = blob.u8(22) != 0;
    movementRunning = blob.u8(23) != 0;
    stageView.visualisations = blob.u8(24) != 0;
    view.viewZoom = heldZoom(blob.f32(28), view.viewZoom);
    guiSnap = blob.u8(32);
    viewStateWord = blob.i32(36);
    sourceCount = truncateCount(blob.f32(40), kMaxLiveItems);
    targetCount = truncateCount(blob.f32(44), kMaxLiveItems);
    groupCount = truncateCount(blob.f32(48), kMaxGroupCount);
    roomCount = truncateCount(blob.f32(52), kMaxRoomCount);
    viewSettings.masterVolume = heldMasterVolume(blob.f32(56), viewSettings.masterVolume);
}

void QX_GUI::onPanelLayoutPin() {
    BlobReader blob(pinPanelLayout.getData(), pinPanelLayout.getSize());
    if (blob.empty()) return;
    if (blob.size() < blob_layout::kPanelLayoutSize) {
        setStatusMessage("PANEL LAYOUT BLOB IS TOO SHORT");
        return;
    }
    int32_t count = blob.i32(0);
    if (count > 10) count = 10;
    for (int k = 0; k < count; ++k) {
        int64_t at = 4 + 16 * k;
        panelFrame.panels[k].shown = blob.u8(at);
        panelFrame.panels[k].positionX = static_cast<float>(blob.i32(at + 4));
        panelFrame.panels[k].positionY = static_cast<float>(blob.i32(at + 8));
        panelFrame.panels[k].scale = blob.f32(at + 12) == 2.0f ? 2.0f : 1.0f;
    }
    const int32_t page = blob.i32(196);
    if (page >= kPageStage && page <= kPageFeedback) view.currentPage = page;
    chrome.toolboxFolded = blob.u8(200) == 0 ? 1 : 0;
    chrome.masterHidden = blob.u8(201) == 0 ? 1 : 0;
    // An editor that loads its item sets up the item's record: no change of the person's.
    keepStageHeldAcross([&] { loadEditorsFromLayout(blob); });
}

// Each editor loads its pair, then keeps the pair as its current one even when the load
// refused it.
void QX_GUI::loadEditorsFromLayout(const BlobReader& blob) {
    const int32_t virtualMode = blob.i32(204), virtualIndex = blob.i32(208);
    loadVirtualPanel(virtualMode, virtualIndex);
    virtualEditor.virtualEditMode = virtualMode;
    virtualEditor.virtualEditIndex = virtualIndex;
    const int32_t delayKind = blob.i32(212), delayIndex = blob.i32(216);
    loadDelayPanel(delayKind, delayIndex);
    delayEditor.delayPanelKind = delayKind;
    delayEditor.delayPanelIndex = delayIndex;
    const int32_t filtersKind = blob.i32(220), filtersIndex = blob.i32(224);
    loadFiltersPanel(filtersKind, filtersIndex);
    filtersEditor.filterPanelKind = filtersKind;
    filtersEditor.filterPanelIndex = filtersIndex;
    const int32_t dynamicsKind = blob.i32(228), dynamicsIndex = blob.i32(232);
    loadDynamicsPanel(dynamicsKind, dynamicsIndex);
    dynamicsEditor.dynamicsPanelKind = dynamicsKind;
    dynamicsEditor.dynamicsPanelIndex = dynamicsIndex;
}

void QX_GUI::onTextCommandPin() {
    BlobReader blob(pinNameLists.getData(), pinNameLists.getSize());
    if (blob.empty()) return;
    if (blob.size() < blob_layout::kNameListsSize) {
        setStatusMessage("NAME LIST BLOB IS TOO SHORT");
        return;
    }
    int32_t slots = blob.i32(16512);
    if (slots > blob_layout::kNameListSlots) slots = blob_layout::kNameListSlots;
    for (int k = 1; k < slots; ++k) {
        int64_t at = int64_t{blob_layout::kNameListSlotSize} * k;
        splitTokens(blob.name(at, 1024), ' ');
        int32_t n = 0;
        for (int w = 0; w < tokenCount && n < selection_lists::kNames; ++w)
            if (!tokens[w].empty()) storedSelections[k][n++] = tokens[w];
        for (int w = n; w < selection_lists::kNames; ++w) storedSelections[k][w].clear();
    }
    touchedKind = blob.i32(16520);
    touchedIndex = blob.i32(16524);
    for (int i = 0; i < kMaxSources; ++i) sources[i].selected = 0;
    for (int i = 0; i < kMaxTargets; ++i) targets[i].selected = 0;
    for (int i = 0; i < kMaxGroups; ++i) groups[i].selected = 0;
    int32_t slot = blob.i32(16516);
    if (slot < 0 || slot >= 20) return; // no such stored selection
    storedSelectionNumber = slot;
    const std::string(&names)[selection_lists::kNames] = storedSelections[slot];
    int32_t count = selection_lists::nameCount(names);
    for (int i = 0; i < count; ++i) {
        const std::string& name = names[i];
        for (int s = 0; s < sourceCount && s < kMaxSources; ++s)
            if (sources[s].name == name) sources[s].selected = 1;
        for (int t = 0; t < targetCount && t < kMaxTargets; ++t)
            if (targets[t].name == name) targets[t].selected = 1;
        for (int g = 0; g < groupCount && g < kMaxGroups; ++g)
            if (groups[g].name == name) groups[g].selected = 1;
        if (i < 255) selectedNames[i] = name;
    }
    selectedCount = count;
}

void QX_GUI::onBlock30Pin() {
    BlobReader blob(pinPatchRecord.getData(), pinPatchRecord.getSize());
    const bool withStamp = blob.size() == blob_layout::kPatchRecordSize;
    if (!withStamp && blob.size() != blob_layout::kPatchRecordFirstSize) return;
    std::memcpy(patchPath, blob.data(), sizeof patchPath);
    patchPath[sizeof patchPath - 1] = 0;
    int32_t length = blob.i32(256);
    int32_t held = static_cast<int32_t>(::strnlen(patchPath, sizeof patchPath));
    patchPathLength = length < 0 ? 0 : length > held ? held : length;
    autoSave = blob.u8(260);
    autoSaveClock = blob.i32(264);
    autoLastClock = blob.i32(268);
    autoSaveInterval = blob.i32(272);
    autoBackupOn = blob.u8(277);
    // A record stored before the stamp was kept knows nothing of the file.
    FileStamp stamp;
    if (withStamp && blob.u8(280) == 1) {
        stamp.held = 1;
        stamp.nanoseconds = blob.i32(284);
        stamp.size = blob.u64(288);
        stamp.seconds = static_cast<int64_t>(blob.u64(296));
    }
    saveState.patchFileStamp = stamp;
    // Whether a file holds the stage as it is: unknown in an older record, so a load keeps it.
    saveState.heldStage = HeldStage{};
    saveState.heldStageAfterQueue = 0;
    if (withStamp && blob.u8(281) == 1) saveState.heldStage = HeldStage{1, blob.u64(304)};
}

void QX_GUI::onSlicesPin() {
    appendConsoleLine("");
    appendConsoleLine("RECEIVE SLICES");
    BlobReader blob(pinSlices.getData(), pinSlices.getSize());
    if (blob.size() != blob_layout::kSlicesSize) return;
    for (int s = 0; s < 20; ++s) {
        int64_t r = int64_t{s} * SliceRecord::kEncodedSize;
        SliceRecord& slice = slices[s];
        for (int k = 0; k < SliceRecord::kMembers; ++k) {
            int32_t source = blob.i32(r + 4 * k);
            slice.sourceIndex[k] = source >= -1 && source < kMaxLiveItems ? source : -1;
            slice.level[k] = blob.f32(r + 260 + 4 * k);
            slice.x[k] = blob.f32(r + 516 + 4 * k);
            slice.y[k] = blob.f32(r + 772 + 4 * k);
            slice.size[k] = blob.f32(r + 1028 + 4 * k);
        }
        int32_t count = blob.i32(r + 256);
        slice.memberCount = count < 0                       ? 0
                            : count > SliceRecord::kMembers ? SliceRecord::kMembers
                                                            : count;
    }
}
