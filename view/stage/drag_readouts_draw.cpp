// The readout boxes beside a level or spread drag on the stage. The page calls each painter in
// a frame scaled by 1/zoom, so a box keeps its pixel size and stands at zoom x the item's
// stage point. A painter whose item is not in its table draws nothing.
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/stage/readout_geometry.h"
#include "view/stage/stage_items.h"

using namespace stage_items;
using namespace readout_geometry;

namespace {

struct Rgb {
    float red;
    float green;
    float blue;
};

struct MemberBar {
    Rgb colour;
    float value;
};

// What differs between the boxes: anchor (window pixels in the scaled frame), colours, label.
struct ReadoutBox {
    float x;
    float y;
    Rgb frame;
    Rgb text;
    float textAlpha;
    float labelFieldAlpha;
};

constexpr float kBaseLine = 58.0f;
constexpr float kHalfWidth = 12.0f;

template <class Item> Rgb colourOf(const Item& item) {
    return {item.colourRed, item.colourGreen, item.colourBlue};
}

void setColour(DrawLayer& d, Rgb c, float alpha) {
    d.colour(c.red, c.green, c.blue, alpha);
}

// Frame and inner field; leaves the frame colour set.
void drawBoxBody(DrawLayer& d, const ReadoutBox& box) {
    setColour(d, box.frame, 0.5f);
    d.rect(box.x - 16.0f, box.y - 62.0f, box.x + 16.0f, box.y + 62.0f);
    d.colour(0.0f, 0.0f, 0.0f, 0.5f);
    d.rect(box.x - 14.0f, box.y - 60.0f, box.x + 14.0f, box.y + 60.0f);
    setColour(d, box.frame, 0.5f);
}

// One bar in the meter shader mode, from x0 to x1, risen by the value.
void drawMeterBar(DrawLayer& d, const ReadoutBox& box, float x0, float x1, float value) {
    const float base = box.y + kBaseLine;
    const float h = meterBarHeight(value);
    d.mode(6);
    d.metrics(1.0f, 1.0f, 1.0f, value);
    if (h > 0.0f) d.rect(x0, base - h, x1, base);
    d.mode(0);
}

void drawTwoBars(DrawLayer& d, const ReadoutBox& box, float meter, float gain) {
    drawMeterBar(d, box, box.x - kHalfWidth, box.x, meter);
    drawMeterBar(d, box, box.x, box.x + kHalfWidth, meter * gain);
}

// n bars share the 24 pixels, each in its member's colour; then the frame colour again.
void drawMemberBars(DrawLayer& d, const ReadoutBox& box, const std::vector<MemberBar>& bars) {
    const float width = 2.0f * kHalfWidth / static_cast<float>(bars.size());
    for (size_t k = 0; k < bars.size(); ++k) {
        const float x0 = box.x - kHalfWidth + static_cast<float>(k) * width;
        setColour(d, bars[k].colour, 0.5f);
        drawMeterBar(d, box, x0, x0 + width, bars[k].value);
    }
    setColour(d, box.frame, 0.5f);
}

void drawFillFrom(DrawLayer& d, const ReadoutBox& box, float h) {
    const float base = box.y + kBaseLine;
    if (h > 0.0f) d.rect(box.x - kHalfWidth, base - h, box.x + kHalfWidth, base);
}

void drawFaderAndUnityMark(DrawLayer& d, const FaderLaw& law, const ReadoutBox& box, float gain) {
    drawFillFrom(d, box, faderFillHeight(law, gain));
    const float top = box.y + kBaseLine - unityMarkHeight(law);
    d.rect(box.x - kHalfWidth, top, box.x + kHalfWidth, top + 1.0f);
}

void drawLabel(QX_GUI& gui, const ReadoutBox& box, const char* label) {
    DrawLayer& d = *gui.drawLayer;
    d.colour(0.0f, 0.0f, 0.0f, box.labelFieldAlpha);
    d.rect(box.x - 31.0f, box.y + 66.0f, box.x + 29.0f, box.y + 76.0f);
    setColour(d, box.text, box.textAlpha);
    gui.font.setModes(1, -1);
    d.text(gui.font, label, 1, box.x + 1.0f, box.y + 68.0f);
}

void drawLevelLabel(QX_GUI& gui, const ReadoutBox& box, float gain) {
    char label[48];
    std::snprintf(label, sizeof label, "LEVEL %.2fdB",
                  20.0 * std::log10(static_cast<double>(gain)));
    drawLabel(gui, box, label);
}

// A box with the input meter and the meter after the gain.
void drawTwoBarBox(QX_GUI& gui, const ReadoutBox& box, float meter, float gain) {
    DrawLayer& d = *gui.drawLayer;
    drawBoxBody(d, box);
    drawTwoBars(d, box, meter, gain);
    drawFaderAndUnityMark(d, gui.faderLaw, box, gain);
    drawLevelLabel(gui, box, gain);
}

void drawMemberBox(QX_GUI& gui, const ReadoutBox& box, const std::vector<MemberBar>& bars,
                   float gain) {
    DrawLayer& d = *gui.drawLayer;
    drawBoxBody(d, box);
    if (!bars.empty()) drawMemberBars(d, box, bars);
    drawFaderAndUnityMark(d, gui.faderLaw, box, gain);
    drawLevelLabel(gui, box, gain);
}

// The product of the levels of the groups in a source's own group list.
float sourceGroupGain(const QX_GUI& gui, const SourceRecord& source) {
    float gain = 1.0f;
    for (int32_t k = 0; k < liveCount(source.groupCount, kMembershipSlots); ++k)
        if (isGroup(gui, source.groupList[k])) gain *= gui.groups[source.groupList[k]].level;
    return gain;
}

// The product of the levels of every group whose member flag for source s is set.
float memberGroupGain(const QX_GUI& gui, int32_t s) {
    float gain = 1.0f;
    for (int32_t g = 0; g < liveCount(gui.groupCount, QX_GUI::kMaxGroups); ++g)
        if (gui.groups[g].memberFlags[s] == 1) gain *= gui.groups[g].level;
    return gain;
}

} // namespace

