// The cable table: live cables are kept packed at the front, in the order they were made.
#include <algorithm>

#include "app/qx_gui.h"

namespace {

bool isChannelIndex(int32_t i) {
    return i >= 0 && i < kMembershipSlots;
}

} // namespace

void QX_GUI::compactCables() {
    const int32_t count = std::clamp(cableCount, 0, kMaxCables);
    int32_t kept = 0;
    for (int32_t c = 0; c < count; ++c)
        if (cables[c].source != -1) cableWorkTable[kept++] = cables[c];
    cableCount = kept;
    for (int32_t c = 0; c < kept; ++c) cables[c] = cableWorkTable[c];
}

// The target keeps its cabled flag for the pair while another live cable still joins it.
void QX_GUI::removeCable(int32_t i) {
    if (i < 0 || i >= std::min(cableCount, kMaxCables)) return;
    CableRecord& cable = cables[i];
    const int32_t source = cable.source;
    const int32_t target = cable.target;
    bool pairStillJoined = false;
    for (int32_t c = 0; c < cableCount && !pairStillJoined; ++c)
        pairStillJoined = c != i && cables[c].source == source && cables[c].target == target;
    if (!pairStillJoined && isChannelIndex(source) && target >= 0 && target < kMaxTargets)
        targets[target].cabled[source] = 0;
    cable.source = -1;
    cable.target = -1;
    compactCables();
}

int32_t QX_GUI::addPendingCable() {
    const int32_t source = pendingCableSource;
    const int32_t target = pendingCableTarget;
    if (!isChannelIndex(source) || target < 0 || target >= kMaxTargets) return -1;
    if (cableCount >= kMaxCables) {
        appendConsoleLine("MAXIMUM NUMBER OF CABLES = 4096");
        return -1;
    }
    CableRecord& cable = cables[cableCount];
    cable.source = source;
    cable.target = target;
    cable.level = 0.5f;
    cable.mute = 0;
    cable.solo = 0;
    cable.phase = 1.0f;
    cable.useGroups = 1;
    targets[target].cabled[source] = 1;
    targets[target].gainRow[source] = pendingCableLevel;
    ++cableCount;
    pendingCableSource = -1;
    pendingCableTarget = -1;
    compactCables();
    sendStateAndRedraw();
    return cableCount - 1;
}
