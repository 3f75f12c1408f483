// The MUTES panel's mouse: flip a switch, find an item, clear a grid, set the master level.
// The handlers take content pixels; the press and the move turn them into panel units.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "panels/mutes/mutes_layout.h"
#include "view/input/interaction_modes.h"

namespace {

int32_t panelUnit(const PanelWindow& panel, int32_t content) {
    const float s = panel.scale > 0.0f ? panel.scale : 1.0f;
    return static_cast<int32_t>(std::trunc(static_cast<float>(content) * (1.0f / s)));
}

void clearGrid(QX_GUI& gui, const MutesGrid& grid) {
    switch (grid.kind) {
    case MutesKind::Source:
        grid.solo ? gui.unsoloAllSources() : gui.unmuteAllSources();
        break;
    case MutesKind::Target:
        grid.solo ? gui.unsoloAllTargets() : gui.unmuteAllTargets();
        break;
    case MutesKind::Group:
        grid.solo ? gui.unsoloAllGroups() : gui.unmuteAllGroups();
        gui.applyGroupMuteSolo();
        break;
    case MutesKind::Room:
        grid.solo ? gui.unsoloAllRooms() : gui.unmuteAllRooms();
        break;
    }
}

const std::string& mutesItemName(const QX_GUI& gui, MutesKind kind, int32_t i) {
    switch (kind) {
    case MutesKind::Source:
        return gui.sources[i].name;
    case MutesKind::Target:
        return gui.targets[i].name;
    case MutesKind::Group:
        return gui.groups[i].name;
    case MutesKind::Room:
        break;
    }
    return gui.rooms[i].name;
}

} // namespace

int32_t QX_GUI::mutesPanelLButtonDown(WPARAM, int32_t x, int32_t y) {
    const PanelWindow& panel = panelFrame.panels[kPanelMutes];
    const int32_t lx = panelUnit(panel, x);
    const int32_t ly = panelUnit(panel, y);
    if (lx > 304 && lx < 332 && ly > 12 && ly < 214) {
        if (isKeyDownZ()) {
            appendConsoleLine("ZERO THE MASTER VOLUME");
            viewSettings.masterVolume = 1.0f;
        } else {
            // The drag measures the pointer's travel in the moves this panel is handed.
            mutesPanel.masterDragStartX = x;
            mutesPanel.masterDragStartY = y;
            mutesPanel.masterDragStartDb = 20.0f * std::log10(viewSettings.masterVolume);
            interaction.stageInteractionMode = kModeMutesMaster;
            SetCapture(windowHandle());
        }
        // The master travels in the view state; the engine hears it through the gain matrix.
        raiseSendFlag(kSendViewState);
        raiseSendFlag(kSendGainMatrix);
        return 0;
    }
    for (const MutesGrid& grid : kMutesGrids) {
        const int32_t index = mutesCellAt(grid, lx, ly);
        if (index < 0 || index >= mutesItemCount(*this, grid.kind)) continue;
        if (grid.kind == MutesKind::Source) stage.highlightSource = index;
        if (grid.kind == MutesKind::Target) stage.highlightTarget = index;
        if (isKeyDownCtrl()) {
            executeCommandString("FIND " + mutesItemName(*this, grid.kind, index));
            return 0;
        }
        int32_t* on = mutesSwitch(*this, grid, index);
        *on = *on == 1 ? 0 : 1;
        if (grid.kind == MutesKind::Group) {
            currentGroup = index;
            stage.highlightGroup = index;
            applyGroupMuteSolo();
        }
    }
    for (const MutesGrid& grid : kMutesGrids)
        if (lx > grid.clearX0 && lx < grid.clearX0 + 36.0f && ly > grid.clearHitY0 &&
            ly < grid.clearHitY1)
            clearGrid(*this, grid);
    updateMuteSoloSummary();
    for (int32_t flag : {kSendSources, kSendTargets, kSendGroups, kSendCables, kSendRooms,
                         kSendViewState, kSendGainMatrix})
        raiseSendFlag(flag);
    return 0;
}

int32_t QX_GUI::mutesPanelMouseMove(WPARAM, int32_t x, int32_t y) {
    if (interaction.stageInteractionMode == kModeMutesMaster) {
        const float db = mutesPanel.masterDragStartDb -
                         static_cast<float>(y - mutesPanel.masterDragStartY) * 0.5f;
        viewSettings.masterVolume = snapToUnity(std::clamp(dbToGain(db), 0.0f, kMaxDragLevel));
        raiseSendFlag(kSendViewState);
        raiseSendFlag(kSendGainMatrix);
        return 0;
    }
    const PanelWindow& panel = panelFrame.panels[kPanelMutes];
    const int32_t lx = panelUnit(panel, x);
    const int32_t ly = panelUnit(panel, y);
    stage.highlightSource = stage.highlightTarget = stage.highlightGroup = -1;
    for (const MutesGrid& grid : kMutesGrids) {
        if (grid.kind == MutesKind::Room) continue;
        const int32_t index = mutesCellAt(grid, lx, ly);
        if (index < 0 || index >= mutesItemCount(*this, grid.kind)) continue;
        if (grid.kind == MutesKind::Source) stage.highlightSource = index;
        if (grid.kind == MutesKind::Target) stage.highlightTarget = index;
        if (grid.kind == MutesKind::Group) stage.highlightGroup = index;
    }
    return 0;
}

int32_t QX_GUI::mutesPanelLButtonUp(WPARAM, int32_t, int32_t) {
    if (interaction.stageInteractionMode == kModeMutesMaster) ReleaseCapture();
    interaction.stageInteractionMode = kModeIdle;
    return 0;
}