void QX_GUI::drawMultiHoverReadout(int32_t c) {
    if (c < 0 || c >= liveCount(cableCount, kMaxCables)) return;
    const CableRecord& cable = cables[c];
    if (!isSource(*this, cable.source) || !isTarget(*this, cable.target)) return;
    const SourceRecord& s = sources[cable.source];
    const TargetRecord& t = targets[cable.target];
    float meter = sourceLevelMeter(*this, cable.source) * s.level;
    if (cable.useGroups) meter *= sourceGroupGain(*this, s);
    const ReadoutBox box{view.viewZoom * 0.5f * (s.x + t.x),
                         view.viewZoom * 0.5f * (s.y + t.y),
                         {0.7f, 0.7f, 0.7f},
                         {1.0f, 1.0f, 1.0f},
                         0.7f,
                         0.5f};
    drawTwoBarBox(*this, box, meter, cable.level);
}

void QX_GUI::drawSourceHoverReadout(int32_t s) {
    if (!isSource(*this, s)) return;
    const SourceRecord& r = sources[s];
    const ReadoutBox box{
        view.viewZoom * r.x, view.viewZoom * r.y, colourOf(r), colourOf(r), 1.0f, 0.8f};
    drawTwoBarBox(*this, box, sourceLevelMeter(*this, s), r.level);
}

void QX_GUI::drawSourceSpreadReadout(int32_t s) {
    if (!isSource(*this, s)) return;
    const SourceRecord& r = sources[s];
    const ReadoutBox box{
        view.viewZoom * r.x, view.viewZoom * r.y, colourOf(r), colourOf(r), 1.0f, 0.5f};
    drawBoxBody(*drawLayer, box);
    drawFillFrom(*drawLayer, box, spreadFillHeight(r.size));
    char label[48];
    std::snprintf(label, sizeof label, "SPREAD %.2f", static_cast<double>(r.size));
    drawLabel(*this, box, label);
}

void QX_GUI::drawSourceGroupHoverReadout(int32_t g) {
    if (!isGroup(*this, g)) return;
    const GroupRecord& group = groups[g];
    std::vector<MemberBar> bars;
    for (int32_t k = 0; k < liveCount(group.memberCount, kMembershipSlots); ++k) {
        const int32_t s = group.memberList[k];
        if (!isSource(*this, s)) continue;
        const float v = sourceLevelMeter(*this, s) * sources[s].level * memberGroupGain(*this, s);
        bars.push_back({colourOf(sources[s]), v});
    }
    const ReadoutBox box{view.viewZoom * group.x,
                         view.viewZoom * group.y,
                         colourOf(group),
                         colourOf(group),
                         1.0f,
                         0.5f};
    drawMemberBox(*this, box, bars, group.level);
}

// Targets count by position inside the room's rectangle, not by the room's list.
void QX_GUI::drawRoomHoverReadout(int32_t r) {
    if (!isRoom(*this, r)) return;
    const RoomRecord& room = rooms[r];
    std::vector<MemberBar> bars;
    for (int32_t t = 0; t < liveCount(targetCount, kMaxTargets); ++t) {
        const TargetRecord& target = targets[t];
        if (target.x < room.x || target.x > room.x + room.width || target.y < room.y ||
            target.y > room.y + room.height)
            continue;
        bars.push_back({colourOf(target), targetActivityMeter(*this, t) * room.level});
    }
    const Rgb inverse{1.0f - room.colourRed, 1.0f - room.colourGreen, 1.0f - room.colourBlue};
    const ReadoutBox box{view.viewZoom * std::trunc(stage.dragStartStageX),
                         view.viewZoom * std::trunc(stage.dragStartStageY),
                         inverse,
                         inverse,
                         0.5f,
                         0.8f};
    drawMemberBox(*this, box, bars, room.level);
}

void QX_GUI::drawTargetHoverReadout(int32_t t) {
    if (!isTarget(*this, t)) return;
    const TargetRecord& r = targets[t];
    const ReadoutBox box{
        view.viewZoom * r.x, view.viewZoom * r.y, colourOf(r), colourOf(r), 1.0f, 0.8f};
    drawTwoBarBox(*this, box, targetActivityMeter(*this, t), r.level);
}

// The feedback send: the gain of the entry the drag writes, in the colour and with the meter
// of the picked target (the one the press and the drag act on).
void QX_GUI::drawMixHoverReadout(int32_t s) {
    const int32_t entry = stage.pickedFeedbackEntry;
    const int32_t t = stage.pickedTarget;
    const int32_t channel = feedbackMixChannelOf(s);
    if (channel < 0 || entry < 0 || entry >= 64 || !isTarget(*this, t)) return;
    const TargetRecord& r = targets[t];
    const ReadoutBox box{view.viewZoom * interaction.dragStartPixelX,
                         view.viewZoom * interaction.dragStartPixelY,
                         colourOf(r),
                         colourOf(r),
                         0.5f,
                         0.8f};
    drawTwoBarBox(*this, box, targetActivityMeter(*this, t), feedbackMixes[channel].gains[entry]);
}
