#include "qxhost/stop_signals.h"

#include <signal.h>

namespace qxhost {
namespace {

volatile sig_atomic_t requested = 0;

void onStopSignal(int signal) {
    requested = signal;
}

} // namespace

void installStopSignals() {
    requested = 0;
    struct sigaction action {};
    action.sa_handler = &onStopSignal;
    sigemptyset(&action.sa_mask);
    // A second signal while the run ends takes the default action: the process ends at once.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
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
