// Presses on the handles of the feedback sends and of the cables: a letter key edits the
// connection through a line, CTRL on a feedback handle or a plain press on a live cable starts
// a level drag. Feedback handles answer exactly where their curves are drawn.
#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"
#include "view/stage/curve_geometry.h"
#include "view/stage/stage_items.h"

using namespace stage_items;
namespace cg = curve_geometry;

namespace {

constexpr float kHandleReach = 8.0f;

// A held key and the verb it runs on one feedback send.
struct FeedbackKey {
    bool (*held)();
    const char* verb;
    const char* tail;
};
const FeedbackKey kFeedbackKeys[] = {
    {isKeyDownX, "REMOVE_FEEDBACK ", ""},
    {isKeyDownA, "TOGGLE_FEEDBACK_MUTE ", ""},
    {isKeyDownP, "TOGGLE_FEEDBACK_PHASE ", ""},
    {isKeyDownZ, "FEEDBACK_LEVEL ", " 0.0"},
};

// The line a key runs on a cable at level L; empty when none applies. The rows are tried in
// order and a key whose level condition fails falls through to the next.
std::string cableKeyLine(float level, const std::string& pair) {
    struct Row {
        bool (*held)();
        bool applies;
        const char* verb;
        const char* tail;
    } const rows[] = {
        {isKeyDownA, level > 0.0f, "TOGGLE_CABLE_MUTE ", ""},
        {isKeyDownS, level > 0.0f, "TOGGLE_CABLE_SOLO ", ""},
        {isKeyDownP, level > 0.0f, "TOGGLE_CABLE_PHASE ", ""},
        {isKeyDownG, level != 0.0f, "TOGGLE_CABLE_USE_GROUP ", ""},
        {isKeyDownE, true, "EXCLUDE_CABLE ", " -inf"},
        {isKeyDownZ, level == 0.0f, "CABLE_LEVEL ", " -6.0"},
        {isKeyDownZ, level > 0.0f, "CABLE_LEVEL ", " 0.0"},
        {isKeyDownX, true, "REMOVE_CABLE ", " 0.0"},
    };
    for (const Row& row : rows)
        if (row.applies && row.held()) return row.verb + pair + row.tail;
    return {};
}

} // namespace

bool QX_GUI::pressFeedbackOrCableHandle(int32_t, int32_t) {
    if (pressFeedbackHandles()) return true;
    return stageView.cablesShown == 1 && pressCableHandle();
}

// The mix of source s's virtual input channel: the one its feedback curves are drawn from.
int32_t QX_GUI::feedbackMixChannelOf(int32_t s) const {
    if (!isSource(*this, s)) return -1;
    const int32_t channel = sources[s].virtualChannel;
    return channel >= 0 && channel < kChannels ? channel : -1;
}

// Every drawn send under the press prints its line; the first one with a key held takes the
// press. True when the press is done.
bool QX_GUI::pressFeedbackHandles() {
    const StageState& m = stage;
    const int32_t targetsLive = liveCount(targetCount, kMaxTargets);
    for (int32_t s = 0; s < liveCount(sourceCount, kMaxSources); ++s) {
        const SourceRecord& source = sources[s];
        const int32_t channel = feedbackMixChannelOf(s);
        if (!source.shown || channel < 0) continue;
        const MixRecord& mix = feedbackMixes[channel];
        for (int32_t k = 0; k < liveCount(mix.pinCount, 64); ++k) {
            for (int32_t t = 0; t < targetsLive; ++t) {
                const TargetRecord& target = targets[t];
                if (target.virtualChannel != mix.pinNumbers[k] || target.visible != 1) continue;
                const CurvePoint h =
                    cg::feedbackHandle(cg::feedbackCurve(source.x, source.y, target.x, target.y));
                if (!cg::handleHit(h.x, h.y, m.pointerStageX, m.pointerStageY, kHandleReach))
                    continue;
                appendConsoleLine("FEEDBACK HANDLE FOR TARGET " + target.name + " TO " +
                                  source.name);
                if (pressFeedbackHandle(s, t, k, h)) return true;
            }
        }
    }
    return false;
}

// Entry k of source s's drawn mix, reaching target t, with its handle at h. True when a key
// took the press.
bool QX_GUI::pressFeedbackHandle(int32_t s, int32_t t, int32_t k, CurvePoint h) {
    const std::string pair = sources[s].name + " " + targets[t].name;
    for (const FeedbackKey& key : kFeedbackKeys) {
        if (!key.held()) continue;
        executeCommandString(key.verb + pair + key.tail);
        return true;
    }
    if (!isKeyDownCtrl()) return false;
    StageState& m = stage;
    interaction.stageInteractionMode = kModeFeedbackGain;
    m.pickedFeedbackEntry = k;
    m.pickedSource = s;
    m.pickedTarget = t;
    m.dragStartStageY = m.pointerStageY;
    interaction.dragStartValue = feedbackMixes[feedbackMixChannelOf(s)].gains[k];
    m.feedbackPressPixelX = interaction.pointerPixelX;
    m.feedbackPressPixelY = interaction.pointerPixelY;
    interaction.dragStartPixelX = h.x; // the handle, in stage units, for the readout
    interaction.dragStartPixelY = h.y;
    raiseSendFlag(kSendCables);
    return true;
}

// The first cable whose midpoint is under the press takes it, whatever the keys.
bool QX_GUI::pressCableHandle() {
    StageState& m = stage;
    for (int32_t c = 0; c < liveCount(cableCount, kMaxCables); ++c) {
        const CableRecord& cable = cables[c];
        if (!isSource(*this, cable.source) || !isTarget(*this, cable.target)) continue;
        const SourceRecord& source = sources[cable.source];
        const TargetRecord& target = targets[cable.target];
        const cg::WholePoint mid = cg::cableMidpoint(source.x, source.y, target.x, target.y);
        if (!cg::handleHit(static_cast<float>(mid.x), static_cast<float>(mid.y), m.pointerStageX,
                           m.pointerStageY, kHandleReach))
            continue;
        const float level = cable.level;
        const std::string line = cableKeyLine(level, source.name + " " + target.name);
        if (!line.empty()) {
            executeCommandString(line);
        } else if (level > 0.0f && !isKeyDownCtrl()) {
            interaction.stageInteractionMode = kModeCableLevel;
            m.pickedCable = c;
            m.dragStartStageY = m.pointerStageY;
            interaction.dragStartValue = level;
            interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
            raiseSendFlag(kSendCables);
            captureMouse();
        }
        return true;
    }
    return false;
}
