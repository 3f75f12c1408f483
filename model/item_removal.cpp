#include "model/item_removal.h"

#include <cstdio>

#include "app/qx_gui.h"

// The source's list is rebuilt once, after its flags are cleared, not once per group: a reset of
// every source otherwise rebuilds 64 lists of 64 for each.
void leaveGroups(QX_GUI& gui, int32_t s, int32_t first, int32_t last) {
    SourceRecord& source = gui.sources[s];
    bool left = false;
    for (int32_t g = first; g < last; ++g) {
        if (g >= 0 && g < kMembershipSlots) {
            source.groupFlags[g] = 0;
            left = true;
        }
        gui.groups[g].removeMember(s);
    }
    if (left) source.rebuildGroupList();
}

void dropCablesOfSource(QX_GUI& gui, int32_t s) {
    for (int32_t c = 0; c < gui.cableCount;) {
        CableRecord& cable = gui.cables[c];
        if (cable.source != s) {
            ++c;
            continue;
        }
        if (cable.target >= 0 && cable.target < QX_GUI::kMaxTargets)
            gui.targets[cable.target].cabled[s] = 0;
        cable.source = -1;
        cable.target = -1;
        gui.compactCables();
    }
}

void dropCablesOfTarget(QX_GUI& gui, int32_t t) {
    for (int32_t c = 0; c < gui.cableCount;) {
        CableRecord& cable = gui.cables[c];
        if (cable.target != t) {
            ++c;
            continue;
        }
        if (cable.source >= 0 && cable.source < kMembershipSlots)
            gui.targets[t].cabled[cable.source] = 0;
        cable.source = -1;
        cable.target = -1;
        gui.compactCables();
    }
}

void switchOffProcessing(DelayRecord& delay, FilterRecord& filter, DynamicsRecord& dynamics) {
    delay.changed = 0;
    delay.on = 0;
    filter.inUse = 0;
    filter.enabled = 0;
    dynamics.mode = 0;
    dynamics.active = 0;
}

std::string numberedName(const char* prefix, int32_t number) {
    char text[32];
    std::snprintf(text, sizeof text, "%s%i", prefix, number);
    return text;
}
