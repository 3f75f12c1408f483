// Lines a host hands in on its pin reach the console whole: one console line per line of text,
// long ones wrapped at blanks into indented pieces the console keeps whole, shown as notices.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dsp_link/host_lines_pin.h"
#include "dsp_link_recording_gui.h"
#include "qxplatform/runtime.h"

namespace {

void handIn(RecordingGui& gui, const std::string& text) {
    const std::u16string wide = qxplatform::widen(text);
    const auto* bytes = reinterpret_cast<const uint8_t*>(wide.data());
    gui.deliver(kHostLinesPin, std::vector<uint8_t>(bytes, bytes + wide.size() * 2));
}

// The lines written since the console was empty, oldest first.
std::vector<std::string> consoleLines(const QX_GUI& gui) {
    return std::vector<std::string>(gui.console.lines, gui.console.lines + gui.console.writeIndex);
}

TEST(HostLinesPin, EachLineIsANoticeAndLongOnesWrapAtBlanks) {
    const std::string longLine = "qxhost: the session file /home/person/.local/state/qxhost/"
                                 "session cannot be used: it is cut short; starting fresh";
    struct Case {
        const char* what;
        std::string text;
        std::vector<std::string> lines;
    } cases[] = {
        {"one short line", "qxhost: session restored", {"qxhost: session restored"}},
        {"two lines", "FIRST\nSECOND", {"FIRST", "SECOND"}},
        {"a line of exactly 65 characters", std::string(65, 'x'), {std::string(65, 'x')}},
        {"a long line",
         longLine,
         {"qxhost: the session file /home/person/.local/state/qxhost/session",
          "   cannot be used: it is cut short; starting fresh"}},
        {"a word longer than a line",
         std::string(70, 'y'),
         {std::string(65, 'y'), "   " + std::string(5, 'y')}},
        {"nothing", "", {}},
    };
    for (const Case& c : cases) {
        auto gui = makeGui();
        handIn(*gui, c.text);
        const std::vector<std::string> lines = consoleLines(*gui);
        EXPECT_EQ(lines, c.lines) << c.what;
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 65u) << c.what;
            EXPECT_EQ(gui->console.lineNotice[i], 1) << c.what;
        }
        EXPECT_EQ(gui->console.notice, 0) << c.what << ": the flag is lowered again";
    }
}

TEST(HostLinesPin, TheSameLineHandedInAgainIsShownAgain) {
    auto gui = makeGui();
    handIn(*gui, "qxhost: the session could not be written");
    handIn(*gui, "qxhost: the session could not be written");
    EXPECT_EQ(gui->console.writeIndex, 2);
}

// A value of more lines than the console holds writes no more than the console's ring.
TEST(HostLinesPin, AFloodOfLinesWritesAtMostOneRingFull) {
    auto gui = makeGui();
    std::string text;
    for (int i = 0; i < 500; ++i) text += "LINE " + std::to_string(i) + "\n";
    handIn(*gui, text);
    EXPECT_EQ(gui->console.writeIndex, 0) << "exactly one turn of the ring";
    EXPECT_EQ(gui->console.lines[0], "LINE 0");
    EXPECT_EQ(gui->console.lines[59], "LINE 59");
}

} // namespace
