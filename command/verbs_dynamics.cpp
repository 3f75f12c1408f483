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

// What a DYNAMICS line asks for: its settings held to their ranges, the switch word and the
// type word.
struct DynamicsLine {
    const CliObject* command = nullptr;
    float attack = 0.0f;
    float release = 0.0f;
    float threshold = 0.0f;
    float limit = 0.0f;
    float ratio = 1.0f;
    float knee = 0.0f;
    bool switchGiven = false;
    uint8_t switchValue = 1;
    int32_t commandType = -1; // -1: no type word, the record keeps its type
    const char* modeWord = "";

    bool has(NamedKey key) const { return command->has(key); }
};

DynamicsLine readDynamicsLine(const CliObject& command) {
    const std::string& words = command.arguments;
    auto clamped = [&command](NamedKey key, float low, float high) {
        return std::clamp(command.named(key), low, high);
    };
    DynamicsLine line;
    line.command = &command;
    line.attack = clamped(kKeyAttack, 0.0f, 2000.0f);
    line.release = clamped(kKeyRelease, 0.0f, 2000.0f);
    line.threshold = clamped(kKeyThreshold, -60.0f, 0.0f);
    line.limit = clamped(kKeyLimit, -60.0f, 0.0f);
    line.ratio = clamped(kKeyRatio, 1.0f, 100.0f);
    // KNEE: 12 .. 72 dB puts the knee points between the middle point and the ends.
    line.knee =
        static_cast<float>((static_cast<double>(clamped(kKeyKnee, 12.0f, 72.0f)) - 12.0) / 60.0);
    line.switchGiven = contains(words, "ON") || contains(words, "OFF");
    line.switchValue = contains(words, "OFF") ? 0 : 1;

    static constexpr struct {
        const char* word;
        int32_t type;
        const char* modeWord;
    } kTypeWords[] = {{"COMPRESSOR", 0, "COMPRESSOR"}, {"GATE", 5, "GATE"},
                      {"LIMITER", 4, "LIMIT"},         {"COMPANDER", 2, "COMPAND"},
                      {"FREEFORM", 3, "FREE"},         {"FOLLOWER", 6, "FOLLOW"},
                      {"SHAPER", 7, "SHAPER"},         {"EQ", 8, "EQ"}};
    for (const auto& entry : kTypeWords) {
        if (!contains(words, entry.word)) continue;
        line.commandType = entry.type;
        line.modeWord = entry.modeWord;
    }
    return line;
}

// The curve settings of one type, written into the record's points (point n at p[2n],
// p[2n + 1]); true when the knee points are then shaped through the editor.
using CurveShaper = bool (*)(DynamicsRecord& record, const DynamicsLine& line);

bool shapeCompressor(DynamicsRecord& record, const DynamicsLine& line) {
    float* p = record.points;
    p[0] = 0.0f;
    if (line.has(kKeyThreshold)) p[4] = p[5] = levelCoordinate(line.threshold);
    if (line.has(kKeyRatio)) {
        // The end point sits where the editor reads the ratio back from the curve.
        record.ratio = line.ratio;
        p[9] = p[4] + (1.0f - p[4]) / line.ratio;
    }
    if (line.has(kKeyKnee)) record.knee = line.knee;
    return true;
}

bool shapeGate(DynamicsRecord& record, const DynamicsLine& line) {
    float* p = record.points;
    if (line.has(kKeyThreshold)) {
        const float x = levelCoordinate(line.threshold);
        p[0] = x;
        p[1] = 0.0f;
        p[4] = p[5] = x;
    }
    if (line.has(kKeyKnee)) record.knee = line.knee;
    if (line.has(kKeyLimit)) p[9] = levelCoordinate(line.limit);
    return true;
}

bool shapeLimiter(DynamicsRecord& record, const DynamicsLine& line) {
    float* p = record.points;
    p[0] = 0.0f;
    p[8] = 1.0f;
    if (line.has(kKeyThreshold)) p[4] = p[5] = p[9] = levelCoordinate(line.threshold);
    if (line.has(kKeyLimit)) p[4] = p[5] = p[9] = levelCoordinate(line.limit);
    if (line.has(kKeyKnee)) record.knee = line.knee;
    return true;
}

