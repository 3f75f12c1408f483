// Typing into the CLI panel with real key events: the typed line is the line the panel draws
// (its text call and the pixels of its row), ENTER runs it, UP brings it back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gui_window.h"
#include "panels/frame/panel_ids.h"
#include "real_keys.h"
#include "render/recording_draw_layer.h"

namespace {

class CliTyping : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        if (!real_keys::haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
        gui->setSourceCount(4);
        gui->executedLineTap = &lines;
        real_keys::pump(100);
        const std::string xWindow = std::to_string(qxplatform::xWindowHandle(gui->windowHandle()));
        ASSERT_TRUE(real_keys::xdotool({"windowfocus", "--sync", xWindow}));
    }
    void TearDown() override {
        if (gui) gui->executedLineTap = nullptr;
        GuiWindow::TearDown();
    }

    // The command line's text call in a recorded frame (cursor off), or null.
    RecordedDraw commandLine() {
        gui->interaction.cursorBlinkCounter = 10;
        RecordingDrawLayer recording;
        gui->drawLayer = &recording;
        gui->renderFrame();
        gui->drawLayer = &gui->glDrawLayer;
        for (const RecordedDraw& d : recording.draws)
            if (d.kind == RecordedDraw::Kind::Text && d.text.rfind("> ", 0) == 0) return d;
        return RecordedDraw{};
    }
    // Cyan text pixels of the command line's row right of "> ", in a real frame.
    int typedPixels(const RecordedDraw& line) {
        gui->interaction.cursorBlinkCounter = 10;
        render();
        const PanelWindow& cli = gui->panelFrame.panels[kPanelCli];
        const int x0 = static_cast<int>(line.xy[0]) + 12;
        const int x1 = static_cast<int>(cli.positionX + cli.contentOffsetX + cli.width) - 2;
        const int y = static_cast<int>(line.xy[1]);
        int count = 0;
        for (int py = y - 1; py <= y + 5; ++py) // the glyphs' five rows, and one either side
            for (int px = x0; px < x1; ++px) {
                const Rgb c = at(px, py);
                count += c.r < 100 && c.g > 150 && c.b > 150;
            }
        return count;
    }

    std::vector<std::string> lines;
};

TEST_F(CliTyping, TypedLineIsDrawnRunByEnterAndRecalledByUp) {
    // SHIFT held, then C (a capital, so that xdotool keeps SHIFT down): the shortcut acts on a
    // key-down message while both are held.
    ASSERT_TRUE(real_keys::xdotool({"keydown", "shift", "sleep", "0.05", "keydown", "C", "sleep",
                                    "0.05", "keyup", "C", "sleep", "0.05", "keyup", "shift"}));
    ASSERT_EQ(gui->panelFrame.panels[kPanelCli].shown, 1);
    ASSERT_EQ(gui->panelFrame.panels[kPanelCli].focused, 1);

    ASSERT_TRUE(real_keys::xdotool({"type", "--delay", "40", "MUTE S3"}));
    EXPECT_EQ(gui->consolePanel.cliLine, "MUTE S3");
    const RecordedDraw typed = commandLine();
    ASSERT_EQ(typed.text, "> MUTE S3");
    const int typedCount = typedPixels(typed);
    EXPECT_GT(typedCount, 40) << "the typed characters are not on the command row";

    lines.clear();
    ASSERT_TRUE(real_keys::press("Return"));
    EXPECT_EQ(lines, std::vector<std::string>{"MUTE S3"});
    EXPECT_EQ(gui->sources[2].mute, 1);
    const RecordedDraw entered = commandLine();
    EXPECT_EQ(entered.text, "> ");
    EXPECT_EQ(typedPixels(entered), 0) << "the entered line stays on the row";

    ASSERT_TRUE(real_keys::press("Up"));
    const RecordedDraw recalled = commandLine();
    EXPECT_EQ(recalled.text, "> MUTE S3");
    EXPECT_EQ(typedPixels(recalled), typedCount);
}

} // namespace
