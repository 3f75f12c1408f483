// qxhost keeps a session without a window only in a file that --session names: written at the
// run's end, handed back at the next start, set aside when it cannot be used. Each run keeps
// XDG_STATE_HOME in its own scratch folder, so the default session is watched there too.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "qxhost/session_file.h"
#include "qxhost/session_lock.h"
#include "qxhost/stop_signals.h"
#include "qxhost_in_folder.h"

namespace {

const std::string kOut = QX_OUT_DIR;

using host_test::readFile;

bool exists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (dirent* entry = ::readdir(dir))
            if (entry->d_name[0] != '.') names.push_back(entry->d_name);
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Three sources, S2 moved and named.
const char kMacro[] = "HARD_RESET\n"
                      "SET NUM_SOURCE 3\n"
                      "POS S2 X:120 Y:-80\n"
                      "NAME S2 KICK\n";

struct QxhostSessionRun : host_test::QxhostInFolder {
    void SetUp() override {
        QxhostInFolder::SetUp();
        std::ofstream(path("m.txt")) << kMacro;
    }
    int run(const std::string& arguments) {
        return runQxhost(arguments, "XDG_STATE_HOME='" + path("state") + "' ");
    }
    std::string errors() const { return readFile(path("stderr.txt")); }
    // The patch that a run saves holds S2 as the macro left it.
    bool savedPatchHasKick(const std::string& name) const {
        const std::string patch = readFile(path(name));
        EXPECT_NE(patch.find("# RESET EVERYTHING"), std::string::npos) << "no patch " << name;
        return patch.find("NAME S2 KICK") != std::string::npos &&
               patch.find("POS S2 X:120.00 y:-80.00") != std::string::npos;
    }
};

TEST_F(QxhostSessionRun, ASessionFileNamedByAHeadlessRunComesBackAtTheNextStart) {
    ASSERT_EQ(run("--headless --session s/session --load m.txt"), 0) << errors();
    ASSERT_TRUE(exists(path("s/session"))) << "the folder is made for it";
    EXPECT_EQ(namesIn(path("s")), (std::vector<std::string>{"session", "session.lock"}))
        << "no temporary left";
    ASSERT_EQ(run("--headless --session s/session --save p.txt --console c.txt"), 0) << errors();
    EXPECT_TRUE(savedPatchHasKick("p.txt"));
    const std::string told = "qxhost: session restored from s/session: 1 instance\n";
    EXPECT_NE(errors().find(told), std::string::npos) << errors();
    EXPECT_NE(readFile(path("c.txt")).find(told), std::string::npos);
}

TEST_F(QxhostSessionRun, ThePatchPathComesBackSoSaveNowWritesTheSameFile) {
    ASSERT_EQ(run("--headless --session s --load m.txt --save p.txt"), 0) << errors();
    ASSERT_EQ(::rename(path("p.txt").c_str(), path("p.old").c_str()), 0);
    ASSERT_EQ(run("--headless --session s --send SAVE_NOW"), 0) << errors();
    EXPECT_TRUE(savedPatchHasKick("p.txt"));
}

const std::vector<uint8_t>* valueOf(const qxhost::SessionInstance& instance, int32_t pinId) {
    for (const qxhost::SessionPinValue& pin : instance)
        if (pin.pinId == pinId) return &pin.value;
    return nullptr;
}

qxhost::SessionInstance firstInstance(const std::string& file) {
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    const qxhost::SessionReadResult result = qxhost::readSession(bytes.data(), bytes.size(), 1);
    EXPECT_EQ(result.status, qxhost::SessionReadResult::Status::Ok) << result.message;
    return result.instances.empty() ? qxhost::SessionInstance() : result.instances[0];
}

// The module takes the values back: after a command, which makes it send every part it holds
// that differs from its pin, the stage, view, mixer and patch pins are still what the session
// handed in. (The processing pins and the virtual tables are left out: the patch check and the
// tables' rebuild may rightly change them after any load.)
TEST_F(QxhostSessionRun, TheModuleHoldsWhatTheSessionHandedBack) {
    std::ofstream(path("m.txt")) << kMacro << "SET NUM_TARGET 2\nCABLE KICK T2\nPAGE INPUTS\n";
    ASSERT_EQ(run("--headless --session s --load m.txt"), 0) << errors();
    const qxhost::SessionInstance before = firstInstance(readFile(path("s")));
    ASSERT_EQ(run("--headless --session s --send \"VERBOSE 0\" --trace-pins t.txt"), 0) << errors();
    EXPECT_NE(readFile(path("t.txt")).find("0 out "), std::string::npos)
        << "the command made the module send";
    const qxhost::SessionInstance after = firstInstance(readFile(path("s")));
    for (int32_t pinId : {5, 7, 8, 9, 10, 11, 21, 22, 23, 27, 28, 29, 30, 31}) {
        const std::vector<uint8_t>* was = valueOf(before, pinId);
        const std::vector<uint8_t>* is = valueOf(after, pinId);
        EXPECT_EQ(was == nullptr, is == nullptr) << "pin " << pinId;
        if (was && is) {
            EXPECT_EQ(*is, *was) << "pin " << pinId;
        }
    }
    const std::vector<uint8_t>& cables = *valueOf(after, 11);
    ASSERT_EQ(cables.size(), 16u);
    EXPECT_EQ(cables[8], 1) << "KICK, source 1";
    EXPECT_EQ(cables[9], 1) << "target 1";
}

TEST_F(QxhostSessionRun, AHeadlessRunNeitherReadsNorWritesTheDefaultSession) {
    ASSERT_EQ(run("--session state/qxhost/session --headless --load m.txt"), 0) << errors();
    const std::string before = readFile(path("state/qxhost/session"));
    ASSERT_FALSE(before.empty());
    ASSERT_EQ(run("--headless --send \"MUTE S1\" --save p.txt"), 0) << errors();
    EXPECT_FALSE(savedPatchHasKick("p.txt"));
    EXPECT_EQ(readFile(path("state/qxhost/session")), before) << "the desk is left alone";
    EXPECT_EQ(errors().find("session"), std::string::npos) << errors();
}

TEST_F(QxhostSessionRun, FreshStartsWithoutTheSessionAndWritesTheNewOne) {
    ASSERT_EQ(run("--headless --session s --load m.txt"), 0) << errors();
    ASSERT_EQ(run("--headless --session s --fresh --save p.txt"), 0) << errors();
    EXPECT_FALSE(savedPatchHasKick("p.txt"));
    EXPECT_NE(errors().find("--fresh: starting without the session in s"), std::string::npos);
    ASSERT_EQ(run("--headless --session s --save q.txt"), 0) << errors();
    EXPECT_FALSE(savedPatchHasKick("q.txt")) << "the fresh run's end replaced the session";
}

TEST_F(QxhostSessionRun, ALoadReplacesTheSessionRatherThanJoiningIt) {
    ASSERT_EQ(run("--headless --session s --load m.txt"), 0) << errors();
    std::ofstream(path("other.txt")) << "HARD_RESET\nSET NUM_SOURCE 2\n";
    ASSERT_EQ(run("--headless --session s --load other.txt --save p.txt"), 0) << errors();
    EXPECT_FALSE(savedPatchHasKick("p.txt"));
    EXPECT_EQ(errors().find("restored"), std::string::npos) << errors();
}

// The files kept aside for `why` beside the session d/session, oldest first.
std::vector<std::string> keptAside(const std::string& folder, const std::string& why) {
    std::vector<std::string> names;
    for (const std::string& name : namesIn(folder))
        if (name.rfind("session." + why + "-", 0) == 0 && name.find(".lock") == std::string::npos)
            names.push_back(name);
    return names;
}

// A run that does not restore the session (--fresh, --load) keeps the desk it replaces beside
// it, named as the previous one, and says so; that file given to --session is the old desk.
TEST_F(QxhostSessionRun, TheDeskARunDidNotRestoreIsKeptAsideBeforeItIsReplaced) {
    std::ofstream(path("other.txt")) << "HARD_RESET\nSET NUM_SOURCE 2\n";
    for (const std::string arguments : {"--fresh", "--load other.txt"}) {
        std::system(("rm -rf '" + path("d") + "'").c_str());
        ASSERT_EQ(run("--headless --session d/session --load m.txt"), 0) << errors();
        EXPECT_TRUE(keptAside(path("d"), "previous").empty()) << "no desk was there to keep";
        const std::string before = readFile(path("d/session"));
        ASSERT_EQ(run("--headless --session d/session " + arguments), 0) << errors();
        const std::vector<std::string> kept = keptAside(path("d"), "previous");
        ASSERT_EQ(kept.size(), 1u) << arguments;
        EXPECT_NE(
            errors().find("qxhost: the previous desk in d/session is kept as d/" + kept[0] + "\n"),
            std::string::npos)
            << arguments << ": " << errors();
        EXPECT_EQ(readFile(path("d/" + kept[0])), before) << arguments;
        ASSERT_EQ(run("--headless --session d/session --save now.txt"), 0) << errors();
        EXPECT_FALSE(savedPatchHasKick("now.txt")) << arguments << ": the run's desk is kept";
        ASSERT_EQ(run("--headless --session d/" + kept[0] + " --save old.txt"), 0) << errors();
        EXPECT_TRUE(savedPatchHasKick("old.txt")) << arguments << ": the old desk comes back";
    }
}

// Of the desks kept aside, the five newest stay; each run that keeps one removes the oldest.
TEST_F(QxhostSessionRun, OnlyTheNewestPreviousDesksAreKept) {
    std::vector<std::string> desks;
    for (int k = 1; k <= 8; ++k) {
        const std::string macro = "n" + std::to_string(k) + ".txt";
        std::ofstream(path(macro)) << "HARD_RESET\nSET NUM_SOURCE " << k << "\n";
        ASSERT_EQ(run("--headless --session d/session --load " + macro), 0) << errors();
        desks.push_back(readFile(path("d/session")));
    }
    const std::vector<std::string> kept = keptAside(path("d"), "previous");
    ASSERT_EQ(kept.size(), 5u);
    std::vector<std::string> keptDesks;
    for (const std::string& name : kept) keptDesks.push_back(readFile(path("d/" + name)));
    std::sort(keptDesks.begin(), keptDesks.end());
    std::vector<std::string> newest(desks.begin() + 2, desks.end() - 1); // runs 3 to 7
    std::sort(newest.begin(), newest.end());
    EXPECT_TRUE(keptDesks == newest) << "the desks of the last five runs before the last";
}

// A session for more instances than asked gives back those asked for and keeps the others in
// the file as they were, for a later run with as many instances.
TEST_F(QxhostSessionRun, ASessionForMoreInstancesGivesBackThoseAskedAndKeepsTheOthers) {
    ASSERT_EQ(run("--headless --session s --instances 3 --load m.txt"), 0) << errors();
    const std::string file = readFile(path("s"));
    const std::vector<uint8_t> bytes(file.begin(), file.end());
    const qxhost::SessionReadResult before = qxhost::readSession(bytes.data(), bytes.size(), 3);
    ASSERT_EQ(before.instances.size(), 3u);
    ASSERT_EQ(run("--headless --session s --save p.txt"), 0) << errors();
    EXPECT_TRUE(savedPatchHasKick("p.txt")) << "instance 0 came back";
    EXPECT_NE(errors().find("qxhost: session restored from s: 1 instance of the 3 it holds; the "
                            "other 2 stay in it for a run with --instances 3\n"),
              std::string::npos)
        << errors();
    const std::string afterFile = readFile(path("s"));
    const std::vector<uint8_t> afterBytes(afterFile.begin(), afterFile.end());
    const qxhost::SessionReadResult after =
        qxhost::readSession(afterBytes.data(), afterBytes.size(), 3);
    ASSERT_EQ(after.instances.size(), 3u) << after.message;
    for (size_t i = 1; i < 3; ++i) {
        ASSERT_EQ(after.instances[i].size(), before.instances[i].size()) << i;
        for (size_t p = 0; p < after.instances[i].size(); ++p) {
            EXPECT_EQ(after.instances[i][p].pinId, before.instances[i][p].pinId);
            EXPECT_EQ(after.instances[i][p].value, before.instances[i][p].value);
        }
    }
    EXPECT_EQ(keptAside(folder, "damaged"), std::vector<std::string>{});
}

TEST_F(QxhostSessionRun, FewerInstancesInTheFileThanAskedAreGivenBackAndTold) {
    ASSERT_EQ(run("--headless --session s --load m.txt"), 0) << errors();
    ASSERT_EQ(run("--headless --session s --instances 2"), 0) << errors();
    EXPECT_NE(errors().find("session restored from s: 1 instance of the 2 asked for; the "
                            "others start fresh"),
              std::string::npos)
        << errors();
    const std::string session = readFile(path("s"));
    EXPECT_EQ(session.rfind("QXHOST SESSION 1 2 ", 0), 0u) << "the end wrote both";
}

// A file that cannot be used: the message, a fresh start, the file kept beside it byte for
// byte, and the run's own session written in its place.
TEST_F(QxhostSessionRun, ASessionFileThatCannotBeUsedIsKeptAsideAndTheRunStartsFresh) {
    ASSERT_EQ(run("--headless --session good --load m.txt"), 0) << errors();
    const std::string good = readFile(path("good"));
    struct Case {
        const char* what;
        std::string bytes;
        std::string message;
        const char* keptAs; // the word the name of the file kept aside gives for why
    };
    std::string flipped = good;
    flipped[flipped.size() - 7] ^= 1;
    const Case cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "it is cut short (", "damaged"},
        {"random bytes", std::string("\x8f\x01zz\xff\n\x00\x13", 8) + good.substr(40, 300),
         "it is not a qxhost session file", "damaged"},
        {"a future version", "QXHOST SESSION 2 1 0 00000000\n",
         "it is of format version 2, and this qxhost reads version 1", "newer-format"},
        {"a version no qxhost wrote", "QXHOST SESSION 0 1 0 00000000\n",
         "it is of format version 0, and this qxhost reads version 1", "damaged"},
        {"a flipped byte", flipped, "its checksum does not match", "damaged"},
    };
    for (size_t k = 0; k < sizeof cases / sizeof cases[0]; ++k) {
        const Case& c = cases[k];
        const std::string folderK = "c" + std::to_string(k);
        ::mkdir(path(folderK).c_str(), 0700);
        const std::string session = folderK + "/session";
        std::ofstream(path(session), std::ios::binary) << c.bytes;
        ASSERT_EQ(run("--headless --session " + session + " --save p.txt"), 0)
            << c.what << errors();
        EXPECT_NE(errors().find("the session file " + session + " cannot be used: " + c.message),
                  std::string::npos)
            << c.what << ": " << errors();
        const std::string keptAs = "session." + std::string(c.keptAs) + "-";
        EXPECT_NE(errors().find("; starting fresh (the file is kept as " + folderK + "/" + keptAs),
                  std::string::npos)
            << c.what << ": " << errors();
        EXPECT_FALSE(savedPatchHasKick("p.txt")) << c.what;
        const std::vector<std::string> names = namesIn(path(folderK));
        ASSERT_EQ(names.size(), 3u) << c.what << ": the session, its lock and the file aside";
        std::string aside;
        for (const std::string& name : names)
            if (name != "session" && name != "session.lock") aside = name;
        EXPECT_EQ(aside.rfind(keptAs, 0), 0u) << aside;
        EXPECT_EQ(readFile(path(folderK + "/" + aside)), c.bytes) << c.what << ": kept as it was";
        EXPECT_EQ(readFile(path(session)).rfind("QXHOST SESSION 1 1 ", 0), 0u)
            << c.what << ": the run's own session replaced it";
    }
}

