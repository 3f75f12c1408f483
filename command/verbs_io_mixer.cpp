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

// One INPUT_MIXER or OUTPUT_MIXER line once its mixers are found: the sub-verb and its two
// words, read as whole numbers and as values.
struct MixerLine {
    MixRecord* table = nullptr;
    int32_t direction = 0;
    std::vector<int32_t> mixers;
    std::vector<std::string> sourceNames; // the named sources, for MID and SIDE
    std::string verb;
    std::string wordA;
    std::string wordB;
    int32_t a = 0;
    int32_t b = 0;
    double aValue = 0.0;
    double bValue = 0.0;
    bool anyMixer = false;
};

int32_t fail(QX_GUI& gui, const char* message) {
    gui.console.pendingError = message;
    return 1;
}

template <typename Change> void eachMixer(const MixerLine& line, Change change) {
    for (int32_t m : line.mixers) change(line.table[m], m);
}

// The _PIN sub-verbs: every slot of each mix that holds pin A is changed.
template <typename Change> void eachSlotOfPin(const MixerLine& line, Change change) {
    const int32_t pin = line.a - 1;
    eachMixer(line, [pin, &change](MixRecord& mix, int32_t) {
        mix.inUse = 1;
        for (int32_t j = 0; j < mix.pinCount && j < 64; ++j)
            if (mix.pinNumbers[j] == pin) change(mix, j);
    });
}

// The _CHANNEL sub-verbs: slot A of each mix is changed when it is routed.
template <typename Change> void atRoutedChannel(const MixerLine& line, Change change) {
    const int32_t slot = line.a - 1;
    eachMixer(line, [slot, &change](MixRecord& mix, int32_t) {
        mix.inUse = 1;
        if (mix.routed[slot] == 1) change(mix, slot);
    });
}

