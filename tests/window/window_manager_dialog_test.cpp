// Under a window manager, as at a desktop: a display of the test's own (Xvfb) with openbox on
// it, qxhost in its frame, PATCH FILE OPEN clicked, then a click on qxhost's window. The dialog
// stays on top with the focus, and qxhost's window refuses a smaller size. Skipped when Xvfb,
// openbox, zenity or xdotool is not installed.
#include <gtest/gtest.h>

#include "private_display.h"
#include "qxhost_desktop_fixture.h"

namespace {

using namespace private_display;

class UnderAWindowManager : public PrivateDisplay {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed";
        startDisplay(true);
        if (HasFatalFailure() || IsSkipped()) return;
        folder = "window_manager_" + std::to_string(::getpid());
        ::mkdir(folder.c_str(), 0755);
    }
    void TearDown() override {
        end(qxhost);
        PrivateDisplay::TearDown();
        if (!folder.empty()) dd::output({"rm", "-rf", folder});
    }

    pid_t qxhost = 0;
    std::string folder;
};

TEST_F(UnderAWindowManager, AClickOnTheWindowLeavesTheOpenDialogOnTopAndTheSizeIsKept) {
    qxhost = dd::startQxhost({"--exit-after", "120000", "--console", folder + "/console.txt"},
                             folder + "/stderr.txt", kNoPortal);
    const std::string found = dd::awaitWindow("qxhost - instance 0");
    ASSERT_FALSE(found.empty()) << "no qxhost window";
    const Window topLevel = std::strtoul(found.c_str(), nullptr, 10);
    const Box window = onScreen(display, topLevel);
    dd::clickAt(window.x + kOpenX, window.y + kBarY);
    const std::string opened = dd::awaitWindow("Open");
    ASSERT_FALSE(opened.empty()) << "no Open dialog";
    const Window dialog = std::strtoul(opened.c_str(), nullptr, 10);
    Window owner = 0;
    EXPECT_TRUE(within(
        5000, [&] { return XGetTransientForHint(display, dialog, &owner) && owner == topLevel; }));

    // A press on the editor where the dialog does not cover it.
    const Box covered = onScreen(display, dialog);
    const int x = window.x + 30, y = window.y + 400;
    ASSERT_FALSE(covered.holds(x, y)) << "the dialog covers the whole window";
    dd::clickAt(x, y);
    dd::pause(500);
    const std::vector<Window> stacking = windowList(display, "_NET_CLIENT_LIST_STACKING");
    const auto at = [&](Window w) { return std::find(stacking.begin(), stacking.end(), w); };
    ASSERT_NE(at(dialog), stacking.end());
    ASSERT_NE(at(topLevel), stacking.end());
    EXPECT_GT(at(dialog), at(topLevel)) << "the click put qxhost's window over its dialog";
    EXPECT_EQ(windowList(display, "_NET_ACTIVE_WINDOW"), std::vector<Window>{dialog});

    // The window manager keeps qxhost's window at the editor's size.
    dd::output({"xdotool", "windowsize", found, "800", "500"});
    dd::pause(500);
    const Box resized = onScreen(display, topLevel);
    EXPECT_EQ(resized.width, qxhost_driver::kEditorWidth);
    EXPECT_EQ(resized.height, qxhost_driver::kEditorHeight);
    EXPECT_TRUE(dd::dismiss("Open"));
}

} // namespace