TEST_F(QxhostSessionRun, ASecondDamagedFileNeverReplacesTheFirstKeptAside) {
    const std::string damaged = "QXHOST SESSION 1 junk\n";
    for (int k = 0; k < 3; ++k) {
        std::ofstream(path("session"), std::ios::binary) << damaged << k;
        ASSERT_EQ(run("--headless --session session"), 0) << errors();
    }
    std::vector<std::string> asides;
    for (const std::string& name : namesIn(folder))
        if (name.rfind("session.damaged-", 0) == 0) asides.push_back(name);
    ASSERT_EQ(asides.size(), 3u);
    std::string kept;
    for (const std::string& name : asides) kept += readFile(path(name)).substr(damaged.size());
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(kept, "012");
}

// A session that another user owns or can write is neither read nor written: the message, a
// fresh start, the file and its folder left as they were (no new file in it at all).
TEST_F(QxhostSessionRun, ASessionAnotherUserCanReachIsNeitherReadNorWritten) {
    const uid_t other = ::geteuid() + 4242;
    struct Case {
        const char* what;
        const char* place; // "d" the folder, "d/session" the file
        mode_t mode;       // 0: left as it is
        bool otherOwner;
        std::string says;
    };
    const Case cases[] = {
        {"a folder anyone can write", "d", 0777, false,
         "the session folder d is not used: others can write it (mode 0777)"},
        {"a folder its group can write", "d", 0770, false,
         "the session folder d is not used: its group can write it (mode 0770)"},
        {"a folder of another user", "d", 0, true,
         "the session folder d is not used: it belongs to user " + std::to_string(other) +
             ", not to you"},
        {"a file anyone can write", "d/session", 0666, false,
         "the session file d/session is not used: others can write it (mode 0666)"},
        {"a file of another user", "d/session", 0, true,
         "the session file d/session is not used: it belongs to user " + std::to_string(other) +
             ", not to you"},
    };
    for (const Case& c : cases) {
        std::system(("rm -rf '" + path("d") + "'").c_str());
        ASSERT_EQ(run("--headless --session d/session --load m.txt"), 0) << errors();
        const std::string before = readFile(path("d/session"));
        const std::vector<std::string> namesBefore = namesIn(path("d"));
        ASSERT_FALSE(before.empty());
        if (c.mode != 0) {
            ASSERT_EQ(::chmod(path(c.place).c_str(), c.mode), 0);
        }
        if (c.otherOwner && ::chown(path(c.place).c_str(), other, static_cast<gid_t>(-1)) != 0) {
            std::printf("skipped \"%s\": giving a file away needs root\n", c.what);
            continue;
        }
        ASSERT_EQ(run("--headless --session d/session --send \"MUTE S1\" --save p.txt"), 0);
        EXPECT_NE(errors().find("qxhost: " + c.says +
                                "; starting fresh, and this run keeps no session\n"),
                  std::string::npos)
            << c.what << ": " << errors();
        EXPECT_FALSE(savedPatchHasKick("p.txt")) << c.what << ": not read";
        EXPECT_EQ(readFile(path("d/session")), before) << c.what << ": not written";
        EXPECT_EQ(namesIn(path("d")), namesBefore) << c.what << ": no file made there";
    }
}

