// The OUTPUTS page's mouse: presses on the target strips and the MASTER strip, fader and
// master drags, their release, and wheel steps of the hovered target's level or the master.
// Every master edit raises the view-state flag besides the gain matrix: the master travels on
// the view-state pin, which is also what the host stores.
#include <cstdio>

#include "app/qx_gui.h"
#include "view/pages/mixer/fader_drag.h"

namespace {
constexpr int32_t kMeterPeak = 4; // the held peak of the output meter
} // namespace

void QX_GUI::masterLevelChanged() {
    raiseSendFlag(kSendViewState);
    raiseSendFlag(kSendGainMatrix);
}

int32_t QX_GUI::outputsPageLButtonDown(WPARAM, int32_t x, int32_t y) {
    const StripHit hit = hitTestStrip(kStripTarget, x, y);
    if (hit.strip == -1) return 0;
    const bool live = hit.strip < targetCount;
    if (hit.strip < kTwoRowStrip && live) {
        currentTarget = hit.strip;
        mixerPages.lastClickedChannel = kMaxLiveItems + hit.strip;
    }
    if (hit.strip == kTwoRowStrip) {
        const StripHit master = hitTestMasterStrip(kStripMaster, x, y);
        if (master.control == kControlKnob) {
            grabMasterKnob(master.localY);
        } else if (isKeyDownZ()) {
            viewSettings.masterVolume = 0.0f;
            masterLevelChanged();
        }
    }
    if (hit.control > 0) setStripCursor(false);
    if (hit.strip < kTwoRowStrip && live) pressStripControl(kStripTarget, hit.strip, hit);
    updateMuteSoloSummary();
    raiseSendFlag(kSendTargets);
    raiseSendFlag(kSendGainMatrix);
    return 0;
}

void QX_GUI::grabMasterKnob(int32_t localY) {
    const FaderRecord master = getMasterStripLayout();
    if (!(master.faderLength > 0.0f)) return;
    setStripCursor(true);
    interaction.dragStartValue = viewSettings.masterVolume;
    targets[kTwoRowStrip].meter[kMeterPeak] = 0.0f;
    interaction.pageMouseHold = 1;
    mixerPages.dragGrabPos = (master.faderBottom - static_cast<float>(localY)) / master.faderLength;
    mixerPages.dragKnobPos = fader_drag::knobFraction(faderLaw, viewSettings.masterVolume);
    mixerPages.draggedStrip = kTwoRowStrip;
}

int32_t QX_GUI::outputsPageLButtonUp(WPARAM, int32_t x, int32_t y) {
    interaction.pageMouseHold = 0;
    mixerPages.draggedStrip = -1;
    if (hitTestStrip(kStripTarget, x, y).control == kControlKnob ||
        hitTestMasterStrip(kStripMaster, x, y).control == kControlKnob)
        setStripCursor(false);
    return 0;
}

int32_t QX_GUI::outputsPageMouseMove(WPARAM, int32_t x, int32_t y) {
    MixerPageState& page = mixerPages;
    const StripHit hit = hitTestStrip(kStripTarget, x, y);
    page.hoveredStrip = -1;
    page.showLevelReadout = 0;
    if (hit.strip >= 0 && hit.strip <= kTwoRowStrip) page.hoveredStrip = hit.strip;
    int32_t localY = hit.localY;
    if (hit.strip == kTwoRowStrip) {
        const StripHit master = hitTestMasterStrip(kStripMaster, x, y);
        if (master.control > 0) setStripCursor(false);
        localY = master.localY;
    }
    const bool live = hit.strip >= 0 && hit.strip < targetCount;
    if (live && hit.control >= 0) setStripCursor(false);
    if (!interaction.pageMouseHold) return 0;
    setStripCursor(true);
    // A target drag follows over any target strip; the master only over its own column.
    const bool targetGrabbed = page.draggedStrip >= 0 && page.draggedStrip < kTwoRowStrip &&
                               currentTarget >= 0 && currentTarget < targetCount;
    if (targetGrabbed && live) {
        const FaderRecord layout = getStripLayout();
        const float pointer =
            (layout.faderBottom - static_cast<float>(localY)) / layout.faderLength;
        targets[currentTarget].level =
            fader_drag::levelFromDrag(faderLaw, pointer, page.dragGrabPos, page.dragKnobPos);
    } else if (page.draggedStrip == kTwoRowStrip && hit.strip == kTwoRowStrip) {
        const FaderRecord master = getMasterStripLayout();
        const float pointer =
            (master.faderBottom - static_cast<float>(localY)) / master.faderLength;
        viewSettings.masterVolume =
            fader_drag::levelFromDrag(faderLaw, pointer, page.dragGrabPos, page.dragKnobPos);
        masterLevelChanged();
    }
    return 0;
}

int32_t QX_GUI::outputsPageMouseWheel(WPARAM, int32_t delta, int32_t) {
    MixerPageState& page = mixerPages;
    const int32_t strip = page.hoveredStrip;
    char status[32];
    std::snprintf(status, sizeof status, "IN CHANNEL %i", strip);
    setStatusMessage(status);
    const float step = fader_drag::wheelStepDb(delta, isKeyDownShift());
    if (strip >= 0 && strip < targetCount && strip < kTwoRowStrip) {
        targets[strip].level = fader_drag::levelAfterWheelStep(targets[strip].level, step);
        page.showLevelReadout = 1;
        raiseSendFlag(kSendTargets); // the targets record goes out with the gain matrix
    } else if (strip == kTwoRowStrip) {
        viewSettings.masterVolume =
            fader_drag::levelAfterWheelStep(viewSettings.masterVolume, step);
        page.showLevelReadout = 1;
        masterLevelChanged();
    }
    return 0;
}
