// qxhost end to end without a window: a macro file loaded through the open-file dialog and the
// script pin, seen in the console file and, decoded, in the pin trace.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "qxhost_in_folder.h"

namespace {

const std::string kOut = QX_OUT_DIR;

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

using host_test::readFile;

// One line of the pin trace, its bytes decoded from hex.
struct TracedValue {
    int instance = -1;
    bool out = false;
    int pin = -1;
    std::vector<uint8_t> bytes;
};

std::vector<TracedValue> readTrace(const std::string& path) {
    std::vector<TracedValue> values;
    for (const std::string& line : readLines(path)) {
        std::istringstream fields(line);
        TracedValue v;
        std::string direction, hex;
        size_t size = 0;
        fields >> v.instance >> direction >> v.pin >> size >> hex;
        v.out = direction == "out";
        if (hex != "-")
            for (size_t i = 0; i + 1 < hex.size(); i += 2)
                v.bytes.push_back(static_cast<uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
        EXPECT_EQ(v.bytes.size(), size) << line.substr(0, 40);
        values.push_back(std::move(v));
    }
    return values;
}

uint32_t u32At(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}

float f32At(const std::vector<uint8_t>& b, size_t at) {
    uint32_t bits = u32At(b, at);
    float value;
    std::memcpy(&value, &bits, 4);
    return value;
}

std::string textAt(const std::vector<uint8_t>& b, size_t at) {
    return std::string(reinterpret_cast<const char*>(&b[at]));
}

// Runs qxhost in a fresh folder holding the macro file "m.txt".
struct QxhostMacroRun : host_test::QxhostInFolder {
    void writeMacro(const std::string& text) { std::ofstream(folder + "/m.txt") << text; }
    int run(const std::string& arguments) { return runQxhost(arguments); }
    // The last value of each pin the module sent.
    std::map<int, std::vector<uint8_t>> lastOut(const std::vector<TracedValue>& trace) {
        std::map<int, std::vector<uint8_t>> last;
        for (const TracedValue& v : trace)
            if (v.out && v.instance == 0) last[v.pin] = v.bytes;
        return last;
    }
};

TEST_F(QxhostMacroRun, ConsoleShowsTheBatchTheSkippedCommentsAndTheFailedLines) {
    writeMacro("HARD_RESET\n"
               "; set up two sources\n"
               "SET NUM_SOURCE 2\r\n"
               "# and one target\n"
               "SET NUM_TARGET 1\n"
               "NO_SUCH_VERB 1\n"
               "MUTE S9\n"
               "MUTE S2\n");
    ASSERT_EQ(run("--headless --load m.txt --console c.txt --trace-pins t.txt"), 0)
        << readFile(path("stderr.txt"));
    const std::string mPath = "Z:" + folder + "/m.txt"; // the dialog's answer in its Z: form
    std::string zPath = mPath;
    for (char& c : zPath)
        if (c == '/') c = '\\';
    const std::vector<std::string> expected = {
        "0  --> SET LOCAL ID TO 0",
        "0 SCRIPT IS FOR ME!",
        "0    -> ITEM 1 -> LOAD_MACRO_FILE",
        "0 -> LOAD_MACRO_FILE",
        "0 ATTEMPT TO LOAD MACRO : " + zPath,
        "0 -> HARD_RESET",
        "0 -> NO_PANELS",
        "0 -> RESET_TOOLBOX",
        "0 -> RESET_SELECT",
        "0 -> SELECT NONE",
        "0 -> RESET_FILTERS_DSP",
        "0 -> SET NUM_SOURCE 2", // comment lines are never echoed
        "0 -> SET NUM_TARGET 1",
        "0 -> NO_SUCH_VERB 1",
        "0 COMMAND \"NO_SUCH_VERB\" NOT FOUND",
        "0 -> MUTE S9",
        "0 ITEM \"S9\" NOT FOUND",
        "0 -> MUTE S2",
        "0 << 2 ERRORS IN MACRO >>",
        // Comment lines count: the failures are on lines 6 and 7 of the file. Console lines
        // are cut at 65 characters.
        "0 << ON LINE 6 >> :: NO_SUCH_VERB 1 - COMMAND \"NO_SUCH_VERB\" NOT FO ...",
        "0 << ON LINE 7 >> :: MUTE S9 - ITEM \"S9\" NOT FOUND - ",
    };
    EXPECT_EQ(readLines(path("c.txt")), expected);

    // The verb reached the instance as a script record on pin 3; the whole file ran as one
    // batch, so each state blob went out once, after the file, with the file's end state.
    std::vector<TracedValue> trace = readTrace(path("t.txt"));
    int scripts = 0, sourceBlobs = 0;
    for (const TracedValue& v : trace) {
        if (!v.out && v.pin == 3) {
            ++scripts;
            ASSERT_EQ(v.bytes.size(), 2416u);
            EXPECT_EQ(textAt(v.bytes, 8), "LOAD_MACRO_FILE");
        }
        if (v.out && v.pin == 9) {
            ++sourceBlobs;
            ASSERT_EQ(v.bytes.size(), 128u); // two sources
            EXPECT_EQ(v.bytes[64 + 24], 1);  // S2 muted
        }
    }
    EXPECT_EQ(scripts, 1);
    EXPECT_EQ(sourceBlobs, 1);
    EXPECT_EQ(readFile(path("stderr.txt")), "");
}

TEST_F(QxhostMacroRun, AMissingFileIsReportedAsOneErrorOnLineMinusOne) {
    ASSERT_EQ(run("--headless --load missing.txt --console c.txt"), 0);
    std::vector<std::string> lines = readLines(path("c.txt"));
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[lines.size() - 3], "0 MACRO FILE NOT FOUND OUTSIDE OF LOCALITY");
    EXPECT_EQ(lines[lines.size() - 2], "0 << 1 ERRORS IN MACRO >>");
    EXPECT_EQ(lines[lines.size() - 1], "0 << ON LINE -1 >> :: FILE NOT FOUND - ");
}

TEST_F(QxhostMacroRun, TraceShowsTheStageAMacroBuilds) {
    writeMacro("HARD_RESET\n"
               "SET NUM_ROOM 1\n"
               "POS R1 X:-500 Y:-400 W:1000 H:800\n"
               "SET NUM_SOURCE 3\n"
               "SET NUM_TARGET 2\n"
               "NAME S3 VOX\n"
               "POS S1 X:-100 Y:50\n"
               "POS T1 X:-100 Y:60\n"
               "CABLE S2 T2\n"
               "GROUPIFY S1 VOX G1\n"
               "MOVE G1 X:10 Y:-20\n");
    ASSERT_EQ(run("--headless --load m.txt --console c.txt --trace-pins t.txt"), 0)
        << readFile(path("stderr.txt"));
    std::vector<std::string> console = readLines(path("c.txt"));
    ASSERT_FALSE(console.empty());
    EXPECT_EQ(console.back(), "0 << PATCH LOADING COMPLETE >>");

    std::map<int, std::vector<uint8_t>> last = lastOut(readTrace(path("t.txt")));

    // Sources (pin 9): 64 bytes each, position at 4 and 8, name at 33.
    const std::vector<uint8_t>& sources = last[9];
    ASSERT_EQ(sources.size(), 3u * 64);
    EXPECT_EQ(textAt(sources, 33), "S1");
    EXPECT_EQ(textAt(sources, 64 + 33), "S2");
    EXPECT_EQ(textAt(sources, 128 + 33), "VOX");
    EXPECT_EQ(f32At(sources, 4), -100.0f);
    EXPECT_EQ(f32At(sources, 8), 50.0f);
    for (int s = 0; s < 3; ++s) EXPECT_EQ(sources[64 * s + 1], s) << "virtual channel";

    // Targets (pin 8): 64 bytes each, name at 34.
    const std::vector<uint8_t>& targets = last[8];
    ASSERT_EQ(targets.size(), 2u * 64);
    EXPECT_EQ(textAt(targets, 34), "T1");
    EXPECT_EQ(textAt(targets, 64 + 34), "T2");
    EXPECT_EQ(f32At(targets, 4), -100.0f);
    EXPECT_EQ(f32At(targets, 8), 60.0f);

    // Rooms (pin 7): R1's rectangle.
    const std::vector<uint8_t>& rooms = last[7];
    ASSERT_EQ(rooms.size(), 64u);
    EXPECT_EQ(f32At(rooms, 8), -500.0f);
    EXPECT_EQ(f32At(rooms, 12), -400.0f);
    EXPECT_EQ(f32At(rooms, 16), 1000.0f);
    EXPECT_EQ(f32At(rooms, 20), 800.0f);
    EXPECT_EQ(textAt(rooms, 28).substr(0, 2), "R1");

    // Groups (pin 10): 80 bytes each for the 16 groups; G1 moved and holds S1 and S3.
    const std::vector<uint8_t>& groups = last[10];
    ASSERT_EQ(groups.size(), 16u * 80);
    EXPECT_EQ(textAt(groups, 41), "G1");
    EXPECT_EQ(f32At(groups, 0), 10.0f);
    EXPECT_EQ(f32At(groups, 4), -20.0f);
    EXPECT_EQ(u32At(groups, 64), 0x5u); // member mask: S1 and S3
    EXPECT_EQ(u32At(groups, 80 + 64), 0u);

    // Cables (pin 11): one cable S2 -> T2 at level 1.
    const std::vector<uint8_t>& cables = last[11];
    ASSERT_EQ(cables.size(), 16u);
    EXPECT_EQ(f32At(cables, 0), 1.0f);
    EXPECT_EQ(cables[8], 1);
    EXPECT_EQ(cables[9], 1);

    // Gain matrix (pin 15): 3 x 2, entry count big-endian, then (s, t, channels, gain).
    const std::vector<uint8_t>& matrix = last[15];
    ASSERT_GE(matrix.size(), 8u);
    EXPECT_EQ(matrix[0], 3);
    EXPECT_EQ(matrix[1], 2);
    const size_t entries = matrix[2] << 8 | matrix[3];
    ASSERT_EQ(matrix.size(), 8 * (entries + 1));
    std::map<std::pair<int, int>, float> gains;
    for (size_t e = 1; e <= entries; ++e) {
        const size_t at = 8 * e;
        EXPECT_EQ(matrix[at + 2], matrix[at]) << "source channel";
        EXPECT_EQ(matrix[at + 3], matrix[at + 1]) << "target channel";
        gains[{matrix[at], matrix[at + 1]}] = f32At(matrix, at + 4);
    }
    ASSERT_EQ(gains.count({1, 1}), 1u);
    EXPECT_EQ(gains[std::make_pair(1, 1)], 1.0f); // the cable's level
    // S1 sits 10 units from T1 inside reach of the default radius: an uncabled gain, divided
    // by the radius, below 1 and above 0.
    ASSERT_EQ(gains.count({0, 0}), 1u);
    EXPECT_GT(gains[std::make_pair(0, 0)], 0.0f);
    EXPECT_LT(gains[std::make_pair(0, 0)], 1.0f);
    EXPECT_EQ(gains.count({0, 1}), 0u); // S1 is out of T2's reach: no entry
}

// The foundation's promise: a headless run constructs, exchanges pins both ways and releases
// its instances. The sanitizer build runs this too; any report there ends the run non-zero or
// writes to standard error.
TEST_F(QxhostMacroRun, HeadlessRunExchangesPinsBothWaysAndReleasesCleanly) {
    ASSERT_EQ(run("--headless --instances 2 --trace-pins t.txt --console c.txt --send WAKE_NOW"), 0)
        << readFile(path("stderr.txt"));
    EXPECT_EQ(readFile(path("stderr.txt")), "");
    std::vector<TracedValue> trace = readTrace(path("t.txt"));
    bool in[2] = {false, false}, out[2] = {false, false};
    for (const TracedValue& v : trace) {
        ASSERT_TRUE(v.instance == 0 || v.instance == 1);
        (v.out ? out : in)[v.instance] = true;
    }
    // The line is addressed to local id 0: instance 1 takes its values but has nothing to send.
    EXPECT_TRUE(in[0] && in[1] && out[0]);
    std::string console = readFile(path("c.txt"));
    EXPECT_NE(console.find("0  --> SET LOCAL ID TO 0\n"), std::string::npos);
    EXPECT_NE(console.find("1  --> SET LOCAL ID TO 1\n"), std::string::npos);
}

} // namespace

