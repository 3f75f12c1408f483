// The INPUTS page's mouse: presses on the source strips and the TRIM strip, fader and TRIM
// drags, their release, and wheel steps of the hovered source's level.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "view/pages/mixer/fader_drag.h"

namespace {

// The TRIM offset spans -5 to +5 dB over the travel (11 dB from end to end, so the knob's
// mid-travel is 0 dB); offsets under 0.1 dB count as none. A trimmed gain stops at 12.0.
constexpr float kTrimSpanDb = 11.0f;
constexpr float kTrimLimitDb = 5.0f;
constexpr float kTrimDeadBandDb = 0.1f;
constexpr float kTrimmedGainCap = 12.0f;

} // namespace

int32_t QX_GUI::inputsPageLButtonDown(WPARAM flags, int32_t x, int32_t y) {
    const StripHit hit = hitTestStrip(kStripSource, x, y);
    if (hit.strip == -1) return 0;
    const bool live = hit.strip < sourceCount;
    if (hit.strip < kTwoRowStrip && live) {
        currentSource = hit.strip;
        mixerPages.lastClickedSource = hit.strip;
        mixerPages.lastClickedChannel = hit.strip;
    }
    if (hit.strip == kTwoRowStrip) {
        const StripHit trim = hitTestMasterStrip(kStripTrim, x, y);
        if (trim.control == kControlKnob) grabTrimKnob(trim.localY);
        return 0; // the TRIM column raises nothing
    }
    if (hit.control >= 0 && live) setStripCursor(false);
    if (live) pressStripControl(kStripSource, hit.strip, hit);
    inputsPageMouseMove(flags, x, y);
    updateMuteSoloSummary();
    raiseSendFlag(kSendSources);
    raiseSendFlag(kSendGainMatrix);
    return 0;
}

// Grabs the TRIM knob on the TRIM layout. The knob stands at mid-travel plus the current
// offset, so a press that does not move leaves every level as it was.
void QX_GUI::grabTrimKnob(int32_t localY) {
    const FaderRecord trim = buildInputTrimFader();
    if (!(trim.faderLength > 0.0f)) return;
    MixerPageState& page = mixerPages;
    page.trimDragActive = 1;
    interaction.dragStartValue = 0.0f;
    interaction.pageMouseHold = 1;
    page.dragGrabPos = (trim.faderBottom - static_cast<float>(localY)) / trim.faderLength;
    page.dragKnobPos = 0.5f + page.inputTrimDb / kTrimSpanDb;
    for (int32_t s = 0; s < sourceCount && s < kMaxLiveItems; ++s)
        page.trimBaseDb[s] = 20.0f * std::log10(sources[s].level);
    page.draggedStrip = kTwoRowStrip;
}

// The fader, MASTER and TRIM drags of both mixer pages end: the TRIM springs back.
void QX_GUI::endMixerPageDrag() {
    interaction.pageMouseHold = 0;
    mixerPages.trimDragActive = 0;
    mixerPages.inputTrimDb = 0.0f;
    mixerPages.draggedStrip = -1;
}

int32_t QX_GUI::inputsPageLButtonUp(WPARAM, int32_t x, int32_t y) {
    endMixerPageDrag();
    if (hitTestStrip(kStripSource, x, y).control == kControlKnob ||
        hitTestMasterStrip(kStripTrim, x, y).control == kControlKnob)
        setStripCursor(false);
    return 0;
}

int32_t QX_GUI::inputsPageMouseMove(WPARAM, int32_t x, int32_t y) {
    MixerPageState& page = mixerPages;
    const StripHit hit = hitTestStrip(kStripSource, x, y);
    page.hoveredStrip = -1;
    page.showLevelReadout = 0;
    if (hit.strip > kTwoRowStrip) return 0;
    if (hit.strip >= 0 && hit.strip < kTwoRowStrip) page.hoveredStrip = hit.strip;
    if (hit.strip == kTwoRowStrip) {
        const StripHit trim = hitTestMasterStrip(kStripTrim, x, y);
        setStripCursor(false);
        if (page.trimDragActive && interaction.pageMouseHold) dragTrim(trim.localY);
        return 0;
    }
    const bool live = hit.strip >= 0 && hit.strip < sourceCount;
    if (hit.control > 0 && live) setStripCursor(false);
    // A source drag follows only while the pointer stays over the grabbed strip's column. A
    // hold another page left behind has grabbed no strip and drags nothing.
    const bool sourceGrabbed = page.draggedStrip >= 0 && page.draggedStrip < sourceCount &&
                               page.draggedStrip < kTwoRowStrip;
    if (interaction.pageMouseHold && !page.trimDragActive && sourceGrabbed &&
        hit.strip == currentSource && page.draggedStrip == currentSource) {
        setStripCursor(true);
        const FaderRecord layout = getStripLayout();
        const float pointer =
            (layout.faderBottom - static_cast<float>(hit.localY)) / layout.faderLength;
        sources[currentSource].level =
            fader_drag::levelFromDrag(faderLaw, pointer, page.dragGrabPos, page.dragKnobPos);
    }
    return 0;
}

// The TRIM drag: one offset for all sources, applied to their levels at the grab.
void QX_GUI::dragTrim(int32_t localY) {
    MixerPageState& page = mixerPages;
    const FaderRecord trim = buildInputTrimFader();
    const float pointer = (trim.faderBottom - static_cast<float>(localY)) / trim.faderLength;
    const float knob = pointer - (page.dragGrabPos - page.dragKnobPos);
    float offset = std::clamp((knob - 0.5f) * kTrimSpanDb, -kTrimLimitDb, kTrimLimitDb);
    if (std::fabs(offset) < kTrimDeadBandDb) offset = 0.0f;
    if (offset == page.inputTrimDb) return; // the levels follow the offset alone
    page.inputTrimDb = offset;
    for (int32_t s = 0; s < sourceCount && s < kMaxLiveItems; ++s)
        sources[s].level = std::min(dbToGain(page.trimBaseDb[s] + offset), kTrimmedGainCap);
}

int32_t QX_GUI::inputsPageMouseWheel(WPARAM, int32_t delta, int32_t) {
    MixerPageState& page = mixerPages;
    const int32_t s = page.hoveredStrip;
    if (s < 0 || s >= sourceCount || s >= kTwoRowStrip) return 0;
    page.showLevelReadout = 1;
    sources[s].level = fader_drag::levelAfterWheelStep(
        sources[s].level, fader_drag::wheelStepDb(delta, isKeyDownShift()));
    // The sources record goes out with the gain matrix, so what the host stores holds the level.
    raiseSendFlag(kSendSources);
    return 0;
}
