// The rooms heat map: every room that holds targets painted as 10-pixel cells whose opacity is
// the coverage of the room's live targets, and the coverage under the pointer in dB.
#include <cmath>
#include <limits>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "render/draw_layer.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

namespace {

constexpr float kCellPixels = 10.0f;

struct StageRect {
    float left;
    float top;
    float right;
    float bottom;
};

// Sum over the room's target list of 1 - min(distance / radius, 1), for visible, unmuted
// targets.
float roomCoverage(const QX_GUI& gui, const RoomRecord& room, float px, float py) {
    float sum = 0.0f;
    for (int32_t k = 0; k < liveCount(room.targetCount, 64); ++k) {
        const int32_t t = room.targetList[k];
        if (!isTarget(gui, t)) continue;
        const TargetRecord& target = gui.targets[t];
        if (target.visible != 1 || target.mute == 1) continue;
        const float radius =
            usesGlobalRadiusWhenOne(target) ? gui.viewSettings.globalRadius : target.ownRadius;
        const float distance = std::hypot(px - target.x, py - target.y);
        const float reach = distance / radius;
        sum += 1.0f - (reach < 1.0f ? reach : 1.0f);
    }
    return sum;
}

float stageCoordinate(float pixel, float size, float zoom, float pan) {
    return (pixel - size * 0.5f - zoom * pan) / zoom;
}

StageRect visibleStageRect(const QX_GUI& gui) {
    const float w = gui.windowWidth;
    const float h = gui.windowHeight;
    return {stageCoordinate(0.0f, w, gui.view.viewZoom, gui.view.viewPanX),
            stageCoordinate(0.0f, h, gui.view.viewZoom, gui.view.viewPanY),
            stageCoordinate(std::trunc(w), w, gui.view.viewZoom, gui.view.viewPanX),
            stageCoordinate(std::trunc(h), h, gui.view.viewZoom, gui.view.viewPanY)};
}

// Reports a room out of view (each axis on its own); true when it is in view.
bool reportRoomInView(QX_GUI& gui, const RoomRecord& room, const StageRect& view) {
    const bool outLeftRight = room.x + room.width < view.left || view.right < room.x;
    const bool outTopBottom = room.y + room.height < view.top || view.bottom < room.y;
    if (outLeftRight) gui.appendConsoleLine(" ROOM OUT OF VIEW L-R");
    if (outTopBottom) gui.appendConsoleLine(" ROOM OUT OF VIEW T-B");
    return !outLeftRight && !outTopBottom;
}

// The cell centres from + cell/2 + i x cell that lie below `to`, counted by index and never
// more than the window holds cells along that axis.
int32_t cellCount(float from, float to, float cell, float windowSize) {
    const double span = (static_cast<double>(to) - from) / cell;
    if (!(span > 0.0)) return 0;
    const double limit = std::floor(windowSize / kCellPixels) + 1.0;
    const double n = std::ceil(span - 0.5);
    return static_cast<int32_t>(n < limit ? n : limit);
}

void paintRoomCells(QX_GUI& gui, const RoomRecord& room, const StageRect& view) {
    const float cell = kCellPixels / gui.view.viewZoom;
    const float x0 = std::fmax(view.left, room.x);
    const float y0 = std::fmax(view.top, room.y);
    const float x1 = std::fmin(view.right, room.x + room.width);
    const float y1 = std::fmin(view.bottom, room.y + room.height);
    const int32_t columns = cellCount(x0, x1, cell, gui.windowWidth);
    const int32_t rows = cellCount(y0, y1, cell, gui.windowHeight);
    const float n = static_cast<float>(room.targetCount);
    for (int32_t i = 0; i < columns; ++i) {
        const float cx = x0 + cell * (static_cast<float>(i) + 0.5f);
        for (int32_t j = 0; j < rows; ++j) {
            const float cy = y0 + cell * (static_cast<float>(j) + 0.5f);
            const float s = roomCoverage(gui, room, cx, cy);
            gui.drawLayer->colour(1.0f, 1.0f, gui.stage.heatmapPhase, s / n);
            gui.drawLayer->rect(cx - cell * 0.5f, cy - cell * 0.5f, cx + cell * 0.5f,
                                cy + cell * 0.5f);
        }
    }
}

// The coverage in dB of the last room (by index) holding the pointer.
float pointerCoverageDb(const QX_GUI& gui) {
    const float px = stageCoordinate(static_cast<float>(gui.interaction.pointerPixelX),
                                     gui.windowWidth, gui.view.viewZoom, gui.view.viewPanX);
    const float py = stageCoordinate(static_cast<float>(gui.interaction.pointerPixelY),
                                     gui.windowHeight, gui.view.viewZoom, gui.view.viewPanY);
    int32_t hit = -1;
    for (int32_t r = 0; r < liveCount(gui.roomCount, QX_GUI::kMaxRooms); ++r) {
        const RoomRecord& room = gui.rooms[r];
        if (room.x <= px && px <= room.x + room.width && room.y <= py && py <= room.y + room.height)
            hit = r;
    }
    if (hit < 0 || gui.rooms[hit].targetCount < 1) return -std::numeric_limits<float>::infinity();
    return 20.0f * std::log10(roomCoverage(gui, gui.rooms[hit], px, py));
}

} // namespace

void QX_GUI::drawRoomsHeatmap() {
    drawLayer->mode(10);
    const StageRect visible = visibleStageRect(*this);
    for (int32_t r = 0; r < liveCount(roomCount, kMaxRooms); ++r) {
        const RoomRecord& room = rooms[r];
        if (room.targetCount < 1) continue;
        if (reportRoomInView(*this, room, visible)) paintRoomCells(*this, room, visible);
    }
    drawLayer->mode(0);
    stage.heatmapValueDb = pointerCoverageDb(*this);
}
