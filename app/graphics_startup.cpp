// The graphics start-up run on every new window: projection and GL state, the two shader
// programs, the font, cursors, panels, user menus, presets, the macro panel, the timer, a
// first state send and repaint, the start-up report and the fixed vertex tables.
#include <GL/glew.h>

#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "host/cpu_info.h"
#include "qxplatform/runtime.h"
#include "render/flat_program.h"
#include "render/gl_slots.h"
#include "render/shader_programs.h"
#include "render/unit_disc.h"

namespace {

const char* const kToolboxTexts[60] = {"--- show ---",
                                       "rooms",
                                       "targets",
                                       "groups",
                                       "sources",
                                       "cables",
                                       "x-hairs",
                                       "grid",
                                       "annotations",
                                       "--- label ---",
                                       "rooms",
                                       "targets",
                                       "groups",
                                       "sources",
                                       "--- lock ---",
                                       "stage",
                                       "rooms",
                                       "targets",
                                       "groups",
                                       "sources",
                                       "annotations",
                                       "--- midi ---",
                                       "input",
                                       "output",
                                       "cc",
                                       "--- info ---",
                                       "no. sources",
                                       "no. targets",
                                       "no. x-points",
                                       "no. mods",
                                       "X",
                                       "Y",
                                       "-- source --",
                                       "   [mute]   ",
                                       "   [solo]   ",
                                       "-- target --",
                                       "   [mute]   ",
                                       "   [solo]   ",
                                       "-- groups --",
                                       "   [mute]   ",
                                       "   [solo]   ",
                                       "   [rotate]   ",
                                       "   [move]   ",
                                       "-- rooms --",
                                       "   [mute]   ",
                                       "   [solo]   ",
                                       "-- cables --",
                                       "   [mute]   ",
                                       "   [solo]   ",
                                       "- visualise -",
                                       "OFF",
                                       "-- scale --",
                                       "2x",
                                       "1x",
                                       "0.5x",
                                       "-- nav --",
                                       "snap",
                                       "-- clipping --",
                                       "sources",
                                       "targets"};

void fillSquare(float* out, float half) {
    const float corners[8] = {half, half, half, -half, -half, -half, -half, half};
    for (int i = 0; i < 8; ++i) out[i] = corners[i];
}

} // namespace

