// The item the SCOPE and FFT panels analyse: a channel below 64 means the monitored source,
// 64 or more the target of that channel - 64.
#include "app/qx_gui.h"

bool QX_GUI::monitoredItem(ColourQuad& colour, std::string& name, int32_t& kind) const {
    if (monitorChannel < 64) {
        if (monitorSource < 0 || monitorSource >= sourceCount || monitorSource >= kMaxSources)
            return false;
        const SourceRecord& s = sources[monitorSource];
        colour = {s.colourRed, s.colourGreen, s.colourBlue, 1.0f};
        name = s.name;
        kind = kKindSource;
        return true;
    }
    const int32_t t = monitorChannel - 64;
    if (t >= targetCount || t >= kMaxTargets) return false;
    const TargetRecord& target = targets[t];
    colour = {target.colourRed, target.colourGreen, target.colourBlue, 1.0f};
    name = target.name;
    kind = kKindTarget;
    return true;
}
