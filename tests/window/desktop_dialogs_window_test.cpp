// The file, colour and message dialogs as a person meets them: qxhost in its window, a click on
// the PATCH FILE menu, the desktop's dialog found by its title, a path typed into it and Enter
// pressed; then the console, the pin trace and the files say what happened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "qxhost_desktop_fixture.h"

namespace {

class DesktopDialogs : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no dialog to drive";
        QxhostOnDesktop::SetUp();
    }
};

// The DEMO patch's twelve sources reach the DSP side in one 768-byte blob on pin 9.
bool traceHasDemoSources(const std::string& trace) {
    return qxhost_driver::consoleHas(trace, "0 out 9 768 ");
}

TEST_F(DesktopDialogs, OpenLoadsThePatchTypedIntoTheChooserWhileClicksOnTheWindowRunNothing) {
    dd::output({"cp", "PATCHES/DEMO.txt", folder + "/typed.txt"});
    start({});
    dd::clickAt(kOpenX, kBarY);
    const std::string chooser = dd::awaitWindow("Open");
    ASSERT_FALSE(chooser.empty()) << "no Open dialog";
    // A click on SAVE while the chooser is open is dropped, not queued for later.
    qxhost_driver::sendPointer(display, editor, ButtonPress, kSaveX, kBarY, 0, Button1);
    qxhost_driver::sendPointer(display, editor, ButtonRelease, kSaveX, kBarY, Button1Mask, Button1);
    dd::typeInto(chooser, absoluteFolder + "/typed.txt", {"Return"});
    ASSERT_TRUE(dd::awaitNoWindow("Open"));
    dd::pause(500);
    EXPECT_EQ(close(), 0) << stderrText();
    EXPECT_TRUE(consoleHas("-> LOAD_MACRO_FILE"));
    EXPECT_TRUE(consoleHas("ATTEMPT TO LOAD MACRO : Z:\\"));
    EXPECT_TRUE(consoleHas("<< PATCH LOADING COMPLETE >>"));
    EXPECT_FALSE(consoleHas("OPEN FILE DIALOG CANCELLED"));
    EXPECT_FALSE(consoleHas("SAVE THIS PATCH"));
    EXPECT_TRUE(traceHasDemoSources(trace()));
}

TEST_F(DesktopDialogs, CancelLeavesStageAndFilesAsTheyWere) {
    start({});
    dd::clickAt(kOpenX, kBarY);
    const std::string chooser = dd::awaitWindow("Open");
    ASSERT_FALSE(chooser.empty()) << "no Open dialog";
    dd::typeInto(chooser, "", {"Escape"});
    ASSERT_TRUE(dd::awaitNoWindow("Open"));
    EXPECT_EQ(close(), 0) << stderrText();
    EXPECT_TRUE(consoleHas(">> OPEN FILE DIALOG CANCELLED"));
    EXPECT_FALSE(consoleHas("ATTEMPT TO LOAD MACRO : Z:\\"));
    EXPECT_FALSE(traceHasDemoSources(trace()));
}

TEST_F(DesktopDialogs, SaveAsToANewNameWritesItWithTheTextExtension) {
    start({"--load", "PATCHES/DEMO.txt"});
    dd::clickAt(kSaveAsX, kBarY);
    const std::string chooser = dd::awaitWindow("Save As");
    ASSERT_FALSE(chooser.empty()) << "no Save As dialog";
    dd::typeInto(chooser, absoluteFolder + "/fresh", {"Return"});
    ASSERT_TRUE(dd::awaitNoWindow("Save As"));
    dd::pause(500);
    EXPECT_EQ(close(), 0) << stderrText();
    const std::string written = dd::fileText(folder + "/fresh.txt");
    EXPECT_NE(written.find("SET NUM_SOURCE 12\n"), std::string::npos) << written.substr(0, 400);
    EXPECT_FALSE(dd::exists(folder + "/fresh"));
    EXPECT_FALSE(consoleHas("SAVE FILE DIALOG CANCELLED"));
}

