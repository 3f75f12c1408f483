// Dialog programs as child processes: started from an argument vector (no shell), their
// answer read from a pipe while the modal loop keeps the windows painting and the timers running.
#include "helper_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "modal_loop.h"
#include "owned_dialog.h"
#include "qxplatform/desktop_dialogs.h"
#include "x_session.h"

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

// The executable file of `program` in the folders of PATH; empty when there is none.
std::string resolveProgram(const std::string& program) {
    const char* path = std::getenv("PATH");
    if (!path || program.empty()) return std::string();
    const std::string folders = path;
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        if (!folder.empty() && isExecutable(folder + "/" + program)) return folder + "/" + program;
        start = end + 1;
    }
    return std::string();
}

// The child ends with this process (a dialog of an interface that is gone is of no use); only
// calls that are safe between fork and exec run in it.
pid_t spawnWithOutputPipe(const std::string& executable, const std::vector<std::string>& arguments,
                          int writeEnd) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t parent = ::getpid();
    const pid_t child = ::fork();
    if (child != 0) return child;
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
    if (::getppid() != parent) ::_exit(127);
    const int input = ::open("/dev/null", O_RDONLY);
    const int errors = ::open("/dev/null", O_WRONLY);
    ::dup2(input, 0);
    ::dup2(writeEnd, 1);
    ::dup2(errors, 2);
    ::execve(executable.c_str(), argv.data(), environ);
    ::_exit(127);
}

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

bool programInstalled(const std::string& program) {
    return !resolveProgram(program).empty();
}

HelperOutcome runHelperModal(const std::vector<std::string>& arguments, HWND owner) {
    HelperOutcome outcome;
    const std::string executable = arguments.empty() ? std::string() : resolveProgram(arguments[0]);
    // The program is ending: a dialog asked for now opens nothing and counts as cancelled.
    if (!executable.empty() && quitPending()) {
        outcome.started = true;
        return outcome;
    }
    int pipeEnds[2];
    if (executable.empty() || ::pipe2(pipeEnds, O_CLOEXEC) != 0) return outcome;
    const Window ownerWindow = topLevelXWindowOf(owner);
    OwnedDialog dialog(ownerWindow, desktop::helperDialogTitle(arguments));
    const pid_t child =
        spawnWithOutputPipe(executable, desktop::attachedTo(arguments, ownerWindow), pipeEnds[1]);
    ::close(pipeEnds[1]);
    if (child < 0) {
        ::close(pipeEnds[0]);
        return outcome;
    }
    outcome.started = true;
    dialog.follow(child);
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
        if (pumpWhileModal(reading ? pipeEnds[0] : -1, kPollMs)) dialog.raise();
        dialog.watch();
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