void QX_GUI::buildFixedVertexTables() {
    fillSquare(sourceSquare[0], 6.0f);
    fillSquare(sourceSquare[1], 6.0f);
    fillSquare(groupSquare, 9.5f);
    const float quadrants[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
    for (int q = 0; q < 4; ++q) {
        const float sx = quadrants[q][0], sy = quadrants[q][1];
        const float points[8] = {6.65f * sx,  6.65f * sy,  6.65f * sx,  1.235f * sy,
                                 1.235f * sx, 1.235f * sy, 1.235f * sx, 6.65f * sy};
        for (int i = 0; i < 8; ++i) groupCorners[q * 8 + i] = points[i];
    }
    fillUnitDisc(unitDisc);
    unitDiscCount = kUnitDiscVertices;
}

void QX_GUI::setupGraphics(HWND window, int32_t width, int32_t height) {
    (void)window;
    setPixelProjection(width, height);
    initGlState();

    buildShaderProgram(modulePathWide("QX_GUI.vert"), modulePathWide("QX_GUI.frag"),
                       &uiVertexShader, &uiFragmentShader, &uiProgram, glSlot);
    heightLocation = glGetUniformLocation(uiProgram, "height");
    stageLocation = glGetUniformLocation(uiProgram, "stage");
    levelLocation = glGetUniformLocation(uiProgram, "level");
    rgbLocation = glGetUniformLocation(uiProgram, "RGB");
    modeLocation = glGetUniformLocation(uiProgram, "MODE");
    metricsLocation = glGetUniformLocation(uiProgram, "METRICS");
    flatProgram = buildFlatProgram();
    flatColourLocation = flatProgram ? glGetAttribLocation(flatProgram, "vertexColour") : -1;
    glEnableClientState(GL_VERTEX_ARRAY);
    glUseProgram(uiProgram);

    buildShaderProgram(modulePathWide("dd_GLTEXT.vert"), modulePathWide("dd_GLTEXT.frag"),
                       &textVertexShader, &textFragmentShader, &textProgram, glSlot);

    const float w = width > 0 ? static_cast<float>(width) : 1.0f;
    const float h = height > 0 ? static_cast<float>(height) : 1.0f;
    font.loadFace(findFontFile("Arial Bold"), 14.0f, 14.0f, 2.0f / w, 2.0f / h,
                  static_cast<int32_t>(textProgram));
    font.setModes(-1, 1);
    font.textBinding.bind(static_cast<int32_t>(textProgram));
    textBinding.bind(static_cast<int32_t>(textProgram));

    updateRoomMembership();

    const LPCWSTR cursorIds[7] = {IDC_ARROW,    IDC_SIZEWE, IDC_SIZENS, IDC_SIZENESW,
                                  IDC_SIZENWSE, IDC_HAND,   IDC_SIZEALL};
    for (int i = 0; i < 7; ++i) cursors[i] = LoadCursorW(nullptr, cursorIds[i]);

    stage.stageHoverIndex = -1;
    stage.hoveredRoomHandle = -1;
    stage.resizeRoom = -1;
    stage.resizeHandle = -1;
    stage.roomResizing = 0;
    stage.dragSensitivity = -200.0f;
    raiseSendFlag(kSendGainMatrix);
    stage.highlightSource = stage.highlightGroup = stage.highlightTarget = -1;
    timerStarted = 0;

    initPanelWindows();
    bindPanelsToShader();
    placePageGrid(width, height);

    for (PopupMenu& menu : chrome.popupMenus) {
        menu.itemCount = 0;
        menu.open = 0;
    }
    UserMenuTable table = loadUserMenu("USER_MENU.txt");
    for (int i = 0; i < 100; ++i) userMenus[i] = std::move(table.menus[i]);
    userMenuCount = table.count;
    chrome.popupMenus[0] = fillPopupMenuFromUserMenu("MAIN");
    eqPresets = readEqPresetFile("EQ_PRESETS.txt");
    executeCommandString("LOAD_MACRO MACROS/MACRO_PANEL.txt");

    if (pinEditorOpen.getValue() != 1) pinEditorOpen.setValue(1);

    if (!timerStarted) {
        timerId = SetTimer(window_, 0, 10, nullptr);
        timerStarted = 1;
    }

    graphicsReady = 1;
    sendStateToDsp();
    if (window_) InvalidateRgn(window_, nullptr, TRUE);

    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    setStatusMessage("x64 CPU IDENTIFIED");
    char line[64];
    std::snprintf(line, sizeof line, "   LOGICAL PROCESSORS : %i",
                  static_cast<int>(info.dwNumberOfProcessors));
    setStatusMessage(line);
    if (IsProcessorFeaturePresent(PF_XMMI_INSTRUCTIONS_AVAILABLE))
        setStatusMessage("   SSE IS AVAILABLE");
    if (IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE))
        setStatusMessage("   SSE2 IS AVAILABLE");
    if (IsProcessorFeaturePresent(PF_SSE3_INSTRUCTIONS_AVAILABLE))
        setStatusMessage("   SSE3 IS AVAILABLE");
    setStatusMessage(cpuInfo().avx() ? "   AVX IS AVAILABLE" : "   AVX IS NOT AVAILABLE");

    if (!pendingMacroName.empty()) {
        appendConsoleLine("NOW RELOAD THE MACRO - ");
        appendConsoleLine(" --> " + pendingMacroName);
        appendConsoleLine("BUT DON'T BECAUSE IT CRASHES ...");
    }

    buildFixedVertexTables();
    initSpectrumTables();

    for (int i = 0; i < 60; ++i) chrome.toolboxTexts[i] = kToolboxTexts[i];
    chrome.toolboxTextCount = 60;
    chrome.toolboxListY = 675.0f;
    chrome.toolboxHoverRow = 0.0f;

    initPanelWindows();
    initPanelOrder();

    configuration.instances[0].asleep = 0;
    configuration.instances[1].asleep = 0;
    configuration.instances[2].asleep = 0;
    configuration.instances[3].asleep = 1;
    autoLastClock = qxplatform::processClock();
}
