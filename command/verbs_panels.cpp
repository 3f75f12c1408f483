// Panel, page and full-screen verbs: show, hide and place the floating panels and the two
// chrome boxes, choose the page and the ENVELOPES items, and switch the full-screen display.
#include <cstdio>

#include "app/qx_gui.h"
#include "model/checked_number.h"
#include "panels/frame/panel_ids.h"

namespace {

constexpr int32_t kMasterBox = -2;
constexpr int32_t kToolbox = -3;
constexpr int32_t kNoPanel = -1;

struct PanelWord {
    const char* word;
    int32_t id;
    bool placeable; // POSITION_PANEL_AT and PANEL_SETUP
    bool hideable;  // HIDE_PANEL and TOGGLE_PANEL
};

const PanelWord kPanelWords[] = {
    {"MACRO", kPanelMacros, true, true},
    {"VIRTUAL", kPanelVirtual, true, true},
    {"DELAY", kPanelDelay, true, true},
    {"FILTERS", kPanelFilters, true, true},
    {"DYNAMICS", kPanelDynamics, true, true},
    {"MUTES", kPanelMutes, true, true},
    {"ENVELOPES", kPanelEnvelopes, true, true},
    {"SCOPE", kPanelScope, true, true},
    {"FFT", kPanelFft, true, true},
    {"CLI", kPanelCli, true, false},
    {"MASTER", kMasterBox, false, true},
    {"TOOLBOX", kToolbox, false, true},
};

// The placing verbs find their word anywhere in the arguments; the last one found wins.
int32_t findPlacedPanel(const std::string& arguments) {
    int32_t id = kNoPanel;
    for (const PanelWord& w : kPanelWords)
        if (w.placeable && arguments.find(w.word) != std::string::npos) id = w.id;
    return id;
}

// The showing verbs compare the last word whole.
const PanelWord* findNamedPanel(const std::string& word) {
    for (const PanelWord& w : kPanelWords)
        if (word == w.word) return &w;
    return nullptr;
}

} // namespace

int32_t QX_GUI::cmdPositionPanelAt(CliObject command) {
    const int32_t id = findPlacedPanel(command.arguments);
    if (id == kNoPanel) return 0;
    PanelWindow& p = panelFrame.panels[id];
    const float dx = command.has(kKeyX) ? command.named(kKeyX) : 0.0f;
    const float dy = command.has(kKeyY) ? command.named(kKeyY) : 0.0f;
    p.positionX = windowWidth / 2.0f - (p.scale * p.width) / 2.0f - p.margin + dx +
                  annotations.annotationAnchorX;
    p.positionY = windowHeight / 2.0f - (p.scale * p.height) / 2.0f - p.titleBarHeight + dy +
                  annotations.annotationAnchorY;
    return 0;
}

int32_t QX_GUI::cmdPanelSetup(CliObject command) {
    const int32_t id = findPlacedPanel(command.arguments);
    if (id == kNoPanel) {
        console.pendingError = "PANEL SETUP - BAD PARAMETERS";
        return 1;
    }
    PanelWindow& p = panelFrame.panels[id];
    if (command.has(kKeyX)) p.positionX = command.named(kKeyX);
    if (command.has(kKeyY)) p.positionY = command.named(kKeyY);
    if (command.has(kKeyW)) p.width = command.named(kKeyW);
    if (command.has(kKeyH)) p.height = command.named(kKeyH);
    // A panel is drawn at scale 1 or 2; any other given scale counts as 1.
    if (command.named(kKeyS) != 0.0f) p.scale = command.named(kKeyS) == 2.0f ? 2.0f : 1.0f;
    return 0;
}

int32_t QX_GUI::cmdResetPanels(CliObject) {
    initPanelWindows();
    initPanelOrder();
    return 0;
}

int32_t QX_GUI::cmdNoPanels(CliObject) {
    for (PanelWindow& p : panelFrame.panels) p.shown = 0;
    raiseSendFlag(kSendPanelLayout);
    return 0;
}

