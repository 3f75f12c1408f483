// The info boxes of a source, a group and a target: drawn at the item's place in pixel size,
// with the item's name, its meters and its assignments as grids of channel cells.
#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/stage/info_box_layout.h"
#include "view/stage/stage_items.h"

using namespace stage_items;
namespace ib = info_box;

namespace {

void fill(DrawLayer& layer, const ib::Rect& r) {
    layer.rect(r.x0, r.y0, r.x1, r.y1);
}

void fillAt(DrawLayer& layer, const ib::Rect& r, ib::Point at) {
    layer.rect(r.x0 + at.x, r.y0 + at.y, r.x1 + at.x, r.y1 + at.y);
}

struct Colour {
    float r, g, b;
};

} // namespace

namespace {

// Body, title bar, name and labels of a box.
void drawFrame(DrawLayer& layer, StrokeFont& font, const ib::Frame& frame, const std::string& name,
               Colour c) {
    layer.colour(c.r, c.g, c.b, 1.0f);
    fill(layer, frame.body);
    if (frame.titled) fill(layer, frame.title);
    font.setModes(0, -1);
    layer.text(font, name.c_str(), 1, frame.name.x, frame.name.y);
    if (frame.inverseLabels)
        layer.colour(1.0f - c.r, 1.0f - c.g, 1.0f - c.b, 1.0f);
    else
        layer.colour(1.0f, 1.0f, 1.0f, 1.0f);
    for (const ib::Frame::Label& label : frame.labels)
        layer.text(font, label.text, 1, label.at.x, label.at.y);
}

void drawMeters(DrawLayer& layer, const ib::Meters& m, Colour c, float left, float right) {
    layer.colour(0.4f, 0.4f, 0.4f, 1.0f);
    for (int32_t i = 0; i < m.panelCount; ++i) fill(layer, m.panels[i]);
    fill(layer, m.leftSlot);
    fill(layer, m.rightSlot);
    layer.colour(0.0f, 0.0f, 0.0f, 0.9f);
    fill(layer, m.leftWell);
    fill(layer, m.rightWell);
    layer.colour(c.r, c.g, c.b, 1.0f);
    fill(layer, ib::meterBar(m, m.leftWell.x0, m.leftWell.x1, left));
    fill(layer, ib::meterBar(m, m.rightWell.x0, m.rightWell.x1, right));
}

// One cell: full in `c`, or a dark square with a strip of `c` over it.
void drawCell(DrawLayer& layer, ib::Point origin, int32_t i, bool full, Colour c, Colour dark,
              float darkAlpha = 1.0f) {
    const ib::Rect cell = ib::cellRect(i);
    if (full) {
        layer.colour(c.r, c.g, c.b, 1.0f);
        fillAt(layer, cell, origin);
        return;
    }
    layer.colour(dark.r, dark.g, dark.b, darkAlpha);
    fillAt(layer, cell, origin);
    layer.colour(c.r, c.g, c.b, 1.0f);
    fillAt(layer, ib::cellStrip(cell), origin);
}

constexpr Colour kGrey = {0.5f, 0.5f, 0.5f};
constexpr Colour kDark = {0.1f, 0.1f, 0.1f};
constexpr Colour kBlack = {0.0f, 0.0f, 0.0f};

} // namespace

void QX_GUI::drawSourceInfoBox(int32_t s) {
    if (!isSource(*this, s)) return;
    const SourceRecord& source = sources[s];
    const Colour c = {source.colourRed, source.colourGreen, source.colourBlue};
    const float dx = view.viewZoom * source.x, dy = view.viewZoom * source.y;
    drawLayer->translate(dx, dy);
    drawFrame(*drawLayer, font, ib::kSourceFrame, source.name, c);
    drawMeters(*drawLayer, ib::kSourceMeters, c, sourceFirstMeter(*this, s),
               sourceLevelMeter(*this, s));
    const int32_t channel = source.virtualChannel;
    if (isSource(*this, channel) && sources[channel].clip == 1) {
        drawLayer->colour(1.0f, 0.0f, 0.0f, 1.0f);
        fill(*drawLayer, ib::kSourceMeters.leftClip);
        if (sources[channel].level >= 1.0f) fill(*drawLayer, ib::kSourceMeters.rightClip);
    }
    const ib::Point groupsAt = ib::kSourceGridOrigin;
    for (int32_t g = 0; g < 16; ++g) {
        const GroupRecord& group = groups[g];
        const bool member = source.groupFlags[g] == 1;
        drawCell(*drawLayer, groupsAt, g, member,
                 {group.colourRed, group.colourGreen, group.colourBlue}, kDark);
    }
    const ib::Point inputsAt = {groupsAt.x + ib::kSourceInputGridStep.x,
                                groupsAt.y + ib::kSourceInputGridStep.y};
    for (int32_t i = 0; i < kChannels; ++i) {
        const Colour cell =
            isSource(*this, i)
                ? Colour{sources[i].colourRed, sources[i].colourGreen, sources[i].colourBlue}
                : kGrey;
        drawCell(*drawLayer, inputsAt, i, i == channel, cell, kDark);
    }
    drawLayer->translate(-dx, -dy);
}

