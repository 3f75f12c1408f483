// The session of a windowed qxhost: the stage a run leaves (three sources, S2 moved and named)
// comes back at the next plain start however the run ended (its timer, SIGTERM, SIGKILL five
// seconds after the load), not with --fresh; a damaged session file gives a message and a
// fresh start and is kept aside; one run holds the session at a time; a desk a run replaces
// without having restored it is kept aside as the previous one.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxhost_driver.h"
#include "qxplatform/test_hooks.h"

namespace {

using namespace qxhost_driver;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test has a state folder of its own: XDG_STATE_HOME of every qxhost it starts.
struct QxhostSessionWindow : ::testing::Test {
    std::string folder;
    std::string previousState;
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        char pattern[] = "/tmp/qx-session-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        if (const char* state = std::getenv("XDG_STATE_HOME")) previousState = state;
        setenv("XDG_STATE_HOME", path("state").c_str(), 1);
        std::ofstream(path("m.txt")) << "HARD_RESET\n"
                                        "SET NUM_SOURCE 3\n"
                                        "POS S2 X:120 Y:-80\n"
                                        "NAME S2 KICK\n";
    }
    void TearDown() override {
        if (folder.empty()) return;
        setenv("XDG_STATE_HOME", previousState.c_str(), 1);
        std::system(("rm -rf '" + folder + "'").c_str());
    }
    std::string path(const std::string& name) const { return folder + "/" + name; }
    std::string sessionFile() const { return path("state/qxhost/session"); }

    int runToEnd(const std::vector<std::string>& arguments) {
        return waitFor(startQxhost(arguments));
    }
    // A plain start that saves the stage it came up with to `name`.
    void saveAtAPlainStart(const std::string& name, const std::vector<std::string>& more = {}) {
        std::vector<std::string> arguments = {"--save", path(name),  "--exit-after",
                                              "600",    "--console", path(name + ".console")};
        arguments.insert(arguments.end(), more.begin(), more.end());
        ASSERT_EQ(runToEnd(arguments), 0);
    }
    bool hasKick(const std::string& name) const {
        const std::string patch = readFile(path(name));
        EXPECT_NE(patch.find("# RESET EVERYTHING"), std::string::npos) << "no patch " << name;
        return patch.find("NAME S2 KICK") != std::string::npos &&
               patch.find("POS S2 X:120.00 y:-80.00") != std::string::npos;
    }
    // Starts qxhost on the macro and waits until its load has run the last line (the loads
    // of the macro panel before it count for nothing); 0 when it never does.
    pid_t startOnTheMacro() {
        const pid_t pid = startQxhost({"--load", path("m.txt"), "--console", path("run.console")});
        for (int i = 0; i < 200; ++i) {
            if (consoleHas(path("run.console"), "-> NAME S2 KICK")) return pid;
            pause(50);
        }
        kill(pid, SIGKILL);
        waitFor(pid);
        return 0;
    }
};

TEST_F(QxhostSessionWindow, ARunEndedByItsTimerComesBackAtThePlainStartNotAtAFreshOne) {
    ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "800"}), 0);
    saveAtAPlainStart("plain.txt");
    EXPECT_TRUE(hasKick("plain.txt"));
    EXPECT_TRUE(consoleHas(path("plain.txt.console"),
                           "qxhost: session restored from " + sessionFile() + ": 1 instance"));
    saveAtAPlainStart("fresh.txt", {"--fresh"});
    EXPECT_FALSE(hasKick("fresh.txt"));
    // The fresh run's end wrote its own stage as the session.
    saveAtAPlainStart("after.txt");
    EXPECT_FALSE(hasKick("after.txt"));
}

TEST_F(QxhostSessionWindow, SigtermEndsTheRunAndTheSessionIsWritten) {
    const pid_t pid = startOnTheMacro();
    ASSERT_NE(pid, 0);
    kill(pid, SIGTERM);
    EXPECT_EQ(waitFor(pid), 0) << "an ordinary end";
    EXPECT_TRUE(consoleHas(path("run.console"), "qxhost: SIGTERM received: ending the run"));
    saveAtAPlainStart("plain.txt");
    EXPECT_TRUE(hasKick("plain.txt"));
}

TEST_F(QxhostSessionWindow, SigkillFiveSecondsAfterTheLoadLosesNothing) {
    const pid_t pid = startOnTheMacro();
    ASSERT_NE(pid, 0);
    pause(5000);
    kill(pid, SIGKILL);
    waitFor(pid);
    saveAtAPlainStart("plain.txt");
    EXPECT_TRUE(hasKick("plain.txt"));
}

