// Save and auto-save verbs: SAVE_NOW, SAVE_PATCH, AUTO_SAVE, AUTO_BACKUP and RELOAD_ON_RESIZE,
// and the timer's backup copy.
#include "app/qx_gui.h"
#include "command/patch_file_io.h"
#include "command/text_file_dialog.h"
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

namespace {

// The timer's auto save gives up on this path until a save by hand, and says so once.
void holdAutoSave(QX_GUI& gui, const std::string& path) {
    if (gui.saveState.autoSaveRunning == 0) return;
    gui.saveState.autoSaveHeld = 1;
    gui.saveState.autoSaveHeldPath = path;
    if (!path.empty()) gui.appendConsoleLine("[AUTO SAVE] SKIPS THIS FILE UNTIL A SAVE BY HAND");
}

} // namespace

int32_t QX_GUI::cmdSaveNow(CliObject command) {
    const std::string path = patchPathText();
    const SaveDecision decision = decideSave(path);
    switch (decision.action) {
    case SaveAction::Write:
        return savePatchTo(path);
    case SaveAction::AskFirst:
        return askThenSave(path, decision);
    case SaveAction::SkipQuietly:
        return 0;
    case SaveAction::Refuse:
        console.pendingError = decision.text;
        if (decision.holdsAutoSave) holdAutoSave(*this, path);
        return 1;
    case SaveAction::SaveAs:
        appendConsoleLine("THE STAGE IS UNTITLED: SAVE IT AS A NEW PATCH");
        return cmdSavePatch(std::move(command));
    }
    return 1;
}

// Says why, asks with the yes/no box, and saves on a yes. The timer ticks on while the box is
// open; its auto save must not ask again on top.
int32_t QX_GUI::askThenSave(const std::string& path, const SaveDecision& decision) {
    appendConsoleLine("-> " + path);
    appendConsoleLine(decision.text);
    saveState.replaceQuestionOpen = 1;
    const int answer = MessageBoxW(
        window_, reinterpret_cast<LPCWSTR>(qxplatform::widen(decision.question).c_str()),
        reinterpret_cast<LPCWSTR>(u"Save patch"), MB_YESNO | MB_ICONEXCLAMATION);
    saveState.replaceQuestionOpen = 0;
    if (answer == IDYES) return savePatchTo(path);
    if (answer == IDNO)
        appendConsoleLine(">> SAVE CANCELLED, THE FILE IS KEPT");
    else
        console.pendingError = "-> NOT SAVED: NO BOX CAN ASK WHETHER TO REPLACE IT";
    holdAutoSave(*this, path);
    return 1;
}

// A save that succeeds ends the auto save's hold, whichever file it went to.
int32_t QX_GUI::savePatchTo(const std::string& path) {
    const int32_t result = writePatchFile(path, 0);
    if (result == 0) saveState.autoSaveHeld = 0;
    return result;
}

// The person has just chosen the file, and the save dialog has asked before overwriting it:
// no second question here.
int32_t QX_GUI::cmdSavePatch(CliObject) {
    const TextFileChoice choice = chooseTextFile(TextFileDialog::Save);
    switch (choice.outcome) {
    case TextFileOutcome::Chosen:
        return savePatchTo(choice.name);
    case TextFileOutcome::PathTooLong:
        console.pendingError = kPathTooLongText;
        return 1;
    case TextFileOutcome::NameNotUtf8:
        console.pendingError = "-> NOT SAVED: THE NAME CHOSEN IS NOT UTF-8 TEXT";
        return 1;
    case TextFileOutcome::Cancelled:
        break;
    }
    appendConsoleLine(">> SAVE FILE DIALOG CANCELLED");
    return 1;
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

bool QX_GUI::writeBackupFile(const std::string& path) {
    // The timer is not a command line: a failed backup is reported here.
    if (writePatchFile(path, 1) == 0) return true;
    console.highlight = 1;
    appendConsoleLine("BACKUP FAILED " + console.pendingError);
    console.highlight = 0;
    console.pendingError.clear();
    return false;
}
