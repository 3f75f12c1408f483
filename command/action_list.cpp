// The action list: a two-column file of "name|action" lines read by the READ verb.
#include <cstdio>

#include "app/bounded_text_file.h"
#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

namespace {
constexpr int kMaxActions = 100;
}

void QX_GUI::readActionList(std::string fileName) {
    actionCount = 0;
    const TextFileRead file = readTextFile(modulePath(fileName));
    for (const std::string& note : file.notes) appendConsoleLine(note);
    if (!file.read) return;
    // A last line that ends with a line end is followed by one empty entry. Lines past the
    // table are dropped.
    auto take = [this](const std::string& line) {
        setStatusMessage(line);
        if (actionCount >= kMaxActions) return;
        const size_t bar = line.find('|');
        actionLists[0][actionCount] = line.substr(0, bar);
        std::string action;
        if (bar != std::string::npos) {
            const size_t next = line.find('|', bar + 1);
            action = line.substr(bar + 1,
                                 next == std::string::npos ? std::string::npos : next - bar - 1);
        }
        actionLists[1][actionCount] = toUpperCopy(action);
        ++actionCount;
    };
    for (const std::string& line : file.lines()) take(line);
    if (file.endsWithLineEnd) take(std::string());
}

int32_t QX_GUI::cmdRead(CliObject command) {
    // The arguments end in a blank; a file name never does.
    std::string name = command.mode == -1 ? std::string() : command.arguments;
    while (!name.empty() && name.back() == ' ') name.pop_back();
    readActionList(name);
    char status[64];
    std::snprintf(status, sizeof status, "NUMER OF ACTIONS : %i", actionCount);
    setStatusMessage(status);
    return 0;
}
