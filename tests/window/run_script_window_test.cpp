// `make run` at a desktop: tools/run.sh takes its pictures of the screens on a display of its
// own, so the person's display (here an Xvfb server of the test's own) shows one window, the
// program's. Skipped when Xvfb or xdotool is not installed.
#include <gtest/gtest.h>

#include <vector>

#include "private_display.h"

namespace {

using namespace private_display;

std::string processName(pid_t pid) {
    std::string name = dd::fileText("/proc/" + std::to_string(pid) + "/comm");
    return name.substr(0, name.find('\n'));
}

class RunAtADesktop : public PrivateDisplay {
protected:
    void SetUp() override {
        startDisplay(false);
        if (HasFatalFailure() || IsSkipped()) return;
        char pattern[] = "/tmp/qx-run-script-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        scratch = pattern;
    }
    void TearDown() override {
        end(run);
        PrivateDisplay::TearDown();
        if (!scratch.empty()) dd::output({"rm", "-rf", scratch});
    }

    // run.sh on the build folder, with the user's folders in the scratch folder.
    pid_t startRunScript() const {
        const pid_t pid = ::fork();
        if (pid != 0) return pid;
        ::setenv("XDG_STATE_HOME", (scratch + "/state").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (scratch + "/data").c_str(), 1);
        ::unsetenv("QXHOST_BUILD_FOLDER");
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 1);
        ::dup2(null, 2);
        char out[4096];
        if (!::getcwd(out, sizeof out)) ::_exit(127);
        const std::string script = std::string(QX_SOURCE_DIR) + "/tools/run.sh";
        ::execl(script.c_str(), script.c_str(), out, static_cast<char*>(nullptr));
        ::_exit(127);
    }

    // Every time a top-level window was mapped on the display since the watch began (the
    // server may give a later client's window the id of an earlier one's).
    void collectMapped(std::vector<Window>& mapped) const {
        while (XPending(display)) {
            XEvent event{};
            XNextEvent(display, &event);
            if (event.type == MapNotify) mapped.push_back(event.xmap.window);
        }
    }

    pid_t run = 0;
    std::string scratch;
};

TEST_F(RunAtADesktop, ThePersonsDisplayShowsOneWindow) {
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    run = startRunScript();
    std::vector<Window> mapped;
    // The script ends by becoming the program itself.
    ASSERT_TRUE(within(240000, [&] {
        collectMapped(mapped);
        return processName(run) == "qxhost";
    })) << "run.sh never started the program";
    ASSERT_FALSE(dd::awaitWindow("qxhost - instance 0").empty()) << "no window on the display";
    dd::pause(1000);
    collectMapped(mapped);
    EXPECT_EQ(mapped.size(), 1u) << "windows shown on the person's display";
}

} // namespace
