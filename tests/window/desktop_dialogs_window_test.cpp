// The file, colour and message dialogs as a person meets them: qxhost in its window, a click on
// the PATCH FILE menu, the desktop's dialog found by its title, a path typed into it and Enter
// pressed; then the console, the pin trace and the files say what happened.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "desktop_dialog_driver.h"
#include "qxhost_driver.h"
#include "qxplatform/test_hooks.h"

namespace {

namespace dd = desktop_driver;

// The PATCH FILE cells in the top bar of the 1376-pixel editor at the screen's corner.
constexpr int kOpenX = 473, kSaveX = 503, kSaveAsX = 540, kBarY = 8;

// The zenity dialogs alone: no session bus, so no portal is asked.
const std::vector<std::pair<std::string, std::string>> kNoPortal = {
    {"DBUS_SESSION_BUS_ADDRESS", ""}, {"XDG_RUNTIME_DIR", ""}};

class DesktopDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no dialog to drive";
        if (!dd::installed("xdotool")) GTEST_SKIP() << "xdotool is not installed";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        folder = "desktop_dialogs_" + std::to_string(::getpid());
        ::mkdir(folder.c_str(), 0755);
        char cwd[4096];
        ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
        absoluteFolder = std::string(cwd) + "/" + folder;
    }
    void TearDown() override {
        if (qxhost > 0) dd::awaitExit(qxhost, 1);
        if (display) XCloseDisplay(display);
        if (!folder.empty()) dd::output({"rm", "-rf", folder});
    }

    // Starts qxhost and waits for its editor window.
    void start(const dd::Arguments& extra,
               const std::vector<std::pair<std::string, std::string>>& environment = kNoPortal) {
        dd::Arguments arguments = {"--console", console(),      "--trace-pins",
                                   trace(),     "--exit-after", "120000"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        const auto before = qxhost_driver::childrenOf(display, DefaultRootWindow(display));
        qxhost = dd::startQxhost(arguments, folder + "/stderr.txt", environment);
        editor = qxhost_driver::awaitEditorWindow(display, before);
        ASSERT_NE(editor, 0u) << "no editor window";
    }

    // Asks qxhost's window to close, as its close box does, and waits for the run to end. The
    // request is repeated: one that arrives while a dialog is still closing is ignored, as a
    // modal dialog's owner ignores its close box.
    int close() {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, editor, &root, &parent, &children, &count);
        if (children) XFree(children);
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = parent;
        event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        for (int i = 0; i < 60; ++i) {
            XSendEvent(display, parent, False, 0, &event);
            XFlush(display);
            const int status = dd::awaitExit(qxhost, 1, false);
            if (status != dd::kStillRunning) {
                qxhost = 0;
                return status;
            }
        }
        const int status = dd::awaitExit(qxhost, 1);
        qxhost = 0;
        return status;
    }

    bool consoleHas(const std::string& text) const {
        return qxhost_driver::consoleHas(console(), text);
    }
    std::string console() const { return folder + "/console.txt"; }
    std::string trace() const { return folder + "/trace.txt"; }
    std::string stderrText() const { return dd::fileText(folder + "/stderr.txt"); }

    Display* display = nullptr;
    Window editor = 0;
    pid_t qxhost = 0;
    std::string folder, absoluteFolder;
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
