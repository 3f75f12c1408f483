// The dynamics verbs: DYNAMICS, DYNAMICS_MODE, RESETDYNAMICS and PASTE_DYNAMICS. They edit the
// records through the DYNAMICS editor: load, adjust the editor's curve, store and send.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "model/checked_number.h"
#include "panels/dynamics/dynamics_coefficient.h"

namespace {

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// A level in dB (-60 to 0) as a curve coordinate (0 to 1).
float levelCoordinate(double db) {
    return static_cast<float>(1.0 + db / 60.0);
}

// The knee points on either side of the middle point, at the knee fraction of the way to the
// first and the last point.
void shapeKnee(DynamicsCurve& curve, float knee) {
    CurvePoint* p = curve.points;
    p[1].x = p[2].x + (p[0].x - p[2].x) * knee;
    p[1].y = p[2].y + (p[0].y - p[2].y) * knee;
    p[3].x = p[2].x + (p[4].x - p[2].x) * knee;
    p[3].y = p[2].y + (p[4].y - p[2].y) * knee;
}

void setPoint(CurvePoint& point, float x, float y) {
    point.x = x;
    point.y = y;
}

template <typename Record> bool strictlyInsideMarquee(const int32_t rect[4], const Record& item) {
    const int32_t x = saturatingInt(item.x);
    const int32_t y = saturatingInt(item.y);
    return rect[0] < x && x < rect[2] && rect[1] < y && y < rect[3];
}

// Defers the editor's table builds for as long as it lives (see DynamicsCurve).
class DeferredTableBuilds {
public:
    explicit DeferredTableBuilds(DynamicsCurve& curve) : curve_(curve) {
        curve_.deferTableBuilds();
    }
    ~DeferredTableBuilds() { curve_.finishDeferredTableBuilds(); }
    DeferredTableBuilds(const DeferredTableBuilds&) = delete;
    DeferredTableBuilds& operator=(const DeferredTableBuilds&) = delete;

private:
    DynamicsCurve& curve_;
};

} // namespace

