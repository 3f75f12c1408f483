// A press on the MASTER box or the TOOLS title toggles that panel; a press on a toolbox row
// runs the row's line, flips an annotation switch or opens the mix-mode menu.
#include "app/qx_gui.h"

namespace {

// What a toolbox row does: the line it runs; rows not listed are headings and read-only lines.
struct ToolboxRow {
    int32_t row;
    const char* line;
};
constexpr ToolboxRow kToolboxRows[] = {
    {1, "TOGGLE ROOM_VISIBILITY"},   {2, "TOGGLE TARGET_VISIBILITY"},
    {3, "TOGGLE GROUP_VISIBILITY"},  {4, "TOGGLE SOURCE_VISIBILITY"},
    {5, "TOGGLE CABLE_VISIBILITY"},  {6, "TOGGLE X_HAIR_VISIBILITY"},
    {7, "TOGGLE GRID_VISIBILITY"},   {10, "TOGGLE ROOM_LABELS"},
    {11, "TOGGLE TARGET_LABELS"},    {12, "TOGGLE GROUP_LABELS"},
    {13, "TOGGLE SOURCE_LABELS"},    {15, "TOGGLE STAGE_LOCKS"},
    {16, "TOGGLE ROOM_LOCKS"},       {17, "TOGGLE TARGET_LOCKS"},
    {18, "TOGGLE GROUP_LOCKS"},      {19, "TOGGLE SOURCE_LOCKS"},
    {26, "ENTER SOURCE_COUNT"},      {27, "ENTER TARGET_COUNT"},
    {33, "DISMISS SOURCE_MUTES"},    {34, "DISMISS SOURCE_SOLOS"},
    {36, "DISMISS TARGET_MUTES"},    {37, "DISMISS TARGET_SOLOS"},
    {39, "DISMISS GROUP_MUTES"},     {40, "DISMISS GROUP_SOLOS"},
    {41, "TOGGLE ROTATION"},         {42, "TOGGLE MOVEMENT"},
    {44, "DISMISS ROOM_MUTES"},      {45, "DISMISS ROOM_SOLOS"},
    {47, "DISMISS CABLE_MUTES"},     {48, "DISMISS CABLE_SOLOS"},
    {50, "TOGGLE VISUALISATIONS"},   {52, "ZOOM_LEVEL 2.0"},
    {53, "ZOOM_LEVEL 1.0"},          {54, "ZOOM_LEVEL 0.5"},
    {56, "TOGGLE GUI_SNAP"},         {58, "DISMISS SOURCE_CLIPPING"},
    {59, "DISMISS TARGET_CLIPPING"},
};
constexpr int32_t kAnnotationsShownRow = 8;
constexpr int32_t kAnnotationsLockedRow = 20;
constexpr int32_t kMixModeRow = 29;

} // namespace

bool QX_GUI::pressToolboxOrMasterBox(int32_t x, int32_t y) {
    const float px = static_cast<float>(x);
    const float py = static_cast<float>(y);
    const float tx = chrome.toolboxX;
    const float ty = chrome.toolboxY;
    const float tw = ChromeState::toolboxWidth;
    const float hT = ChromeState::toolboxTitleHeight;
    const bool inTitleBand = ty < py && py < ty + hT;
    if (windowWidth - ChromeState::masterBoxWidth < px && px < windowWidth && inTitleBand) {
        executeCommandString("TOGGLE_PANEL MASTER");
        return true;
    }
    if (tx < px && px < tx + tw && inTitleBand) {
        executeCommandString("TOGGLE_PANEL TOOLBOX");
        return true;
    }
    if (chrome.toolboxFolded != 0) return false;
    const int32_t row = chrome.toolboxRowAt(px, py);
    if (row < 0) return false;
    runToolboxRow(row, py);
    raiseSendFlag(kSendPanelLayout);
    return true;
}

void QX_GUI::runToolboxRow(int32_t row, float y) {
    if (row == kAnnotationsShownRow) {
        stageView.annotationVisibility = stageView.annotationVisibility == 0 ? 1 : 0;
        return;
    }
    if (row == kAnnotationsLockedRow) {
        stageView.annotationLocks = stageView.annotationLocks == 0 ? 1 : 0;
        return;
    }
    if (row == kMixModeRow) {
        openMixModeMenu(y);
        return;
    }
    for (const ToolboxRow& r : kToolboxRows) {
        if (r.row != row) continue;
        executeCommandString(r.line);
        return;
    }
}

// The menu is placed from the window's corner: centred on half the toolbox width, its top at
// the press's share of the row area.
void QX_GUI::openMixModeMenu(float y) {
    const float rowsHeight = ChromeState::toolboxHeight - ChromeState::toolboxTitleHeight;
    const float f = (y - chrome.toolboxY - ChromeState::toolboxTitleHeight) / rowsHeight;
    chrome.popupSubmenuLevel = 0;
    setStatusMessage("GET MIX MODE MENU");
    chrome.popupMenus[0] = fillPopupMenuFromUserMenu("MIXMODE");
    chrome.popupMenus[0].x = static_cast<int32_t>(ChromeState::toolboxWidth * 0.5f);
    chrome.popupMenus[0].y = static_cast<int32_t>(rowsHeight * f);
    chrome.popupMenus[0].open = 1;
    chrome.popupLayerOpen = 1;
}
