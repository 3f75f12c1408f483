// The VIRTUAL panel's content: the level disc, the four buttons, the pin wheel, the centre with
// the channel number, and the level readout of a running drag.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/frame/panel_ids.h"
#include "panels/virtual/virtual_channels.h"
#include "panels/virtual/virtual_wheel.h"
#include "view/input/interaction_modes.h"

namespace {

bool outputMode(int32_t mode) {
    return mode == 2 || mode == 12;
}

void frame(DrawLayer& layer, float l, float t, float r, float b) {
    layer.rect(l, t, r, t + 2.0f);
    layer.rect(l, b - 2.0f, r, b);
    layer.rect(l, t + 2.0f, l + 2.0f, b - 2.0f);
    layer.rect(r - 2.0f, t + 2.0f, r, b - 2.0f);
}

void square(DrawLayer& layer, float x, float y, float below, float above) {
    layer.rect(x - below, y - below, x + above, y + above);
}

void segment(DrawLayer& layer, float x0, float y0, float x1, float y1) {
    const float v[4] = {x0, y0, x1, y1};
    layer.vertices(Primitive::Lines, v, 2, 2);
}

} // namespace

// The meter level of the pin a slot takes: a source's in input modes, in output modes the
// target on that virtual channel; -1 when the pin names no item.
static float slotPinMeter(const QX_GUI& gui, int32_t mode, int32_t pin) {
    if (pin < 0 || pin >= QX_GUI::kChannels) return -1.0f;
    if (!outputMode(mode)) return itemMeters(gui.sources[pin]).pinMeterLevel;
    const int32_t t = itemOnChannel(gui, kKindTarget, pin);
    if (t < 0) return -1.0f;
    return itemMeters(gui.targets[t]).pinMeterLevel;
}

void QX_GUI::drawVirtualPanel() {
    const PanelWindow& panel = panelFrame.panels[kPanelVirtual];
    const int32_t mode = virtualEditor.virtualEditMode;
    const MixRecord* mix = virtualEditMix();
    // The disc and the buttons take the panel's colour, which loading the mix chose.
    const ColourQuad c{panel.colour[0], panel.colour[1], panel.colour[2], 1.0f};
    drawLayer->pushMatrix();
    drawLayer->scale(panel.scale, panel.scale);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    drawLayer->rect(0.0f, 0.0f, panel.width, panel.height);

    float loudest = 0.0f;
    if (mix != nullptr)
        for (int32_t k = 0; k < activeSlots(*mix); ++k) loudest = std::max(loudest, mix->gains[k]);
    const float level = std::min(loudest * (mix != nullptr ? mix->masterLevel : 0.0f), 1.0f);
    drawLayer->blendAdditive();
    drawLayer->colour(c.red, c.green, c.blue, 1.0f);
    drawLayer->mode(1);
    drawLayer->metrics(panel.width / 2.0f, panel.height / 2.0f, panel.width / 2.0f, level);
    drawLayer->vertices(Primitive::Triangles, unitDisc, 216, std::min(unitDiscCount, 216));
    drawLayer->blendStandard();
    drawLayer->mode(0);

    font.alignLeft();
    frame(*drawLayer, 3.0f, 3.0f, outputMode(mode) ? 56.0f : 50.0f, 16.0f);
    drawLayer->text(font, outputMode(mode) ? "ADD OUTPUT" : "ADD INPUT", 1, 7.0f, 7.0f);
    frame(*drawLayer, 198.0f, 234.0f, 247.0f, 247.0f);
    drawLayer->text(font, "NORMALISE", 1, 202.0f, 238.0f);
    frame(*drawLayer, 208.0f, 3.0f, 247.0f, 16.0f);
    drawLayer->text(font, "ZERO DB", 1, 212.0f, 7.0f);
    frame(*drawLayer, 3.0f, 234.0f, 32.0f, 247.0f);
    drawLayer->text(font, "RESET", 1, 7.0f, 238.0f);

    drawLayer->lineWidth(0.5f);
    font.alignCentre();
    if (mix != nullptr)
        forEachSpoke(*mix, [&](int32_t k, const WheelSpoke& spoke, float angle) {
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f);
            segment(*drawLayer, spoke.x(22.0f), spoke.y(22.0f), spoke.x(110.0f), spoke.y(110.0f));
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
            square(*drawLayer, spoke.x(110.0f), spoke.y(110.0f), 7.0f, 7.0f);
            square(*drawLayer, spoke.x(55.0f), spoke.y(55.0f), 3.0f, 4.0f);
            square(*drawLayer, spoke.x(80.0f), spoke.y(80.0f), 3.0f, 4.0f);
            drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
            square(*drawLayer, spoke.x(110.0f), spoke.y(110.0f), 6.0f, 6.0f);
            const float meter = slotPinMeter(*this, mode, mix->pinNumbers[k]);
            if (meter >= 0.0f) drawLayer->colour(1.0f, 1.0f, 1.0f, meter);
            square(*drawLayer, spoke.x(110.0f), spoke.y(110.0f), 6.0f, 6.0f);
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f);
            char number[16];
            std::snprintf(number, sizeof number, "%i", mix->pinNumbers[k] + 1);
            drawLayer->text(font, number, 1, spoke.x(110.0f), spoke.y(110.0f) - 3.0f);
            if (mix->phases[k] == -1.0f)
                drawLayer->colour(0.0f, 1.0f, 1.0f, 1.0f);
            else
                drawLayer->colour(0.0f, 0.3f, 0.3f, 1.0f);
            square(*drawLayer, spoke.x(55.0f), spoke.y(55.0f), 2.0f, 3.0f);
            if (mix->mutes[k])
                drawLayer->colour(1.0f, 1.0f, 0.0f, 1.0f);
            else
                drawLayer->colour(0.3f, 0.3f, 0.0f, 1.0f);
            square(*drawLayer, spoke.x(80.0f), spoke.y(80.0f), 2.0f, 3.0f);
            drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f);
            for (float side : {6.0f, -6.0f}) {
                const float a = (angle + side) * kWheelDegree;
                segment(*drawLayer, spoke.x(22.0f), spoke.y(22.0f), 125.0f + 31.0f * std::sin(a),
                        125.0f - 31.0f * std::cos(a));
            }
        });

    drawLayer->lineWidth(2.0f);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    square(*drawLayer, 125.0f, 125.0f, 15.0f, 15.0f);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.8f);
    square(*drawLayer, 125.0f, 125.0f, 13.0f, 13.0f);
    // The edited channel, shown 1-based in every mode; none while no mix is edited.
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    char channel[16];
    std::snprintf(channel, sizeof channel, "%i", virtualEditor.virtualEditIndex + 1);
    if (mix != nullptr) drawLayer->text(font, channel, 2, 124.0f, 120.0f);
    if (interaction.stageInteractionMode == kModeVirtualPinLevel ||
        interaction.stageInteractionMode == kModeVirtualMasterLevel)
        drawVirtualCellReadout();
    drawLayer->popMatrix();
}