// A run on a session that another process holds says so, starts fresh and leaves it alone;
// once the holder is killed, the next run holds it and gets the desk back.
TEST_F(QxhostSessionRun, ASessionHeldByAnotherRunIsLeftAloneUntilTheHolderIsGone) {
    ASSERT_EQ(run("--headless --session d/session --load m.txt"), 0) << errors();
    const std::string before = readFile(path("d/session"));
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t holder = fork();
    ASSERT_GE(holder, 0);
    if (holder == 0) {
        qxhost::SessionLock lock;
        const bool held = lock.take(path("d/session")) == qxhost::SessionLock::Result::Held;
        (void)!::write(ready[1], held ? "1" : "0", 1);
        for (;;) ::pause();
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    ASSERT_EQ(held, '1');
    EXPECT_EQ(run("--headless --session d/session --send \"MUTE S1\" --save p.txt"), 0);
    EXPECT_NE(errors().find("qxhost: the session d/session is held by another qxhost (process " +
                            std::to_string(holder) +
                            "); starting fresh, and this run keeps no session\n"),
              std::string::npos)
        << errors();
    EXPECT_FALSE(savedPatchHasKick("p.txt"));
    EXPECT_EQ(readFile(path("d/session")), before);
    kill(holder, SIGKILL);
    waitpid(holder, nullptr, 0);
    ::close(ready[0]);
    ::close(ready[1]);
    ASSERT_EQ(run("--headless --session d/session --save q.txt"), 0) << errors();
    EXPECT_TRUE(savedPatchHasKick("q.txt")) << errors();
}

TEST_F(QxhostSessionRun, ASessionThatCannotBeWrittenIsToldAndTheRunStillEnds) {
    std::ofstream(path("plain")) << "a file, not a folder";
    EXPECT_EQ(run("--headless --session plain/session --send \"MUTE S1\""), 0);
    EXPECT_NE(errors().find("qxhost: the session folder plain is not used: it is not a folder; "
                            "starting fresh, and this run keeps no session"),
              std::string::npos)
        << errors();
    EXPECT_EQ(readFile(path("plain")), "a file, not a folder");
}

// The lines of qxhost's own in the console of instance `instance` (the lines the instance
// wrote, "<instance> " in the console file), each put together from its wrapped pieces.
std::vector<std::string> hostLinesOfInstance(const std::string& consoleText, int instance) {
    const std::string own = std::to_string(instance) + " ";
    std::vector<std::string> lines;
    bool continuing = false;
    std::istringstream in(consoleText);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(own + "qxhost: ", 0) == 0) {
            lines.push_back(line.substr(own.size()));
            continuing = true;
        } else if (continuing && line.rfind(own + "   ", 0) == 0) {
            lines.back() += " " + line.substr(own.size() + 3);
        } else {
            continuing = false;
        }
    }
    return lines;
}

