// Text-entry commits that edit the DYNAMICS, FILTERS, DELAY and VIRTUAL editors' items.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/qx_gui.h"

namespace {

float readClamped(const std::string& text, float low, float high) {
    return std::clamp(static_cast<float>(std::atof(text.c_str())), low, high);
}

} // namespace

// The edited dynamics go to the item and to its syndication set.
void QX_GUI::storeAndSyndicateDynamics(bool copySidechain, bool sidechainToSelf) {
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    syndicateDynamics(copySidechain, copySidechain, sidechainToSelf);
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
}

// Attack (23) or release (24) time in ms; the coefficient reaches 1 % after that time.
void QX_GUI::commitDynamicsTime(int32_t id, const std::string& text) {
    const float ms = readClamped(text, 0.0f, 2000.0f);
    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    (id == 23 ? curve.attackMs : curve.releaseMs) = ms;
    curve.buildTable60();
    const double coefficient = std::pow(0.01, 1000.0 / (static_cast<double>(sampleRate) * ms));
    (id == 23 ? dynamicsEditor.dynamicsEditCurve.attackCoefficient
              : dynamicsEditor.dynamicsEditCurve.releaseCoefficient) =
        static_cast<float>(coefficient);
    storeAndSyndicateDynamics(false, false);
}

// The side-chain is chosen by the exact name of a source (or, for a target's dynamics, of a
// target, which wins); without a match the previous side-chain stays.
void QX_GUI::commitSideChainName(int32_t, const std::string& text) {
    const int32_t kind = dynamicsEditor.dynamicsPanelKind;
    const int32_t index = dynamicsEditor.dynamicsPanelIndex;
    if ((kind != kKindSource && kind != kKindTarget) || index < 0 || index >= kChannels) return;
    int32_t chosen = dynamicsEditor.dynamicsEditCurve.sidechainIndex;
    int32_t chosenKind = dynamicsEditor.dynamicsEditCurve.sidechainKind;
    const int32_t liveSources = std::min(sourceCount, static_cast<int32_t>(kChannels));
    for (int32_t s = 0; s < liveSources; ++s) {
        if (sources[s].name != text) continue;
        chosen = s;
        chosenKind = kKindSource;
        if (kind == kKindTarget) setStatusMessage("TARGET SIDECHAINS FROM SOURCE");
        break;
    }
    if (kind == kKindTarget) {
        raiseSendFlag(kSendOutputDynamics);
        const int32_t liveTargets = std::min(targetCount, static_cast<int32_t>(kChannels));
        for (int32_t t = 0; t < liveTargets; ++t) {
            if (targets[t].name != text) continue;
            chosen = t;
            chosenKind = kKindTarget;
            setStatusMessage("TARGET SIDECHAINS FROM TARGET");
            break;
        }
    } else {
        raiseSendFlag(kSendInputDynamics);
        if (chosen == index && dynamicsEditor.dynamicsEditCurve.sidechainLocation == 3)
            dynamicsEditor.dynamicsEditCurve.sidechainLocation = 2;
    }
    dynamicsEditor.dynamicsEditCurve.sidechainIndex = static_cast<uint8_t>(chosen);
    dynamicsEditor.dynamicsEditCurve.sidechainKind = static_cast<uint8_t>(chosenKind);
    const bool toSelf = chosen == index;
    storeAndSyndicateDynamics(!toSelf, toSelf);
}

// The VIRTUAL editor's selected pin takes the typed channel (1 to 64).
void QX_GUI::commitVirtualChannel(int32_t, const std::string& text) {
    const int32_t channel = std::atoi(text.c_str()) - 1;
    if (channel < 0 || channel >= 64) return;
    swapVirtualChannels(virtualEditor.virtualEditMode, virtualEditor.virtualEditIndex,
                        virtualEditor.virtualSelectedPin, channel);
}

// Gain (100 to 104), frequency (200 to 204) or width (300 to 304) of a FILTERS band.
void QX_GUI::commitFilterBand(int32_t id, const std::string& text) {
    EqBand& band = filtersEditor.eqEditBands[id % 100];
    if (id < 200)
        band.gainDb = readClamped(text, -12.0f, 12.0f);
    else if (id < 300)
        band.frequency = readClamped(text, 20.0f, 16000.0f);
    else
        band.width = readClamped(text, 0.1f, 5.0f);
    band.redesign();
    storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    syndicateFilters();
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

// The DELAY editor's time, typed in ms, kept in seconds.
void QX_GUI::commitDelayTime(int32_t, const std::string& text) {
    delayEditor.delayTime =
        std::clamp(static_cast<float>(std::atof(text.c_str()) * 0.001), -1.0f, 1.0f);
    storeDelaySettings(delayEditor.delayPanelKind, delayEditor.delayPanelIndex);
    syndicateDelay();
    if (delayEditor.delayPanelKind == kKindSource) {
        raiseSendFlag(kSendInputDelays);
        sendInputDelaysBlob();
    } else if (delayEditor.delayPanelKind == kKindTarget) {
        raiseSendFlag(kSendOutputDelays);
        sendOutputDelaysBlob();
    }
}