TEST_F(DesktopDialogs, SaveAsOntoAFileAsksAndNoLeavesItByteForByte) {
    const std::string kept = folder + "/kept.txt";
    const std::string original = "MY OWN PATCH\r\n\tDO NOT TOUCH\n";
    std::FILE* file = std::fopen(kept.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    std::fwrite(original.data(), 1, original.size(), file);
    std::fclose(file);
    start({"--load", "PATCHES/DEMO.txt"});
    dd::clickAt(kSaveAsX, kBarY);
    std::string chooser = dd::awaitWindow("Save As");
    ASSERT_FALSE(chooser.empty()) << "no Save As dialog";
    dd::typeInto(chooser, absoluteFolder + "/kept.txt", {"Return"});
    const std::string question = dd::awaitWindow("Confirm Save As");
    ASSERT_FALSE(question.empty()) << "no question before replacing the file";
    dd::typeInto(question, "", {"Escape"}); // "No"
    // Declined: the chooser opens again, and is cancelled this time.
    chooser = dd::awaitWindow("Save As");
    ASSERT_FALSE(chooser.empty()) << "the chooser did not return";
    dd::typeInto(chooser, "", {"Escape"});
    ASSERT_TRUE(dd::awaitNoWindow("Save As"));
    EXPECT_EQ(close(), 0) << stderrText();
    EXPECT_EQ(dd::fileText(kept), original);
    EXPECT_TRUE(consoleHas(">> SAVE FILE DIALOG CANCELLED"));
}

TEST_F(DesktopDialogs, ColourChosenInTheDialogReachesTheSourcesPin) {
    start({"--load", "PATCHES/DEMO.txt", "--send", "COLOUR S1"});
    const std::string dialog = dd::awaitWindow("Colour");
    ASSERT_FALSE(dialog.empty()) << "no Colour dialog";
    // The colour name entry has the focus: a new name, Enter to take it, then Select.
    dd::typeInto(dialog, "", {"ctrl+a"});
    dd::typeInto(dialog, "#00ff80", {"Return", "alt+s"});
    ASSERT_TRUE(dd::awaitNoWindow("Colour"));
    dd::pause(500);
    EXPECT_EQ(close(), 0) << stderrText();
    // S1 is the first record of pin 9; its colour is bytes 28 to 31, 0x00BBGGRR little-endian.
    std::ifstream in(trace());
    std::string last;
    for (std::string line; std::getline(in, line);)
        if (line.rfind("0 out 9 ", 0) == 0) last = line;
    ASSERT_FALSE(last.empty());
    const std::string bytes = last.substr(last.rfind(' ') + 1);
    EXPECT_EQ(bytes.substr(56, 8), "00ff8000");
}

TEST_F(DesktopDialogs, MissingShaderFileShowsItsBoxOnTheDesktopAndOnStandardError) {
    const std::string module = folder + "/module";
    ::mkdir(module.c_str(), 0755);
    for (const char* file : {"QX_GUI.sem", "QX_GUI.vert", "dd_GLTEXT.frag", "dd_GLTEXT.vert"})
        dd::output({"cp", file, module + "/"});
    // QX_GUI.frag is left out.
    qxhost = dd::startQxhost({"--module", module + "/QX_GUI.sem", "--exit-after", "1000"},
                             folder + "/stderr.txt", kNoPortal);
    const std::string box = dd::awaitWindow("ERROR");
    ASSERT_FALSE(box.empty()) << "no ERROR box on the desktop";
    EXPECT_NE(stderrText().find("[ERROR] Can't open file '"), std::string::npos) << stderrText();
    EXPECT_NE(stderrText().find("QX_GUI.frag' for reading"), std::string::npos);
    // Every box the run shows is closed with Enter until the run ends.
    for (int i = 0; i < 20; ++i) {
        const std::string next = dd::windowTitled("ERROR");
        if (!next.empty()) dd::typeInto(next, "", {"Return"});
        int status = 0;
        if (::waitpid(qxhost, &status, WNOHANG) == qxhost) {
            qxhost = 0;
            break;
        }
        dd::pause(500);
    }
}

} // namespace

namespace {

using WithoutHelpers = QxhostOnDesktop;

TEST_F(WithoutHelpers, DialogsAreCancelledAndStandardErrorSaysWhyOnce) {
    // No portal, and a PATH where neither zenity nor kdialog is found.
    start({},
          {{"DBUS_SESSION_BUS_ADDRESS", ""}, {"XDG_RUNTIME_DIR", ""}, {"PATH", "/nonexistent"}});
    for (int press = 0; press < 2; ++press) {
        dd::clickAt(kOpenX, kBarY);
        dd::pause(300);
    }
    EXPECT_EQ(close(), 0) << stderrText();
    std::ifstream in(console());
    int cancelled = 0;
    for (std::string line; std::getline(in, line);)
        cancelled += line.find(">> OPEN FILE DIALOG CANCELLED") != std::string::npos;
    EXPECT_EQ(cancelled, 2);
    const std::string errors = stderrText();
    const std::string reason = "no file dialog on this desktop";
    ASSERT_NE(errors.find(reason), std::string::npos) << errors;
    EXPECT_EQ(errors.find(reason, errors.find(reason) + 1), std::string::npos) << errors;
}

} // namespace