// X1..Y5 place the points one by one.
bool placePoints(DynamicsRecord& record, const DynamicsLine& line) {
    static constexpr NamedKey kPointKeys[10] = {kKeyX1, kKeyY1, kKeyX2, kKeyY2, kKeyX3,
                                                kKeyY3, kKeyX4, kKeyY4, kKeyX5, kKeyY5};
    for (int k = 0; k < 10; ++k)
        if (line.has(kPointKeys[k]))
            record.points[k] = levelCoordinate(line.command->named(kPointKeys[k]));
    return false;
}

// The types whose curve a DYNAMICS line shapes; the others keep their points.
const struct {
    int32_t type;
    CurveShaper shape;
} kCurveShapers[] = {{0, shapeCompressor}, {5, shapeGate},   {4, shapeLimiter},
                     {2, placePoints},     {3, placePoints}, {7, placePoints}};

bool shapeCurve(int32_t type, DynamicsRecord& record, const DynamicsLine& line) {
    for (const auto& row : kCurveShapers)
        if (row.type == type) return row.shape(record, line);
    return false;
}

// The switch, the type through the editor, and the times of one record.
void setDynamicsBasics(QX_GUI& gui, DynamicsRecord& record, const DynamicsLine& line, int32_t kind,
                       int32_t index) {
    if (line.switchGiven) {
        record.mode = line.switchValue;
        record.active = 1;
    }
    if (line.commandType >= 0) {
        record.type = static_cast<uint8_t>(line.commandType);
        gui.loadDynamicsPanel(kind, index);
        gui.executeCommandString(std::string("DYNAMICS_MODE ") + line.modeWord);
        gui.sendDynamicsSettings(kind, index);
    }
    if (line.has(kKeyAttack)) {
        record.attack = line.attack;
        record.attackCoefficient = dynamicsTimeCoefficient(gui.sampleRate, line.attack);
    }
    if (line.has(kKeyRelease)) {
        record.release = line.release;
        record.releaseCoefficient = dynamicsTimeCoefficient(gui.sampleRate, line.release);
    }
}

// One item's record: set up, adjusted through the editor's curve, stored and sent.
void applyDynamicsLine(QX_GUI& gui, const DynamicsLine& line, int32_t kind, int32_t index) {
    DynamicsRecord& record =
        kind == kKindSource ? gui.inputDynamics[index] : gui.outputDynamics[index];
    // A record never set up starts from its defaults, as the editor would start it.
    if (record.active == 0) {
        gui.resetDynamicsRecord(kind, index);
        record.active = 1;
        record.mode = 0;
    }
    const int32_t type = line.commandType >= 0 ? line.commandType : record.type;
    setDynamicsBasics(gui, record, line, kind, index);
    DynamicsCurve& curve = gui.dynamicsEditor.dynamicsEditCurve;
    if (shapeCurve(type, record, line)) {
        gui.loadDynamicsPanel(kind, index);
        shapeKnee(curve, curve.knee);
        curve.buildTable(saturatingInt(curve.plotWidth));
        gui.sendDynamicsSettings(kind, index);
    }
    gui.loadDynamicsPanel(kind, index);
    curve.buildTable60();
    gui.sendDynamicsSettings(kind, index);
}

} // namespace

int32_t QX_GUI::cmdDynamics(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    const DynamicsLine line = readDynamicsLine(command);
    const int32_t shownKind = dynamicsEditor.dynamicsPanelKind;
    const int32_t shownIndex = dynamicsEditor.dynamicsPanelIndex;

    // Only the editor's last table is ever seen: it is built once, when the verb is done.
    DeferredTableBuilds deferred(dynamicsEditor.dynamicsEditCurve);
    for (const ItemSnapshot& item : items) {
        const int32_t kind = item.type;
        const int32_t index = item.index;
        if ((kind != kKindSource && kind != kKindTarget) || index < 0 || index >= kChannels)
            continue;
        applyDynamicsLine(*this, line, kind, index);
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
        // A compressor's curve starts at x 0, as the DYNAMICS verb's compressor shapes it.
        p[0].x = 0.0f;
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
