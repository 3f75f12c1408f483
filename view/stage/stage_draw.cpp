// The STAGE page: the stage transform, the passes in their layering order behind their view
// switches, the drag feedback, the info boxes, and the pieces the page draws itself (distance
// scale, item labels, group member lines, heat-map readout).
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "model/global_radius.h"
#include "render/draw_layer.h"
#include "view/input/interaction_modes.h"
#include "view/stage/stage_items.h"

using namespace stage_items;

namespace {

struct ScaleMark {
    float fraction;
    const char* label;
};
constexpr ScaleMark kDistanceScale[7] = {{0.11f, "-1"},    {0.208f, "-2"}, {0.3f, "-3"},
                                         {0.5f, "-6"},     {0.75f, "-12"}, {0.8875f, "-18"},
                                         {0.94735f, "-24"}};

bool isDrawableZoom(float zoom) {
    return zoom > 0.0f && std::isfinite(zoom) && std::isfinite(1.0f / zoom);
}

} // namespace

void QX_GUI::drawStagePage() {
    // A window without area draws nothing, and nothing divides by its size.
    if (!(windowWidth >= 1.0f) || !(windowHeight >= 1.0f)) return;
    drawLayer->clear();
    applyFramePreamble();
    if (isDrawableZoom(view.viewZoom) && std::isfinite(view.viewPanX) &&
        std::isfinite(view.viewPanY)) {
        drawLayer->pushMatrix();
        drawLayer->stage(1);
        drawLayer->scale(view.viewZoom, view.viewZoom);
        drawLayer->translate(windowWidth * 0.5f / view.viewZoom + view.viewPanX,
                             windowHeight * 0.5f / view.viewZoom + view.viewPanY);
        const float quad[8] = {0, 0, windowWidth, 0, windowWidth, windowHeight, 0, windowHeight};
        for (int i = 0; i < 8; ++i) stage.stageWindowQuad[i] = quad[i];
        drawLayer->lineWidth(1.5f);
        if (stageView.gridShown == 1) drawStageGrid();
        if (stageView.roomsShown == 1) {
            drawLayer->lineWidth(3.0f);
            drawRooms();
            drawLayer->lineWidth(1.5f);
        }
        if (stageView.annotationVisibility != 0) drawAnnotations();
        if (stageView.heatmapOn) drawRoomsHeatmap();
        drawLayer->mode(1);
        if (interaction.redrawLayerOn) drawSourceBlendLayer();
        drawLayer->mode(0);
        if (interaction.stageInteractionMode == kModeSourceSize &&
            isSource(*this, stage.pickedSource)) {
            const SourceRecord& s = sources[stage.pickedSource];
            const float radius = s.size * viewSettings.globalRadius;
            drawLayer->colour(s.colourRed, s.colourGreen, s.colourBlue, 0.1f);
            drawStageFill(s.x, s.y, radius);
            drawLayer->scale(1.0f / view.viewZoom, 1.0f / view.viewZoom);
            drawSourceSpreadReadout(stage.pickedSource);
            drawLayer->scale(view.viewZoom, view.viewZoom);
            if (radius > 100.0f) drawDistanceScale(s.x, s.y, radius);
        }
        drawCurrentItemHighlights();
        if (stageView.crosshairShown == 1) drawStageCrosshair();
        drawItemLabels();
        if (stageView.cablesShown == 1 && stageView.sourcesShown == 1 &&
            stageView.targetsShown == 1)
            drawStageConnections();
        drawStageItems();
        drawStageDragFeedback();
        if (annotations.annotationButtonLayer == 0) drawAnnotationButtons();
        drawMarquee();
        drawLayer->scale(1.0f / view.viewZoom, 1.0f / view.viewZoom);
        drawStageInfoBoxes();
        drawLayer->popMatrix();
        // Only the stage draws in stage units; the panels on top read "stage" as 0.
        drawLayer->stage(0);
    }
    if (stageView.heatmapOn) drawHeatmapReadout();
    if (stageView.debugViewOn) drawProcessingPipeline();
}

void QX_GUI::drawStageConnections() {
    drawSourceTargetCurves();
    drawSourceLinkCurves();
    drawCables();
}

void QX_GUI::drawStageItems() {
    if (stageView.targetsShown == 1) {
        drawLayer->lineWidth(1.5f);
        drawTargets();
    }
    if (stageView.groupsShown == 1) {
        if (stageView.sourcesShown == 1) drawGroupOutline();
        drawGroups();
    }
    if (stageView.sourcesShown == 1) drawSources();
}

// The member lines of every shown group to its shown members.
void QX_GUI::drawGroupOutline() {
    float segments[4 * kMembershipSlots];
    for (int32_t g = 0; g < liveCount(groupCount, kMaxGroups); ++g) {
        const GroupRecord& group = groups[g];
        if (group.shown != 1) continue;
        int32_t n = 0;
        const int32_t members = liveCount(group.memberCount, kMembershipSlots);
        for (int32_t k = 0; k < members; ++k) {
            const int32_t s = group.memberList[k];
            if (!isSource(*this, s) || sources[s].shown != 1) continue;
            segments[4 * n] = group.x;
            segments[4 * n + 1] = group.y;
            segments[4 * n + 2] = sources[s].x;
            segments[4 * n + 3] = sources[s].y;
            ++n;
        }
        drawLayer->lineWidth(2.5f);
        drawLayer->colour(group.colourRed, group.colourGreen, group.colourBlue, 0.5f);
        if (n > 0) drawLayer->vertices(Primitive::Lines, segments, 2 * n, 2 * n);
    }
}

