// The 10 ms heartbeat: drifts and animations, the patch re-check, the blank script, the
// full-screen key poll, the gated step (group motion, clocks, send and repaint), a pending
// macro reload, automatic save and backup, and one queued macro line per tick.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "panels/frame/panel_ids.h"
#include "qxplatform/runtime.h"

namespace {

std::string formatTime(const char* format, int a, int b, int c) {
    char text[64];
    std::snprintf(text, sizeof text, format, a, b, c);
    return text;
}

// The blank script: kind 2, addressee -1, 100 empty items of capacity 15, count 0.
std::vector<uint8_t> blankScriptBytes() {
    std::vector<uint8_t> bytes(2416, 0);
    auto put = [&bytes](size_t at, int32_t value) {
        const uint32_t v = static_cast<uint32_t>(value);
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(v >> (8 * i));
    };
    put(0, 2);
    put(4, -1);
    for (size_t j = 0; j < 100; ++j) put(8 + 24 * j + 20, 15);
    return bytes;
}

} // namespace

bool QX_GUI::fullScreenRect(RECT& rect) const {
    int32_t index = -1;
    if (fullScreenDisplay >= 0 && fullScreenDisplay < configuration.displayCount &&
        fullScreenDisplay < ConfigurationBlock::kDisplays)
        index = fullScreenDisplay;
    else if (fullScreenOnOwnScreen && localId >= 0 && localId < ConfigurationBlock::kDisplays)
        index = localId;
    if (index < 0) return false;
    const DisplayRecord& d = configuration.displays[index];
    rect = RECT{d.left, d.top, d.left + d.width, d.top + d.height};
    return true;
}

std::string QX_GUI::backupFileName(const std::tm& now) const {
    std::string name = patchPathText();
    const size_t colon = name.find(':');
    if (colon != std::string::npos) name.erase(0, std::min(name.size(), colon + 2));
    for (char& c : name)
        if (c == '\\') c = '/';
    const size_t slash = name.rfind('/');
    if (slash != std::string::npos) name.erase(0, slash + 1);
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "BACKUPS\\%02i-%02i-%4i--%02i-%02i-%02i--", now.tm_mday,
                  now.tm_mon + 1, now.tm_year + 1900, now.tm_hour, now.tm_min, now.tm_sec);
    return stamp + name;
}

int32_t QX_GUI::onTimer() {
    // 1. Slice drift: this tick applies the parameter before its increment.
    if (sliceDrift.drifting) {
        if (++sliceDrift.driftBlinkCount >= 9) {
            sliceDrift.driftBlinkCount = 0;
            sliceDrift.driftBlink = !sliceDrift.driftBlink;
        }
        moveSliceMembers(sliceDrift.driftT);
        if (sliceDrift.driftT == 1.0f) {
            sliceDrift.drifting = 0;
        } else {
            sliceDrift.driftT += sliceDrift.driftStep;
            if (sliceDrift.driftT > 1.0f) sliceDrift.driftT = 1.0f;
        }
        raiseSendFlag(kSendGroups);
        raiseSendFlag(kSendGainMatrix);
    }
    // 2, 3. Animation phases.
    double phase = static_cast<double>(stage.heatmapPhase) + 0.0001;
    stage.heatmapPhase = static_cast<float>(phase > 0.5 ? -0.5 : phase);
    double curve = static_cast<double>(stage.curvePhase) - 0.01;
    stage.curvePhase = static_cast<float>(curve <= 0.01 ? 1.0 : curve);
    // 4. Patch re-check.
    advancePatchRetry();
    // 5. Blank script.
    if (blankScriptDue) {
        const std::vector<uint8_t> blank = blankScriptBytes();
        pinScriptOut.setValue(blank.data(), static_cast<int32_t>(blank.size()));
        setStatusMessage("ISSUED BLANK SCRIPT");
        blankScriptDue = 0;
    }
    // 6. Cursor and the display rectangle.
    POINT cursor{0, 0};
    GetCursorPos(&cursor);
    cursorScreenX = cursor.x;
    cursorScreenY = cursor.y;
    RECT display{};
    const bool haveDisplay = fullScreenRect(display);
    // 7. Full-screen key poll: one new key per tick; a held mouse button dispatches nothing.
    // While the window has the keyboard focus its own key-down messages run every key, so the
    // scan only keeps its table; dispatching as well would run each key twice.
    if (view.fullScreen) {
        GetKeyboardState(keyboard.keyboardState);
        const int code = keyboard.scanNewKeyPress();
        const bool keysComeAsMessages = window_ && GetFocus() == window_;
        if (code > 7 && !keysComeAsMessages && haveDisplay && display.left < cursorScreenX &&
            cursorScreenX < display.right && display.top < cursorScreenY &&
            cursorScreenY < display.bottom)
            onKeyDown(window_, 0, static_cast<WPARAM>(code), 0);
    }
    // 8. The gated step.
    const int32_t now = qxplatform::processClock();
    if (now - lastTickTime >= 10) {
        interaction.cursorBlinkCounter = (interaction.cursorBlinkCounter + 1) % 20;
        lastTickTime = now;
        advanceGroupMotion();
        if (rotationRunning == 1 || movementRunning == 1) raiseSendFlag(kSendGainMatrix);
        for (int32_t i = 0; i < sourceCount; ++i) recordLevelHistory(sources[i]);
        for (int32_t i = 0; i < targetCount; ++i) recordLevelHistory(targets[i]);
        const std::tm local = qxplatform::localTimeNow();
        if (panelFrame.panels[kPanelCli].shown)
            panelFrame.panels[kPanelCli].subtitle =
                formatTime("%02i:%02i:%02i", local.tm_hour, local.tm_min, local.tm_sec);
        if (stageView.annotationVisibility) {
            clockText = formatTime("%02i:%02i", local.tm_hour, local.tm_min, 0);
            dateText =
                formatTime("%02i.%02i.%4i", local.tm_mday, local.tm_mon + 1, local.tm_year + 1900);
        }
        sendStateToDsp();
        if (window_) InvalidateRgn(window_, nullptr, TRUE);
    }
    // 9. Pending macro reload.
    if (pendingLoadMacro == 1) {
        executeCommandString("LOAD_MACRO " + pendingMacroName);
        pendingLoadMacro = 0;
    }
    // 10. Automatic save and backup.
    if (autoSave || autoBackupOn) {
        const int32_t clock = qxplatform::processClock();
        // A clock restored from an earlier run (pin 30) lies ahead of this run's clock: the
        // interval starts again now rather than after as long as that run lasted.
        if (clock < autoLastClock) autoLastClock = clock;
        const int32_t elapsed = clock - autoLastClock;
        if (elapsed >= autoSaveInterval) {
            autoLastClock = clock;
            if (autoSave) {
                autoSaveClock = clock;
                autoSaveShown = 1;
                appendConsoleLine("[AUTO SAVE]");
                saveState.autoSaveRunning = 1;
                executeCommandString("SAVE_NOW");
                saveState.autoSaveRunning = 0;
            }
            if (autoBackupOn) {
                autoBackupShown = 1;
                const std::string name = backupFileName(qxplatform::localTimeNow());
                appendConsoleLine("[AUTO BACKUP]");
                writeBackupFile(modulePath("") + name);
            }
        } else if (elapsed > 500) {
            autoSaveShown = 0;
            autoBackupShown = 0;
        }
    }
    // 11. One queued macro line.
    runNextQueuedLine();
    return 0;
}
