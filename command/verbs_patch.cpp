// Save and auto-save verbs: SAVE_NOW, SAVE_PATCH, AUTO_SAVE, AUTO_BACKUP and RELOAD_ON_RESIZE,
// and the timer's backup copy.
#include <algorithm>
#include <cstring>

#include "app/qx_gui.h"
#include "command/patch_file_io.h"
#include "command/text_file_dialog.h"
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

namespace {

enum class Replace { Allowed, Declined, CannotAsk };

// A file that the patch writer did not make is replaced only when the person says so.
Replace askBeforeReplacing(QX_GUI& gui, HWND owner, const std::string& path) {
    const std::string hostPath = gui.patchFileHostPath(path);
    if (!holdsSomethingOtherThanAPatch(hostPath)) return Replace::Allowed;
    gui.appendConsoleLine("-> " + path);
    gui.appendConsoleLine("-> NOT A PATCH FILE: ITS FIRST LINE IS NOT # RESET EVERYTHING");
    const std::string text = hostPath + "\n\nThis file is not a patch: its first line is not \"" +
                             kPatchHeadLine + "\".\nReplace it with the patch?";
    // The timer ticks on while the box is open; its auto save must not ask again on top.
    gui.replaceQuestionOpen = 1;
    const int answer =
        MessageBoxW(owner, reinterpret_cast<LPCWSTR>(qxplatform::widen(text).c_str()),
                    reinterpret_cast<LPCWSTR>(u"Save patch"), MB_YESNO | MB_ICONEXCLAMATION);
    gui.replaceQuestionOpen = 0;
    if (answer == IDYES) return Replace::Allowed;
    return answer == IDNO ? Replace::Declined : Replace::CannotAsk;
}

} // namespace

int32_t QX_GUI::cmdSaveNow(CliObject command) {
    runQueuedLinesNow();
    const int32_t length = patchPathLength < 0 ? 0 : patchPathLength;
    const std::string path(patchPath,
                           strnlen(patchPath, std::min<size_t>(length, sizeof patchPath)));
    if (path.find("TUTORIAL/") != std::string::npos) {
        console.pendingError = "SAVE FUNCTION CAN NOT OVERWRITE TUTORIAL FILES";
        return 1;
    }
    // The timer's auto save says once why it cannot save to this path, then leaves it alone;
    // it never opens a dialog and asks about a file only once.
    const bool automatic = autoSaveRunning != 0;
    if (automatic && autoSaveHeld != 0 && autoSaveHeldPath == path) return 0;
    if (replaceQuestionOpen != 0) {
        if (automatic) return 0;
        console.pendingError = "-> NOT SAVED: THE QUESTION OF THE SAVE BEFORE IS STILL OPEN";
        return 1;
    }
    auto holdAutoSave = [&] {
        if (!automatic) return;
        autoSaveHeld = 1;
        autoSaveHeldPath = path;
        if (!path.empty()) appendConsoleLine("[AUTO SAVE] SKIPS THIS FILE UNTIL A SAVE BY HAND");
    };

    if (path.empty()) {
        if (automatic) {
            console.pendingError = "[AUTO SAVE] THE STAGE IS UNTITLED: SAVE AS FIRST";
            holdAutoSave();
            return 1;
        }
        appendConsoleLine("THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH");
        return cmdSavePatch(std::move(command));
    }
    switch (askBeforeReplacing(*this, window_, path)) {
    case Replace::Allowed:
        break;
    case Replace::Declined:
        appendConsoleLine(">> SAVE CANCELLED, THE FILE IS KEPT");
        holdAutoSave();
        return 1;
    case Replace::CannotAsk:
        console.pendingError = "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT";
        holdAutoSave();
        return 1;
    }
    const int32_t result = writePatchFile(path, 0);
    if (result == 0) autoSaveHeld = 0;
    return result;
}

// The person has just chosen the file, and the save dialog has asked before overwriting it:
// no second question here.
int32_t QX_GUI::cmdSavePatch(CliObject) {
    runQueuedLinesNow();
    const TextFileChoice choice = chooseTextFile(TextFileDialog::Save);
    switch (choice.outcome) {
    case TextFileOutcome::Chosen:
        break;
    case TextFileOutcome::PathTooLong:
        console.pendingError = "-> PATH TOO LONG (255 CHARACTERS AT MOST)";
        return 1;
    case TextFileOutcome::NameNotUtf8:
        console.pendingError = "-> NOT SAVED: THE NAME CHOSEN IS NOT UTF-8 TEXT";
        return 1;
    case TextFileOutcome::Cancelled:
        appendConsoleLine(">> SAVE FILE DIALOG CANCELLED");
        return 1;
    }
    const int32_t result = writePatchFile(choice.name, 0);
    if (result == 0) autoSaveHeld = 0;
    return result;
}

int32_t QX_GUI::cmdAutoSave(CliObject command) {
    if (command.string.find("ON") != std::string::npos) {
        autoSave = 1;
        autoLastClock = qxplatform::processClock();
    } else {
        autoSave = 0;
    }
    raiseSendFlag(kSendPatchRecord);
    return 0;
}

int32_t QX_GUI::cmdAutoBackup(CliObject command) {
    if (command.string.find("ON") != std::string::npos) {
        autoBackupOn = 1;
        autoLastClock = qxplatform::processClock();
    } else {
        autoBackupOn = 0;
    }
    raiseSendFlag(kSendPatchRecord);
    return 0;
}

int32_t QX_GUI::cmdReloadOnResize(CliObject command) {
    if (command.string.find("TRUE") != std::string::npos) {
        appendConsoleLine("RELOAD THIS MACRO ON RESIZE");
        reloadMacroName = currentMacroName;
    }
    return 0;
}

void QX_GUI::writeBackupFile(const std::string& path) {
    runQueuedLinesNow();
    // The timer is not a command line: a failed backup is reported here.
    if (writePatchFile(path, 1) != 0) {
        console.highlight = 1;
        appendConsoleLine("BACKUP FAILED " + console.pendingError);
        console.highlight = 0;
        console.pendingError.clear();
    }
}
