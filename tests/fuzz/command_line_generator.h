// Random command lines for the fuzz target and the seeded test: a verb from the verb table,
// then words drawn from item names, selector and mode words, named arguments, numbers at and
// past every limit, and long or odd tokens.
#pragma once

#include <cstring>
#include <string>

#include "app/qx_gui.h"
#include "command/verb_table.h"
#include "fuzz_choices.h"

namespace fuzz_lines {

// Verbs that write files or wait on the user; everything else in the table is fair game.
inline bool isExcludedVerb(const char* verb) {
    static const char* const kExcluded[] = {"SAVE_PATCH",  "SAVE_NOW",         "AUTO_SAVE",
                                            "AUTO_BACKUP", "EXPORT_EQ_PRESET", "LOAD_MACRO_FILE"};
    for (const char* excluded : kExcluded)
        if (std::strcmp(verb, excluded) == 0) return true;
    return false;
}

inline const char* pickVerb(FuzzChoices& choices) {
    const VerbRow* begin = verbTableBegin();
    const uint32_t count = static_cast<uint32_t>(verbTableEnd() - begin);
    for (;;) {
        const char* verb = begin[choices.below(count)].verb;
        if (!isExcludedVerb(verb)) return verb;
        if (choices.exhausted()) return "LEVEL";
    }
}

template <size_t N> const char* pickFrom(FuzzChoices& choices, const char* const (&list)[N]) {
    return list[choices.below(N)];
}

// Numbers at, inside and past every limit a value meets: counts, indices, 32-bit integers,
// float range, and the words the number reader stops on.
inline std::string specialNumber(FuzzChoices& choices) {
    static const char* const kNumbers[] = {"0",
                                           "1",
                                           "-1",
                                           "2",
                                           "3",
                                           "10",
                                           "11",
                                           "63",
                                           "64",
                                           "65",
                                           "127",
                                           "128",
                                           "255",
                                           "256",
                                           "257",
                                           "4096",
                                           "4097",
                                           "32767",
                                           "65535",
                                           "65536",
                                           "2147483647",
                                           "2147483648",
                                           "-2147483648",
                                           "-2147483649",
                                           "4294967296",
                                           "1e9",
                                           "1e10",
                                           "-1e10",
                                           "1e30",
                                           "-1e30",
                                           "1e38",
                                           "3.5e38",
                                           "-3.5e38",
                                           "1e300",
                                           "1e-45",
                                           "1e-300",
                                           "0.5",
                                           "-0.5",
                                           "INF",
                                           "-INF",
                                           "NAN",
                                           "0x7FFFFFFF",
                                           "99999999999",
                                           "99999999999999999999999",
                                           "-99999999999999999999999",
                                           "1.",
                                           ".",
                                           "-",
                                           "+",
                                           "--1",
                                           "1e",
                                           "1e+",
                                           "12.5.6",
                                           "-0",
                                           "0.0001",
                                           "100",
                                           "-100",
                                           "-60",
                                           "2000",
                                           "20000",
                                           "24000",
                                           "48000"};
    if (choices.chance(4)) {
        const int32_t value = static_cast<int32_t>(choices.below(400)) - 200;
        return std::to_string(value);
    }
    return pickFrom(choices, kNumbers);
}

inline std::string itemName(FuzzChoices& choices) {
    static const char* const kKinds[] = {"S", "T", "G", "R", "C"};
    static const char* const kNamed[] = {"KICK", "SNARE", "LEFT", "RIGHT", "DRUMS",
                                         "S",    "T",     "G",    "R"};
    if (choices.chance(6)) return pickFrom(choices, kNamed);
    std::string name = pickFrom(choices, kKinds);
    if (choices.chance(5)) return name + specialNumber(choices);
    return name + std::to_string(choices.below(70));
}

inline std::string keyword(FuzzChoices& choices) {
    static const char* const kWords[] = {"ALL",
                                         "ALL_SOURCES",
                                         "ALL_TARGETS",
                                         "ALL_GROUPS",
                                         "ALL_ROOMS",
                                         "SOURCES",
                                         "TARGETS",
                                         "GROUPS",
                                         "SELECTION",
                                         "MARQUEE",
                                         "MARQ",
                                         "ON",
                                         "OFF",
                                         "TRUE",
                                         "FALSE",
                                         "YES",
                                         "NO",
                                         "NONE",
                                         "BOTH",
                                         "ENABLE",
                                         "DISABLE",
                                         "COMPRESSOR",
                                         "GATE",
                                         "LIMITER",
                                         "COMPANDER",
                                         "FREEFORM",
                                         "FOLLOWER",
                                         "SHAPER",
                                         "EQ",
                                         "LIMIT",
                                         "PEAK",
                                         "NOTCH",
                                         "LS",
                                         "HS",
                                         "LP",
                                         "HP",
                                         "BP",
                                         "PRE_DELAY",
                                         "PRE_FILTER",
                                         "POST_FILTER",
                                         "POST_DYNAMICS",
                                         "INTERNAL",
                                         "ADD_PIN",
                                         "LEVEL_PIN",
                                         "MUTE_PIN",
                                         "UNMUTE_PIN",
                                         "PHASE_PIN",
                                         "REMOVE_PIN",
                                         "REPLACE_PIN",
                                         "REMOVE_ALL_PINS",
                                         "LEVEL_CHANNEL",
                                         "MUTE_CHANNEL",
                                         "UNMUTE_CHANNEL",
                                         "PHASE_CHANNEL",
                                         "REMOVE_CHANNEL",
                                         "LEVEL_MASTER",
                                         "NUM_SOURCE",
                                         "NUM_TARGET",
                                         "NUM_GROUP",
                                         "NUM_ROOM",
                                         "DELAY",
                                         "FILTERS",
                                         "DYNAMICS",
                                         "MASTER",
                                         "MATRIX",
                                         "TOOLBOX",
                                         "CLI",
                                         "SCOPE",
                                         "FFT",
                                         "ENVELOPES",
                                         "HEATMAP",
                                         "SYNDICATION",
                                         "GRID_VISIBILITY",
                                         "GUI_SNAP",
                                         "ROOM_LABELS",
                                         "ANNOTATION_VISIBILITY",
                                         "X_HAIR_VISIBILITY",
                                         "CABLE_VISIBILITY",
                                         "SOURCE_LABELS",
                                         "LEFT",
                                         "RIGHT",
                                         "TOP",
                                         "BOTTOM",
                                         "CENTRE",
                                         "MIDDLE",
                                         "HORIZONTAL",
                                         "VERTICAL",
                                         "REVERSE",
                                         "FORWARDS",
                                         "WINDOW_LEFT",
                                         "WINDOW_CENTRE",
                                         "_DATE_",
                                         "_LEFT_",
                                         "_CENTRE_",
                                         "EXCLUDE",
                                         "GLOBAL",
                                         "ZERO",
                                         "ROTATION",
                                         "MOVEMENT",
                                         "ANTIPHASE",
                                         "NORMAL",
                                         "VIRTUAL",
                                         "STAGE",
                                         "MACRO",
                                         "DEBUG",
                                         "MID",
                                         "SIDE",
                                         "TIME",
                                         "GROUP"};
    return pickFrom(choices, kWords);
}

inline std::string namedArgument(FuzzChoices& choices) {
    return std::string(kNamedKeyTexts[choices.below(kNamedKeyCount)]) + specialNumber(choices);
}

// A token no ordinary line holds: very long, quoted, with tabs, colons, separators or bytes
// outside printable text.
inline std::string oddToken(FuzzChoices& choices) {
    switch (choices.below(8)) {
    case 0:
        return std::string(1 + choices.below(600), static_cast<char>('A' + choices.below(26)));
    case 1:
        return "\"" + std::string(choices.below(300), 'Q') + (choices.chance(2) ? "\"" : "");
    case 2:
        return "'" + keyword(choices) + "'";
    case 3:
        return "\t" + itemName(choices) + "\t" + specialNumber(choices);
    case 4:
        return std::string(choices.below(6), ':') + specialNumber(choices);
    case 5:
        return choices.chance(2) ? "" : std::string(1 + choices.below(4), ' ');
    case 6: {
        std::string bytes;
        for (uint32_t n = 1 + choices.below(12); n > 0; --n)
            bytes += static_cast<char>(1 + choices.below(255));
        return bytes;
    }
    default:
        return choices.chance(2) ? "..\\..\\ETC/PASSWD" : "/DEV/ZERO";
    }
}

inline std::string randomWord(FuzzChoices& choices) {
    switch (choices.below(10)) {
    case 0:
    case 1:
    case 2:
        return itemName(choices);
    case 3:
    case 4:
        return namedArgument(choices);
    case 5:
    case 6:
        return specialNumber(choices);
    case 7:
    case 8:
        return keyword(choices);
    default:
        return oddToken(choices);
    }
}

inline std::string randomCommandLine(FuzzChoices& choices) {
    std::string line = pickVerb(choices);
    for (uint32_t words = choices.below(8); words > 0; --words) line += " " + randomWord(choices);
    return line;
}

// A small stage with every kind of item, so that names resolve and verbs have records to
// change: some sources and targets, groups, rooms, cables and a name or two.
inline void prepareFuzzStage(QX_GUI& gui) {
    for (const char* line :
         {"SET NUM_SOURCE 12", "SET NUM_TARGET 10", "SET NUM_GROUP 4", "SET NUM_ROOM 3",
          "NAME S2 KICK", "NAME T1 LEFT", "GROUPIFY S3 S4 G1", "CABLE S1 T1 T2", "CABLE S2 T3",
          "FEEDBACK T1 S1 0.5", "SEL X:2 S1 T1"})
        gui.executeCommandString(line);
}

} // namespace fuzz_lines
