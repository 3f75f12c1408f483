// The MUTES panel's content: the MASTER meter and the mute and solo grids of every kind.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "panels/mutes/mutes_layout.h"

namespace {

// The summary flag that lights a grid's clear button.
int32_t mutesSummary(const QX_GUI& gui, const MutesGrid& grid) {
    switch (grid.kind) {
    case MutesKind::Source:
        return grid.solo ? gui.anySourceSoloed : gui.anySourceMuted;
    case MutesKind::Target:
        return grid.solo ? gui.anyTargetSoloed : gui.anyTargetMuted;
    case MutesKind::Group:
        return grid.solo ? gui.anyGroupSoloed : gui.anyGroupMuted;
    case MutesKind::Room:
        return grid.solo ? gui.anyRoomSoloed : gui.anyRoomMuted;
    }
    return 0;
}

// Height of a gain on the MASTER meter: 194 units at the law's full-scale position.
float meterHeight(const FaderLaw& law, float gain) {
    const float h = law.gainToPosition(gain) * 194.0f / law.dragSpeed;
    return std::isnan(h) ? 0.0f : std::clamp(h, 0.0f, 194.0f);
}

void setSwitchColour(DrawLayer& layer, bool solo, bool on) {
    layer.colour(1.0f, solo ? 0.0f : 1.0f, 0.0f, on ? 1.0f : 0.2f);
}

} // namespace

void QX_GUI::drawMutesPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelMutes];
    drawLayer->pushMatrix();
    drawLayer->scale(panel.scale, panel.scale);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, 336.0f, 218.0f);

    const float master = viewSettings.masterVolume;
    const float unity = meterHeight(faderLaw, 1.0f);
    const float level = meterHeight(faderLaw, master);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawLayer->rect(304.0f, 10.0f, 332.0f, 11.0f);
    drawLayer->rect(304.0f, 207.0f, 332.0f, 208.0f);
    drawLayer->rect(304.0f, 206.0f - unity, 332.0f, 207.0f - unity);
    drawLayer->rect(304.0f, 206.0f - level, 332.0f, 206.0f);

    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    char text[48];
    std::snprintf(text, sizeof text, "%.2fdB", static_cast<double>(20.0f * std::log10(master)));
    font.alignCentre();
    drawLayer->text(font, text, 1, 318.0f, 209.0f);
    font.alignLeft();
    drawLayer->text(font, "MASTER", 1, 304.0f, 4.0f);
    for (const MutesGrid& grid : kMutesGrids)
        drawLayer->text(font, grid.label, 1, grid.labelX, grid.labelY);

    for (int32_t i = 0; i < kMaxLiveItems; ++i) {
        const float cx = static_cast<float>(12 * (i % 8));
        const float cy = static_cast<float>(12 * (i / 8));
        for (const MutesGrid& grid : kMutesGrids) {
            const int32_t count = mutesItemCount(*this, grid.kind);
            const bool listed = grid.kind == MutesKind::Source || grid.kind == MutesKind::Target;
            if (i >= count && !listed) continue;
            if (i >= count)
                drawLayer->colour(0.0f, 0.0f, 0.0f, 0.1f);
            else
                setSwitchColour(*drawLayer, grid.solo, *mutesSwitch(*this, grid, i) == 1);
            const float x = grid.cellX + cx;
            const float y = grid.cellY + cy;
            drawLayer->rect(x, y, x + 10.0f, y + 10.0f);
        }
    }
    for (const MutesGrid& grid : kMutesGrids) {
        setSwitchColour(*drawLayer, grid.solo, mutesSummary(*this, grid) == 1);
        drawLayer->rect(grid.clearX0, grid.clearY0, grid.clearX1, grid.clearY1);
    }
    drawLayer->popMatrix();
}
