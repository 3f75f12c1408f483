// The VIRTUAL panel's level readout beside the handle being dragged: the level before and
// after the mix, the fader bar with its 0 dB mark, and the level in dB.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/dynamics/editor_item.h"
#include "panels/virtual/virtual_channels.h"
#include "panels/virtual/virtual_wheel.h"
#include "view/input/interaction_modes.h"

namespace {

struct ReadoutLevels {
    float in = 0.0f;
    float out = 0.0f;
};

float pinMeterOf(const QX_GUI& gui, bool output, int32_t pin) {
    if (pin < 0 || pin >= QX_GUI::kChannels) return 0.0f;
    if (!output) return itemMeters(gui.sources[pin]).pinMeterLevel;
    const int32_t t = itemOnChannel(gui, kKindTarget, pin);
    return t < 0 ? 0.0f : itemMeters(gui.targets[t]).pinMeterLevel;
}

} // namespace

void QX_GUI::drawVirtualCellReadout() {
    const MixRecord* mix = virtualEditMix();
    if (mix == nullptr) return;
    const bool output = virtualEditor.virtualEditMode == 2 || virtualEditor.virtualEditMode == 12;
    const bool pinDrag = interaction.stageInteractionMode == kModeVirtualPinLevel;
    const int32_t slot = std::clamp(virtualEditor.virtualSelectedPin, 0, 63);
    const float value = pinDrag ? mix->gains[slot] : mix->masterLevel;
    ReadoutLevels m;
    if (pinDrag) {
        m.in = pinMeterOf(*this, output, mix->pinNumbers[slot]);
        m.out = m.in * mix->gains[slot];
    } else {
        const int32_t channel = mix->index;
        if (output) {
            char status[48];
            std::snprintf(status, sizeof status, "OUT VIRTUALISATION : %i", channel);
            setStatusMessage(status);
        }
        const int32_t item = itemOnChannel(*this, output ? kKindTarget : kKindSource, channel);
        if (item >= 0)
            m.out = output ? itemMeters(targets[item]).channelMeterLevel
                           : itemMeters(sources[item]).channelMeterLevel;
        m.in = mix->masterLevel != 0.0f ? m.out / mix->masterLevel : 0.0f;
    }

    const float hx = virtualEditor.virtualHandleX;
    const float hy = virtualEditor.virtualHandleY;
    const float bx = hx - 16.0f;
    const float by = hy - 62.0f;
    const float base = by + 120.0f;
    drawLayer->colour(0.7f, 0.7f, 0.7f, 0.5f);
    drawLayer->rect(bx, by, bx + 32.0f, by + 124.0f);
    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.5f);
    drawLayer->rect(bx + 2.0f, by + 2.0f, bx + 30.0f, by + 122.0f);
    drawLayer->colour(0.7f, 0.7f, 0.7f, 0.5f);

    drawLayer->mode(6);
    drawLayer->metrics(1.0f, 1.0f, 1.0f, m.in);
    drawLayer->rect(bx + 4.0f, base - std::min(97.0f * m.in, 116.0f), hx, base);
    drawLayer->metrics(1.0f, 1.0f, 1.0f, m.out);
    drawLayer->rect(hx, base - std::min(97.0f * m.out, 116.0f), hx + 12.0f, base);
    drawLayer->mode(0);

    const auto barHeight = [this](float gain) {
        const float h = faderLaw.gainToPosition(gain) * 116.0f / faderLaw.dragSpeed;
        return std::isnan(h) ? 0.0f : std::clamp(h, 0.0f, 116.0f);
    };
    drawLayer->rect(bx + 4.0f, base - barHeight(value), bx + 28.0f, base);
    const float unity = barHeight(1.0f);
    drawLayer->rect(bx + 4.0f, base - unity, bx + 28.0f, base - unity + 1.0f);

    drawLayer->colour(0.0f, 0.0f, 0.0f, 0.5f);
    drawLayer->rect(bx - 15.0f, by + 128.0f, bx + 45.0f, by + 138.0f);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.7f);
    char label[48];
    std::snprintf(label, sizeof label, "LEVEL %.2fdB",
                  static_cast<double>(20.0f * std::log10(value)));
    font.alignCentre();
    drawLayer->text(font, label, 1, hx + 1.0f, hy + 68.0f);
}
