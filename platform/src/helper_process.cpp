// Dialog programs as child processes: started from an argument vector with posix_spawn, their
// answer read from a pipe while the modal loop keeps the windows painting and the timers running.
#include "helper_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "modal_loop.h"

extern char** environ;

namespace qxplatform {
namespace {

constexpr int kPollMs = 50;

bool isExecutable(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

// Reads what is there without blocking; false once the pipe is closed.
bool readAvailable(int fd, std::string& output) {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            output.append(buffer, static_cast<size_t>(n));
            continue;
        }
        if (n == 0) return false;
        return errno == EAGAIN || errno == EINTR;
    }
}

pid_t spawnWithOutputPipe(const std::vector<std::string>& arguments, int writeEnd) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, writeEnd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int result = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? child : -1;
}

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool programInstalled(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path || program.empty()) return false;
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && isExecutable(folder + "/" + program)) return true;
        start = end + 1;
    }
    return false;
}

HelperOutcome runHelperModal(const std::vector<std::string>& arguments) {
    HelperOutcome outcome;
    int pipeEnds[2];
    if (arguments.empty() || !programInstalled(arguments[0]) || ::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return outcome;
    const pid_t child = spawnWithOutputPipe(arguments, pipeEnds[1]);
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return outcome;
    }
    outcome.started = true;
    ::fcntl(pipeEnds[0], F_SETFL, O_NONBLOCK);
    bool reading = true;
    int status = 0;
    for (;;) {
        if (quitPending()) {
            ::kill(child, SIGTERM);
            ::waitpid(child, &status, 0);
            ::close(pipeEnds[0]);
            outcome.output.clear();
            return outcome;
        }
        pumpWhileModal(reading ? pipeEnds[0] : -1, kPollMs);
        if (reading) reading = readAvailable(pipeEnds[0], outcome.output);
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) break;
    }
    // What the program wrote just before it ended.
    if (reading) readAvailable(pipeEnds[0], outcome.output);
    ::close(pipeEnds[0]);
    outcome.exitCode = exitCodeOf(status);
    return outcome;
}

void reportOnce(const std::string& reason) {
    static std::set<std::string> told;
    if (!told.insert(reason).second) return;
    std::fprintf(stderr, "qxplatform: %s\n", reason.c_str());
}

} // namespace qxplatform
