// Cabling verbs: CABLE joins every named source to every named target, UNCABLE frees every
// cable of the named sources and targets.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "command/verb_support.h"
#include "model/global_radius.h"

namespace {

void updateCableSummaries(QX_GUI& gui) {
    gui.anyCableMuted = 0;
    gui.anyCableSoloed = 0;
    for (int32_t c = 0; c < std::min(gui.cableCount, QX_GUI::kMaxCables); ++c) {
        if (gui.cables[c].mute == 1) gui.anyCableMuted = 1;
        if (gui.cables[c].solo == 1) gui.anyCableSoloed = 1;
    }
}

// The level of a new cable from the geometry of its pair: the gain law of the matrix with
// the division by the radius done here. A source sitting on its target gets what the law
// gives at distance 0; one out of reach gets 0.5.
float geometricCableLevel(const QX_GUI& gui, const SourceRecord& source,
                          const TargetRecord& target) {
    const float R =
        usesGlobalRadiusWhenNotZero(target) ? gui.viewSettings.globalRadius : target.ownRadius;
    const float dx = source.x - target.x;
    const float dy = source.y - target.y;
    if (dx * dx == 0.0f && dy * dy == 0.0f)
        return std::fabs(std::max(std::min(source.size, 1.0f), 0.0f) * source.level);
    const float d = std::sqrt(dx * dx + dy * dy);
    const float reach = R * source.size;
    if (reach > d) return std::fabs(std::max(std::min(reach - d, R), 0.0f) * source.level / R);
    return 0.5f;
}

} // namespace

int32_t QX_GUI::cmdCable(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::Optional, {"EXCLUDE"})) return 1;
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);

    // The whole line is refused when the table cannot hold every new cable.
    int32_t newCables = 0;
    for (int32_t s : lists.sources)
        for (int32_t t : lists.targets)
            if (findCableIndex(s, t) == -1) ++newCables;
    if (cableCount + newCables > kMaxCables) {
        console.pendingError =
            "NO ROOM FOR " + std::to_string(newCables) + " MORE CABLES - THE TABLE HOLDS 4096";
        return 1;
    }

    const bool exclusion = command.commandString.find("-INF") != std::string::npos;
    for (int32_t s : lists.sources) {
        for (int32_t t : lists.targets) {
            if (findCableIndex(s, t) != -1) continue; // an existing cable stays as it is
            pendingCableSource = s;
            pendingCableTarget = t;
            float level = 0.0f;
            if (command.has(kKeyX)) {
                pendingCableLevel = dbToGain(command.named(kKeyX));
                const int32_t c = addPendingCable();
                if (c < 0) continue;
                if (exclusion) {
                    appendConsoleLine("EXCLUSION CABLE");
                    level = 0.0f;
                } else {
                    level = dbToGain(command.named(kKeyX));
                }
                cables[c].level = level;
            } else {
                level = geometricCableLevel(*this, sources[s], targets[t]);
                if (command.string == "EXCLUDE") level = 0.0f;
                pendingCableLevel = level;
                const int32_t c = addPendingCable();
                if (c < 0) continue;
                cables[c].level = level;
                char line[64];
                std::snprintf(line, sizeof line, "NEW CABLE LEVEL = %.2f", level);
                appendConsoleLine(line);
            }
        }
    }
    pendingCableSource = -1;
    pendingCableTarget = -1;
    updateCableSummaries(*this);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdUncable(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    for (const ItemRef& ref : command.refs) {
        if (ref.type != kKindSource && ref.type != kKindTarget) continue;
        for (int32_t c = 0; c < std::min(cableCount, kMaxCables);) {
            const bool joined = ref.type == kKindSource ? cables[c].source == ref.index
                                                        : cables[c].target == ref.index;
            if (joined)
                removeCable(c); // the table closes up: index c is examined again
            else
                ++c;
        }
    }
    updateCableSummaries(*this);
    compactCables();
    return 0;
}
