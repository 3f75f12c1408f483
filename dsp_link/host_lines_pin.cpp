// Pin 39: lines the host has for the person (what became of the session it keeps, say). They go
// to the console as notices, beside the module's own reports, since the console is where the
// person looks for what the system says.
#include "app/qx_gui.h"
#include "qxplatform/runtime.h"

namespace {

constexpr const char* kContinuation = "   ";

// The pieces of one line, each short enough for the console to keep whole: broken at the last
// blank that fits, or within a word too long for a line; the pieces after the first indented.
std::vector<std::string> wrapped(const std::string& line, size_t width) {
    std::vector<std::string> pieces;
    std::string rest = line;
    std::string lead;
    while (lead.size() + rest.size() > width) {
        const size_t room = width - lead.size();
        size_t cut = rest.rfind(' ', room);
        if (cut == std::string::npos || cut == 0) cut = room;
        pieces.push_back(lead + rest.substr(0, cut));
        rest = rest.substr(rest[cut] == ' ' ? cut + 1 : cut);
        lead = kContinuation;
    }
    pieces.push_back(lead + rest);
    return pieces;
}

} // namespace

void QX_GUI::onHostLinesPin() {
    const std::string text = qxplatform::narrow(pinHostLines.getValue());
    // More lines than the console holds would only push each other out.
    int32_t room = console.ringSize;
    console.notice = 1;
    size_t start = 0;
    while (start < text.size() && room > 0) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        for (const std::string& piece :
             wrapped(text.substr(start, end - start), ConsoleRing::kMaxLineLength)) {
            if (room-- <= 0) break;
            appendConsoleLine(piece);
        }
        start = end + 1;
    }
    console.notice = 0;
}
