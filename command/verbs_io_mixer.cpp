// INPUT_MIXER and OUTPUT_MIXER: edit the mixes of virtual input or output channels, addressed
// through the items routed to them or by number. Pins and slots are 1-based in the text.
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/qx_gui.h"
#include "app/text_services.h"

namespace {

// Levels are read in double precision, so a level written with enough digits comes back as
// the very gain it was written from.
float gainOfDb(double db) {
    return static_cast<float>(std::pow(10.0, db * 0.05));
}

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < text.size()) {
        const size_t blank = text.find(' ', start);
        const size_t end = blank == std::string::npos ? text.size() : blank;
        if (end > start) words.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

int32_t slotOfPin(const MixRecord& mix, int32_t pin) {
    const int32_t count = mix.pinCount < 64 ? mix.pinCount : 64;
    for (int32_t j = 0; j < count; ++j)
        if (mix.pinNumbers[j] == pin) return j;
    return -1;
}

// Drops slot k from the slots in use, moving the later ones down with their settings.
void removeSlot(MixRecord& mix, int32_t k) {
    const int32_t count = mix.pinCount < 64 ? mix.pinCount : 64;
    for (int32_t j = k; j + 1 < count; ++j) {
        mix.pinNumbers[j] = mix.pinNumbers[j + 1];
        mix.gains[j] = mix.gains[j + 1];
        mix.phases[j] = mix.phases[j + 1];
        mix.mutes[j] = mix.mutes[j + 1];
        mix.routed[j] = mix.routed[j + 1];
    }
    mix.pinCount = count - 1;
}

// A whole number as atoi reads it, held within a million either way: every use compares it with
// the 64 pins or channels, and a bound keeps "p - 1" clear of overflow for any word typed.
int32_t boundedWholeNumber(const std::string& word) {
    const long long n = std::strtoll(word.c_str(), nullptr, 10);
    constexpr long long kBound = 1000000;
    return static_cast<int32_t>(n < -kBound ? -kBound : n > kBound ? kBound : n);
}

bool inPinRange(int32_t zeroBased) {
    return zeroBased >= 0 && zeroBased < 64;
}

} // namespace