void QX_GUI::drawItemLabels() {
    font.setModes(1, -1);
    if (stageView.targetLabels == 1 && stageView.targetsShown == 1)
        for (int32_t t = 0; t < liveCount(targetCount, kMaxTargets); ++t) {
            const TargetRecord& r = targets[t];
            if (r.visible != 1) continue;
            drawLayer->colour(r.colourRed, r.colourGreen, r.colourBlue, 1.0f);
            drawLayer->text(font, r.name.c_str(), 1, r.x, r.y - 17.0f);
        }
    if (stageView.groupLabels == 1 && stageView.groupsShown == 1)
        for (int32_t g = 0; g < liveCount(groupCount, kMaxGroups); ++g) {
            const GroupRecord& r = groups[g];
            if (r.shown != 1) continue;
            drawLayer->colour(r.colourRed, r.colourGreen, r.colourBlue, 1.0f);
            drawLayer->text(font, r.name.c_str(), 1, r.x, r.y - 22.0f);
        }
    if (stageView.sourceLabels == 1 && stageView.sourcesShown == 1)
        for (int32_t s = 0; s < liveCount(sourceCount, kMaxSources); ++s) {
            const SourceRecord& r = sources[s];
            if (r.shown != 1) continue;
            drawLayer->colour(r.colourRed, r.colourGreen, r.colourBlue, 1.0f);
            drawLayer->text(font, r.name.c_str(), 1, r.x, r.y - 17.0f);
        }
}

// The readout of the gesture under way, at the item's place and in pixel size.
void QX_GUI::drawStageDragFeedback() {
    const int32_t mode = interaction.stageInteractionMode;
    if (mode == kModeTargetRadius) {
        if (!isTarget(*this, stage.pickedTarget)) return;
        const TargetRecord& t = targets[stage.pickedTarget];
        const float radius = usesGlobalRadiusWhenOne(t) ? viewSettings.globalRadius : t.ownRadius;
        drawLayer->colour(t.colourRed, t.colourGreen, t.colourBlue, 0.1f);
        drawStageFill(t.x, t.y, radius);
        if (radius > 100.0f) drawDistanceScale(t.x, t.y, radius);
        return;
    }
    if (mode != kModeCableLevel && mode != kModeSourceLevel &&
        (mode < kModeGroupLevel || mode > kModeTargetLevel) && mode != kModeFeedbackGain)
        return;
    drawLayer->scale(1.0f / view.viewZoom, 1.0f / view.viewZoom);
    switch (mode) {
    case kModeCableLevel:
        drawMultiHoverReadout(stage.pickedCable);
        break;
    case kModeSourceLevel:
        drawSourceHoverReadout(stage.pickedSource);
        break;
    case kModeGroupLevel:
        drawSourceGroupHoverReadout(stage.pickedGroup);
        break;
    case kModeRoomLevel:
        drawRoomHoverReadout(stage.pickedRoom);
        break;
    case kModeTargetLevel:
        drawTargetHoverReadout(stage.pickedTarget);
        break;
    default:
        drawMixHoverReadout(stage.pickedSource);
        break;
    }
    drawLayer->scale(view.viewZoom, view.viewZoom);
}

void QX_GUI::drawStageInfoBoxes() {
    if (stageView.sourcesShown == 1 && stage.sourceInfoBoxOpen == 1 &&
        isSource(*this, currentSource))
        drawSourceInfoBox(currentSource);
    if (stageView.groupsShown == 1 && stage.groupInfoBoxOpen == 1 && isGroup(*this, currentGroup))
        drawGroupInfoBox(currentGroup);
    if (stageView.targetsShown == 1 && stage.targetInfoBoxOpen == 1 &&
        isTarget(*this, currentTarget))
        drawTargetInfoBox(currentTarget);
}

// Seven translucent discs that lighten towards the centre, with ticks and their dB labels.
void QX_GUI::drawDistanceScale(float x, float y, float radius) {
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.02f);
    for (const ScaleMark& m : kDistanceScale) drawStageFill(x, y, m.fraction * radius);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
    font.setModes(1, -1);
    for (const ScaleMark& m : kDistanceScale) {
        drawLayer->text(font, "|", 1, x + m.fraction * radius, y - 2.0f);
        drawLayer->text(font, m.label, 1, x + m.fraction * radius, y + 10.0f);
    }
    for (const ScaleMark& m : kDistanceScale) {
        drawLayer->text(font, "|", 1, x - m.fraction * radius, y - 2.0f);
        drawLayer->text(font, m.label, 1, x - m.fraction * radius, y + 10.0f);
    }
    for (const ScaleMark& m : kDistanceScale)
        drawLayer->text(font, "-", 1, x, y + m.fraction * radius - 2.0f);
    for (const ScaleMark& m : kDistanceScale)
        drawLayer->text(font, "-", 1, x, y - m.fraction * radius - 2.0f);
}

// The heat map's value under the pointer, in window pixels beside it.
void QX_GUI::drawHeatmapReadout() {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f dB", stage.heatmapValueDb);
    const float px = static_cast<float>(interaction.pointerPixelX);
    const float py = static_cast<float>(interaction.pointerPixelY);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.8f);
    drawLayer->rect(px + 5.0f, py + 21.0f, px + 47.0f, py + 32.0f);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(px + 6.0f, py + 22.0f, px + 46.0f, py + 31.0f);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.8f);
    font.setModes(1, -1);
    drawLayer->text(font, text, 1, px + 26.0f, py + 24.0f);
}

// A disc of `radius` about (x, y) in the current colour: the radius-100 disc placed by the
// shader's disc mode.
void QX_GUI::drawStageFill(float x, float y, float radius) {
    drawLayer->mode(0);
    drawLayer->metrics(x, y, radius, radius);
    drawLayer->mode(2);
    drawLayer->vertices(Primitive::Triangles, unitDisc, unitDiscCount, unitDiscCount);
    drawLayer->mode(0);
}
