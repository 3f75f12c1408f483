// The MATRIX page's mouse: switches and names of sources and targets, the VIRTUAL panel on a
// channel marker, cables of the grid cells with their level drag, and virtual-channel
// reassignment. Edits go straight into the model and raise the send flags.
#include <algorithm>
#include <cmath>
#include <string>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "panels/frame/panel_ids.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"
#include "view/pages/matrix/matrix_layout.h"

namespace {

constexpr int32_t kRows = 64;

// A pixel offset from the grid corner as a cell: times 1/9, truncated toward zero.
int32_t cellOf(int32_t offset) {
    return static_cast<int32_t>(static_cast<float>(offset) * (1.0f / 9.0f));
}

bool validRow(int32_t r) {
    return r >= 0 && r < kRows;
}

// The P, S and M boxes beside a source row or above a target column, by the offset from the
// grid's edge: -7..-1 flips the phase, -14..-9 toggles solo, -21..-16 toggles mute.
template <class Record> bool toggleItemSwitch(Record& item, int32_t offset) {
    if (offset >= -7 && offset <= -1) {
        item.phase = -item.phase;
    } else if (offset >= -14 && offset <= -9) {
        item.solo = item.solo == 0 ? 1 : 0;
    } else if (offset >= -21 && offset <= -16) {
        item.mute = item.mute == 0 ? 1 : 0;
    } else {
        return false;
    }
    return true;
}

} // namespace

void QX_GUI::placePageGrid(int32_t width, int32_t height) {
    interaction.pageGridX = (width - 1210) / 2 + 234;
    interaction.pageGridY = (height - 648) / 2;
}

float QX_GUI::dragLevelFrom(float startLevel, float dy) const {
    return faderLaw.levelAfterDrag(startLevel,
                                   0.005f / interaction.dragFineFactor * dy * faderLaw.dragSpeed);
}

int32_t QX_GUI::matrixPageMouseMove(WPARAM, int32_t x, int32_t y) {
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    interaction.pageHoverColumn = cellOf(x - interaction.pageGridX - kMatrixGridInset);
    interaction.pageHoverRow = cellOf(y - interaction.pageGridY - kMatrixGridInset);
    const int32_t c = matrixPage.selectedCable;
    if (interaction.stageInteractionMode == kModeCableLevel && c >= 0 && c < cableCount &&
        c < kMaxCables) {
        interaction.dragFineFactor = isKeyDownCode(VK_SHIFT) ? 4.0f : 1.0f;
        cables[c].level = dragLevelFrom(interaction.dragStartValue,
                                        interaction.dragStartPixelY - static_cast<float>(y));
        raiseSendFlag(kSendCables);
        raiseSendFlag(kSendGainMatrix);
    }
    return 0;
}

int32_t QX_GUI::matrixPageLButtonDown(WPARAM, int32_t x, int32_t y) {
    interaction.dragStartPixelX = static_cast<float>(x);
    interaction.dragStartPixelY = static_cast<float>(y);
    const int32_t gx = x - interaction.pageGridX - kMatrixGridInset;
    const int32_t gy = y - interaction.pageGridY - kMatrixGridInset;
    const int32_t h = interaction.pageHoverColumn;
    const int32_t r = interaction.pageHoverRow;
    if (matrixClickSwitches(h, r, gx, gy)) return 0;
    if (matrixClickGridCell(h, r)) return 0;
    matrixClickReassignment(h, r);
    return 0;
}

// Cases 1 to 4, tried in order: source switches and names, target names, target switches,
// channel markers. True when the click is done.
bool QX_GUI::matrixClickSwitches(int32_t h, int32_t r, int32_t gx, int32_t gy) {
    if (kMatrixSourceSwitchColumns.holds(h) && validRow(r) && matrixClickSourceRow(r, gx))
        return true;
    if (kMatrixTargetNameColumns.holds(h) && validRow(r)) {
        setStatusMessage(std::to_string(h));
        if (r < targetCount) {
            currentTarget = r;
            textEntry.textEntryId = 2;
            openTextEntry(interaction.pageGridX + kMatrixTargetNameEntryX,
                          interaction.pageGridY + kMatrixGridInset + kMatrixCellSize * r, -1, -1,
                          targets[r].name, 2, 0, "NAME TARGET", "", 1);
        }
        return true;
    }
    if (r <= 0 && h >= 0 && h < kRows && matrixClickTargetColumn(h, gy)) return true;
    return matrixClickChannelMarker(h, r);
}

