// The mixer lines of a patch file: for one virtual input or output channel, the INPUT_MIXER
// or OUTPUT_MIXER lines that rebuild its mix from the default (its own pin at unity).
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "panels/frame/patch_numbers.h"

namespace {

// A linear gain as the dB text the mixer verbs read back into exactly that gain.
std::string decibelText(float gain) {
    return roundTripNumber(
        "%.4f", gainToDb(gain), 20.0 * std::log10(static_cast<double>(gain)), gain,
        [](double read) { return static_cast<float>(std::pow(10.0, read * 0.05)); });
}

} // namespace

std::string QX_GUI::writeMixerPatchSection(int32_t kind, int32_t index) {
    if ((kind != kKindSource && kind != kKindTarget) || index < 0 || index >= kChannels) return "";
    const MixRecord& mix = kind == kKindSource ? inputMixers[index] : outputMixers[index];
    if (mix.inUse == 0) return "";
    const bool isDefault = mix.pinCount == 1 && mix.pinNumbers[0] == index && mix.mutes[0] == 0 &&
                           mix.gains[0] == 1.0f && mix.phases[0] == 1.0f && mix.masterLevel == 1.0f;
    if (isDefault) return "";

    const char* verb = kind == kKindSource ? "INPUT_MIXER" : "OUTPUT_MIXER";
    const std::string heading = std::string("# ") + verb + " " + intToString(index + 1) + "\n";

    // The verbs reach a mix through an item routed to it: the entry's own item when it is
    // routed there, else the first item that is; else through the mixer number (0 for entry
    // 0, n for entry n + 1), which cannot reach entry 1.
    std::string address;
    const int32_t count = kind == kKindSource ? sourceCount : targetCount;
    auto channelOf = [&](int32_t i) {
        return kind == kKindSource ? sources[i].virtualChannel : targets[i].virtualChannel;
    };
    auto nameOf = [&](int32_t i) -> const std::string& {
        return kind == kKindSource ? sources[i].name : targets[i].name;
    };
    if (index < count && channelOf(index) == index) address = toUpperCopy(nameOf(index));
    for (int32_t i = 0; i < count && i < kChannels && address.empty(); ++i)
        if (channelOf(i) == index) address = toUpperCopy(nameOf(i));
    if (address.empty() && index != 1) address = intToString(index == 0 ? 0 : index - 1);
    if (address.empty())
        return heading + "# -> ROUTED FROM NO " + (kind == kKindSource ? "SOURCE" : "TARGET") +
               ": NOT WRITTEN\n\n";

    const std::string prefix = std::string(verb) + " " + address + " ";
    std::string text = heading;
    if (mix.masterLevel != 1.0f)
        text += prefix + "LEVEL_MASTER " + decibelText(mix.masterLevel) + "\n";
    const int32_t pins = mix.pinCount < 64 ? mix.pinCount : 64;
    for (int32_t k = 0; k < pins; ++k) {
        const std::string pin = intToString(mix.pinNumbers[k] + 1);
        if (k == 0) {
            if (mix.pinNumbers[0] != index)
                text += prefix + "REPLACE_PIN " + intToString(index + 1) + " " + pin + "\n";
        } else {
            text += prefix + "ADD_PIN " + pin + "\n";
        }
        if (mix.gains[k] != 1.0f)
            text += prefix + "LEVEL_PIN " + pin + " " + decibelText(mix.gains[k]) + "\n";
        if (mix.mutes[k] != 0) text += prefix + "MUTE_PIN " + pin + "\n";
        if (mix.phases[k] != 1.0f) {
            char phase[32];
            std::snprintf(phase, sizeof phase, "%.1f", static_cast<double>(mix.phases[k]));
            text += prefix + "PHASE_PIN " + pin + " " + phase + "\n";
        }
    }
    if (pins <= 0) text += prefix + "REMOVE_ALL_PINS\n";
    text += "\n";
    return text;
}
