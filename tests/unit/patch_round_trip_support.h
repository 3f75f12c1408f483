// A rich state made by command lines (64 sources and targets with every kind of setting), and
// helpers to save a patch and load it into a fresh instance; shared by the round-trip tests
// and the benchmark.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/qx_gui.h"

namespace patch_test {

inline std::vector<std::string> fullLoadCommands() {
    std::vector<std::string> lines = {"HARD_RESET", "SET NUM_ROOM 6", "SET NUM_TARGET 64",
                                      "SET NUM_SOURCE 64", "SET NUM_GROUP 8"};
    char line[256];
    for (int i = 1; i <= 64; ++i) {
        std::snprintf(line, sizeof line, "POS S%i X:%.2f Y:%.2f", i, -300.0 + 9.25 * i,
                      40.0 * ((i % 7) - 3) + 0.37 * i);
        lines.push_back(line);
        std::snprintf(line, sizeof line, "POS T%i X:%.2f Y:%.2f", i, 280.0 - 8.5 * i,
                      -120.0 + 3.75 * i);
        lines.push_back(line);
        std::snprintf(line, sizeof line, "SET_SIZE S%i %.2f", i, 0.25 + 0.03 * i);
        lines.push_back(line);
        std::snprintf(line, sizeof line, "LEVEL S%i %.1f", i, -0.5 * (i % 13));
        lines.push_back(line);
        std::snprintf(line, sizeof line, "LEVEL T%i %.1f", i, -0.25 * (i % 9));
        lines.push_back(line);
        std::snprintf(line, sizeof line, "RGB S%i RED:%.4f GREEN:0.5 BLUE:0.25", i, i / 64.0);
        lines.push_back(line);
    }
    for (const char* l :
         {"POS R1 X:-300 Y:-200 W:250 H:180", "POS R2 X:40 Y:-200 W:220 H:200", "LEVEL R3 -3",
          "MUTE S3 S9", "SOLO S12", "PHASE S5 T7 -1", "MUTE T20", "SOLO T33", "GLOBALZ T4 FALSE",
          "SET_ZERO T4 120", "SET_ZERO 90", "VIRTUALISE S10 12", "HIDE T50", "SET_MASTER -3.5"})
        lines.push_back(l);
    // Groups with members and motion.
    for (const char* l :
         {"GROUPIFY S2 S3 S4 S5 G2", "GROUPIFY S10 S11 S12 G3", "GROUPIFY S40 S41 G1",
          "SET_ROTATION G2 S:30 ON", "SET_MOVEMENT G3 X:0.5 Y:-0.25 ON", "LEVEL G3 -2", "MUTE G1"})
        lines.push_back(l);
    // Cables with levels, mutes, solos and phases.
    for (int i = 1; i <= 64; ++i) {
        std::snprintf(line, sizeof line, "CABLE S%i T%i X:%.1f", i, (i % 64) + 1, -0.5 * (i % 20));
        lines.push_back(line);
    }
    for (const char* l : {"CABLE S2 T1 T2", "TOGGLE_CABLE_MUTE S6 T7 1",
                          "TOGGLE_CABLE_SOLO S8 T9 1", "TOGGLE_CABLE_PHASE S10 T11 -1",
                          "TOGGLE_CABLE_USE_GROUP S12 T13 0", "CABLE S20 T40 X:-INF"})
        lines.push_back(l);
    // Delays, filters, dynamics with side chains.
    for (const char* l :
         {"DELAY S1 ON TIME:12.5", "DELAY S7 OFF TIME:3", "DELAY T5 ON TIME:250",
          "FILTER S1 BAND:2 ENABLE TYPE:PEAK F:400 G:4.5 BW:1.25",
          "FILTER S1 BAND:5 ENABLE TYPE:HS F:8000 G:-3 BW:2", "FILTER S1 ON",
          "FILTER S2 BAND:3 ENABLE TYPE:NOTCH F:1200 G:0 BW:0.5", "FILTER S2 BAND:3 DISABLE",
          "FILTER S2 ON", "FILTER T3 BAND:1 ENABLE TYPE:LS F:80 G:6 BW:1", "FILTER T3 OFF",
          "DYNAMICS S1 COMPRESSOR ON", "DYNAMICS S6 LIMITER ON", "DYNAMICS T2 GATE ON",
          "SIDECHAIN S6 S1 PRE_FILTER", "SIDECHAIN T2 T4 PRE_DELAY"})
        lines.push_back(l);
    // Mixers and feedback mixes.
    for (const char* l :
         {"INPUT_MIXER S1 ADD_PIN 3", "INPUT_MIXER S1 LEVEL_PIN 3 -6", "INPUT_MIXER S1 MUTE_PIN 3",
          "OUTPUT_MIXER T2 ADD_PIN 5", "OUTPUT_MIXER T2 PHASE_PIN 5 -1", "FEEDBACK T1 S1 0.25",
          "FEEDBACK T3 S1 0.75", "TOGGLE_FEEDBACK_MUTE T3 S1 1", "FEEDBACK T8 S9 0.5",
          "TOGGLE_FEEDBACK_PHASE T8 S9 -1.0"})
        lines.push_back(l);
    // Names given last: the lines above address the default names.
    for (const char* l : {"NAME S2 KICK", "NAME S3 SNARE", "NAME T1 LEFT", "NAME T2 RIGHT",
                          "NAME G2 DRUMS", "NAME T3 G"})
        lines.push_back(l);
    // Annotations, view switches, panels, selections and slices.
    for (const char* l : {"NOTE X:100 Y:50 S:2 RED:1 GREEN:0.5 BLUE:0 L:1 \"STAGE LEFT\"",
                          "NOTE X:-40 Y:90 S:3 RED:0 GREEN:1 BLUE:1 L:0.5 \"BAND\"",
                          "TOGGLE ANNOTATION_VISIBILITY",
                          "TOGGLE GRID_VISIBILITY",
                          "TOGGLE ROOM_LABELS",
                          "TOGGLE X_HAIR_VISIBILITY",
                          "TOGGLE GUI_SNAP",
                          "ZOOM_LEVEL 1.5",
                          "DISPLACE_STAGE X:30 Y:-15",
                          "SHOW_PANEL DELAY",
                          "SHOW_PANEL FILTERS",
                          "PANEL_SETUP DELAY X:100 Y:120 W:300 H:200 S:1",
                          "HIDE_PANEL MASTER",
                          "SEL X:2 S1 T1 KICK",
                          "SEL X:5 S30 S31",
                          "SYN_MODE MARQ",
                          "STORE_SELECT 3",
                          "SELECT G LEFT",
                          "STORE_SELECT 4",
                          "SELECT S8 S9",
                          "TOUCH RIGHT",
                          "AUTO_SAVE ON"})
        lines.push_back(l);
    lines.push_back("SLICE_M S:1 X:3\tS1\tKICK\tS30");
    lines.push_back("SLICE_X S:1 X:3\t10.5\t-20.25\t30");
    lines.push_back("SLICE_Y S:1 X:3\t1\t2\t3.75");
    lines.push_back("SLICE_S S:1 X:3\t0.5\t1\t1.5");
    lines.push_back("SLICE_L S:1 X:3\t1\t0.5\t0.25");
    return lines;
}

// Runs the lines; returns the lines that failed with their messages.
inline std::vector<std::string> runLines(QX_GUI& gui, const std::vector<std::string>& lines) {
    std::vector<std::string> failed;
    for (const std::string& line : lines)
        if (gui.executeCommandString(line) != 0)
            failed.push_back(line + " : " + gui.console.lastError);
    return failed;
}

inline std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeFile(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// A fresh folder under /tmp for one test's files.
// A fresh folder under /tmp, removed with everything in it when the test ends.
struct ScratchFolder {
    explicit ScratchFolder(const std::string& tag) {
        std::string pattern = "/tmp/qx_" + tag + "_XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        if (const char* made = ::mkdtemp(name.data())) path = made;
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder() {
        std::error_code ignored;
        if (!path.empty()) std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// Loads a patch file as LOAD_MACRO_FILE does (the executor commits the model once the verb has
// loaded the file), then runs the deferred lines (one per tick).
inline void loadPatch(QX_GUI& gui, const std::string& path) {
    gui.runMacroLoad(path, false, false);
    gui.commitModelChange();
    for (int tick = 0; tick < 250 && gui.queueActive; ++tick) gui.runNextQueuedLine();
}

} // namespace patch_test