int32_t resetMixers(QX_GUI& gui, const MixerLine& line) {
    eachMixer(line, [&gui](MixRecord& mix, int32_t m) {
        gui.appendConsoleLine("INPUT MIXER " + intToString(m));
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
    return 0;
}

int32_t setEvenGains(const MixerLine& line, bool normalise) {
    eachMixer(line, [normalise](MixRecord& mix, int32_t) {
        mix.inUse = 1;
        const int32_t count = mix.pinCount < 64 ? mix.pinCount : 64;
        for (int32_t j = 0; j < count; ++j)
            mix.gains[j] = normalise ? 1.0f / static_cast<float>(count) : 1.0f;
    });
    return 0;
}

int32_t levelMaster(QX_GUI&, const MixerLine& line) {
    const double aValue = line.aValue;
    eachMixer(line, [aValue](MixRecord& mix, int32_t) {
        mix.inUse = 1;
        mix.masterLevel = gainOfDb(aValue);
    });
    return 0;
}

int32_t addPin(QX_GUI& gui, const MixerLine& line) {
    const int32_t a = line.a;
    if (line.anyMixer && !inPinRange(a - 1)) return fail(gui, "ADD_PIN - PIN OUT OF RANGE");
    eachMixer(line, [&gui, a](MixRecord& mix, int32_t) {
        if (slotOfPin(mix, a - 1) >= 0 || mix.pinCount >= 64) {
            gui.appendConsoleLine("ADD_PIN - PIN ALREADY IN MIXER");
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
    return 0;
}

int32_t removePin(QX_GUI& gui, const MixerLine& line) {
    const int32_t a = line.a;
    if (line.anyMixer && !inPinRange(a - 1)) return fail(gui, "REMOVE_PIN - PIN OUT OF RANGE");
    eachMixer(line, [&gui, a](MixRecord& mix, int32_t) {
        const int32_t slot = slotOfPin(mix, a - 1);
        if (slot < 0) {
            gui.appendConsoleLine("REMOVE_PIN - PIN NOT IN MIXER");
            return;
        }
        if (mix.pinCount <= 1) {
            gui.appendConsoleLine("REMOVE_PIN - CAN'T REMOVE LAST PIN");
            return;
        }
        removeSlot(mix, slot);
        for (int32_t j = 0; j < 64; ++j) mix.routed[j] = j < mix.pinCount ? 1 : 0;
        mix.inUse = 1;
    });
    return 0;
}

int32_t removeChannel(QX_GUI& gui, const MixerLine& line) {
    const int32_t a = line.a;
    if (!inPinRange(a - 1)) return fail(gui, "REMOVE_CHANNEL - CHANNEL OUT OF RANGE");
    eachMixer(line, [&gui, a](MixRecord& mix, int32_t) {
        if (mix.pinCount < 2) {
            gui.appendConsoleLine("REMOVE_CHANNEL - CANNOT REMOVE LAST CHANNEL");
            return;
        }
        // A slot past the mix is never connected, whatever its flag says.
        if (a - 1 >= mix.pinCount || mix.routed[a - 1] == 0) {
            gui.appendConsoleLine("REMOVE CHANNEL - CHANNEL NOT CONNECTED");
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
    return 0;
}

// Empties the mix; a saved patch writes it for a mix whose every pin was removed.
int32_t removeAllPins(QX_GUI&, const MixerLine& line) {
    eachMixer(line, [](MixRecord& mix, int32_t) {
        mix.inUse = 1;
        mix.pinCount = 0;
        for (uint8_t& routed : mix.routed) routed = 0;
    });
    return 0;
}

// A setting of one slot of each mix: the slot holding pin A (`byPin`), or routed channel A.
template <typename Change>
int32_t setSlots(QX_GUI& gui, const MixerLine& line, bool byPin, const char* outOfRange,
                 Change change) {
    if (!inPinRange(line.a - 1)) return fail(gui, outOfRange);
    if (byPin)
        eachSlotOfPin(line, change);
    else
        atRoutedChannel(line, change);
    return 0;
}

int32_t muteSlots(QX_GUI& gui, const MixerLine& line, bool byPin, bool mute) {
    const char* outOfRange =
        byPin ? (mute ? "MUTE_PIN - PIN OUT OF RANGE" : "UNMUTE_PIN - PIN OUT OF RANGE")
              : (mute ? "MUTE - CHANNEL OUT OF RANGE" : "UNMUTE - CHANNEL OUT OF RANGE");
    return setSlots(gui, line, byPin, outOfRange,
                    [mute](MixRecord& mix, int32_t j) { mix.mutes[j] = mute ? 1 : 0; });
}

int32_t phaseSlots(QX_GUI& gui, const MixerLine& line, bool byPin) {
    const double bValue = line.bValue;
    if (bValue != 1.0 && bValue != -1.0)
        return fail(gui, byPin ? "PHASE_PIN - INVALID PHASE PARAMETER (1/-1)"
                               : "PHASE_CHANNEL - INVALID PHASE PARAMETER (1/-1)");
    return setSlots(
        gui, line, byPin, byPin ? "PHASE_PIN - PIN OUT OF RANGE" : "PHASE - CHANNEL OUT OF RANGE",
        [bValue](MixRecord& mix, int32_t j) { mix.phases[j] = static_cast<float>(bValue); });
}

int32_t levelSlots(QX_GUI& gui, const MixerLine& line, bool byPin) {
    const double bValue = line.bValue;
    return setSlots(gui, line, byPin,
                    byPin ? "LEVEL_PIN - PIN OUT OF RANGE" : "LEVEL_CHANNEL - CHANNEL OUT OF RANGE",
                    [bValue](MixRecord& mix, int32_t j) { mix.gains[j] = gainOfDb(bValue); });
}

int32_t replacePin(QX_GUI& gui, const MixerLine& line) {
    const int32_t a = line.a;
    const int32_t b = line.b;
    if (a < 1 || a > 64 || !inPinRange(b - 1)) return fail(gui, "REPLACE_PIN - PIN OUT OF RANGE");
    eachMixer(line, [&gui, a, b](MixRecord& mix, int32_t) {
        if (slotOfPin(mix, b - 1) >= 0) {
            gui.appendConsoleLine("REPLACE_PIN - PIN ALREADY IN MIXER");
            return;
        }
        const int32_t slot = slotOfPin(mix, a - 1);
        if (slot < 0) {
            gui.appendConsoleLine("REPLACE_PIN - PIN NOT IN MIXER");
            return;
        }
        mix.pinNumbers[slot] = b - 1;
        mix.inUse = 1;
    });
    return 0;
}

// MID and SIDE, for input mixers only: each named source's mix becomes its own channel
// replaced by the left pin with the right pin added, as a sum or as a difference.
int32_t midOrSide(QX_GUI& gui, const MixerLine& line, bool mid) {
    if (line.direction != 1) return fail(gui, "IO_MIXER COMMAND NOT FOUND");
    if (!inPinRange(line.a - 1))
        return fail(gui,
                    mid ? "MID - LEFT CHANNEL OUT OF RANGE" : "SIDE - LEFT CHANNEL OUT OF RANGE");
    if (!inPinRange(line.b - 1))
        return fail(gui,
                    mid ? "MID - RIGHT CHANNEL OUT OF RANGE" : "SIDE - RIGHT CHANNEL OUT OF RANGE");
    for (size_t i = 0; i < line.sourceNames.size(); ++i) {
        const std::string prefix = "INPUT_MIXER " + line.sourceNames[i] + " ";
        const int32_t own = line.mixers[i];
        gui.executeCommandString(prefix + "RESET");
        gui.executeCommandString(prefix + "REPLACE_PIN " + intToString(own + 1) + " " + line.wordA);
        gui.executeCommandString(prefix + "ADD_PIN " + line.wordB);
        if (mid) {
            gui.executeCommandString(prefix + "NORMALISE");
        } else {
            gui.inputMixers[own].phases[0] = 1.0f;
            gui.inputMixers[own].phases[1] = -1.0f;
        }
    }
    return 0;
}

using MixerVerbHandler = int32_t (*)(QX_GUI& gui, const MixerLine& line);

struct MixerVerbRow {
    const char* verb;
    MixerVerbHandler handler;
};

// The sub-verbs in the order in which they are compared.
const MixerVerbRow kMixerVerbRows[] = {
    {"RESET", resetMixers},
    {"NORMALISE", [](QX_GUI&, const MixerLine& l) { return setEvenGains(l, true); }},
    {"ZERO", [](QX_GUI&, const MixerLine& l) { return setEvenGains(l, false); }},
    {"LEVEL_MASTER", levelMaster},
    {"ADD_PIN", addPin},
    {"REMOVE_PIN", removePin},
    {"REMOVE_CHANNEL", removeChannel},
    {"REMOVE_ALL_PINS", removeAllPins},
    {"MUTE_PIN", [](QX_GUI& g, const MixerLine& l) { return muteSlots(g, l, true, true); }},
    {"UNMUTE_PIN", [](QX_GUI& g, const MixerLine& l) { return muteSlots(g, l, true, false); }},
    {"MUTE_CHANNEL", [](QX_GUI& g, const MixerLine& l) { return muteSlots(g, l, false, true); }},
    {"UNMUTE_CHANNEL", [](QX_GUI& g, const MixerLine& l) { return muteSlots(g, l, false, false); }},
    {"PHASE_PIN", [](QX_GUI& g, const MixerLine& l) { return phaseSlots(g, l, true); }},
    {"PHASE_CHANNEL", [](QX_GUI& g, const MixerLine& l) { return phaseSlots(g, l, false); }},
    {"LEVEL_PIN", [](QX_GUI& g, const MixerLine& l) { return levelSlots(g, l, true); }},
    {"LEVEL_CHANNEL", [](QX_GUI& g, const MixerLine& l) { return levelSlots(g, l, false); }},
    {"REPLACE_PIN", replacePin},
    {"MID", [](QX_GUI& g, const MixerLine& l) { return midOrSide(g, l, true); }},
    {"SIDE", [](QX_GUI& g, const MixerLine& l) { return midOrSide(g, l, false); }},
};

// The mixers a line addresses: the channels of the named items of the direction's kind, else
// the number that leads the words, which is then taken off them. False, with the error set,
// for a number out of range.
bool findMixers(QX_GUI& gui, const CliObject& command, MixerLine& line,
                std::vector<std::string>& words) {
    const int32_t direction = line.direction;
    const char* verbName = direction == 1 ? "INPUT_MIXER" : "OUTPUT_MIXER";
    std::string text = command.mode == -1 ? std::string() : command.arguments;
    for (int32_t i = 0; i < command.refCount(); ++i) {
        const ItemRef& ref = command.refs[i];
        if (ref.type != direction) continue;
        const size_t at = (" " + text).find(" " + ref.name + " ");
        if (at != std::string::npos) text.erase(at, ref.name.size() + 1);
        const int32_t channel = direction == 1 ? gui.sources[ref.index].virtualChannel
                                               : gui.targets[ref.index].virtualChannel;
        if (channel < 0 || channel >= QX_GUI::kChannels) {
            gui.appendConsoleLine(ref.name + " IS ROUTED TO NO VIRTUAL CHANNEL");
            continue;
        }
        line.mixers.push_back(channel);
        if (direction == 1) line.sourceNames.push_back(ref.name);
    }
    words = wordsOf(text);
    if (command.refCount() == 0) {
        const int32_t n = words.empty() ? 0 : boundedWholeNumber(words[0]);
        const int32_t mixer = n >= 1 && n <= 63 ? n + 1 : n;
        if (mixer < 0 || mixer >= QX_GUI::kChannels) {
            gui.console.pendingError = std::string(verbName) + " - MIXER NUMBER OUT OF RANGE";
            return false;
        }
        line.mixers.push_back(mixer);
        if (!words.empty()) words.erase(words.begin());
    }
    return true;
}

// The sub-verb and its words, echoed to the console.
void readSubVerb(QX_GUI& gui, const std::vector<std::string>& words, MixerLine& line) {
    line.verb = words.empty() ? std::string() : words[0];
    std::string rest;
    for (size_t i = 1; i < words.size(); ++i) rest += (i > 1 ? " " : "") + words[i];
    gui.appendConsoleLine("  THE VERB IS  --" + line.verb + "--");
    gui.appendConsoleLine("  THE ARGS ARE --" + rest + "--");
    line.wordA = words.size() > 1 ? words[1] : std::string();
    line.wordB = words.size() > 2 ? words[2] : std::string();
    line.a = boundedWholeNumber(line.wordA);
    line.aValue = std::atof(line.wordA.c_str());
    line.b = boundedWholeNumber(line.wordB);
    line.bValue = std::atof(line.wordB.c_str());
    line.anyMixer = !line.mixers.empty();
}

} // namespace

int32_t QX_GUI::cmdIoMixer(CliObject command, int32_t direction) {
    if (direction != 1 && direction != 2) {
        console.pendingError = "IO MIXERS FOR INPUT AND OUTPUT NODES ONLY!";
        return 1;
    }
    MixerLine line;
    line.direction = direction;
    line.table = direction == 1 ? inputMixers : outputMixers;
    std::vector<std::string> words;
    if (!findMixers(*this, command, line, words)) return 1;
    readSubVerb(*this, words, line);
    for (const MixerVerbRow& row : kMixerVerbRows)
        if (line.verb == row.verb) return row.handler(*this, line);
    return fail(*this, "IO_MIXER COMMAND NOT FOUND");
}
