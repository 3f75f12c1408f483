// qxhost as a program and its parts: command line, script records, pin trace, headless runs.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxhost/command_line.h"
#include "qxhost/host_session.h"
#include "qxhost/pin_trace.h"
#include "qxhost/script_record.h"
#include "qxhost_in_folder.h"

namespace {

using namespace qxhost;

const std::string kOut = QX_OUT_DIR;

using host_test::readFile;

// Runs qxhost with arguments in a fresh folder; its exit code.
struct QxhostRun : host_test::QxhostInFolder {
    int run(const std::string& arguments) { return runQxhost(arguments); }
    std::string file(const std::string& name) { return readFile(folder + "/" + name); }
};

// The expected script record, written out byte by byte.
std::string expectedScriptHex(const std::string& line) {
    std::vector<uint8_t> bytes(2416, 0);
    bytes[0] = 2;
    for (int j = 0; j < 100; ++j) {
        size_t item = 8 + 24 * j;
        if (j == 0) {
            for (size_t k = 0; k < line.size(); ++k) bytes[item + k] = line[k];
            bytes[item + 16] = static_cast<uint8_t>(line.size());
        }
        bytes[item + 20] = 15;
    }
    bytes[2408] = 1;
    std::string hex;
    char pair[3];
    for (uint8_t b : bytes) {
        std::snprintf(pair, sizeof pair, "%02x", b);
        hex += pair;
    }
    return hex;
}

TEST(ScriptRecord, OneLineToLocalIdZeroHasEveryByteInPlace) {
    std::vector<uint8_t> record;
    ASSERT_TRUE(buildScriptRecord(0, {"HELLO"}, record));
    ASSERT_EQ(record.size(), 2416u);
    EXPECT_EQ(formatPinTraceLine(0, PinDirection::In, 3, 2416, record.data()),
              "0 in 3 2416 " + expectedScriptHex("HELLO"));
}

TEST(ScriptRecord, AddresseeAndCountAreLittleEndianWords) {
    std::vector<uint8_t> record;
    ASSERT_TRUE(buildScriptRecord(-1, {}, record));
    EXPECT_EQ(std::vector<uint8_t>(record.begin() + 4, record.begin() + 8),
              (std::vector<uint8_t>{0xff, 0xff, 0xff, 0xff}));
    std::vector<std::string> lines(100, "A");
    ASSERT_TRUE(buildScriptRecord(258, lines, record));
    EXPECT_EQ(record[4], 2);
    EXPECT_EQ(record[5], 1);
    EXPECT_EQ(record[2408], 100);
    EXPECT_EQ(record[8 + 24 * 99], 'A');
    EXPECT_EQ(record[8 + 24 * 99 + 16], 1);
}

TEST(ScriptRecord, RefusesWhatTheRecordCannotHold) {
    std::vector<uint8_t> record{1, 2, 3};
    EXPECT_TRUE(buildScriptRecord(0, {std::string(15, 'X')}, record));
    EXPECT_EQ(record[8 + 14], 'X');
    EXPECT_EQ(record[8 + 15], 0); // the terminator
    EXPECT_FALSE(buildScriptRecord(0, {std::string(16, 'X')}, record));
    EXPECT_TRUE(record.empty());
    EXPECT_FALSE(buildScriptRecord(0, std::vector<std::string>(101, "A"), record));
}

TEST(PinTrace, LinesGiveInstanceDirectionIdSizeAndHex) {
    const uint8_t bytes[] = {0x00, 0xab, 0x10, 0xff};
    EXPECT_EQ(formatPinTraceLine(2, PinDirection::Out, 20, 4, bytes), "2 out 20 4 00ab10ff");
    EXPECT_EQ(formatPinTraceLine(0, PinDirection::In, 5, 0, nullptr), "0 in 5 0 -");
    EXPECT_EQ(formatPinTraceLine(1, PinDirection::Out, 7, 0, bytes), "1 out 7 0 -");
}

TEST(CommandLine, DefaultsAndEveryOption) {
    HostOptions options;
    std::string error;
    ASSERT_TRUE(parseCommandLine({}, options, error));
    EXPECT_EQ(options.width, 1376);
    EXPECT_EQ(options.height, 800);
    EXPECT_EQ(options.instances, 1);
    EXPECT_FALSE(options.headless);

    ASSERT_TRUE(parseCommandLine({"--module", "m.sem", "--headless", "--instances", "3", "--size",
                                  "640x480", "--save", "a.txt", "--send", "SLEEP_NOW", "--load",
                                  "b.txt", "--trace-pins", "t", "--console", "c"},
                                 options, error))
        << error;
    EXPECT_EQ(options.modulePath, "m.sem");
    EXPECT_TRUE(options.headless);
    EXPECT_EQ(options.instances, 3);
    EXPECT_EQ(options.width, 640);
    EXPECT_EQ(options.height, 480);
    ASSERT_EQ(options.actions.size(), 3u); // in the order given
    EXPECT_EQ(options.actions[0].kind, HostAction::Kind::Save);
    EXPECT_EQ(options.actions[1].kind, HostAction::Kind::Send);
    EXPECT_EQ(options.actions[1].argument, "SLEEP_NOW");
    EXPECT_EQ(options.actions[2].kind, HostAction::Kind::Load);
    EXPECT_EQ(options.tracePinsPath, "t");
    EXPECT_EQ(options.consolePath, "c");
}

TEST(CommandLine, RefusesBadInputWithAMessage) {
    const std::vector<std::vector<std::string>> cases = {{"--send", "SIXTEEN_CHARS_XX"},
                                                         {"--instances", "0"},
                                                         {"--instances", "2x"},
                                                         {"--size", "800"},
                                                         {"--size", "0x10"},
                                                         {"--module"},
                                                         {"--bogus"},
                                                         {"--frames", "-1"},
                                                         {"--session"},
                                                         {"--session", ""}};
    for (const auto& arguments : cases) {
        HostOptions options;
        std::string error;
        EXPECT_FALSE(parseCommandLine(arguments, options, error)) << arguments[0];
        EXPECT_FALSE(error.empty()) << arguments[0];
    }
}

TEST(CommandLine, TakesTheSessionOptions) {
    HostOptions options;
    std::string error;
    EXPECT_FALSE(options.fresh);
    EXPECT_EQ(options.sessionPath, "");
    ASSERT_TRUE(parseCommandLine({"--fresh", "--session", "desk/session"}, options, error));
    EXPECT_TRUE(options.fresh);
    EXPECT_EQ(options.sessionPath, "desk/session");
}

// The README's copy of the usage text is the text itself, line for line.
TEST(CommandLine, TheReadmeShowsTheUsageTextAsHelpPrintsIt) {
    const std::string readme = readFile(std::string(QX_SOURCE_DIR) + "/README.md");
    const std::string head = "```\nusage: qxhost [options]\n";
    const size_t start = readme.find(head);
    ASSERT_NE(start, std::string::npos);
    const size_t end = readme.find("```\n", start + 4);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(readme.substr(start + 4, end - start - 4), usageText());
}

TEST_F(QxhostRun, HeadlessRunWritesTraceAndConsoleAndExitsZero) {
    EXPECT_EQ(run("--headless --trace-pins t.txt --console c.txt"), 0) << file("stderr.txt");
    std::ifstream trace(folder + "/t.txt");
    std::ifstream console(folder + "/c.txt");
    EXPECT_TRUE(trace.good());
    EXPECT_TRUE(console.good());
    EXPECT_EQ(file("stderr.txt"), "");
}

TEST_F(QxhostRun, ActionsCrossPinThreeInTheirOrderToEveryInstance) {
    ASSERT_EQ(run("--headless --instances 2 --trace-pins t.txt --send HELLO --load a.txt --save "
                  "b.txt"),
              0)
        << file("stderr.txt");
    std::vector<std::string> inLines;
    std::istringstream lines(file("t.txt"));
    for (std::string line; std::getline(lines, line);)
        // Scripts only: the DSP side also hands in local ids and meters.
        if (line.find(" in 3 ") != std::string::npos) inLines.push_back(line);
    const std::vector<std::string> expected = {
        "0 in 3 2416 " + expectedScriptHex("HELLO"),
        "1 in 3 2416 " + expectedScriptHex("HELLO"),
        "0 in 3 2416 " + expectedScriptHex("LOAD_MACRO_FILE"),
        "1 in 3 2416 " + expectedScriptHex("LOAD_MACRO_FILE"),
        "0 in 3 2416 " + expectedScriptHex("SAVE_PATCH"),
        "1 in 3 2416 " + expectedScriptHex("SAVE_PATCH"),
    };
    EXPECT_EQ(inLines, expected);
}

// SAVE_PATCH takes its file from the save dialog, which qxhost answers with --save.
TEST_F(QxhostRun, SaveWritesThePatchNamedInTheSaveDialog) {
    ASSERT_EQ(
        run("--headless --send 'SET_MASTER -3' --save '" + folder + "/SHOW.txt' --console c.txt"),
        0)
        << file("stderr.txt");
    const std::string patch = file("SHOW.txt");
    EXPECT_EQ(patch.rfind("# RESET EVERYTHING\nHARD_RESET\n", 0), 0u) << patch;
    EXPECT_NE(patch.find("\nSET_MASTER -3.0000\n"), std::string::npos);
    EXPECT_EQ(patch.substr(patch.size() - 10), "\n# SLICES\n");
    EXPECT_NE(file("c.txt").find("SAVE COMPLETE"), std::string::npos);
}

// LOAD_MACRO_FILE takes its file from the open dialog (--load); what it loaded is what the
// next save writes.
TEST_F(QxhostRun, LoadRunsThePatchNamedInTheOpenDialog) {
    std::ofstream(folder + "/IN.txt")
        << "HARD_RESET\nSET NUM_SOURCE 3\nSET_MASTER -6\nNAME S2 KICK\nMUTE KICK\n";
    ASSERT_EQ(run("--headless --load IN.txt --save OUT.txt"), 0) << file("stderr.txt");
    const std::string patch = file("OUT.txt");
    EXPECT_NE(patch.find("\nSET NUM_SOURCE 3\n"), std::string::npos) << patch;
    EXPECT_NE(patch.find("\nMUTE S2\nNAME S2 KICK\n"), std::string::npos) << patch;
    EXPECT_NE(patch.find("\nSET_MASTER -6.0000\n"), std::string::npos);
}

TEST_F(QxhostRun, RefusesWhatCannotWorkAndSaysWhy) {
    struct Case {
        std::string arguments;
        std::string says;
    } cases[] = {
        {"--headless --send 0123456789ABCDEF", "longer than 15 characters"},
        {"--headless --frames 2", "need a window"},
        {"--headless --screenshot s.png", "need a window"},
        {"--headless --exit-after 100", "need a window"},
        {"--headless --module missing.sem", "cannot load the module"},
        {"--headless --trace-pins no/such/folder/t.txt", "cannot write the pin trace"},
    };
    for (const Case& c : cases) {
        EXPECT_NE(run(c.arguments), 0) << c.arguments;
        EXPECT_NE(file("stderr.txt").find(c.says), std::string::npos)
            << c.arguments << ": " << file("stderr.txt");
    }
}

// In process: the session creates, addresses and releases its instances cleanly.
TEST(HostSession, CreatesInstancesThatDieOnTheirLastRelease) {
    HostOptions options;
    options.headless = true;
    options.instances = 3;
    options.modulePath = kOut + "/QX_GUI.sem";
    HostSession session(options);
    ASSERT_TRUE(session.loadModule()) << session.error();
    ASSERT_TRUE(session.createInstances()) << session.error();
    ASSERT_EQ(session.instanceCount(), 3u);
    for (size_t i = 0; i < 3; ++i) ASSERT_NE(session.host(i).instance(), nullptr);
    // A value handed in is kept by the host as the pin's current value.
    EXPECT_EQ(session.host(1).deliverPin(19, {7, 0, 0, 0}), 0);
    ASSERT_NE(session.host(1).pinValue(19), nullptr);
    EXPECT_EQ(*session.host(1).pinValue(19), (std::vector<uint8_t>{7, 0, 0, 0}));
    EXPECT_EQ(session.host(1).deliverPin(32, {1}), -1); // no such pin
    EXPECT_TRUE(session.releaseAll());
}

} // namespace
