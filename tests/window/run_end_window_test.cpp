// A windowed run ends when its time is up or at the first SIGTERM, whatever dialog or box is
// open: the dialog counts as cancelled, the helper's window goes, and the session is written.
// The dialogs are the desktop's own (zenity), opened by a loaded macro and by the auto save.
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "qxhost/session_file.h"
#include "qxhost_desktop_fixture.h"

namespace {

class RunEnd : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no dialog to hold";
        QxhostOnDesktop::SetUp();
    }
    std::string write(const std::string& name, const std::string& text) {
        const std::string path = folder + "/" + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(text.data(), 1, text.size(), file);
        std::fclose(file);
        return path;
    }
    // A run with its own session file, its console and standard error in the test's folder.
    void startRun(const dd::Arguments& extra) {
        dd::Arguments arguments = {"--fresh", "--session", session(), "--console", console()};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        started = std::chrono::steady_clock::now();
        qxhost = dd::startQxhost(arguments, folder + "/stderr.txt", kNoPortal);
    }
    // The exit status when the run ends by itself within `seconds` of its start; -1 when it
    // had to be killed.
    int endsWithin(int seconds) {
        const auto left =
            started + std::chrono::seconds(seconds) - std::chrono::steady_clock::now();
        const int leftSeconds =
            static_cast<int>(std::chrono::duration_cast<std::chrono::seconds>(left).count());
        const int status = dd::awaitExit(qxhost, leftSeconds > 0 ? leftSeconds : 0);
        qxhost = 0;
        return status;
    }
    // The session the run wrote holds one instance with `sources` sources (64 bytes each on
    // pin 9).
    void expectSessionWithSources(int sources) {
        const std::string text = dd::fileText(session());
        const qxhost::SessionReadResult read =
            qxhost::readSession(reinterpret_cast<const uint8_t*>(text.data()), text.size(), 1);
        // (Xlib takes the name Status for a macro.)
        ASSERT_EQ(read.status, decltype(read.status)::Ok) << "no session written: " << read.message;
        ASSERT_EQ(read.instances.size(), 1u);
        size_t sourceBytes = 0;
        for (const qxhost::SessionPinValue& pin : read.instances[0])
            if (pin.pinId == 9) sourceBytes = pin.value.size();
        EXPECT_EQ(sourceBytes, 64u * sources);
    }
    std::string session() const { return folder + "/session"; }
    std::chrono::steady_clock::time_point started;
};

constexpr char kColourMacro[] = "SET NUM_SOURCE 2\nCOLOUR S1\n";

TEST_F(RunEnd, TheTimeLimitEndsARunWhoseLoadedMacroOpenedTheColourDialog) {
    startRun({"--load", write("C.txt", kColourMacro), "--exit-after", "2000"});
    EXPECT_FALSE(dd::awaitWindow("Colour", 5).empty()) << "the macro opened no colour dialog";
    EXPECT_EQ(endsWithin(5), 0) << stderrText();
    EXPECT_TRUE(dd::windowTitled("Colour").empty()) << "the dialog outlived the run";
    expectSessionWithSources(2);
}

TEST_F(RunEnd, OneSigtermEndsARunWhoseLoadedMacroOpenedTheColourDialog) {
    startRun({"--load", write("C.txt", kColourMacro), "--exit-after", "120000"});
    ASSERT_FALSE(dd::awaitWindow("Colour").empty()) << "the macro opened no colour dialog";
    started = std::chrono::steady_clock::now();
    ::kill(qxhost, SIGTERM);
    EXPECT_EQ(endsWithin(2), 0) << stderrText();
    EXPECT_TRUE(dd::windowTitled("Colour").empty()) << "the dialog outlived the run";
    EXPECT_TRUE(consoleHas("qxhost: SIGTERM received: ending the run"));
    expectSessionWithSources(2);
}

// The auto save meets a file that the patch writer did not make and asks before replacing it;
// the time limit closes the question as a "No": the file stays as it was.
TEST_F(RunEnd, TheTimeLimitEndsARunWhileTheAutoSavesQuestionIsOpen) {
    const std::string handMade = "SET NUM_SOURCE 3\nAUTO_SAVE ON\nmy notes on the show\n";
    const std::string path = write("hand.txt", handMade);
    startRun({"--load", path, "--exit-after", "9000"});
    ASSERT_FALSE(dd::awaitWindow("Save patch", 9).empty()) << "the auto save asked nothing";
    EXPECT_EQ(endsWithin(13), 0) << stderrText();
    EXPECT_TRUE(dd::windowTitled("Save patch").empty()) << "the box outlived the run";
    EXPECT_EQ(dd::fileText(path), handMade);
    EXPECT_TRUE(consoleHas(">> SAVE CANCELLED, THE FILE IS KEPT"));
    expectSessionWithSources(3);
}

} // namespace