// M, S, P and the name of source row r; any other place only refreshes the summaries.
bool QX_GUI::matrixClickSourceRow(int32_t r, int32_t gx) {
    SourceRecord& source = sources[r];
    if (kMatrixSourceNamePixels.holds(gx)) {
        if (r < sourceCount) {
            currentSource = r;
            textEntry.textEntryId = 1;
            openTextEntry(interaction.pageGridX + kMatrixSourceNameEntryX,
                          interaction.pageGridY + kMatrixGridInset + kMatrixCellSize * r, -1, -1,
                          source.name, 2, 0, "NAME SOURCE", "", 1);
        }
        return true;
    }
    const bool done = toggleItemSwitch(source, gx);
    if (done) {
        updateSourceSoloSummary();
        updateSourceMuteSummary();
    } else {
        updateMuteSoloSummary();
    }
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGainMatrix);
    return done;
}

// M, S and P above target column h.
bool QX_GUI::matrixClickTargetColumn(int32_t h, int32_t gy) {
    TargetRecord& target = targets[h];
    const bool done = toggleItemSwitch(target, gy);
    if (done) {
        updateTargetSoloSummary();
        updateTargetMuteSummary();
    } else {
        updateMuteSoloSummary();
    }
    raiseSendFlag(kSendTargets);
    raiseSendFlag(kSendGainMatrix);
    return done;
}

// Case 4: a channel marker opens the VIRTUAL panel on that input or output channel.
bool QX_GUI::matrixClickChannelMarker(int32_t h, int32_t r) {
    if (!validRow(r)) return false;
    if (h == kMatrixInputMarkerColumn)
        loadVirtualPanel(11, r);
    else if (kMatrixOutputMarkerColumns.holds(h))
        loadVirtualPanel(12, r);
    else
        return false;
    panelFrame.panels[kPanelVirtual].dragging = 0;
    panelFrame.panels[kPanelVirtual].shown = 1;
    bringPanelToFront(kPanelVirtual);
    return true;
}

// Case 5: a grid cell edits, removes or creates the cable of its pair and may start its
// level drag. True when the click is done.
bool QX_GUI::matrixClickGridCell(int32_t h, int32_t r) {
    interaction.stageInteractionMode = kModeIdle;
    matrixPage.selectedCable = -1;
    if (h < 0 || h >= std::min(targetCount, kRows) || r < 0 || r >= std::min(sourceCount, kRows))
        return false;
    int32_t found = -1;
    for (int32_t c = 0; c < cableCount && c < kMaxCables; ++c) {
        if (cables[c].source != r || cables[c].target != h) continue;
        found = c;
        matrixPage.selectedCable = c;
        if (matrixCableKeys(c)) return true;
    }
    if (found >= 0) {
        if (cables[found].level > 0.0f) startCableLevelDrag(found);
        return false;
    }
    return matrixNewCable(h, r);
}

// X or R removes the cable; Z, E, P, A, S edit a live one. True when a key acted.
bool QX_GUI::matrixCableKeys(int32_t c) {
    CableRecord& cable = cables[c];
    if (isKeyDownCode('X') || isKeyDownCode('R')) {
        removeCable(c);
        matrixPage.selectedCable = -1;
        raiseFullMatrixSet();
        return true;
    }
    if (cable.level <= 0.0f) return false;
    if (isKeyDownCode('Z'))
        cable.level = 1.0f;
    else if (isKeyDownCode('E'))
        cable.level = 0.0f;
    else if (isKeyDownCode('P'))
        cable.phase = -cable.phase;
    else if (isKeyDownCode('A'))
        cable.mute = cable.mute == 0 ? 1 : 0;
    else if (isKeyDownCode('S'))
        cable.solo = cable.solo == 0 ? 1 : 0;
    else
        return false;
    raiseRecordSet();
    return true;
}

void QX_GUI::startCableLevelDrag(int32_t c) {
    interaction.dragStartValue = cables[c].level;
    interaction.stageInteractionMode = kModeCableLevel;
    SetCapture(window_);
}

