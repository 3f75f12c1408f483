// Dialogs stay with the window that opened them, and qxhost's window keeps the editor's size:
// read from the X properties a window manager goes by (WM_TRANSIENT_FOR, WM_NORMAL_HINTS) and
// from the stacking order, so no window manager is needed.
#include <gtest/gtest.h>

#include <cstdlib>

#include "qxhost_desktop_fixture.h"
#include "qxplatform/win32.h"

// Xlib's macros (None, Bool ...) must come after the test framework's headers.
#include <X11/Xutil.h>

namespace {

Window transientFor(Display* display, Window window) {
    Window owner = 0;
    return XGetTransientForHint(display, window, &owner) ? owner : 0;
}

// True when `upper` is stacked above `lower` among the root's children.
bool stackedAbove(Display* display, Window upper, Window lower) {
    const std::vector<Window> order =
        qxhost_driver::childrenOf(display, DefaultRootWindow(display));
    const auto at = [&](Window w) { return std::find(order.begin(), order.end(), w); };
    return at(upper) != order.end() && at(lower) != order.end() && at(upper) > at(lower);
}

template <typename Condition> bool within(int milliseconds, Condition condition) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (condition()) return true;
        dd::pause(50);
    }
    return condition();
}

class DialogsStayWithTheirWindow : public QxhostOnDesktop {
protected:
    void SetUp() override {
        if (!dd::installed("zenity")) GTEST_SKIP() << "zenity is not installed: no dialog to drive";
        QxhostOnDesktop::SetUp();
    }
};

// The open dialog (a click on PATCH FILE OPEN) and the colour dialog (the module's own, with
// its editor window as owner) are transient for qxhost's window; a click on the editor after
// qxhost's window was raised over the dialog (as a window manager raises a clicked window)
// brings the dialog back on top.
TEST_F(DialogsStayWithTheirWindow, TransientForQxhostsWindowAndRaisedByAPressOnIt) {
    const struct {
        const char* title;
        dd::Arguments arguments;
        bool clickOpen;
    } cases[] = {
        {"Open", {}, true},
        {"Colour", {"--load", "PATCHES/DEMO.txt", "--send", "COLOUR S1"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        start(c.arguments);
        const Window topLevel = topLevelWindow();
        if (c.clickOpen) dd::clickAt(kOpenX, kBarY);
        const std::string found = dd::awaitWindow(c.title);
        ASSERT_FALSE(found.empty()) << "no " << c.title << " dialog";
        const Window dialog = std::strtoul(found.c_str(), nullptr, 10);
        EXPECT_TRUE(within(5000, [&] { return transientFor(display, dialog) == topLevel; }))
            << std::hex << transientFor(display, dialog) << " is not " << topLevel;

        XRaiseWindow(display, topLevel);
        XSync(display, False);
        ASSERT_TRUE(stackedAbove(display, topLevel, dialog));
        dd::clickAt(1300, 400); // on the editor, beside the dialog
        EXPECT_TRUE(within(3000, [&] { return stackedAbove(display, dialog, topLevel); }))
            << "the dialog stayed under its window";

        EXPECT_TRUE(dd::dismiss(c.title));
        EXPECT_EQ(close(), 0) << stderrText();
    }
}

using QxhostWindowSize = QxhostOnDesktop;

// The window manager is told that qxhost's window is of the editor's size, no smaller and no
// larger, whatever size the editor was given.
TEST_F(QxhostWindowSize, MinimumAndMaximumAreTheEditorsSize) {
    const struct {
        dd::Arguments size;
        int width, height;
    } cases[] = {
        {{}, 1376, 800},
        {{"--size", "1000x640"}, 1000, 640},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        dd::Arguments arguments = {"--exit-after", "60000", "--console", console()};
        arguments.insert(arguments.end(), c.size.begin(), c.size.end());
        qxhost = dd::startQxhost(arguments, folder + "/stderr.txt", kNoPortal);
        const std::string found = dd::awaitWindow("qxhost - instance 0");
        ASSERT_FALSE(found.empty()) << "no qxhost window";
        XSizeHints hints{};
        long supplied = 0;
        ASSERT_TRUE(XGetWMNormalHints(display, std::strtoul(found.c_str(), nullptr, 10), &hints,
                                      &supplied));
        ASSERT_EQ(hints.flags & (PMinSize | PMaxSize), PMinSize | PMaxSize);
        EXPECT_EQ(hints.min_width, c.width);
        EXPECT_EQ(hints.min_height, c.height);
        EXPECT_EQ(hints.max_width, c.width);
        EXPECT_EQ(hints.max_height, c.height);
        ::kill(qxhost, SIGTERM);
        dd::awaitExit(qxhost, 30);
        qxhost = 0;
    }
}

} // namespace
