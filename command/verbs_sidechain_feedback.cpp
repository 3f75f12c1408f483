// The side-chain verb SIDECHAIN and the feedback verbs, which edit the feedback mixes: mix s
// holds the targets fed back into source s, its pins are target indices and its routed flags
// are indexed by target.
#include <vector>

#include "app/qx_gui.h"
#include "model/level_arithmetic.h"

namespace {

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// The addressed sources and targets, each in the order named, at most 64 of each.
struct SortedItems {
    std::vector<int32_t> sources;
    std::vector<int32_t> targets;
};

SortedItems sortItems(const ItemSnapshotList& items) {
    SortedItems sorted;
    for (const ItemSnapshot& item : items) {
        if (item.index < 0 || item.index >= QX_GUI::kChannels) continue;
        if (item.type == kKindSource && sorted.sources.size() < 64)
            sorted.sources.push_back(item.index);
        if (item.type == kKindTarget && sorted.targets.size() < 64)
            sorted.targets.push_back(item.index);
    }
    return sorted;
}

} // namespace

int32_t QX_GUI::cmdSidechain(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    const std::string& words = command.arguments;
    const bool selfMode = contains(words, "INTERNAL") || contains(words, "RESET");
    int32_t location = -1;
    static const char* const kLocations[] = {"PRE_DELAY", "PRE_FILTER", "POST_FILTER",
                                             "POST_DYNAMICS"};
    for (int32_t i = 0; i < 4; ++i)
        if (contains(words, kLocations[i])) location = i;
    auto record = [this](int32_t kind, int32_t index) -> DynamicsRecord* {
        if (index < 0 || index >= kChannels) return nullptr;
        if (kind == kKindSource) return &inputDynamics[index];
        if (kind == kKindTarget) return &outputDynamics[index];
        return nullptr;
    };

    if (selfMode) {
        for (const ItemSnapshot& item : items) {
            DynamicsRecord* r = record(item.type, item.index);
            if (r == nullptr) continue;
            r->channelIndex = item.index;
            r->direction = item.type;
            if (location >= 0 && location != 3) r->sideChainLocation = location;
            // A chain keyed on itself is never taken after its own dynamics.
            if (r->sideChainLocation == 3) r->sideChainLocation = 2;
        }
        raiseSendFlag(kSendInputDynamics);
        raiseSendFlag(kSendOutputDynamics);
        return 0;
    }

    if (items.count() < 2) {
        console.pendingError = "NOT ENOUGH NODES SPECIFIED";
        return 1;
    }
    const ItemSnapshot& key = items[0];
    int32_t changed = 0;
    if (key.type == 1 || key.type == 2) {
        for (int32_t i = 1; i < items.count(); ++i) {
            const ItemSnapshot& member = items[i];
            DynamicsRecord* r = record(member.type, member.index);
            if (r == nullptr) continue;
            // A target keyed on a target, or any item keyed on a source; POST_DYNAMICS only
            // for a target keyed on a source.
            if (key.type == 2 && member.type != 2) continue;
            r->channelIndex = key.index;
            r->direction = key.type;
            const bool postDynamicsAllowed = key.type == 1 && member.type == 2;
            if (location >= 0 && (location != 3 || postDynamicsAllowed))
                r->sideChainLocation = location;
            ++changed;
        }
    }
    if (changed == 0) {
        console.pendingError = "NO COMPATIBLE NODES SEPCIFIED FOR THIS SIDECHAIN TYPE";
        return 1;
    }
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
    return 0;
}

int32_t QX_GUI::feedbackIndexOf(int32_t source, int32_t target) {
    if (source < 0 || source >= kChannels || target < 0 || target >= kChannels) return -1;
    const MixRecord& mix = feedbackMixes[source];
    if (mix.routed[target] == 0) return -1;
    const int32_t count = mix.pinCount < 64 ? mix.pinCount : 64;
    for (int32_t j = 0; j < count; ++j)
        if (mix.pinNumbers[j] == target) return j;
    return -1;
}

void QX_GUI::compactFeedbackMix(int32_t source) {
    if (source < 0 || source >= kChannels) return;
    const MixRecord old = feedbackMixes[source];
    MixRecord fresh;
    fresh.inUse = old.inUse;
    fresh.index = old.index;
    fresh.masterLevel = old.masterLevel;
    int32_t k = 0;
    const int32_t count = old.pinCount < 64 ? old.pinCount : 64;
    for (int32_t j = 0; j < count; ++j) {
        const int32_t t = old.pinNumbers[j];
        if (t < 0 || t >= kChannels || old.routed[t] != 1) continue; // foreign pins are dropped
        fresh.pinNumbers[k] = t;
        fresh.gains[k] = old.gains[j];
        fresh.phases[k] = old.phases[j];
        fresh.mutes[k] = old.mutes[j];
        fresh.routed[t] = 1;
        ++k;
    }
    fresh.pinCount = k;
    feedbackMixes[source] = fresh;
}

