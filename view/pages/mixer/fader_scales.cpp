// The fader mark tables of the strips: linear marks every dB, mixer-law marks every 6 dB, and
// the TRIM strip's centre. A table is rebuilt only when its rule or travel changes.
#include <algorithm>

#include "app/qx_gui.h"

namespace {

// dB = 0, -1, ..., -59 as a linear fraction of the travel.
void fillLinear(FaderScale& scale, float maximum) {
    for (int32_t i = 0; i < 60; ++i)
        scale.marks[i] = std::clamp(dbToGain(static_cast<float>(-i)) * maximum, 0.0f, maximum);
}

// dB = 12, 6, ..., -60 on the fader law, with 0 dB at 5/6 of the travel.
void fillMixer(FaderScale& scale, float maximum) {
    FaderLaw law;
    law.init();
    int32_t k = 0;
    for (int32_t db = 12; db > -65; db -= 6)
        scale.marks[k++] =
            std::clamp(law.gainToPosition(dbToGain(static_cast<float>(db))) * maximum * 0.8333333f,
                       0.0f, maximum);
}

void fillTrim(FaderScale& scale, float maximum) {
    scale.marks[0] = maximum * 0.5f;
}

// Builds when the table holds another rule or travel; returns whether it built.
bool rebuild(FaderScale& scale, int32_t kind, float maximum) {
    if (scale.kind == kind && scale.maximum == maximum) return false;
    if (kind == FaderScale::kLinear)
        fillLinear(scale, maximum);
    else if (kind == FaderScale::kMixer)
        fillMixer(scale, maximum);
    else
        fillTrim(scale, maximum);
    scale.kind = kind;
    scale.maximum = maximum;
    return true;
}

} // namespace

void QX_GUI::buildLinearFader(FaderScale& scale, float maximum) {
    rebuild(scale, FaderScale::kLinear, maximum);
}

void QX_GUI::buildMixerFader(FaderScale& scale, float maximum) {
    rebuild(scale, FaderScale::kMixer, maximum);
}

void QX_GUI::buildMasterFaderLin(float maximum) {
    if (rebuild(mixerPages.masterLinScale, FaderScale::kLinear, maximum))
        setStatusMessage("MASTER FADER BUILDER LIN");
}

void QX_GUI::buildMasterFaderExp(float maximum) {
    if (rebuild(mixerPages.masterExpScale, FaderScale::kMixer, maximum))
        setStatusMessage("MASTER FADER BUILDER EXP");
}

void QX_GUI::buildTrimFader(float maximum) {
    if (rebuild(mixerPages.trimScale, FaderScale::kTrim, maximum))
        setStatusMessage("TRIM FADER BUILDER");
}