void QX_GUI::drawTargetInfoBox(int32_t t) {
    if (!isTarget(*this, t)) return;
    const TargetRecord& target = targets[t];
    const Colour c = {target.colourRed, target.colourGreen, target.colourBlue};
    const float dx = view.viewZoom * target.x, dy = view.viewZoom * target.y;
    drawLayer->translate(dx, dy);
    drawFrame(*drawLayer, font, ib::kTargetFrame, target.name, c);
    const float first = targetFirstMeter(*this, t), activity = targetActivityMeter(*this, t);
    drawMeters(*drawLayer, ib::kTargetMeters, c, first, activity);
    drawLayer->colour(1.0f, 0.0f, 0.0f, 1.0f);
    if (first > 1.0f) fill(*drawLayer, ib::kTargetMeters.leftClip);
    if (activity / target.level > 1.0f) fill(*drawLayer, ib::kTargetMeters.rightClip);
    const ib::Point at = ib::kChannelGridOrigin;
    for (int32_t i = 0; i < kChannels; ++i) {
        const Colour cell =
            isTarget(*this, i)
                ? Colour{targets[i].colourRed, targets[i].colourGreen, targets[i].colourBlue}
                : kGrey;
        drawCell(*drawLayer, at, i, i == target.virtualChannel, cell, kBlack);
        if (i == currentTarget) {
            drawLayer->colour(cell.r, cell.g, cell.b, 1.0f);
            fillAt(*drawLayer, ib::currentCellMark(ib::cellRect(i)), at);
        }
    }
    drawLayer->translate(-dx, -dy);
}

void QX_GUI::drawGroupInfoBox(int32_t g) {
    if (!isGroup(*this, g)) return;
    const GroupRecord& group = groups[g];
    const Colour c = {group.colourRed, group.colourGreen, group.colourBlue};
    const float dx = view.viewZoom * group.x, dy = view.viewZoom * group.y;
    drawLayer->translate(dx, dy);
    drawFrame(*drawLayer, font, ib::kGroupFrame, group.name, c);
    const ib::Point at = ib::kChannelGridOrigin;
    for (int32_t i = 0; i < kChannels; ++i) {
        if (!isSource(*this, i)) {
            drawLayer->colour(0.1f, 0.1f, 0.1f, 0.1f);
            fillAt(*drawLayer, ib::cellRect(i), at);
            continue;
        }
        const SourceRecord& s = sources[i];
        drawCell(*drawLayer, at, i, group.memberFlags[i] == 1,
                 {s.colourRed, s.colourGreen, s.colourBlue}, kDark);
    }
    drawLayer->colour(0.4f, 0.4f, 0.4f, 1.0f);
    fill(*drawLayer, ib::kGroupPanel);
    drawLayer->translate(at.x, at.y);
    drawLayer->colour(0.1f, 0.1f, 0.1f, 1.0f);
    fill(*drawLayer, ib::kMovementPad);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.1f);
    fill(*drawLayer, ib::kMovementCentreX);
    fill(*drawLayer, ib::kMovementCentreY);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    fill(*drawLayer, ib::movementLineX(group.movementX, group.movementY));
    fill(*drawLayer, ib::movementLineY(group.movementX, group.movementY));
    drawLayer->colour(c.r, c.g, c.b, 1.0f);
    fill(*drawLayer, ib::movementHandle(group.movementX, group.movementY));
    drawLayer->colour(0.4f, 0.4f, 0.4f, 1.0f);
    fill(*drawLayer, ib::kRotationFrame);
    drawLayer->colour(0.1f, 0.1f, 0.1f, 1.0f);
    fill(*drawLayer, ib::kRotationWell);
    drawLayer->colour(c.r, c.g, c.b, 1.0f);
    fill(*drawLayer, ib::rotationBar(group.rotationSpeed));
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    fill(*drawLayer, ib::kRotationTick);
    drawLayer->translate(-at.x, -at.y);
    drawLayer->translate(-dx, -dy);
}