int32_t QX_GUI::cmdHidePanel(CliObject command) {
    const PanelWord* w = findNamedPanel(command.string);
    if (w != nullptr && w->hideable) {
        if (w->id == kMasterBox)
            chrome.masterHidden = 1;
        else if (w->id == kToolbox)
            chrome.toolboxFolded = 1;
        else
            panelFrame.panels[w->id].shown = 0;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdShowPanel(CliObject command) {
    const PanelWord* w = findNamedPanel(command.string);
    if (w != nullptr) {
        if (w->id == kMasterBox) {
            chrome.masterHidden = 0;
        } else if (w->id == kToolbox) {
            chrome.toolboxFolded = 0;
        } else if (panelFrame.panels[w->id].shown == 0) {
            bringPanelToFront(w->id);
            panelFrame.panels[w->id].dragging = 0;
            panelFrame.panels[w->id].shown = 1;
        }
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdTogglePanel(CliObject command) {
    const PanelWord* w = findNamedPanel(command.string);
    if (w != nullptr && w->hideable) {
        if (w->id == kMasterBox) {
            chrome.masterHidden = chrome.masterHidden ? 0 : 1;
        } else if (w->id == kToolbox) {
            chrome.toolboxFolded = chrome.toolboxFolded ? 0 : 1;
        } else if (panelFrame.panels[w->id].shown != 0) {
            panelFrame.panels[w->id].shown = 0;
        } else {
            bringPanelToFront(w->id);
            panelFrame.panels[w->id].dragging = 0;
            panelFrame.panels[w->id].shown = 1;
        }
    }
    commitModelChange();
    return 0;
}

// A half-made cable or feedback connection does not outlive its page: the pending pair is
// shared by the STAGE and FEEDBACK pages.
void QX_GUI::showPage(int32_t page) {
    if (page != view.currentPage) pendingCableSource = pendingCableTarget = -1;
    view.currentPage = page;
}

int32_t QX_GUI::cmdPage(CliObject command) {
    const std::string& w = command.string;
    if (w == "STAGE") {
        showPage(kPageStage);
        chrome.toolboxFolded = 0;
    } else if (w == "INPUTS") {
        showPage(kPageInputs);
        chrome.toolboxFolded = 1;
    } else if (w == "OUTPUTS") {
        showPage(kPageOutputs);
        chrome.toolboxFolded = 1;
    } else if (w == "MATRIX") {
        matrixPage.sourceRowPick = matrixPage.inputChannelPick = -1;
        chrome.toolboxFolded = 1;
        chrome.masterHidden = 1;
        showPage(kPageMatrix);
    } else if (w == "FEEDBACK") {
        matrixPage.sourceRowPick = matrixPage.inputChannelPick = -1;
        showPage(kPageFeedback);
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdNextPage(CliObject) {
    showPage((view.currentPage + 1) % 5);
    return 0;
}

int32_t QX_GUI::cmdPreviousPage(CliObject) {
    showPage((view.currentPage + 4) % 5);
    return 0;
}

int32_t QX_GUI::cmdViewEnvelopes(CliObject command) {
    const ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0) {
        console.pendingError = "VIEW ENVELOPES - NO ENVELOPES SPECIFIED";
        return 1;
    }
    PanelWindow& panel = panelFrame.panels[kPanelEnvelopes];
    panel.subtitle.clear();
    bool any = false;
    for (const ItemSnapshot& item : list)
        any = any || item.type == kKindSource || item.type == kKindTarget;
    if (!any) {
        console.pendingError = "VIEW ENVELOPES - NO VALID SPECIFICATION SUPPLIED";
        return 1;
    }
    EnvelopeList shown;
    for (const ItemSnapshot& item : list) {
        // Each list holds 64 entries; further names (only possible by repeating names) are
        // left out.
        if (item.type == kKindSource && shown.sourceCount < EnvelopeList::kCapacity) {
            shown.sources[shown.sourceCount++] = item.index;
            panel.subtitle += item.name + " | ";
        } else if (item.type == kKindTarget && shown.targetCount < EnvelopeList::kCapacity) {
            shown.targets[shown.targetCount++] = item.index;
            panel.subtitle += item.name + " | ";
        }
    }
    shown.spec = panel.subtitle;
    shown.total = shown.sourceCount + shown.targetCount;
    envelopeList = shown;
    return 0;
}

int32_t QX_GUI::cmdFullscreen(CliObject command) {
    const int32_t m = printMousePosition();
    char line[64];
    std::snprintf(line, sizeof line, "MOUSE ON SCREEN %i", m);
    appendConsoleLine(line);
    auto rearmReload = [this] {
        if (!reloadMacroName.empty()) reloadOnResizePending = 1;
    };
    const bool custom =
        command.has(kKeyX) && command.has(kKeyY) && command.has(kKeyW) && command.has(kKeyH);
    if (!custom) {
        setStatusMessage("no fullscreen vars");
        if (view.fullScreen != 0) {
            appendConsoleLine("leaving fullscreen mode");
            leaveFullScreen();
            fullScreenDisplay = -1;
            rearmReload();
            for (PanelWindow& p : panelFrame.panels) {
                if (p.positionX > windowWidth) p.positionX = windowWidth - p.width - 20.0f;
                if (p.positionX < 0.0f) p.positionX = 20.0f;
                if (p.positionY > windowHeight) p.positionY = windowHeight - p.height - 20.0f;
                if (p.positionY < 0.0f) p.positionY = 20.0f;
            }
        } else {
            setStatusMessage("entering fullscreen mode");
            const DisplayRecord& d = configuration.displays[m];
            enterFullScreen(d.width, d.height, d.left, d.top);
            // A switch that could not open its window leaves no display named.
            fullScreenDisplay = view.fullScreen != 0 ? m : -1;
            rearmReload();
            // A new window's user-data slot holds nothing before the object is stored in it.
            appendConsoleLine("N WAS 0");
        }
        return 0;
    }
    if (view.fullScreen != 0) {
        setStatusMessage("leaving fullscreen mode");
        leaveFullScreen();
        rearmReload();
        return 0;
    }
    // A window's size and place are 16-bit values on the screen.
    const int32_t width = saturatingInt(command.named(kKeyW));
    const int32_t height = saturatingInt(command.named(kKeyH));
    const int32_t left = saturatingInt(command.named(kKeyX));
    const int32_t top = saturatingInt(command.named(kKeyY));
    auto within = [](int32_t v, int32_t low) { return v >= low && v <= 32767; };
    if (!within(width, 1) || !within(height, 1) || !within(left, -32768) || !within(top, -32768)) {
        console.pendingError = "FULLSCREEN - SIZE OR POSITION OUT OF RANGE";
        return 1;
    }
    setStatusMessage("entering custom fullscreen mode");
    enterFullScreen(width, height, left, top);
    rearmReload();
    return 0;
}
