#include "app/qx_gui.h"

// Every stored line is also handed to the debug output, so a host can show the console.
void QX_GUI::appendConsoleLine(std::string line) {
    if (line.size() > ConsoleRing::kMaxLineLength)
        line = line.substr(0, ConsoleRing::kMaxLineLength) + " ...";
    OutputDebugStringA(line.c_str());
    console.lines[console.writeIndex] = std::move(line);
    console.lineHighlight[console.writeIndex] = console.highlight;
    console.lineNotice[console.writeIndex] = console.notice;
    console.writeIndex = (console.writeIndex + 1) % console.ringSize;
}

void QX_GUI::setStatusMessage(std::string text) {
    console.statusMessage = text;
    if (console.verbose == 1) appendConsoleLine(std::move(text));
}

void QX_GUI::clearConsole() {
    for (int i = 0; i < console.ringSize; ++i) console.lines[i].clear();
}
