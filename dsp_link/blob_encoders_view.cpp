// Encoders of the view and session blobs: view state, panel layout, name lists, notes, the
// patch-file record, slices and scripts.
#include <cstring>
#include <vector>

#include "app/qx_gui.h"
#include "dsp_link/blob_layouts.h"
#include "dsp_link/byte_order.h"
#include "dsp_link/selection_lists.h"
#include "model/checked_number.h"

namespace {

void sendBytes(MpGuiPin<MpBlob>& pin, const std::vector<uint8_t>& bytes) {
    pin.setValue(bytes.data(), static_cast<int32_t>(bytes.size()));
}

uint8_t on(int32_t value) {
    return value != 0 ? 1 : 0;
}

} // namespace

void QX_GUI::sendViewStateBlob() {
    std::vector<uint8_t> out(blob_layout::kViewStateSize, 0);
    uint8_t* p = out.data();
    le::putF32(p, 0, viewSettings.globalRadius);
    // Bytes 4 to 20 in the order of their TOGGLE words.
    const int32_t switches[] = {
        stageView.roomsShown,   stageView.targetsShown, stageView.groupsShown,
        stageView.sourcesShown, stageView.cablesShown,  stageView.crosshairShown,
        stageView.gridShown,    stageView.roomLabels,   stageView.targetLabels,
        stageView.groupLabels,  stageView.sourceLabels, stageView.annotationVisibility,
        view.stageLock,         stageView.roomsLocked,  stageView.targetsLocked,
        stageView.groupsLocked, stageView.sourcesLocked};
    for (size_t k = 0; k < sizeof switches / sizeof switches[0]; ++k) p[4 + k] = on(switches[k]);
    p[21] = stageView.annotationLocks;
    p[22] = on(rotationRunning);
    p[23] = on(movementRunning);
    p[24] = on(stageView.visualisations);
    le::putF32(p, 28, view.viewZoom);
    p[32] = on(guiSnap);
    le::putI32(p, 36, viewStateWord);
    le::putF32(p, 40, static_cast<float>(sourceCount));
    le::putF32(p, 44, static_cast<float>(targetCount));
    le::putF32(p, 48, static_cast<float>(groupCount));
    le::putF32(p, 52, static_cast<float>(roomCount));
    le::putF32(p, 56, viewSettings.masterVolume);
    sendBytes(pinViewState, out);
}

void QX_GUI::sendPanelLayoutBlob() {
    std::vector<uint8_t> out(blob_layout::kPanelLayoutSize, 0);
    uint8_t* p = out.data();
    le::putI32(p, 0, 10);
    for (int k = 0; k < blob_layout::kPanelSlots; ++k) {
        size_t at = 4 + 16 * k;
        if (k < 10) {
            p[at] = panelFrame.panels[k].shown;
            le::putI32(p, at + 4, saturatingInt(panelFrame.panels[k].positionX));
            le::putI32(p, at + 8, saturatingInt(panelFrame.panels[k].positionY));
            le::putF32(p, at + 12, panelFrame.panels[k].scale);
        } else {
            le::putI32(p, at + 4, 300);
            le::putI32(p, at + 8, 300);
            le::putF32(p, at + 12, 1.0f);
        }
    }
    le::putI32(p, 196, view.currentPage);
    p[200] = chrome.toolboxFolded == 0 ? 1 : 0;
    p[201] = chrome.masterHidden == 0 ? 1 : 0;
    le::putI32(p, 204, virtualEditor.virtualEditMode);
    le::putI32(p, 208, virtualEditor.virtualEditIndex);
    le::putI32(p, 212, delayEditor.delayPanelKind);
    le::putI32(p, 216, delayEditor.delayPanelIndex);
    le::putI32(p, 220, filtersEditor.filterPanelKind);
    le::putI32(p, 224, filtersEditor.filterPanelIndex);
    le::putI32(p, 228, dynamicsEditor.dynamicsPanelKind);
    le::putI32(p, 232, dynamicsEditor.dynamicsPanelIndex);
    sendBytes(pinPanelLayout, out);
}

void QX_GUI::sendTextCommandPin() {
    std::vector<uint8_t> out(blob_layout::kNameListsSize, 0);
    uint8_t* p = out.data();
    // Slot 0 is empty and carries the count of list 0; slots 1 to 10 the stored selections.
    le::putI32(p, 1028, selection_lists::nameCount(storedSelections[0]));
    for (int k = 1; k <= selection_lists::kStoredSlots; ++k) {
        size_t at = static_cast<size_t>(blob_layout::kNameListSlotSize) * k;
        std::string text = selection_lists::joinNames(storedSelections[k]);
        std::memcpy(p + at, text.data(), text.size());
        le::putI32(p, at + 1024, static_cast<int32_t>(text.size()));
        le::putI32(p, at + 1028, selection_lists::nameCount(storedSelections[k]));
    }
    // The number of slots the receiver reads (0 to 10), so the stored selections come back.
    le::putI32(p, 16512, selection_lists::kStoredSlots + 1);
    le::putI32(p, 16516, storedSelectionNumber);
    le::putI32(p, 16520, touchedKind);
    le::putI32(p, 16524, touchedIndex);
    sendBytes(pinNameLists, out);
}

void QX_GUI::sendPatchRecordBlob() {
    std::vector<uint8_t> out(blob_layout::kPatchRecordSize, 0);
    uint8_t* p = out.data();
    size_t n = ::strnlen(patchPath, sizeof patchPath - 1);
    std::memcpy(p, patchPath, n);
    le::putI32(p, 256, patchPathLength);
    p[260] = autoSave;
    le::putI32(p, 264, autoSaveClock);
    le::putI32(p, 268, autoLastClock);
    le::putI32(p, 272, autoSaveInterval);
    p[277] = autoBackupOn;
    const FileStamp& stamp = saveState.patchFileStamp;
    p[280] = stamp.held;
    le::putI32(p, 284, stamp.nanoseconds);
    le::putU64(p, 288, stamp.size);
    le::putU64(p, 296, static_cast<uint64_t>(stamp.seconds));
    p[281] = saveState.heldStage.held;
    le::putU64(p, 304, saveState.heldStage.textHash);
    sendBytes(pinPatchRecord, out);
}

void QX_GUI::sendSlicesBlob() {
    std::vector<uint8_t> out(blob_layout::kSlicesSize, 0);
    for (int s = 0; s < 20; ++s) {
        uint8_t* r = out.data() + s * SliceRecord::kEncodedSize;
        const SliceRecord& slice = slices[s];
        for (int k = 0; k < SliceRecord::kMembers; ++k) {
            le::putI32(r, 4 * k, slice.sourceIndex[k]);
            le::putF32(r, 260 + 4 * k, slice.level[k]);
            le::putF32(r, 516 + 4 * k, slice.x[k]);
            le::putF32(r, 772 + 4 * k, slice.y[k]);
            le::putF32(r, 1028 + 4 * k, slice.size[k]);
        }
        le::putI32(r, 256, slice.memberCount);
    }
    sendBytes(pinSlices, out);
}

int32_t QX_GUI::sendScript(ScriptRecord script) {
    appendConsoleLine("SEND SCRIPT");
    sendBytes(pinScriptOut, script_codec::encode(script));
    blankScriptDue = 1; // the next tick answers it with a blank script
    return 0;
}
