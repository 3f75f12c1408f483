// Real key events through the X server's test extension, sent by xdotool as a person's typing
// would arrive; the window's messages are dispatched while xdotool runs.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "qxplatform/win32.h"

namespace real_keys {

inline bool haveXdotool() {
    return access("/usr/bin/xdotool", X_OK) == 0;
}

// Dispatches the window messages that arrive within `milliseconds`.
inline void pump(int milliseconds) {
    MSG m;
    for (int waited = 0; waited < milliseconds; waited += 5) {
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
        Sleep(5);
    }
}

// Runs xdotool with `arguments` (no shell), dispatching messages until it ends; false when it
// fails or takes longer than five seconds.
inline bool xdotool(const std::vector<std::string>& arguments) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::vector<char*> argv{const_cast<char*>("xdotool")};
        for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv("/usr/bin/xdotool", argv.data());
        _exit(127);
    }
    int status = 0;
    for (int waited = 0; waited < 5000; waited += 10) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            pump(150); // the last events reach the window
            return WIFEXITED(status) && WEXITSTATUS(status) == 0;
        }
        pump(10);
    }
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
    return false;
}

// A key pressed and let go 50 ms later, as a hand does: the key handler reads the keys held
// while it handles the key-down message, and a key held past the auto-repeat delay would send
// its key-down again.
inline bool press(const std::string& key) {
    return xdotool({"keydown", key, "sleep", "0.05", "keyup", key});
}

} // namespace real_keys
