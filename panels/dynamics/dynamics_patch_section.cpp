// The dynamics lines of a patch file: one DYNAMICS line per item in use and its SIDECHAIN
// line, in the forms the DYNAMICS and SIDECHAIN verbs read back.
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "panels/frame/patch_numbers.h"

namespace {

// A curve coordinate (0 is -60 dB, 1 is 0 dB) as the dB text the DYNAMICS verb reads back.
std::string levelText(float v) {
    const float db = -60.0f - v * -60.0f;
    return roundTripNumber("%.3f", db, 60.0 * static_cast<double>(v) - 60.0, v,
                           [](double read) { return static_cast<float>(1.0 + read / 60.0); });
}

std::string kneeText(float knee) {
    const float shown = knee * 59.999996f + 12.0f;
    return roundTripNumber("%.3f", shown, static_cast<double>(knee) * 60.0 + 12.0, knee,
                           [](double read) { return static_cast<float>((read - 12.0) / 60.0); });
}

std::string ratioText(float ratio) {
    return roundTripNumber("%.3f", ratio, ratio, ratio, [](double read) {
        const double clamped = read < 1.0 ? 1.0 : (read > 100.0 ? 100.0 : read);
        return static_cast<float>(clamped);
    });
}

// Attack and release in whole milliseconds, or with the decimals a fractional time needs.
std::string timeText(float ms) {
    if (std::trunc(ms) == ms)
        return roundTripNumber("%.0f", ms, ms, ms, [](double r) { return static_cast<float>(r); });
    return roundTripNumber("%.1f", ms, ms, ms, [](double r) { return static_cast<float>(r); });
}

const char* locationWord(int32_t location) {
    switch (location) {
    case 0:
        return "PRE_DELAY";
    case 1:
        return "PRE_FILTER";
    case 2:
        return "POST_FILTER";
    case 3:
        return "POST_DYNAMICS";
    default:
        return "";
    }
}

} // namespace

std::string QX_GUI::writeDynamicsPatchSection(int32_t index, int32_t kind) {
    if ((kind != kKindSource && kind != kKindTarget) || index < 0 || index >= kChannels) return "";
    const DynamicsRecord& record =
        kind == kKindSource ? inputDynamics[index] : outputDynamics[index];
    // A record not in use is written only when it is keyed on another item: SIDECHAIN gives
    // that key back without switching the record on.
    const bool keyedElsewhere = record.channelIndex != index || record.direction != kind;
    if (record.active == 0 && !keyedElsewhere) return "";
    const std::string& name = kind == kKindSource ? sources[index].name : targets[index].name;
    const float* p = record.points;

    const std::string times =
        "ATTACK:" + timeText(record.attack) + " RELEASE:" + timeText(record.release);
    // All five points, the first and the last included, so the curve comes back as it was.
    std::string points;
    for (int n = 0; n < 5; ++n) {
        const std::string number = std::to_string(n + 1);
        points += " X" + number + ":" + levelText(p[2 * n]) + " Y" + number + ":" +
                  levelText(p[2 * n + 1]);
    }

    std::string word;
    std::string params;
    std::string thresholdLine;
    switch (record.type) {
    case 0:
        word = "COMPRESSOR";
        params = times + " THRESHOLD:" + levelText(p[4]) + " RATIO:" + ratioText(record.ratio) +
                 " KNEE:" + kneeText(record.knee);
        break;
    case 2:
        word = "COMPANDER";
        params = times + points;
        break;
    case 3:
        word = "FREEFORM";
        params = times + points;
        break;
    case 4:
        word = "LIMITER";
        params = times + " KNEE:" + kneeText(record.knee) + " LIMIT:" + levelText(p[9]);
        break;
    case 5:
        word = "GATE";
        if (p[0] != p[4]) {
            // The gate's type word alone opens it just left of the threshold, where THRESHOLD:
            // would put the first point on the threshold: a line ahead sets the threshold, and
            // the gate's own line leaves THRESHOLD: out.
            thresholdLine = "DYNAMICS " + name + " GATE THRESHOLD:" + levelText(p[5]) + "\n";
            params = times + " KNEE:" + kneeText(record.knee) + " LIMIT:" + levelText(p[9]) + " ";
        } else {
            params = times + " THRESHOLD:" + levelText(p[5]) + " KNEE:" + kneeText(record.knee) +
                     " LIMIT:" + levelText(p[9]) + " ";
        }
        break;
    case 6:
        word = "FOLLOWER";
        params = times;
        break;
    case 7:
        word = "SHAPER";
        params = times + points;
        break;
    case 8:
        word = "EQ";
        params = times;
        break;
    default:
        break; // 1 and unknown types: no word, no parameters
    }
    std::string text;
    if (record.active != 0)
        text = thresholdLine + "DYNAMICS " + name + " " + (record.mode != 0 ? "ON" : "OFF") + " " +
               word + " " + params + "\n";

    const int32_t sc = record.channelIndex;
    const int32_t sck = record.direction;
    const std::string location = locationWord(record.sideChainLocation);
    auto keyName = [this](int32_t keyKind, int32_t keyIndex) -> const std::string* {
        if (keyIndex < 0 || keyIndex >= kChannels) return nullptr;
        return keyKind == 2 ? &targets[keyIndex].name : &sources[keyIndex].name;
    };
    if (sc == index && sck == kind) {
        text += "SIDECHAIN " + name + " INTERNAL " + location + "\n";
    } else if (kind == kKindTarget || sc != index) {
        if (const std::string* key = keyName(sck == 2 ? 2 : 1, sc))
            text += "SIDECHAIN " + *key + " " + name + " " + location + "\n";
    }
    return text;
}
