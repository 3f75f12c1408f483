// qxhost: loads the interface module and runs its instances as a host does.
#include <cstdio>
#include <string>
#include <vector>

#include "qxhost/command_line.h"
#include "qxhost/host_session.h"

int main(int argc, char** argv) {
    using namespace qxhost;
    HostOptions options;
    std::string error;
    if (!parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "qxhost: %s\n%s", error.c_str(), usageText().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (options.headless &&
        (options.framesGiven || !options.screenshotPath.empty() || options.exitAfterGiven)) {
        std::fprintf(stderr, "qxhost: --frames, --screenshot and --exit-after need a window; "
                             "leave out --headless\n");
        return 2;
    }
    HostSession session(options);
    int code = options.headless ? session.runHeadless() : session.runWindowed();
    if (code != 0) std::fprintf(stderr, "qxhost: %s\n", session.error().c_str());
    return code;
}
