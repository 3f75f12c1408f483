#include "qxhost/stop_signals.h"

#include <signal.h>

namespace qxhost {
namespace {

volatile sig_atomic_t requested = 0;

constexpr int kStopSignals[] = {SIGTERM, SIGINT, SIGHUP};

// Only async-signal-safe work: the flag, and the default action back for every stop signal so
// that a second one of any of them ends the process at once.
void onStopSignal(int signal) {
    requested = signal;
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    for (int stop : kStopSignals) sigaction(stop, &fallback, nullptr);
}

} // namespace

void installStopSignals() {
    requested = 0;
    struct sigaction action {};
    action.sa_handler = &onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : kStopSignals) {
        // A signal the parent set to be ignored (nohup) stays ignored.
        struct sigaction before {};
        sigaction(signal, nullptr, &before);
        if (before.sa_handler != SIG_IGN) sigaction(signal, &action, nullptr);
    }
}

bool stopRequested() {
    return requested != 0;
}

std::string stopText() {
    const int signal = requested;
    const char* name = signal == SIGTERM ? "SIGTERM" : signal == SIGINT ? "SIGINT" : "SIGHUP";
    return std::string(name) + " received: ending the run";
}

} // namespace qxhost