namespace {

// The patches shipped beside the module load without a failing line.
TEST_F(QxhostMacroRun, ShippedPatchesLoadWithoutErrors) {
    for (const char* patch : {"PATCHES/DEMO.txt", "PATCHES/BLANK.txt"}) {
        ASSERT_EQ(run("--headless --load '" + kOut + "/" + patch + "' --console c.txt"), 0);
        std::vector<std::string> console = readLines(path("c.txt"));
        ASSERT_FALSE(console.empty()) << patch;
        EXPECT_EQ(console.back(), "0 << PATCH LOADING COMPLETE >>") << patch;
    }
}

} // namespace

namespace {

// A file that loads itself, by relative or absolute name, or two files that load each other:
// the loads stop at the depth limit with one message, the outer load completes and qxhost
// ends normally.
TEST_F(QxhostMacroRun, LoadsThatLoadThemselvesStopAtTheDepthLimit) {
    struct Case {
        const char* what;
        std::string m;
        std::string n;
    };
    const Case cases[] = {
        {"relative", "LOAD_MACRO M.TXT\nSET NUM_SOURCE 3\n", ""},
        {"absolute", "LOAD_MACRO " + folder + "/m.txt\nSET NUM_SOURCE 3\n", ""},
        {"two-file loop", "LOAD_MACRO N.TXT\nSET NUM_SOURCE 3\n", "LOAD_MACRO M.TXT\n"},
    };
    for (const Case& c : cases) {
        writeMacro(c.m);
        std::ofstream(path("n.txt")) << c.n;
        ASSERT_EQ(run("--headless --load m.txt --console c.txt"), 0)
            << c.what << "\n"
            << readFile(path("stderr.txt"));
        const std::vector<std::string> console = readLines(path("c.txt"));
        int depthMessages = 0;
        for (const std::string& line : console)
            if (line.find("LOADS NESTED MORE THAN 8 DEEP, NOT LOADED : ") != std::string::npos)
                ++depthMessages;
        EXPECT_EQ(depthMessages, 1) << c.what;
        ASSERT_FALSE(console.empty()) << c.what;
        EXPECT_EQ(console.back(), "0 << PATCH LOADING COMPLETE >>") << c.what;
    }
}

// What is not a regular file, or is too large, is refused at once with a message, and qxhost
// ends normally: the device of endless zeros, a folder, and a 100 MB file of one line.
TEST_F(QxhostMacroRun, FilesThatAreNotTextOrTooLargeAreRefused) {
    const std::string big = path("big.txt");
    { std::ofstream(big) << "SET NUM_SOURCE 3 "; }
    ASSERT_EQ(::truncate(big.c_str(), 100L << 20), 0); // sparse where the file system allows
    ::mkdir(path("folder").c_str(), 0755);
    struct Case {
        std::string file;
        const char* message;
    };
    for (const Case& c : {Case{"/dev/zero", "FILE REFUSED, NOT A REGULAR FILE : "},
                          Case{path("folder"), "FILE REFUSED, NOT A REGULAR FILE : "},
                          Case{big, "FILE REFUSED, LARGER THAN 8 MB : "}}) {
        ASSERT_EQ(run("--headless --load '" + c.file + "' --console c.txt"), 0)
            << c.file << "\n"
            << readFile(path("stderr.txt"));
        const std::string console = readFile(path("c.txt"));
        EXPECT_NE(console.find(c.message), std::string::npos) << c.file << "\n" << console;
        EXPECT_NE(console.find("<< 1 ERRORS IN MACRO >>"), std::string::npos) << c.file;
    }
}

} // namespace