int32_t QX_GUI::cmdIoMixer(CliObject command, int32_t direction) {
    if (direction != 1 && direction != 2) {
        console.pendingError = "IO MIXERS FOR INPUT AND OUTPUT NODES ONLY!";
        return 1;
    }
    MixRecord* table = direction == 1 ? inputMixers : outputMixers;
    const char* verbName = direction == 1 ? "INPUT_MIXER" : "OUTPUT_MIXER";

    // The mixers: the channels of the named items of the direction's kind, else a number.
    std::string text = command.mode == -1 ? std::string() : command.arguments;
    std::vector<int32_t> mixers;
    std::vector<std::string> sourceNames; // the named sources, for MID and SIDE
    for (int32_t i = 0; i < command.refCount(); ++i) {
        const ItemRef& ref = command.refs[i];
        if (ref.type != direction) continue;
        const size_t at = (" " + text).find(" " + ref.name + " ");
        if (at != std::string::npos) text.erase(at, ref.name.size() + 1);
        const int32_t channel =
            direction == 1 ? sources[ref.index].virtualChannel : targets[ref.index].virtualChannel;
        if (channel < 0 || channel >= kChannels) {
            appendConsoleLine(ref.name + " IS ROUTED TO NO VIRTUAL CHANNEL");
            continue;
        }
        mixers.push_back(channel);
        if (direction == 1) sourceNames.push_back(ref.name);
    }
    std::vector<std::string> words = wordsOf(text);
    if (command.refCount() == 0) {
        const int32_t n = words.empty() ? 0 : boundedWholeNumber(words[0]);
        const int32_t mixer = n >= 1 && n <= 63 ? n + 1 : n;
        if (mixer < 0 || mixer >= kChannels) {
            console.pendingError = std::string(verbName) + " - MIXER NUMBER OUT OF RANGE";
            return 1;
        }
        mixers.push_back(mixer);
        if (!words.empty()) words.erase(words.begin());
    }
    const std::string verb = words.empty() ? std::string() : words[0];
    std::string rest;
    for (size_t i = 1; i < words.size(); ++i) rest += (i > 1 ? " " : "") + words[i];
    appendConsoleLine("  THE VERB IS  --" + verb + "--");
    appendConsoleLine("  THE ARGS ARE --" + rest + "--");
    const std::string wordA = words.size() > 1 ? words[1] : std::string();
    const std::string wordB = words.size() > 2 ? words[2] : std::string();
    const int32_t a = boundedWholeNumber(wordA);
    const double aValue = std::atof(wordA.c_str());
    const int32_t b = boundedWholeNumber(wordB);
    const double bValue = std::atof(wordB.c_str());
    const bool anyMixer = !mixers.empty();

    auto fail = [this](const char* message) {
        console.pendingError = message;
        return 1;
    };
    auto eachMixer = [&](auto change) {
        for (int32_t m : mixers) change(table[m], m);
    };

    if (verb == "RESET") {
        eachMixer([this](MixRecord& mix, int32_t m) {
            appendConsoleLine("INPUT MIXER " + intToString(m));
            mix.inUse = 1;
            mix.index = m;
            mix.pinCount = 1;
            mix.pinNumbers[0] = m;
            for (int32_t j = 0; j < 64; ++j) {
                mix.routed[j] = j == 0 ? 1 : 0;
                mix.gains[j] = 1.0f;
                mix.phases[j] = 1.0f;
                mix.mutes[j] = 0;
            }
            mix.masterLevel = 1.0f;
        });
    } else if (verb == "NORMALISE" || verb == "ZERO") {
        const bool normalise = verb == "NORMALISE";
        eachMixer([normalise](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            const int32_t count = mix.pinCount < 64 ? mix.pinCount : 64;
            for (int32_t j = 0; j < count; ++j)
                mix.gains[j] = normalise ? 1.0f / static_cast<float>(count) : 1.0f;
        });
    } else if (verb == "LEVEL_MASTER") {
        eachMixer([aValue](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            mix.masterLevel = gainOfDb(aValue);
        });
    } else if (verb == "ADD_PIN") {
        if (anyMixer && !inPinRange(a - 1)) return fail("ADD_PIN - PIN OUT OF RANGE");
        eachMixer([this, a](MixRecord& mix, int32_t) {
            if (slotOfPin(mix, a - 1) >= 0 || mix.pinCount >= 64) {
                appendConsoleLine("ADD_PIN - PIN ALREADY IN MIXER");
                return;
            }
            if (mix.pinCount < 0) mix.pinCount = 0;
            const int32_t slot = mix.pinCount;
            mix.pinNumbers[slot] = a - 1;
            mix.routed[slot] = 1;
            // A new pin starts at unity, in phase and unmuted, whatever the slot held before.
            mix.gains[slot] = 1.0f;
            mix.phases[slot] = 1.0f;
            mix.mutes[slot] = 0;
            mix.pinCount = slot + 1;
            mix.inUse = 1;
        });
    } else if (verb == "REMOVE_PIN") {
        if (anyMixer && !inPinRange(a - 1)) return fail("REMOVE_PIN - PIN OUT OF RANGE");
        eachMixer([this, a](MixRecord& mix, int32_t) {
            const int32_t slot = slotOfPin(mix, a - 1);
            if (slot < 0) {
                appendConsoleLine("REMOVE_PIN - PIN NOT IN MIXER");
                return;
            }
            if (mix.pinCount <= 1) {
                appendConsoleLine("REMOVE_PIN - CAN'T REMOVE LAST PIN");
                return;
            }
            removeSlot(mix, slot);
            for (int32_t j = 0; j < 64; ++j) mix.routed[j] = j < mix.pinCount ? 1 : 0;
            mix.inUse = 1;
        });
    } else if (verb == "REMOVE_CHANNEL") {
        if (!inPinRange(a - 1)) return fail("REMOVE_CHANNEL - CHANNEL OUT OF RANGE");
        eachMixer([this, a](MixRecord& mix, int32_t) {
            if (mix.pinCount < 2) {
                appendConsoleLine("REMOVE_CHANNEL - CANNOT REMOVE LAST CHANNEL");
                return;
            }
            // A slot past the mix is never connected, whatever its flag says.
            if (a - 1 >= mix.pinCount || mix.routed[a - 1] == 0) {
                appendConsoleLine("REMOVE CHANNEL - CHANNEL NOT CONNECTED");
                return;
            }
            const int32_t oldCount = mix.pinCount < 64 ? mix.pinCount : 64;
            removeSlot(mix, a - 1);
            // The remaining slots keep their routed flags; the freed slots are cleared.
            for (int32_t j = mix.pinCount; j < oldCount; ++j) {
                mix.pinNumbers[j] = 0;
                mix.gains[j] = 0.0f;
                mix.phases[j] = 0.0f;
                mix.mutes[j] = 0;
                mix.routed[j] = 0;
            }
            mix.inUse = 1;
        });
    } else if (verb == "REMOVE_ALL_PINS") {
        // Empties the mix; a saved patch writes it for a mix whose every pin was removed.
        eachMixer([](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            mix.pinCount = 0;
            for (uint8_t& routed : mix.routed) routed = 0;
        });
    } else if (verb == "MUTE_PIN" || verb == "UNMUTE_PIN") {
        const bool mute = verb == "MUTE_PIN";
        if (!inPinRange(a - 1))
            return fail(mute ? "MUTE_PIN - PIN OUT OF RANGE" : "UNMUTE_PIN - PIN OUT OF RANGE");
        eachMixer([a, mute](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            for (int32_t j = 0; j < mix.pinCount && j < 64; ++j)
                if (mix.pinNumbers[j] == a - 1) mix.mutes[j] = mute ? 1 : 0;
        });
    } else if (verb == "MUTE_CHANNEL" || verb == "UNMUTE_CHANNEL") {
        const bool mute = verb == "MUTE_CHANNEL";
        if (!inPinRange(a - 1))
            return fail(mute ? "MUTE - CHANNEL OUT OF RANGE" : "UNMUTE - CHANNEL OUT OF RANGE");
        eachMixer([a, mute](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            if (mix.routed[a - 1] == 1) mix.mutes[a - 1] = mute ? 1 : 0;
        });
    } else if (verb == "PHASE_PIN") {
        if (bValue != 1.0 && bValue != -1.0)
            return fail("PHASE_PIN - INVALID PHASE PARAMETER (1/-1)");
        if (!inPinRange(a - 1)) return fail("PHASE_PIN - PIN OUT OF RANGE");
        eachMixer([a, bValue](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            for (int32_t j = 0; j < mix.pinCount && j < 64; ++j)
                if (mix.pinNumbers[j] == a - 1) mix.phases[j] = static_cast<float>(bValue);
        });
    } else if (verb == "PHASE_CHANNEL") {
        if (bValue != 1.0 && bValue != -1.0)
            return fail("PHASE_CHANNEL - INVALID PHASE PARAMETER (1/-1)");
        if (!inPinRange(a - 1)) return fail("PHASE - CHANNEL OUT OF RANGE");
        eachMixer([a, bValue](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            if (mix.routed[a - 1] == 1) mix.phases[a - 1] = static_cast<float>(bValue);
        });
    } else if (verb == "LEVEL_PIN") {
        if (!inPinRange(a - 1)) return fail("LEVEL_PIN - PIN OUT OF RANGE");
        eachMixer([a, bValue](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            for (int32_t j = 0; j < mix.pinCount && j < 64; ++j)
                if (mix.pinNumbers[j] == a - 1) mix.gains[j] = gainOfDb(bValue);
        });
    } else if (verb == "LEVEL_CHANNEL") {
        if (!inPinRange(a - 1)) return fail("LEVEL_CHANNEL - CHANNEL OUT OF RANGE");
        eachMixer([a, bValue](MixRecord& mix, int32_t) {
            mix.inUse = 1;
            if (mix.routed[a - 1] == 1) mix.gains[a - 1] = gainOfDb(bValue);
        });
    } else if (verb == "REPLACE_PIN") {
        if (a < 1 || a > 64 || !inPinRange(b - 1)) return fail("REPLACE_PIN - PIN OUT OF RANGE");
        eachMixer([this, a, b](MixRecord& mix, int32_t) {
            if (slotOfPin(mix, b - 1) >= 0) {
                appendConsoleLine("REPLACE_PIN - PIN ALREADY IN MIXER");
                return;
            }
            const int32_t slot = slotOfPin(mix, a - 1);
            if (slot < 0) {
                appendConsoleLine("REPLACE_PIN - PIN NOT IN MIXER");
                return;
            }
            mix.pinNumbers[slot] = b - 1;
            mix.inUse = 1;
        });
    } else if ((verb == "MID" || verb == "SIDE") && direction == 1) {
        const bool mid = verb == "MID";
        if (!inPinRange(a - 1))
            return fail(mid ? "MID - LEFT CHANNEL OUT OF RANGE"
                            : "SIDE - LEFT CHANNEL OUT OF RANGE");
        if (!inPinRange(b - 1))
            return fail(mid ? "MID - RIGHT CHANNEL OUT OF RANGE"
                            : "SIDE - RIGHT CHANNEL OUT OF RANGE");
        for (size_t i = 0; i < sourceNames.size(); ++i) {
            const std::string prefix = "INPUT_MIXER " + sourceNames[i] + " ";
            const int32_t own = mixers[i];
            executeCommandString(prefix + "RESET");
            executeCommandString(prefix + "REPLACE_PIN " + intToString(own + 1) + " " + wordA);
            executeCommandString(prefix + "ADD_PIN " + wordB);
            if (mid) {
                executeCommandString(prefix + "NORMALISE");
            } else {
                inputMixers[own].phases[0] = 1.0f;
                inputMixers[own].phases[1] = -1.0f;
            }
        }
    } else {
        return fail("IO_MIXER COMMAND NOT FOUND");
    }
    return 0;
}
