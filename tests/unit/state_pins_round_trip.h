// The state pins of a saved instance and of a fresh one that loaded its patch, compared record
// by record, apart from what a patch does not hold (listed below with the reason); shared by
// the round-trip tests of storms and of command lines.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "patch_round_trip_support.h"

namespace patch_test {

inline void sendEverything(QX_GUI& gui) {
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui.sendFlags[flag] = 1;
    gui.sendStateToDsp();
}

inline std::vector<uint8_t> held(const MpGuiPin<MpBlob>& pin) {
    const MpBlob& blob = pin.getValue();
    return std::vector<uint8_t>(blob.getData(), blob.getData() + blob.getSize());
}

inline float f32At(const std::vector<uint8_t>& bytes, size_t at) {
    float value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// What a patch leaves out: records of a table that the comparison skips on the
// saved instance's word.
enum class Skip {
    Nothing,
    // A filter or dynamics record not in use is not written (only records in use are), so the
    // fields a reset leaves in it are not in a patch; and an editor that shows an item sets its
    // record up, while which item an editor shows is not in a patch either.
    RecordsNotInUse,
    // A mixer that holds only its default routing is not written, so its in-use byte is not.
    DefaultMixers,
    // A cable level travels as a named value, which is f32 in decibels: a level between two such
    // steps comes back to the nearest one (an f32 step of a decibel value under 128 dB moves the
    // gain by less than 2e-6 of itself).
    CableLevelUlps,
    // The gain of a cabled pair holds its cable's level, so it comes back as near as that level
    // (the matrix's first 8 bytes are its head: the counts).
    CabledGainUlps,
    // A patch's lines are upper-cased as they load, so a note's text (bytes 56 to 311 of its
    // record) typed in lower case through the script pin comes back in upper case.
    NoteTextCase,
};

struct StatePin {
    const char* name;
    const MpGuiPin<MpBlob> QX_GUI::*pin;
    size_t recordSize;
    size_t inUseByte;
    Skip skip;
    int32_t kind; // mixers: 1 input, 2 output
};
inline const StatePin kStatePins[] = {
    {"view state", &QX_GUI::pinViewState, 60, 0, Skip::Nothing, 0},
    {"rooms", &QX_GUI::pinRooms, 1, 0, Skip::Nothing, 0},
    {"targets", &QX_GUI::pinTargets, 1, 0, Skip::Nothing, 0},
    {"sources", &QX_GUI::pinSources, 1, 0, Skip::Nothing, 0},
    {"groups", &QX_GUI::pinGroups, 1, 0, Skip::Nothing, 0},
    {"cables", &QX_GUI::pinCables, 16, 0, Skip::CableLevelUlps, 0},
    {"input delays", &QX_GUI::pinInputDelays, 1, 0, Skip::Nothing, 0},
    {"input eq", &QX_GUI::pinInputEq, 368, 2, Skip::RecordsNotInUse, 0},
    {"input dynamics", &QX_GUI::pinInputDynamics, 860, 3, Skip::RecordsNotInUse, 0},
    {"gain matrix", &QX_GUI::pinGainMatrix, 8, 0, Skip::CabledGainUlps, 0},
    {"output eq", &QX_GUI::pinOutputEq, 368, 2, Skip::RecordsNotInUse, 0},
    {"output dynamics", &QX_GUI::pinOutputDynamics, 860, 3, Skip::RecordsNotInUse, 0},
    {"output delays", &QX_GUI::pinOutputDelays, 1, 0, Skip::Nothing, 0},
    {"input mixer", &QX_GUI::pinInputMixer, 912, 0, Skip::DefaultMixers, 1},
    {"output mixer", &QX_GUI::pinOutputMixer, 912, 0, Skip::DefaultMixers, 2},
    {"source virtuals", &QX_GUI::pinSourceVirtuals, 1, 0, Skip::Nothing, 0},
    {"target virtuals", &QX_GUI::pinTargetVirtuals, 1, 0, Skip::Nothing, 0},
    {"feedback mixes", &QX_GUI::pinFeedbackMixes, 1, 0, Skip::Nothing, 0},
    {"notes", &QX_GUI::pinNotes, 320, 0, Skip::NoteTextCase, 0},
    {"slices", &QX_GUI::pinSlices, 1, 0, Skip::Nothing, 0},
    {"stored selections", &QX_GUI::pinNameLists, 1, 0, Skip::Nothing, 0},
};

inline bool recordSkipped(const StatePin& pin, QX_GUI& saved, const std::vector<uint8_t>& bytes,
                          size_t record) {
    switch (pin.skip) {
    case Skip::RecordsNotInUse:
        return bytes[record * pin.recordSize + pin.inUseByte] == 0;
    case Skip::DefaultMixers:
        return saved.writeMixerPatchSection(pin.kind, static_cast<int32_t>(record)).empty();
    default:
        return false;
    }
}

// Two gains that differ by no more than a cable level's decibel step allows.
inline bool levelsNear(float left, float right) {
    return left == right || std::fabs(left - right) <= 2e-6f * std::fabs(left);
}

inline bool sameGainEntry(QX_GUI& saved, size_t record, const uint8_t* a, const uint8_t* b) {
    if (record == 0 || std::memcmp(a, b, 4) != 0) return std::memcmp(a, b, 8) == 0;
    const bool cabled = a[0] < kMembershipSlots && saved.targets[a[1]].cabled[a[0]] != 0;
    if (!cabled) return std::memcmp(a, b, 8) == 0;
    return levelsNear(f32At(std::vector<uint8_t>(a, a + 8), 4),
                      f32At(std::vector<uint8_t>(b, b + 8), 4));
}

inline bool sameRecord(const StatePin& pin, const uint8_t* a, const uint8_t* b) {
    if (pin.recordSize == 860) {
        // A side-chain location outside 0 to 3 (RESET_DY leaves -1) has no word in a SIDECHAIN
        // line: the line is written with an empty word, and the location comes back as loaded.
        int32_t location;
        std::memcpy(&location, a + 856, 4);
        if (location < 0 || location > 3) return std::memcmp(a, b, 856) == 0;
    }
    if (pin.skip == Skip::NoteTextCase) {
        for (size_t k = 0; k < pin.recordSize; ++k) {
            const bool text = k >= 56 && k < 312;
            if (text ? std::toupper(a[k]) != std::toupper(b[k]) : a[k] != b[k]) return false;
        }
        return true;
    }
    if (pin.skip != Skip::CableLevelUlps) return std::memcmp(a, b, pin.recordSize) == 0;
    const float left = f32At(std::vector<uint8_t>(a, a + 4), 0);
    const float right = f32At(std::vector<uint8_t>(b, b + 4), 0);
    return levelsNear(left, right) && std::memcmp(a + 4, b + 4, pin.recordSize - 4) == 0;
}

// Where the saved and the loaded pin first differ in a compared record, or "".
inline std::string firstDifference(const StatePin& pin, QX_GUI& saved, QX_GUI& loaded) {
    const std::vector<uint8_t> a = held(saved.*pin.pin);
    const std::vector<uint8_t> b = held(loaded.*pin.pin);
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.size()) + " / " + std::to_string(b.size());
    for (size_t r = 0; r * pin.recordSize < a.size(); ++r) {
        const size_t at = r * pin.recordSize;
        if (recordSkipped(pin, saved, a, r)) continue;
        if (pin.skip == Skip::CabledGainUlps ? sameGainEntry(saved, r, &a[at], &b[at])
                                             : sameRecord(pin, &a[at], &b[at]))
            continue;
        size_t k = at;
        while (a[k] == b[k]) ++k;
        return "record " + std::to_string(r) + " byte " + std::to_string(k - at) + ": " +
               std::to_string(a[k]) + " / " + std::to_string(b[k]);
    }
    return "";
}

// Saves the state into the folder, loads the file into a fresh instance and compares every
// state pin of the two.
inline void expectTheSameStatePinsAfterReload(QX_GUI& gui, const std::string& folder) {
    const std::string path = folder + "/STORM.txt";
    ASSERT_EQ(gui.writePatchFile(path, 0), 0);
    auto loaded = std::make_unique<QX_GUI>();
    loadPatch(*loaded, path);
    sendEverything(gui);
    sendEverything(*loaded);
    for (const StatePin& pin : kStatePins)
        EXPECT_EQ(firstDifference(pin, gui, *loaded), "") << pin.name;
}

} // namespace patch_test