int32_t QX_GUI::cmdDynamics(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    const std::string& words = command.arguments;
    auto clamped = [&command](NamedKey key, float low, float high) {
        return std::clamp(command.named(key), low, high);
    };
    const float attack = clamped(kKeyAttack, 0.0f, 2000.0f);
    const float release = clamped(kKeyRelease, 0.0f, 2000.0f);
    const float threshold = clamped(kKeyThreshold, -60.0f, 0.0f);
    const float limit = clamped(kKeyLimit, -60.0f, 0.0f);
    const float ratio = clamped(kKeyRatio, 1.0f, 100.0f);
    // KNEE: 12 .. 72 dB puts the knee points between the middle point and the ends.
    const float knee =
        static_cast<float>((static_cast<double>(clamped(kKeyKnee, 12.0f, 72.0f)) - 12.0) / 60.0);

    const bool switchGiven = contains(words, "ON") || contains(words, "OFF");
    const uint8_t switchValue = contains(words, "OFF") ? 0 : 1;

    static constexpr struct {
        const char* word;
        int32_t type;
        const char* modeWord;
    } kTypeWords[] = {{"COMPRESSOR", 0, "COMPRESSOR"}, {"GATE", 5, "GATE"},
                      {"LIMITER", 4, "LIMIT"},         {"COMPANDER", 2, "COMPAND"},
                      {"FREEFORM", 3, "FREE"},         {"FOLLOWER", 6, "FOLLOW"},
                      {"SHAPER", 7, "SHAPER"},         {"EQ", 8, "EQ"}};
    int32_t commandType = -1;
    const char* modeWord = "";
    for (const auto& entry : kTypeWords) {
        if (!contains(words, entry.word)) continue;
        commandType = entry.type;
        modeWord = entry.modeWord;
    }

    const int32_t shownKind = dynamicsEditor.dynamicsPanelKind;
    const int32_t shownIndex = dynamicsEditor.dynamicsPanelIndex;

    // Only the editor's last table is ever seen: it is built once, when the verb is done.
    DeferredTableBuilds deferred(dynamicsEditor.dynamicsEditCurve);
    for (const ItemSnapshot& item : items) {
        const int32_t kind = item.type;
        const int32_t index = item.index;
        if ((kind != kKindSource && kind != kKindTarget) || index < 0 || index >= kChannels)
            continue;
        DynamicsRecord& record = kind == kKindSource ? inputDynamics[index] : outputDynamics[index];
        // A record never set up starts from its defaults, as the editor would start it.
        if (record.active == 0) {
            resetDynamicsRecord(kind, index);
            record.active = 1;
            record.mode = 0;
        }
        const int32_t type = commandType >= 0 ? commandType : record.type;
        if (switchGiven) {
            record.mode = switchValue;
            record.active = 1;
        }
        if (commandType >= 0) {
            record.type = static_cast<uint8_t>(commandType);
            loadDynamicsPanel(kind, index);
            executeCommandString(std::string("DYNAMICS_MODE ") + modeWord);
            sendDynamicsSettings(kind, index);
        }
        if (command.has(kKeyAttack)) {
            record.attack = attack;
            record.attackCoefficient = dynamicsTimeCoefficient(sampleRate, attack);
        }
        if (command.has(kKeyRelease)) {
            record.release = release;
            record.releaseCoefficient = dynamicsTimeCoefficient(sampleRate, release);
        }

        float* p = record.points; // point n at p[2n], p[2n + 1]
        bool kneeShaping = false;
        switch (type) {
        case 0:
            p[0] = 0.0f;
            if (command.has(kKeyThreshold)) p[4] = p[5] = levelCoordinate(threshold);
            if (command.has(kKeyRatio)) {
                // The end point sits where the editor reads the ratio back from the curve.
                record.ratio = ratio;
                p[9] = p[4] + (1.0f - p[4]) / ratio;
            }
            if (command.has(kKeyKnee)) record.knee = knee;
            kneeShaping = true;
            break;
        case 5:
            if (command.has(kKeyThreshold)) {
                const float x = levelCoordinate(threshold);
                p[0] = x;
                p[1] = 0.0f;
                p[4] = p[5] = x;
            }
            if (command.has(kKeyKnee)) record.knee = knee;
            if (command.has(kKeyLimit)) p[9] = levelCoordinate(limit);
            kneeShaping = true;
            break;
        case 4:
            p[0] = 0.0f;
            p[8] = 1.0f;
            if (command.has(kKeyThreshold)) p[4] = p[5] = p[9] = levelCoordinate(threshold);
            if (command.has(kKeyLimit)) p[4] = p[5] = p[9] = levelCoordinate(limit);
            if (command.has(kKeyKnee)) record.knee = knee;
            kneeShaping = true;
            break;
        case 2:
        case 3:
        case 7: {
            static constexpr NamedKey kPointKeys[10] = {kKeyX1, kKeyY1, kKeyX2, kKeyY2, kKeyX3,
                                                        kKeyY3, kKeyX4, kKeyY4, kKeyX5, kKeyY5};
            for (int k = 0; k < 10; ++k)
                if (command.has(kPointKeys[k]))
                    p[k] = levelCoordinate(command.named(kPointKeys[k]));
            break;
        }
        default:
            break;
        }
        if (kneeShaping) {
            loadDynamicsPanel(kind, index);
            shapeKnee(dynamicsEditor.dynamicsEditCurve, dynamicsEditor.dynamicsEditCurve.knee);
            dynamicsEditor.dynamicsEditCurve.buildTable(
                saturatingInt(dynamicsEditor.dynamicsEditCurve.plotWidth));
            sendDynamicsSettings(kind, index);
        }
        loadDynamicsPanel(kind, index);
        dynamicsEditor.dynamicsEditCurve.buildTable60();
        sendDynamicsSettings(kind, index);
    }
    // The editor goes back to the item it showed; an editor that showed nothing stays so.
    if (shownKind == kKindSource || shownKind == kKindTarget)
        loadDynamicsPanel(shownKind, shownIndex);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdDynamicsMode(CliObject command) {
    const std::string word = command.mode == -1 ? std::string() : command.string;
    setStatusMessage("CHANGE DYNAMICS MODE TO " + word);
    int32_t mode = 0;
    static constexpr struct {
        const char* word;
        int32_t mode;
    } kModes[] = {{"GATE", 5},   {"LIMIT", 4},  {"COMPAND", 2}, {"FREE", 3},
                  {"FOLLOW", 6}, {"SHAPER", 7}, {"EQ", 8}};
    for (const auto& entry : kModes)
        if (word == entry.word) mode = entry.mode;
    dynamicsEditor.dynamicsEditCurve.dynamicsType = mode;

    DynamicsCurve& curve = dynamicsEditor.dynamicsEditCurve;
    CurvePoint* p = curve.points;
    const float k = dynamicsEditor.dynamicsEditCurve.knee;
    switch (mode) {
    case 6:
    case 7:
    case 8:
        setPoint(p[0], 0.0f, 0.0f);
        setPoint(p[1], 0.2f, 0.2f);
        setPoint(p[2], 0.5f, 0.5f);
        setPoint(p[3], 0.8f, 0.8f);
        setPoint(p[4], 1.0f, 1.0f);
        break;
    case 2:
        p[0].x = 0.0f;
        break;
    case 3:
        break;
    case 0: {
        const float m = (p[2].x + p[2].y) * 0.5f;
        setPoint(p[2], m, m);
        if (m > p[4].y) p[4].y = m;
        shapeKnee(curve, k);
        p[4].x = 1.0f;
        break;
    }
    case 5:
        p[2].y = p[2].x;
        p[4].y = 1.0f;
        p[0].x = p[2].x - 0.01f;
        shapeKnee(curve, k);
        break;
    case 4:
        p[2].x = p[2].y;
        p[4].y = p[2].y;
        shapeKnee(curve, k);
        break;
    default:
        break;
    }
    curve.buildTable60();

    auto copyInto = [&](DynamicsRecord& record) {
        record.type = static_cast<uint8_t>(mode);
        std::copy(curve.table60, curve.table60 + DynamicsCurve::kTable60Size, record.curve);
        for (int n = 0; n < 5; ++n) {
            record.points[2 * n] = p[n].x;
            record.points[2 * n + 1] = p[n].y;
        }
    };
    if (stageView.sourcesLocked == 0)
        for (int32_t i = 0; i < sourceCount && i < kChannels; ++i)
            if (sources[i].shown != 0 && strictlyInsideMarquee(marqueeRect, sources[i]))
                copyInto(inputDynamics[i]);
    if (stageView.targetsLocked == 0)
        for (int32_t i = 0; i < targetCount && i < kChannels; ++i)
            if (targets[i].visible != 0 && strictlyInsideMarquee(marqueeRect, targets[i]))
                copyInto(outputDynamics[i]);

    curve.buildTable(saturatingInt(curve.plotWidth));
    sendDynamicsSettings(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    return 0;
}

int32_t QX_GUI::cmdResetDynamics(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    setStatusMessage("GENERATE METRICS ...");
    setStatusMessage(intToString(items.count()) + " ITEMS");
    for (const ItemSnapshot& item : items) {
        if ((item.type != kKindSource && item.type != kKindTarget) || item.index < 0 ||
            item.index >= kChannels)
            continue;
        resetDynamicsRecord(item.type, item.index);
        (item.type == kKindSource ? inputDynamics : outputDynamics)[item.index].mode = 0;
    }
    if (dynamicsEditor.dynamicsPanelKind == kKindSource ||
        dynamicsEditor.dynamicsPanelKind == kKindTarget)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
    syndicateDynamics(false, true, true);
    return 0;
}

int32_t QX_GUI::cmdPasteDynamics(CliObject command) {
    if (dynamicsClipboardFull == 0) {
        console.pendingError = "NO DYNAMICS IN CLIPBOARD!";
        return 1;
    }
    const ItemSnapshotList items = gatherItemRecords(command);
    setStatusMessage("GENERATE METRICS ...");
    setStatusMessage(intToString(items.count()) + " ITEMS");
    setStatusMessage("PASTING DYNAMICS");
    const DynamicsRecord& clip = dynamicsClipboard;
    for (const ItemSnapshot& item : items) {
        const int32_t index = item.index;
        if (index < 0 || index >= kChannels) continue;
        if (item.type == kKindTarget) {
            DynamicsRecord& record = outputDynamics[index];
            record = clip;
            if (clip.channel == clip.channelIndex && clip.direction == 2) {
                record.channelIndex = index;
                record.direction = 2;
            }
            record.channel = static_cast<uint8_t>(index);
        } else if (item.type == kKindSource) {
            DynamicsRecord& record = inputDynamics[index];
            record = clip;
            if (clip.channel == clip.channelIndex || clip.direction == 2) {
                record.channelIndex = index;
                record.direction = 1;
                record.sideChainLocation = 2;
            }
            record.channel = static_cast<uint8_t>(index);
        }
    }
    if (dynamicsEditor.dynamicsPanelKind == kKindSource ||
        dynamicsEditor.dynamicsPanelKind == kKindTarget)
        loadDynamicsPanel(dynamicsEditor.dynamicsPanelKind, dynamicsEditor.dynamicsPanelIndex);
    raiseSendFlag(kSendInputDynamics);
    raiseSendFlag(kSendOutputDynamics);
    syndicateDynamics(false, true, dynamicsEditor.dynamicsPanelIndex == clip.channelIndex);
    return 0;
}
