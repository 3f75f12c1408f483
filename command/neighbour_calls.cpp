// The calls that the selection, view, panel, reset and annotation verbs make into the editors
// (panels), the window layer and the DSP link, gathered in one place. Where the operation they
// stand for is not in this build yet, the call does the part that these verbs can see (the
// editors' item pairs) and is written to linkCallLog; each names the operation it hands over to
// once that part is merged.
#include <cstdio>

#include "app/qx_gui.h"

namespace {

std::string callText(const char* name, int32_t a, int32_t b) {
    char text[96];
    std::snprintf(text, sizeof text, "%s(%i, %i)", name, a, b);
    return text;
}

} // namespace

// loadFiltersPanel, loadDynamicsPanel, loadDelayPanel and (for TOUCH) loadVirtualPanel with
// (kind, index): the editors show the item and hold its settings.
void QX_GUI::loadEditorsFor(int32_t kind, int32_t index, bool withVirtual) {
    filtersPanel.kind = kind;
    filtersPanel.index = index;
    linkCallLog.push_back(callText("loadFiltersPanel", kind, index));
    dynamicsPanel.kind = kind;
    dynamicsPanel.index = index;
    linkCallLog.push_back(callText("loadDynamicsPanel", kind, index));
    linkCallLog.push_back(callText("loadDelayPanel", kind, index));
    if (withVirtual) {
        virtualPanel.mode = kind;
        virtualPanel.index = index;
        linkCallLog.push_back(callText("loadVirtualPanel", kind, index));
    }
}

// loadVirtualPanel for the VIRTUAL editor's mode and index.
void QX_GUI::reloadVirtualEditor() {
    linkCallLog.push_back(callText("loadVirtualPanel", virtualPanel.mode, virtualPanel.index));
}

// loadFiltersPanel for the FILTERS editor's kind and index.
void QX_GUI::reloadFiltersEditor() {
    linkCallLog.push_back(callText("loadFiltersPanel", filtersPanel.kind, filtersPanel.index));
}

// loadDynamicsPanel for the DYNAMICS editor's kind and index.
void QX_GUI::reloadDynamicsEditor() {
    linkCallLog.push_back(callText("loadDynamicsPanel", dynamicsPanel.kind, dynamicsPanel.index));
}

// loadDelayPanel for the DELAY editor's kind and index.
void QX_GUI::reloadDelayEditor() {
    linkCallLog.push_back("loadDelayPanel");
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
