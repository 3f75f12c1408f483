#include "qxhost/command_line.h"

#include <cerrno>
#include <cstdlib>

#include "qxhost/script_record.h"

namespace qxhost {
namespace {

// A whole decimal number within [low, high].
bool parseNumber(const std::string& text, int32_t low, int32_t high, int32_t& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

bool parseSize(const std::string& text, int32_t& width, int32_t& height) {
    size_t cross = text.find('x');
    if (cross == std::string::npos) return false;
    return parseNumber(text.substr(0, cross), 1, 32767, width) &&
           parseNumber(text.substr(cross + 1), 1, 32767, height);
}

} // namespace

std::string usageText() {
    return "usage: qxhost [options]\n"
           "  --module PATH        the module to load where it lies (default: QX_GUI.sem beside\n"
           "                       qxhost; a windowed run lays it out with the shipped files in\n"
           "                       $XDG_DATA_HOME/qxhost, ~/.local/share/qxhost without it, and\n"
           "                       runs it there)\n"
           "  --headless           no window: construct, exchange pins, run the actions, release\n"
           "  --instances N        number of interface instances, 1 to 256 (default 1)\n"
           "  --size WxH           editor size (default 1376x800)\n"
           "  --send LINE          send one script line (at most 15 characters) to local id 0\n"
           "  --load FILE          answer the open-file dialog with FILE and send LOAD_MACRO_FILE\n"
           "  --save FILE          answer the save dialog with FILE and send SAVE_PATCH\n"
           "  --trace-pins FILE    write every pin value that crosses, in either direction\n"
           "  --console FILE       write every console line of every instance\n"
           "  --frames N           render N frames of the first window, then stop\n"
           "  --screenshot FILE    at the end, write the first window's pixels to a PNG file\n"
           "  --exit-after MS      stop after MS milliseconds\n"
           "  --fresh              start without the stored session, which is kept aside as\n"
           "                       session.previous-<time> before this run's desk replaces it\n"
           "  --session FILE       keep the session in FILE (default:\n"
           "                       $XDG_STATE_HOME/qxhost/session, ~/.local/state/qxhost/session\n"
           "                       without it); a headless run keeps one only in a FILE named so\n"
           "  --help               this text\n"
           "QXHOST_BUILD_FOLDER=1 in the environment: a windowed run too runs the module and the\n"
           "files beside qxhost (the tests and the pictures of make run do).\n";
}

bool parseCommandLine(const std::vector<std::string>& arguments, HostOptions& options,
                      std::string& error) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& option = arguments[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= arguments.size()) {
                error = option + " needs a value";
                return false;
            }
            out = arguments[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--headless") {
            options.headless = true;
        } else if (option == "--module") {
            if (!value(options.modulePath)) return false;
        } else if (option == "--instances") {
            if (!value(text)) return false;
            if (!parseNumber(text, 1, 256, options.instances)) {
                error = "--instances needs a number from 1 to 256, not \"" + text + "\"";
                return false;
            }
        } else if (option == "--size") {
            if (!value(text)) return false;
            if (!parseSize(text, options.width, options.height)) {
                error = "--size needs WIDTHxHEIGHT in pixels, not \"" + text + "\"";
                return false;
            }
        } else if (option == "--send") {
            if (!value(text)) return false;
            if (text.size() > kScriptLineLength) {
                error = "--send: \"" + text + "\" is longer than 15 characters, which is all " +
                        "a script line can hold";
                return false;
            }
            options.actions.push_back({HostAction::Kind::Send, text});
        } else if (option == "--load") {
            if (!value(text)) return false;
            options.actions.push_back({HostAction::Kind::Load, text});
        } else if (option == "--save") {
            if (!value(text)) return false;
            options.actions.push_back({HostAction::Kind::Save, text});
        } else if (option == "--trace-pins") {
            if (!value(options.tracePinsPath)) return false;
        } else if (option == "--console") {
            if (!value(options.consolePath)) return false;
        } else if (option == "--frames") {
            if (!value(text)) return false;
            if (!parseNumber(text, 0, 1000000000, options.frames)) {
                error = "--frames needs a number of frames, not \"" + text + "\"";
                return false;
            }
            options.framesGiven = true;
        } else if (option == "--fresh") {
            options.fresh = true;
        } else if (option == "--session") {
            if (!value(options.sessionPath)) return false;
            if (options.sessionPath.empty()) {
                error = "--session needs a file name";
                return false;
            }
        } else if (option == "--screenshot") {
            if (!value(options.screenshotPath)) return false;
        } else if (option == "--exit-after") {
            if (!value(text)) return false;
            if (!parseNumber(text, 0, 2000000000, options.exitAfterMs)) {
                error = "--exit-after needs a time in milliseconds, not \"" + text + "\"";
                return false;
            }
            options.exitAfterGiven = true;
        } else {
            error = "unknown option \"" + option + "\"";
            return false;
        }
    }
    return true;
}

} // namespace qxhost