TEST_F(QxhostSessionWindow, ADamagedSessionGivesAMessageAFreshStartAndIsKeptAside) {
    ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "500"}), 0);
    const std::string good = readFile(sessionFile());
    ASSERT_EQ(good.rfind("QXHOST SESSION 1 1 ", 0), 0u);
    struct Case {
        const char* what;
        std::string bytes;
        const char* says;
        const char* keptAs; // the word for why in the name of the file kept aside
    };
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() - 100), "it is cut short", "damaged"},
        {"random bytes", std::string("\x13\x8f\x01zz\xff\n", 7) + good.substr(60, 500),
         "it is not a qxhost session file", "damaged"},
        {"a future version", "QXHOST SESSION 7 1 0 00000000\n",
         "it is of format version 7, and this qxhost reads version 1", "newer-format"},
    };
    for (const Case& c : cases) {
        std::system(("rm -f '" + sessionFile() + "'*").c_str());
        std::ofstream(sessionFile(), std::ios::binary) << c.bytes;
        saveAtAPlainStart("plain.txt");
        EXPECT_FALSE(hasKick("plain.txt")) << c.what;
        EXPECT_TRUE(
            consoleHas(path("plain.txt.console"),
                       "qxhost: the session file " + sessionFile() + " cannot be used: " + c.says))
            << c.what << ": " << readFile(path("plain.txt.console")).substr(0, 2000);
        std::string aside;
        if (DIR* dir = opendir(path("state/qxhost").c_str())) {
            while (dirent* entry = readdir(dir))
                if (std::string(entry->d_name).rfind("session." + std::string(c.keptAs) + "-", 0) ==
                    0)
                    aside = entry->d_name;
            closedir(dir);
        }
        ASSERT_FALSE(aside.empty()) << c.what;
        EXPECT_EQ(readFile(path("state/qxhost/" + aside)), c.bytes) << c.what;
        EXPECT_TRUE(consoleHas(path("plain.txt.console"),
                               "(the file is kept as " + path("state/qxhost/" + aside)))
            << c.what;
    }
}

TEST_F(QxhostSessionWindow, ASessionFolderOthersCanWriteIsNeitherReadNorWritten) {
    ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "500"}), 0);
    const std::string before = readFile(sessionFile());
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(chmod(path("state/qxhost").c_str(), 0777), 0);
    saveAtAPlainStart("plain.txt", {"--send", "MUTE S1"});
    EXPECT_FALSE(hasKick("plain.txt"));
    EXPECT_TRUE(consoleHas(path("plain.txt.console"),
                           "qxhost: the session folder " + path("state/qxhost") +
                               " is not used: others can write it (mode 0777); starting fresh, "
                               "and this run keeps no session"))
        << readFile(path("plain.txt.console")).substr(0, 2000);
    EXPECT_EQ(readFile(sessionFile()), before);
}

// Two runs at once on one session: the first holds it and its desk is the one kept; the second
// says so, starts fresh and never writes it.
TEST_F(QxhostSessionWindow, OfTwoRunsAtOnceTheFirstsDeskIsKeptAndTheSecondSaysSo) {
    ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "500"}), 0);
    const pid_t first = startQxhost(
        {"--send", "NAME S1 ALPHA", "--exit-after", "4000", "--console", path("first.console")});
    pause(500);
    const pid_t second = startQxhost(
        {"--send", "NAME S2 BRAVO", "--exit-after", "4500", "--console", path("second.console")});
    EXPECT_EQ(waitFor(first), 0);
    EXPECT_EQ(waitFor(second), 0);
    EXPECT_TRUE(consoleHas(path("second.console"),
                           "qxhost: the session " + sessionFile() +
                               " is held by another qxhost (process " + std::to_string(first) +
                               "); starting fresh, and this run keeps no session"))
        << readFile(path("second.console")).substr(0, 2000);
    saveAtAPlainStart("plain.txt");
    const std::string patch = readFile(path("plain.txt"));
    EXPECT_TRUE(hasKick("plain.txt"));
    EXPECT_NE(patch.find("NAME S1 ALPHA"), std::string::npos) << patch.substr(0, 2000);
    EXPECT_EQ(patch.find("BRAVO"), std::string::npos);
}

