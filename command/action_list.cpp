// The action list: a two-column file of "name|action" lines read by the READ verb.
#include <cstdio>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

namespace {
constexpr int kMaxActions = 100;
}

void QX_GUI::readActionList(std::string fileName) {
    actionCount = 0;
    FILE* file = qxplatform::openFile(modulePathWide(fileName), "rb");
    if (!file) return;
    // The end of the file is tested before each read, so a last line that ends with a line
    // end is followed by one empty entry. Lines past the table are dropped.
    for (;;) {
        std::string line;
        int c = std::fgetc(file);
        while (c != EOF && c != '\n') {
            line += static_cast<char>(c);
            c = std::fgetc(file);
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        setStatusMessage(line);
        if (actionCount < kMaxActions) {
            const size_t bar = line.find('|');
            actionLists[0][actionCount] = line.substr(0, bar);
            std::string action;
            if (bar != std::string::npos) {
                const size_t next = line.find('|', bar + 1);
                action = line.substr(bar + 1, next == std::string::npos ? std::string::npos
                                                                        : next - bar - 1);
            }
            actionLists[1][actionCount] = toUpperCopy(action);
            ++actionCount;
        }
        if (c == EOF) break;
    }
    std::fclose(file);
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
