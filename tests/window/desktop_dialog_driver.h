// Driving the desktop's dialog windows from a test as a person would: programs started from
// argument vectors, windows found by their titles with xdotool, text typed and keys pressed
// through the X server's test extension, and a qxhost run with the environment a test chooses.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace desktop_driver {

using Arguments = std::vector<std::string>;

inline bool installed(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::stringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');)
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) return true;
    return false;
}

// Runs a program to its end and returns what it printed.
inline std::string output(const Arguments& arguments) {
    int ends[2];
    if (::pipe(ends) != 0) return "";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(ends[1], 1);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 2);
        ::close(ends[0]);
        std::vector<char*> argv;
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(ends[1]);
    std::string text;
    char buffer[512];
    for (ssize_t n; (n = ::read(ends[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    ::close(ends[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return text;
}

inline void pause(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// The id of the first window whose whole title is `title`; empty when there is none.
inline std::string windowTitled(const std::string& title) {
    const std::string found =
        output({"xdotool", "search", "--onlyvisible", "--name", "^" + title + "$"});
    return found.substr(0, found.find('\n'));
}

// Polls for the window for up to `seconds` (generous: helpers start slowly under load).
inline std::string awaitWindow(const std::string& title, int seconds = 30) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        std::string id = windowTitled(title);
        if (id.empty()) {
            pause(100);
            continue;
        }
        // A window just mapped may not take the focus and keys yet.
        pause(700);
        return id;
    }
    return "";
}

inline bool awaitNoWindow(const std::string& title, int seconds = 30) {
    for (int i = 0; i < seconds * 10; ++i) {
        if (windowTitled(title).empty()) return true;
        pause(100);
    }
    return false;
}

// Focuses the window, then types the text and presses the keys into it.
inline void typeInto(const std::string& window, const std::string& text,
                     const Arguments& keys = {}) {
    // Without a window manager the focus is set by hand; it is checked, since a window that
    // is still being mapped can refuse it.
    for (int i = 0; i < 50; ++i) {
        output({"xdotool", "windowfocus", "--sync", window});
        const std::string focused = output({"xdotool", "getwindowfocus"});
        if (focused.substr(0, focused.find('\n')) == window) break;
        pause(100);
    }
    pause(200);
    if (!text.empty()) {
        output({"xdotool", "type", "--delay", "30", text});
        // The chooser's completion of a typed path settles before Enter.
        pause(700);
    }
    for (const std::string& key : keys) {
        output({"xdotool", "key", key});
        pause(100);
    }
}

// Presses Escape in the dialog until it is gone: a key that reaches it while it is still
// settling can be lost. False when it is still there after `tries`.
inline bool dismiss(const std::string& title, int tries = 5) {
    for (int i = 0; i < tries; ++i) {
        const std::string window = windowTitled(title);
        if (window.empty()) return true;
        typeInto(window, "", {"Escape"});
        if (awaitNoWindow(title, 3)) return true;
    }
    return windowTitled(title).empty();
}

// Ends this process's children of that name (a dialog helper that never showed a window), so
// that a test fails instead of waiting for it forever.
inline void endChildrenNamed(const std::string& name) {
    const std::string listing = output({"pgrep", "-P", std::to_string(::getpid()), "-x", name});
    std::stringstream ids(listing);
    for (std::string id; std::getline(ids, id);)
        if (!id.empty()) ::kill(static_cast<pid_t>(std::stol(id)), SIGTERM);
}

// The desktop helpers' toolkit kept off the session bus's file-system and accessibility
// services, which a test display's bus may never answer.
inline const std::vector<std::pair<std::string, std::string>> kLocalToolkit = {
    {"GIO_USE_VFS", "local"}, {"GIO_USE_VOLUME_MONITOR", "unix"}, {"NO_AT_BRIDGE", "1"}};

inline void clickAt(int x, int y) {
    output({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

// A qxhost of the build folder with its standard error in a file; the test's environment
// changes are made in the child only.
inline pid_t startQxhost(const Arguments& arguments, const std::string& stderrPath,
                         const std::vector<std::pair<std::string, std::string>>& environment) {
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    for (const auto& [name, value] : environment) {
        if (value.empty())
            ::unsetenv(name.c_str());
        else
            ::setenv(name.c_str(), value.c_str(), 1);
    }
    const int error = ::open(stderrPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ::dup2(error, 2);
    std::vector<char*> argv{const_cast<char*>("./qxhost")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv("./qxhost", argv.data());
    ::_exit(127);
}

constexpr int kStillRunning = -2;

// The exit status; -1 when the run had to be ended after `seconds`, or kStillRunning when it
// is left running (endIt false).
inline int awaitExit(pid_t pid, int seconds = 60, bool endIt = true) {
    int status = 0;
    for (int i = 0; i < seconds * 20; ++i) {
        if (::waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        pause(50);
    }
    if (!endIt) return kStillRunning;
    ::kill(pid, SIGKILL);
    ::waitpid(pid, &status, 0);
    return -1;
}

inline std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace desktop_driver