int32_t QX_GUI::cmdFeedback(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    if (items.count() < 2) {
        console.pendingError = "TOO FEW OBJECTS SPECIFIED";
        return 1;
    }
    // A negative last number is a level in dB; a positive one a linear gain, as a saved patch
    // writes it; no number (or 0) gives the default 0.5.
    float gain = 0.5f;
    if (command.value < 0.0f) gain = dbToGain(command.value);
    if (command.value > 0.0f) gain = command.value < 4.0f ? command.value : 4.0f;
    const SortedItems sorted = sortItems(items);
    if (sorted.sources.empty()) {
        console.pendingError = "NO SOURCE NODE TO FEEDBACK TO SPECIFIED";
        return 1;
    }
    if (sorted.targets.empty()) {
        console.pendingError = "NO TARGET NODE TO FEEDBACK FROM SPECIFIED";
        return 1;
    }
    for (int32_t s : sorted.sources) {
        MixRecord& mix = feedbackMixes[s];
        for (int32_t t : sorted.targets) {
            if (mix.pinCount < 0) mix.pinCount = 0;
            if (mix.pinCount >= 64) break; // a full mix takes no further path
            const int32_t slot = mix.pinCount;
            mix.pinNumbers[slot] = t;
            mix.gains[slot] = gain;
            mix.phases[slot] = 1.0f;
            mix.mutes[slot] = 0;
            mix.inUse = 0;
            mix.routed[t] = 1;
            mix.pinCount = slot + 1;
        }
    }
    raiseSendFlag(kSendFeedbackMixes);
    pendingCableSource = -1;
    pendingCableTarget = -1;
    return 0;
}

namespace {

// The frame of the feedback verbs that edit one path: both kinds must be addressed.
bool sortBothKinds(QX_GUI& gui, const ItemSnapshotList& items, SortedItems& sorted) {
    sorted = sortItems(items);
    if (sorted.sources.empty()) {
        gui.console.pendingError = "BAD ASSIGNMENT - SOURCES NOT SPECIFIED";
        return false;
    }
    if (sorted.targets.empty()) {
        gui.console.pendingError = "BAD ASSIGNMENT - TARGETS NOT SPECIFIED";
        return false;
    }
    return true;
}

template <typename Change> void forEachPath(QX_GUI& gui, const SortedItems& sorted, Change change) {
    for (int32_t s : sorted.sources)
        for (int32_t t : sorted.targets) {
            const int32_t j = gui.feedbackIndexOf(s, t);
            if (j >= 0) change(gui.feedbackMixes[s], j);
        }
}

} // namespace

int32_t QX_GUI::cmdToggleFeedbackPhase(CliObject command) {
    SortedItems sorted;
    if (!sortBothKinds(*this, gatherItemRecords(command), sorted)) return 1;
    const std::string& word = command.string;
    float set = 0.0f;
    if (word == "1" || word == "FORWARDS" || word == "NORMAL") set = 1.0f;
    if (word == "-1" || word == "REVERSE" || word == "ANTIPHASE") set = -1.0f;
    forEachPath(*this, sorted, [set](MixRecord& mix, int32_t j) {
        mix.phases[j] = set != 0.0f ? set : -mix.phases[j];
    });
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdToggleFeedbackMute(CliObject command) {
    SortedItems sorted;
    if (!sortBothKinds(*this, gatherItemRecords(command), sorted)) return 1;
    const std::string& word = command.string;
    int32_t set = -1;
    for (const char* on : {"1", "YES", "TRUE", "MUTE", "ON"})
        if (word == on) set = 1;
    for (const char* off : {"0", "NO", "FALSE", "UNMUTE", "OFF"})
        if (word == off) set = 0;
    forEachPath(*this, sorted, [set](MixRecord& mix, int32_t j) {
        mix.mutes[j] = static_cast<uint8_t>(set >= 0 ? set : (mix.mutes[j] == 0 ? 1 : 0));
    });
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdFeedbackLevel(CliObject command) {
    SortedItems sorted;
    if (!sortBothKinds(*this, gatherItemRecords(command), sorted)) return 1;
    if (command.string.empty()) {
        console.pendingError = "NO LEVEL PARAMETER PROVIDED";
        return 1;
    }
    const float gain = dbToGain(command.value);
    forEachPath(*this, sorted, [gain](MixRecord& mix, int32_t j) { mix.gains[j] = gain; });
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdRemoveFeedback(CliObject command) {
    SortedItems sorted;
    if (!sortBothKinds(*this, gatherItemRecords(command), sorted)) return 1;
    for (int32_t s : sorted.sources) {
        for (int32_t t : sorted.targets) feedbackMixes[s].routed[t] = 0;
        compactFeedbackMix(s);
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdNoFeedback(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    if (items.count() == 0) {
        console.pendingError = "NO NODE SPECIFIED";
        return 1;
    }
    if (items[0].type != 1) {
        console.pendingError = "NODE NOT A SOURCE";
        return 1;
    }
    for (const ItemSnapshot& item : items) {
        if (item.type != kKindSource || item.index < 0 || item.index >= kChannels) continue;
        MixRecord& mix = feedbackMixes[item.index];
        for (int32_t t = 0; t < targetCount && t < 64; ++t) mix.routed[t] = 0;
        mix.pinCount = 0;
    }
    appendConsoleLine("NO FEEDBACK ?");
    commitModelChange();
    return 0;
}
