// A qxhost run in its window on the test's display, with its console, pin trace and standard
// error in a folder of the test's own, started and closed as a person would.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "desktop_dialog_driver.h"
#include "qxhost_driver.h"
#include "qxplatform/test_hooks.h"

namespace dd = desktop_driver;

// The PATCH FILE cells in the top bar of the 1376-pixel editor at the screen's corner.
constexpr int kOpenX = 473, kSaveX = 503, kSaveAsX = 540, kBarY = 8;

// The zenity dialogs alone: no session bus, so no portal is asked.
inline const std::vector<std::pair<std::string, std::string>> kNoPortal = {
    {"DBUS_SESSION_BUS_ADDRESS", ""},
    {"XDG_RUNTIME_DIR", ""},
    dd::kLocalToolkit[0],
    dd::kLocalToolkit[1],
    dd::kLocalToolkit[2]};

class QxhostOnDesktop : public ::testing::Test {
protected:
    void SetUp() override {
        if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
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

    // qxhost's own window, the editor's parent.
    Window topLevelWindow() const {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, editor, &root, &parent, &children, &count);
        if (children) XFree(children);
        return parent;
    }

    // Asks qxhost's window to close, as its close box does, and waits for the run to end. The
    // request is repeated: one that arrives while a dialog is still closing is ignored, as a
    // modal dialog's owner ignores its close box.
    int close() {
        const Window parent = topLevelWindow();
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