// The files kept aside as previous desks in the state folder.
std::vector<std::string> previousDesks(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* entry = readdir(dir))
            if (std::string(entry->d_name).rfind("session.previous-", 0) == 0)
                names.push_back(folder + "/" + entry->d_name);
        closedir(dir);
    }
    return names;
}

// A --fresh run and a --load run each keep the desk they replace beside the session, named as
// the previous one, and say so; the plain start after has their desk, and that file given to
// --session has the old one.
TEST_F(QxhostSessionWindow, ARunThatDidNotRestoreKeepsThePreviousDeskAside) {
    std::ofstream(path("other.txt")) << "HARD_RESET\nSET NUM_SOURCE 2\n";
    const std::vector<std::vector<std::string>> runs = {{"--fresh"}, {"--load", path("other.txt")}};
    for (const std::vector<std::string>& run : runs) {
        std::system(("rm -rf '" + path("state") + "'").c_str());
        ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "500"}), 0);
        const std::string before = readFile(sessionFile());
        saveAtAPlainStart("replacing.txt", run);
        const std::vector<std::string> kept = previousDesks(path("state/qxhost"));
        ASSERT_EQ(kept.size(), 1u) << run[0];
        EXPECT_TRUE(
            consoleHas(path("replacing.txt.console"),
                       "qxhost: the previous desk in " + sessionFile() + " is kept as " + kept[0]))
            << run[0] << ": " << readFile(path("replacing.txt.console")).substr(0, 2000);
        EXPECT_EQ(readFile(kept[0]), before) << run[0];
        saveAtAPlainStart("plain.txt");
        EXPECT_FALSE(hasKick("plain.txt")) << run[0] << ": the replacing run's desk";
        saveAtAPlainStart("old.txt", {"--session", kept[0]});
        EXPECT_TRUE(hasKick("old.txt")) << run[0] << ": the old desk comes back";
    }
}

// The session a --fresh run writes a second after its start finds the old desk kept already.
TEST_F(QxhostSessionWindow, AFreshRunKilledAfterItsFirstWriteLeavesThePreviousDesk) {
    ASSERT_EQ(runToEnd({"--load", path("m.txt"), "--exit-after", "500"}), 0);
    const std::string before = readFile(sessionFile());
    const pid_t pid = startQxhost({"--fresh"});
    for (int i = 0; i < 200 && readFile(sessionFile()) == before; ++i) pause(50);
    kill(pid, SIGKILL);
    waitFor(pid);
    ASSERT_NE(readFile(sessionFile()), before) << "the fresh run wrote its session";
    const std::vector<std::string> kept = previousDesks(path("state/qxhost"));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(readFile(kept[0]), before);
}

// A session for four instances: a plain run of one gets instance 0 back, and the file still
// holds the four.
TEST_F(QxhostSessionWindow, ASessionOfFourInstancesGivesInstanceZeroToAPlainRun) {
    ASSERT_EQ(runToEnd({"--instances", "4", "--load", path("m.txt"), "--exit-after", "800"}), 0);
    ASSERT_EQ(readFile(sessionFile()).rfind("QXHOST SESSION 1 4 ", 0), 0u);
    saveAtAPlainStart("plain.txt");
    EXPECT_TRUE(hasKick("plain.txt"));
    EXPECT_TRUE(consoleHas(path("plain.txt.console"),
                           "qxhost: session restored from " + sessionFile() +
                               ": 1 instance of the 4 it holds; the other 3 stay in it for a run "
                               "with --instances 4"));
    EXPECT_EQ(readFile(sessionFile()).rfind("QXHOST SESSION 1 4 ", 0), 0u);
}

// Without XDG_STATE_HOME and HOME there is no folder for the session: the run says so.
TEST_F(QxhostSessionWindow, WithoutAStateFolderTheRunSaysNoSessionIsKept) {
    const char* home = std::getenv("HOME");
    const std::string previousHome = home ? home : "";
    unsetenv("XDG_STATE_HOME");
    unsetenv("HOME");
    const pid_t pid = startQxhost({"--exit-after", "300", "--console", path("run.console")});
    if (home) setenv("HOME", previousHome.c_str(), 1);
    setenv("XDG_STATE_HOME", path("state").c_str(), 1);
    EXPECT_EQ(waitFor(pid), 0);
    EXPECT_TRUE(consoleHas(path("run.console"),
                           "qxhost: neither XDG_STATE_HOME nor HOME names a folder, so no "
                           "session is kept"))
        << readFile(path("run.console")).substr(0, 2000);
}

} // namespace
