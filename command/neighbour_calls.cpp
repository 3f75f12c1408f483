// The calls that the selection, view, panel, reset and annotation verbs make into the editors
// (panels), the window layer and the DSP link, gathered in one place. Where the operation they
// stand for is not in this build yet, the call is written to linkCallLog and its comment names
// the operation it hands over to once that part is merged.
#include <cstdio>

#include "app/qx_gui.h"

// The editors show the item and hold its settings: FILTERS, DYNAMICS and DELAY, and for TOUCH
// also VIRTUAL, are loaded for (kind, index), so the next edit in an editor is stored into that
// item and no other.
void QX_GUI::loadEditorsFor(int32_t kind, int32_t index, bool withVirtual) {
    loadFiltersPanel(kind, index);
    loadDynamicsPanel(kind, index);
    loadDelayPanel(kind, index);
    if (withVirtual) loadVirtualPanel(kind, index);
}

void QX_GUI::reloadVirtualEditor() {
    loadVirtualPanel(virtualPanel.mode, virtualPanel.index);
}

void QX_GUI::reloadFiltersEditor() {
    loadFiltersPanel(filtersPanel.kind, filtersPanel.index);
}

void QX_GUI::reloadDynamicsEditor() {
    loadDynamicsPanel(dynamicsPanel.kind, dynamicsPanel.index);
}

void QX_GUI::reloadDelayEditor() {
    loadDelayPanel(delayPanel.kind, delayPanel.index);
}

// initPanelWindows: the panels' names, bar buttons, default sizes and scale 1.
void QX_GUI::resetPanelGeometry() {
    linkCallLog.push_back("initPanelWindows");
}

// The window layer's full-screen switches; each enters or leaves at once (and, when a window
// cannot be made, keeps the full-screen flag at 0 and reports on the console).
void QX_GUI::fullScreenEnterAt(int32_t width, int32_t height, int32_t left, int32_t top) {
    enterFullScreen(width, height, left, top);
}

void QX_GUI::fullScreenEnterOwn() {
    enterFullScreenOnOwnScreen();
}

void QX_GUI::fullScreenLeave() {
    leaveFullScreen();
}

// printMousePosition: the mouse-position lines and the monitor under the mouse (the last one
// whose rectangle holds the cursor strictly inside; 0 when none does). Until the window layer's
// cursor query is in the build, the last mouse position stands for the cursor.
int32_t QX_GUI::monitorUnderMouse() {
    linkCallLog.push_back("printMousePosition");
    POINT cursor = {lastMouseX, lastMouseY};
    char line[64];
    appendConsoleLine("   CURRENT MOUSE POSITION : ");
    std::snprintf(line, sizeof line, "      X:%i", static_cast<int>(cursor.x));
    appendConsoleLine(line);
    std::snprintf(line, sizeof line, "      Y:%i", static_cast<int>(cursor.y));
    appendConsoleLine(line);
    int32_t found = 0;
    const int32_t count = configuration.displayCount < ConfigurationBlock::kDisplays
                              ? configuration.displayCount
                              : ConfigurationBlock::kDisplays;
    for (int32_t i = 0; i < count; ++i) {
        const DisplayRecord& d = configuration.displays[i];
        if (d.left < cursor.x && cursor.x < d.left + d.width && d.top < cursor.y &&
            cursor.y < d.top + d.height)
            found = i;
    }
    return found;
}

// sendScript with a script record of kind 2 addressed to the instance, holding the one line.
void QX_GUI::sendScriptLine(int32_t instance, const std::string& line) {
    char text[96];
    std::snprintf(text, sizeof text, "sendScript(%i, %s)", instance, line.c_str());
    linkCallLog.push_back(text);
}

// sendTextCommandPin: the stored selections go out at once.
void QX_GUI::sendSelectionListsNow() {
    linkCallLog.push_back("sendTextCommandPin");
}

// The width of a note's text in the block font at the note's size.
float QX_GUI::measureNoteText(const std::string& text, float size) {
    return static_cast<float>(font.textWidth(text.c_str(), static_cast<int32_t>(size)));
}
