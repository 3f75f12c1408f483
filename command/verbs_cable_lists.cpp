// Cable list verbs: change, exclude, remove and list existing cables, each addressed through
// the pair of a named source and a named target.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/qx_gui.h"
#include "command/verb_support.h"

namespace {

const std::vector<const char*> kYesWords = {"YES", "TRUE", "1"};
const std::vector<const char*> kNoWords = {"NO", "FALSE", "0", "-1"};

bool isExactlyOnePair(const verbs::SourceTargetLists& lists) {
    return lists.sources.size() == 1 && lists.targets.size() == 1;
}

// EXCLUDE sets the level to 0; NOEXCLUDE gives an excluded cable the level 0.5 back.
void excludeCable(CableRecord& cable, bool exclude) {
    if (exclude)
        cable.level = 0.0f;
    else if (cable.level == 0.0f)
        cable.level = 0.5f;
}

bool excludeAction(const std::string& word) {
    return !verbs::isOneOf(word, {"NO", "FALSE", "0"});
}

} // namespace

int32_t QX_GUI::cmdCableMode(CliObject command, std::string mode) {
    if (mode != "MUTE" && mode != "SOLO" && mode != "PHASE" && mode != "GROUP" && mode != "LEVEL") {
        console.pendingError = "BAD CABLE MODE SPECIFIED";
        return 1;
    }
    float gain = 1.0f;
    if (mode == "LEVEL") {
        if (!verbs::checkItemWords(*this, command, verbs::LastWord::Parameter)) return 1;
        verbs::dropLastWordRef(command);
        double db = 0.0;
        if (!verbs::readNumberWord(command.string, db) || std::isnan(db)) {
            console.pendingError = "NO CABLE LEVEL SPECIFIED";
            return 1;
        }
        gain = dbToGain(static_cast<float>(db));
        if (!std::isfinite(gain)) {
            console.pendingError = "LEVEL OUT OF RANGE";
            return 1;
        }
    } else {
        std::vector<const char*> words(kYesWords);
        words.insert(words.end(), kNoWords.begin(), kNoWords.end());
        if (!verbs::checkItemWords(*this, command, verbs::LastWord::Optional, words)) return 1;
    }
    const int32_t value = verbs::isOneOf(command.string, kYesWords)  ? 1
                          : verbs::isOneOf(command.string, kNoWords) ? 0
                                                                     : -1; // -1: toggle
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);
    if (lists.sources.empty() || lists.targets.empty()) {
        console.pendingError = "EITHER NO SOURCES OR NO TARGETS SPECIFIED";
        return 1;
    }
    int32_t impacted = 0;
    for (int32_t s : lists.sources) {
        for (int32_t t : lists.targets) {
            const int32_t c = findCableIndex(s, t);
            if (c == -1) continue;
            ++impacted;
            CableRecord& cable = cables[c];
            if (mode == "MUTE")
                cable.mute = value == -1 ? (cable.mute == 0 ? 1 : 0) : value;
            else if (mode == "SOLO")
                cable.solo = value == -1 ? (cable.solo == 0 ? 1 : 0) : value;
            else if (mode == "PHASE")
                cable.phase = value == -1 ? -cable.phase : value == 1 ? 1.0f : -1.0f;
            else if (mode == "GROUP")
                cable.useGroups = value == -1 ? (cable.useGroups == 0 ? 1 : 0) : value;
            else
                cable.level = gain;
        }
    }
    if (impacted == 0) {
        console.pendingError = "NO CABLES IMPACTED";
        return 1;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdExcludeCables(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::Optional)) return 1;
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);
    if (lists.sources.empty() || lists.targets.empty()) {
        console.pendingError = "MUST SPECIFY BOTH SOURCE AND TARGET NODES TO EXCLUDE CABLES";
        return 1;
    }
    const bool exclude = excludeAction(command.string);
    for (int32_t s : lists.sources)
        for (int32_t t : lists.targets) {
            const int32_t c = findCableIndex(s, t);
            if (c != -1) excludeCable(cables[c], exclude);
        }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdExcludeCable(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::Optional)) return 1;
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);
    if (!isExactlyOnePair(lists)) {
        console.pendingError = "MUST SPECIFY EXACTLY ONE CABLE THROUGH SOURCE AND TARGET NAMES";
        return 1;
    }
    const int32_t c = findCableIndex(lists.sources[0], lists.targets[0]);
    if (c == -1) {
        console.pendingError = "CABLE DOES NOT EXIST BETWEEN SPECIFIED NODES";
        return 1;
    }
    excludeCable(cables[c], excludeAction(command.string));
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdRemoveCables(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);
    if (lists.sources.empty() || lists.targets.empty()) {
        console.pendingError = "MUST SPECIFY BOTH SOURCE AND TARGET NODES TO REMOVE CABLES FROM";
        return 1;
    }
    for (int32_t s : lists.sources)
        for (int32_t t : lists.targets) removeCable(findCableIndex(s, t));
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdRemoveCable(CliObject command) {
    if (!verbs::checkItemWords(*this, command, verbs::LastWord::ItemsOnly)) return 1;
    const verbs::SourceTargetLists lists = verbs::sortSourcesAndTargets(command);
    if (!isExactlyOnePair(lists)) {
        console.pendingError = "MUST SPECIFY EXACTLY ONE CABLE THROUGH SOURCE AND TARGET NAMES";
        return 1;
    }
    const int32_t c = findCableIndex(lists.sources[0], lists.targets[0]);
    if (c == -1) {
        console.pendingError = "CABLE DOES NOT EXIST BETWEEN SPECIFIED NODES";
        return 1;
    }
    removeCable(c);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdListCables(CliObject) {
    appendConsoleLine("CABLES :");
    for (int32_t c = 0; c < std::min(cableCount, kMaxCables); ++c) {
        const CableRecord& cable = cables[c];
        if (cable.source < 0 || cable.source >= kMaxSources || cable.target < 0 ||
            cable.target >= kMaxTargets)
            continue;
        char level[48];
        std::snprintf(level, sizeof level, "%.2fdB", static_cast<double>(gainToDb(cable.level)));
        appendConsoleLine("   FROM " + sources[cable.source].name + " TO " +
                          targets[cable.target].name + " AT " + level);
    }
    return 0;
}
