// The CLI panel's command line from the keyboard: SHIFT+C moves the focus to it and away, and
// while it has the focus every key edits the line, browses the history or runs the line.
#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "view/input/key_predicates.h"

namespace {

int32_t wrapToTen(int32_t value) {
    return ((value % 10) + 10) % 10;
}

} // namespace

// The CLI panel's `focused` is the CLI line's keyboard focus.
bool QX_GUI::toggleCliFocus() {
    PanelWindow& cli = panelFrame.panels[kPanelCli];
    if (!cli.shown) {
        cli.dragging = 0;
        cli.shown = 1;
        printBanner();
        bringPanelToFront(kPanelCli);
        cli.focused = 1;
        return false;
    }
    if (!cli.focused) {
        bringPanelToFront(kPanelCli);
        printBanner();
        cli.focused = 1;
        return false;
    }
    cli.focused = 0;
    if (isKeyDownCtrl()) cli.shown = 0;
    return true;
}

void QX_GUI::cliLineKeyDown(WPARAM key) {
    std::string& line = consolePanel.cliLine;
    CliHistory& history = keyboard.cliHistory;
    if (isKeyDownUp()) {
        history.browseOffset = (history.browseOffset + 1) % 10;
        line = history.slots[wrapToTen(history.writeIndex - history.browseOffset)];
        return;
    }
    if (isKeyDownDown()) {
        history.browseOffset = history.browseOffset == 0 ? 10 : history.browseOffset - 1;
        line = history.slots[wrapToTen(history.writeIndex - history.browseOffset)];
        return;
    }
    if (isKeyDownBackspace()) {
        if (!line.empty()) line.pop_back();
        return;
    }
    if (isKeyDownEnter()) {
        history.slots[history.writeIndex] = line;
        history.writeIndex = (history.writeIndex + 1) % 10;
        history.browseOffset = 0;
        const std::string entered = line;
        line.clear();
        executeCommandString(entered);
        return;
    }
    // Only printable characters join the line; control keys (TAB, ESC ...) add nothing.
    const UINT c = MapVirtualKeyA(static_cast<UINT>(key), MAPVK_VK_TO_CHAR);
    if (c < 0x20 || c > 0x7E) return;
    std::string s(1, static_cast<char>(c));
    if (isKeyDownBackquote()) s = "'";
    if (isKeyDownSemicolon()) s = ":";
    if (isKeyDownShift() && c == '-') s = "_";
    if (isKeyDownShift() && isKeyDownDigit2()) s = "\"";
    line += s;
}