// What the session says on standard error, each instance's console says too: a person who
// started qxhost from a launcher reads it in the window.
TEST_F(QxhostSessionRun, EverySessionLineReachesTheConsoleOfEveryInstance) {
    ASSERT_EQ(run("--headless --session s --instances 2 --load m.txt"), 0) << errors();
    std::ofstream(path("plain")) << "a file, not a folder";
    std::ofstream(path("damaged")) << "QXHOST SESSION 1 junk\n";
    struct Case {
        const char* what;
        std::string arguments;
        const char* says;
    } cases[] = {
        {"restored", "--session s --instances 2", "qxhost: session restored from s: 2 instances"},
        {"fresh", "--session s --instances 2 --fresh", "qxhost: --fresh: starting without"},
        {"damaged", "--session damaged --instances 2",
         "qxhost: the session file damaged cannot be used: "},
        {"unwritable", "--session plain/session --instances 2",
         "qxhost: the session folder plain is not used: "},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(run("--headless --console c.txt " + c.arguments), 0) << c.what << errors();
        std::vector<std::string> told;
        std::istringstream in(errors());
        for (std::string line; std::getline(in, line);)
            if (line.rfind("qxhost: ", 0) == 0) told.push_back(line);
        ASSERT_FALSE(told.empty()) << c.what;
        EXPECT_EQ(told[0].rfind(c.says, 0), 0u) << c.what << ": " << told[0];
        const std::string console = readFile(path("c.txt"));
        for (int instance : {0, 1})
            EXPECT_EQ(hostLinesOfInstance(console, instance), told) << c.what << " " << instance;
    }
}

