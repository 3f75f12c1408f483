// Save and auto-save verbs: SAVE_NOW, SAVE_PATCH, AUTO_SAVE, AUTO_BACKUP and RELOAD_ON_RESIZE,
// and the timer's backup copy.
#include <algorithm>
#include <cstring>

#include "app/qx_gui.h"
#include "command/text_file_dialog.h"
#include "qxplatform/runtime.h"

int32_t QX_GUI::cmdSaveNow(CliObject) {
    const int32_t length = patchPathLength < 0 ? 0 : patchPathLength;
    const std::string path(patchPath,
                           strnlen(patchPath, std::min<size_t>(length, sizeof patchPath)));
    if (path.find("TUTORIAL/") != std::string::npos) {
        console.pendingError = "SAVE FUNCTION CAN NOT OVERWRITE TUTORIAL FILES";
        return 1;
    }
    return writePatchFile(path, 0);
}

int32_t QX_GUI::cmdSavePatch(CliObject) {
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
    return writePatchFile(choice.name, 0);
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
    // The timer is not a command line: a failed backup is reported here.
    if (writePatchFile(path, 1) != 0) {
        console.highlight = 1;
        appendConsoleLine("BACKUP FAILED " + console.pendingError);
        console.highlight = 0;
        console.pendingError.clear();
    }
}
