// One channel strip of the INPUTS or OUTPUTS page, drawn at the current origin (the strip's
// top-left corner): panel, name or level readout, fader area, buttons, meters, meter history,
// scales, knob, and the dark veil of an inactive strip.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "render/draw_layer.h"

namespace {

std::string formatted(const char* format, double value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string formattedInt(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    return text;
}

// A button: column (0 left, 1 centre, 2 right), row, colour, lit alpha, whether its letter
// turns black while lit, and its label in buttonLabels.
struct ButtonStyle {
    int32_t column;
    bool lowerRow;
    float r, g, b, litAlpha;
    bool darkLetterWhenLit;
    int32_t label;
};
constexpr ButtonStyle kButtons[6] = {
    {0, false, 1.0f, 1.0f, 0.0f, 1.0f, true, 0},  // M
    {1, false, 1.0f, 0.0f, 0.0f, 1.0f, false, 1}, // S
    {2, false, 0.0f, 1.0f, 1.0f, 1.0f, true, 2},  // P
    {0, true, 0.0f, 0.5f, 1.0f, 0.8f, true, 4},   // D
    {1, true, 0.0f, 1.0f, 0.0f, 0.8f, true, 5},   // E
    {2, true, 1.0f, 0.0f, 0.5f, 0.8f, false, 3},  // C
};

bool isButtonOn(const FaderRecord& s, int32_t button) {
    switch (button) {
    case 0:
        return s.mute == 1;
    case 1:
        return s.solo == 1;
    case 2:
        return s.phase == -1.0f;
    case 3:
        return s.delayOn == 1;
    case 4:
        return s.filterOn == 1;
    default:
        return s.dynamicsOn == 1;
    }
}

// The meter ring of the strip's item, newest first.
struct MeterHistory {
    const float* ring = nullptr;
    int32_t writeIndex = 0;
    int32_t length = 0;
};

constexpr int32_t kEnvelopeSlots =
    static_cast<int32_t>(sizeof(SourceRecord::envelope) / sizeof(SourceRecord::envelope[0]));

// Draws the parts of one strip; the geometry names follow the strip record.
struct StripPainter {
    DrawLayer& d;
    StrokeFont& font;
    const FaderRecord& s;
    float sw, rh, L, B, bw, bh, kw, kh;
    float knobOffset; // the knob's distance up from the fader bottom

    StripPainter(DrawLayer& layer, StrokeFont& strokeFont, const FaderRecord& strip,
                 const FaderLaw& law)
        : d(layer), font(strokeFont), s(strip), sw(strip.stripWidth), rh(strip.rowHeight),
          L(strip.faderLength), B(strip.faderBottom), bw(strip.buttonWidth), bh(strip.buttonHeight),
          kw(strip.knobWidth), kh(strip.knobHeight) {
        const float travel = L - 4.0f;
        knobOffset = std::clamp(law.gainToPosition(s.level) * travel / law.dragSpeed, 0.0f, travel);
    }

    void colour(float alpha) { d.colour(s.colour[0], s.colour[1], s.colour[2], alpha); }

    void panel(const std::string& title) {
        colour(1.0f);
        d.rect(0.0f, 0.0f, sw, rh);
        d.colour(0.0f, 0.0f, 0.0f, 1.0f);
        d.rect(2.0f, 2.0f, sw - 2.0f, 11.0f);
        colour(1.0f);
        font.setModes(1, -1);
        d.text(font, title.c_str(), 1, s.layoutStripWidth / 2.0f, 4.0f);
        d.colour(0.0f, 0.0f, 0.0f, 1.0f);
        d.rect(2.0f, 12.0f, sw - 2.0f, 12.0f + L - 1.0f);
        d.rect(2.0f, s.upperButtonY - 2.0f, sw - 2.0f, s.upperButtonY + 30.0f);
    }

    void buttons() {
        const float columnX[3] = {4.0f, sw / 2.0f - bw / 2.0f, sw - 4.0f - bw};
        const float letterX[6] = {4.0f + bw / 2.0f - 1.0f, sw / 2.0f, sw - 4.0f - bw / 2.0f + 1.0f,
                                  4.0f + bw / 2.0f - 1.0f, sw / 2.0f, sw - 4.0f - bw / 2.0f};
        for (int32_t b = 0; b < 6; ++b) {
            const ButtonStyle& style = kButtons[b];
            const float x = columnX[style.column];
            const float y = style.lowerRow ? s.lowerButtonY : s.upperButtonY;
            d.colour(style.r, style.g, style.b, isButtonOn(s, b) ? style.litAlpha : 0.3f);
            d.rect(x, y, x + bw, y + bh);
        }
        font.setModes(1, -1);
        for (int32_t b = 0; b < 6; ++b) {
            const ButtonStyle& style = kButtons[b];
            const float y = style.lowerRow ? s.lowerButtonY : s.upperButtonY;
            const float grey = style.darkLetterWhenLit && isButtonOn(s, b) ? 0.0f : 1.0f;
            d.colour(grey, grey, grey, 1.0f);
            d.text(font, s.buttonLabels[style.label].c_str(), 1, letterX[b], y + 4.0f);
        }
    }

    void meters() {
        const float hm = std::min(s.meter * L, L);
        const float hp = std::min(s.meter * s.level * L, L);
        colour(0.5f);
        d.rect(4.0f, B - 1.0f - hm, sw / 2.0f, B - 1.0f);
        d.rect(4.0f, B - 1.0f - hp, 9.0f, B - 1.0f);
        d.rect(sw / 2.0f, B - 1.0f - knobOffset, sw - 4.0f, B - 1.0f);
        colour(1.0f);
        const float peakY = B - s.peak * L;
        d.rect(4.0f, peakY, 9.0f, peakY + 1.0f);
    }

    // One row per pixel of the fader area, newest at the top; a row's width and alpha follow
    // the meter value, the alpha also the item's level.
    void history(const MeterHistory& h, bool trace) {
        if (!trace || h.length <= 0) {
            d.colour(0.0f, 1.0f, 1.0f, 0.5f);
            d.rect(2.0f, 12.0f, sw - 2.0f, 12.0f + L);
            return;
        }
        d.mode(6);
        d.lineWidth(1.0f);
        int32_t k = ((h.writeIndex % h.length) + h.length) % h.length;
        const float full = sw - 4.0f;
        for (int32_t row = 0; static_cast<float>(row) < L - 1.0f; ++row) {
            const float value = h.ring[k];
            const float width = std::min(full * value, full);
            d.colour(1.0f, 1.0f, 1.0f, value * s.level);
            const float y = 12.0f + static_cast<float>(row);
            d.rect(sw / 2.0f - width / 2.0f, y, sw / 2.0f + width / 2.0f, y + 1.0f);
            k = k == 0 ? h.length - 1 : k - 1;
        }
        d.mode(0);
    }

    void scales(const FaderScale& left, const FaderScale& right) {
        d.colour(1.0f, 1.0f, 1.0f, 0.5f);
        font.setModes(2, -1);
        for (int32_t k = 0, db = 12; k < 12; ++k, db -= 6) {
            const float y = B - right.marks[k];
            d.rect(sw - 9.0f, y - 1.0f, sw - 4.0f, y);
            d.text(font, formattedInt(db).c_str(), 1, sw - 11.0f, y - 3.0f);
        }
        font.setModes(0, -1);
        for (int32_t n = 0; n < 30; ++n) {
            const float y = B - left.marks[n];
            if (n % 3 == 0 && n < 25 && n != 21) {
                d.colour(1.0f, 1.0f, 1.0f, 0.5f);
                d.text(font, formattedInt(n).c_str(), 1, 11.0f, y - 3.0f);
            } else {
                d.colour(1.0f, 1.0f, 1.0f, 0.2f);
            }
            d.rect(4.0f, y - 1.0f, 9.0f, y);
        }
    }

    float trimMid() const { return 12.0f + L / 2.0f; }
    float trimStep() const { return L / 11.0f; }

    // Centre ticks, then five dB steps above and below with lines, ticks and numbers.
    void trimScale() {
        const float mid = trimMid();
        const float step = trimStep();
        font.setModes(2, -1);
        d.colour(1.0f, 1.0f, 1.0f, 0.7f);
        d.rect(4.0f, mid, 14.0f, mid + 1.0f);
        d.rect(sw - 14.0f, mid, sw - 4.0f, mid + 1.0f);
        for (int32_t k = 1; k <= 5; ++k) {
            const float ys[2] = {mid - static_cast<float>(k) * step,
                                 mid + static_cast<float>(k) * step};
            d.colour(1.0f, 1.0f, 1.0f, 0.2f);
            for (float y : ys) d.rect(17.0f, y, sw - 17.0f, y + 1.0f);
            d.colour(1.0f, 1.0f, 1.0f, 0.5f);
            for (float y : ys) {
                d.rect(4.0f, y, 9.0f, y + 1.0f);
                d.rect(sw - 9.0f, y, sw - 4.0f, y + 1.0f);
            }
            const std::string label = formattedInt(k);
            font.setModes(0, -1);
            for (float y : ys) d.text(font, label.c_str(), 1, 11.0f, y - 2.0f);
            font.setModes(2, -1);
            for (float y : ys) d.text(font, label.c_str(), 1, sw - 11.0f, y - 2.0f);
        }
    }

    void knob() {
        d.colour(1.0f, 1.0f, 1.0f, 0.5f);
        d.rect(sw / 2.0f - 1.0f, 12.0f, sw / 2.0f + 1.0f, 12.0f + L);
        const float c = s.kind == kStripTrim
                            ? std::trunc(B - 1.0f - (trimMid() + trimStep() * s.level - kh / 2.0f))
                            : std::trunc(B - knobOffset - 1.0f);
        const float kx = sw / 2.0f - kw / 2.0f;
        const float ky = c - kh / 2.0f;
        colour(1.0f);
        d.rect(kx, ky, kx + kw, ky + kh);
        d.colour(0.0f, 0.0f, 0.0f, 0.8f);
        d.rect(kx + 1.0f, ky + 1.0f, kx + kw - 1.0f, ky + kh - 1.0f);
        colour(1.0f);
        d.rect(kx + 2.0f, ky + 2.0f, kx + kw - 2.0f, ky + kh - 2.0f);
        d.colour(0.0f, 0.0f, 0.0f, 0.5f);
        d.rect(kx + 4.0f, c - 1.0f, kx + kw - 4.0f, c + 1.0f);
    }

    void inactiveVeil() {
        d.colour(0.0f, 0.0f, 0.0f, 0.8f);
        d.rect(0.0f, 0.0f, sw, rh);
    }
};

} // namespace

void QX_GUI::drawChannelStrip(const FaderScale& left, const FaderScale& right,
                              const FaderRecord& strip) {
    StripPainter painter(*drawLayer, font, strip, faderLaw);
    const bool trim = strip.kind == kStripTrim;
    const bool readout =
        (strip.index == mixerPages.hoveredStrip && mixerPages.showLevelReadout) || strip.highlight;
    std::string title = strip.name;
    if (readout) title = formatted("%.2fdB", trim ? strip.level : 20.0 * std::log10(strip.level));
    painter.panel(title);
    painter.buttons();
    if (!trim) painter.meters();
    const bool source = strip.kind == kStripSource;
    if ((source || strip.kind == kStripTarget) && stageView.visualisations) {
        const int32_t count = source ? sourceCount : targetCount;
        const bool inTable = strip.index >= 0 && strip.index < kMaxLiveItems;
        MeterHistory history;
        float level = 0.0f;
        if (inTable && source) {
            const SourceRecord& item = sources[strip.index];
            history = {item.envelope, item.envelopeWrite,
                       std::min(item.envelopeLength, kEnvelopeSlots)};
            level = item.level;
        } else if (inTable) {
            const TargetRecord& item = targets[strip.index];
            history = {item.envelope, item.envelopeWrite,
                       std::min(item.envelopeLength, kEnvelopeSlots)};
            level = item.level;
        }
        const bool trace =
            strip.index < count && inTable && (!strip.itemActivity || level > 0.0001f);
        painter.history(history, trace);
    }
    if (trim)
        painter.trimScale();
    else
        painter.scales(left, right);
    painter.knob();
    if (!strip.active) painter.inactiveVeil();
}