// A signal in the middle of a script ends it after the action in progress: the actions left
// (here the --save) are not run, and the exit code says the script did not finish.
TEST_F(QxhostSessionRun, AHeadlessScriptStoppedBySigtermEndsWithAFailure) {
    std::string large = "# RESET EVERYTHING\n";
    for (int i = 0; i < 60000; ++i) large += "HARD_RESET\nSET NUM_SOURCE 64\n";
    std::ofstream(path("large.txt")) << large;
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const std::string command = "cd '" + folder + "' && exec '" + kOut +
                                    "/qxhost' --headless --load large.txt --save saved.txt " +
                                    "2>stderr.txt";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    usleep(1000 * 1000); // inside the load, which runs for up to 3 s
    kill(child, SIGTERM);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 1) << errors();
    EXPECT_NE(errors().find("qxhost: stopped before its actions ended: 1 of them not run"),
              std::string::npos)
        << errors();
    EXPECT_FALSE(std::ifstream(path("saved.txt")).good());
}

// The handler only marks the request; the process goes on to end its run as usual.
TEST(StopSignals, EachSignalIsNotedAndNamedWithoutEndingTheProcess) {
    const std::pair<int, const char*> signals[] = {
        {SIGTERM, "SIGTERM"}, {SIGINT, "SIGINT"}, {SIGHUP, "SIGHUP"}};
    for (const auto& [number, name] : signals) {
        qxhost::installStopSignals();
        EXPECT_FALSE(qxhost::stopRequested());
        ASSERT_EQ(raise(number), 0);
        EXPECT_TRUE(qxhost::stopRequested()) << name;
        EXPECT_EQ(qxhost::stopText(), std::string(name) + " received: ending the run");
    }
    for (int number : {SIGTERM, SIGINT, SIGHUP}) signal(number, SIG_DFL);
}

// A signal the parent ignores (nohup) stays ignored; after one stop signal, a second of another
// kind ends the process at once, as the default action does.
TEST(StopSignals, AnIgnoredSignalStaysIgnoredAndASecondSignalEndsTheProcess) {
    signal(SIGHUP, SIG_IGN);
    qxhost::installStopSignals();
    ASSERT_EQ(raise(SIGHUP), 0);
    EXPECT_FALSE(qxhost::stopRequested());
    signal(SIGHUP, SIG_DFL);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        qxhost::installStopSignals();
        raise(SIGINT);
        raise(SIGTERM);
        _exit(qxhost::stopRequested() ? 3 : 4); // reached only when the second was not fatal
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    for (int number : {SIGTERM, SIGINT}) signal(number, SIG_DFL);
}

} // namespace