// A new cable for the pair, starting at the gain its position gives (|g / radius|, within
// 0..4; the default level when the gain is 0 or the radius is not positive).
bool QX_GUI::matrixNewCable(int32_t h, int32_t r) {
    pendingCableSource = r;
    pendingCableTarget = h;
    const float g = targets[h].gainRow[r];
    const int32_t c = addPendingCable();
    if (c < 0 || c >= kMaxCables) {
        pendingCableSource = pendingCableTarget = -1;
        return true;
    }
    const TargetRecord& target = targets[h];
    const float radius =
        usesGlobalRadiusWhenNotZero(target) ? viewSettings.globalRadius : target.ownRadius;
    if (std::fabs(g) > 0.0f && radius > 0.0f)
        cables[c].level = std::clamp(std::fabs(g / radius), 0.0f, 4.0f);
    matrixPage.selectedCable = c;
    CableRecord& cable = cables[c];
    pendingCableSource = pendingCableTarget = -1;
    if (isKeyDownCode('E')) {
        cable.level = 0.0f;
        updateCableSoloSummary();
        updateCableMuteSummary();
        interaction.stageInteractionMode = kModeIdle;
        SetCapture(window_);
    } else {
        if (isKeyDownCode('S')) cable.solo = 1;
        if (isKeyDownCode('A')) cable.mute = 1;
        if (isKeyDownCode('Z')) cable.level = 1.0f;
        if (isKeyDownCode('P')) cable.phase = -1.0f;
        updateCableSoloSummary();
        updateCableMuteSummary();
        startCableLevelDrag(c);
    }
    raiseSendFlag(kSendMixers);
    raiseSendFlag(kSendCables);
    raiseSendFlag(kSendGainMatrix);
    return true;
}

// Case 6: one half of a virtual-channel reassignment; the other half completes it.
void QX_GUI::matrixClickReassignment(int32_t h, int32_t r) {
    MatrixPageState& m = matrixPage;
    if (validRow(r)) {
        if (kMatrixSourcePickColumns.holds(h)) {
            m.sourceRowPick = r;
            if (m.inputChannelPick != -1) completeInputReassignment(r, m.inputChannelPick);
        } else if (kMatrixInputChannelPickColumns.holds(h)) {
            m.inputChannelPick = r;
            if (m.sourceRowPick != -1) completeInputReassignment(m.sourceRowPick, r);
        } else if (kMatrixOutputChannelPickColumns.holds(h)) {
            m.outputChannelPick = r;
            if (m.targetRowPick != -1) completeOutputReassignment(m.targetRowPick, r);
        } else if (kMatrixTargetPickColumns.holds(h)) {
            m.targetRowPick = r;
            if (m.outputChannelPick != -1) completeOutputReassignment(r, m.outputChannelPick);
        }
    }
    raiseFullMatrixSet();
}

// The source takes the input channel; the VIRTUAL panel then shows that channel's mix. No
// mix is copied into another channel's slot.
void QX_GUI::completeInputReassignment(int32_t source, int32_t channel) {
    sources[source].virtualChannel = channel;
    loadVirtualPanel(11, channel);
    sendInputMixerBlob();
    raiseSendFlag(kSendMixers);
    matrixPage.sourceRowPick = matrixPage.inputChannelPick = -1;
}

void QX_GUI::completeOutputReassignment(int32_t target, int32_t channel) {
    targets[target].virtualChannel = channel;
    matrixPage.targetRowPick = matrixPage.outputChannelPick = -1;
}

void QX_GUI::raiseRecordSet() {
    for (int32_t flag : {kSendSources, kSendTargets, kSendGroups, kSendCables, kSendRooms,
                         kSendViewState, kSendGainMatrix})
        raiseSendFlag(flag);
}

void QX_GUI::raiseFullMatrixSet() {
    raiseRecordSet();
    raiseSendFlag(kSendMixers);
}

int32_t QX_GUI::matrixPageRButtonDown(WPARAM, int32_t, int32_t) {
    const int32_t h = interaction.pageHoverColumn;
    const int32_t r = interaction.pageHoverRow;
    if (validRow(h) && validRow(r)) {
        for (int32_t c = 0; c < cableCount && c < kMaxCables; ++c) {
            if (cables[c].source == r && cables[c].target == h) {
                removeCable(c);
                raiseRecordSet();
                return 0;
            }
        }
    }
    matrixPage.clearPicks();
    return 0;
}

int32_t QX_GUI::matrixPageLButtonUp(WPARAM, int32_t, int32_t) {
    interaction.stageInteractionMode = kModeIdle;
    ReleaseCapture();
    return 0;
}
