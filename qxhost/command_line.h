// The command line of qxhost.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qxhost {

// One action run against the instances after they are created, in command-line order.
struct HostAction {
    enum class Kind { Send, Load, Save };
    Kind kind;
    std::string argument; // the script line, or the file that answers the dialog
};

struct HostOptions {
    std::string modulePath; // empty: QX_GUI.sem beside qxhost
    bool headless = false;
    int32_t instances = 1;
    int32_t width = 1376;
    int32_t height = 800;
    std::vector<HostAction> actions;
    std::string tracePinsPath;
    std::string consolePath;
    // Windowed-run options; they need the window support.
    bool framesGiven = false;
    int32_t frames = 0;
    std::string screenshotPath;
    bool exitAfterGiven = false;
    int32_t exitAfterMs = 0;
    // The session: a windowed run keeps it in the default file, or in sessionPath when given
    // (a headless run only then); fresh starts without the stored one.
    bool fresh = false;
    std::string sessionPath;
    bool help = false;
};

// Parses the arguments after the program name. Returns false with a message for the user when
// an option is unknown, lacks its value or has a value that cannot be used.
bool parseCommandLine(const std::vector<std::string>& arguments, HostOptions& options,
                      std::string& error);

// The usage text printed by --help and after a command-line error.
std::string usageText();

} // namespace qxhost
