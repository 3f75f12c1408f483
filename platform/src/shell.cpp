// Opening a file, folder or web address with the desktop's opener, started as a child process
// from an argument vector so that no text of the target is ever read by a command processor.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

extern char** environ;

namespace {

std::mutex shellMutex;
bool shellRecorded = false;
std::vector<std::vector<std::string>> shellOpens;

HINSTANCE shellResult(uintptr_t code) {
    return reinterpret_cast<HINSTANCE>(code);
}

bool startsWithNoCase(const std::string& text, const char* prefix) {
    for (size_t i = 0; prefix[i] != 0; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

bool isWebAddress(const std::string& text) {
    return startsWithNoCase(text, "http://") || startsWithNoCase(text, "https://") ||
           startsWithNoCase(text, "www.");
}

// Starts the opener detached from this process's standard streams; true when it started.
bool spawnOpener(const std::vector<std::string>& arguments) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (result != 0) return false;
    // The opener hands the target to the desktop and ends quickly; reap it so that no zombie
    // stays behind.
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

HINSTANCE ShellExecuteW(HWND, LPCWSTR, LPCWSTR file, LPCWSTR, LPCWSTR, INT) {
    if (file == nullptr || file[0] == 0) return shellResult(5);
    const std::string text = qxplatform::narrow(std::u16string(file));
    const std::string target = isWebAddress(text) ? text : qxplatform::toHostPath(text);
    const std::vector<std::string> arguments = {"xdg-open", target};
    {
        std::lock_guard<std::mutex> lock(shellMutex);
        if (shellRecorded) {
            shellOpens.push_back(arguments);
            return shellResult(42);
        }
    }
    if (!spawnOpener(arguments)) {
        std::fprintf(stderr, "qxplatform: could not open \"%s\" with xdg-open\n", target.c_str());
        return shellResult(2);
    }
    return shellResult(42);
}

namespace qxplatform {

void setShellOpensRecorded(bool recorded) {
    std::lock_guard<std::mutex> lock(shellMutex);
    shellRecorded = recorded;
}

std::vector<std::vector<std::string>> recordedShellOpens() {
    std::lock_guard<std::mutex> lock(shellMutex);
    return shellOpens;
}

void clearRecordedShellOpens() {
    std::lock_guard<std::mutex> lock(shellMutex);
    shellOpens.clear();
}

} // namespace qxplatform
