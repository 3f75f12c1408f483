// What one SAVE_NOW does with the patch path, decided in one place: the verb, the SAVE cell
// and the timer's auto save all save through it.
#include "app/qx_gui.h"
#include "command/patch_file_io.h"

namespace {

SaveDecision refuse(std::string text, bool holdsAutoSave) {
    SaveDecision decision;
    decision.action = SaveAction::Refuse;
    decision.text = std::move(text);
    decision.holdsAutoSave = holdsAutoSave;
    return decision;
}

SaveDecision only(SaveAction action) {
    SaveDecision decision;
    decision.action = action;
    return decision;
}

} // namespace

// The timer's auto save says once why it cannot save to this path, then leaves it alone; it
// never opens a dialog and asks about a file only once.
SaveDecision QX_GUI::decideSave(const std::string& path) const {
    if (path.find("TUTORIAL/") != std::string::npos)
        return refuse("SAVE FUNCTION CAN NOT OVERWRITE TUTORIAL FILES", false);
    const bool automatic = saveState.autoSaveRunning != 0;
    if (automatic && saveState.autoSaveHeld != 0 && saveState.autoSaveHeldPath == path)
        return only(SaveAction::SkipQuietly);
    if (saveState.replaceQuestionOpen != 0) {
        if (automatic) return only(SaveAction::SkipQuietly);
        return refuse("-> NOT SAVED: THE QUESTION OF THE SAVE BEFORE IS STILL OPEN", false);
    }
    if (path.empty()) {
        if (automatic) return refuse("[AUTO SAVE] THE STAGE IS UNTITLED: SAVE AS FIRST", true);
        return only(SaveAction::SaveAs);
    }
    // A file that the patch writer did not make is replaced only when the person says so.
    const std::string hostPath = patchFileHostPath(path);
    if (holdsSomethingOtherThanAPatch(hostPath)) {
        SaveDecision decision = only(SaveAction::AskFirst);
        decision.text = "-> NOT A PATCH FILE: ITS FIRST LINE IS NOT # RESET EVERYTHING";
        decision.question = hostPath + "\n\nThis file is not a patch: its first line is not \"" +
                            kPatchHeadLine + "\".\nReplace it with the patch?";
        return decision;
    }
    // A file another program has changed since this stage loaded or saved it holds their work.
    const FileStamp& known = saveState.patchFileStamp;
    const FileStamp now = stampOfFile(hostPath);
    if (known.held != 0 && now.held != 0 && now != known) {
        SaveDecision decision = only(SaveAction::AskFirst);
        decision.text = "-> THE FILE HAS CHANGED SINCE THIS STAGE LOADED OR SAVED IT";
        decision.question = hostPath +
                            "\n\nThis file has changed since this stage loaded or saved it: "
                            "another program may have written it.\nReplace it with the patch?";
        return decision;
    }
    return only(SaveAction::Write);
}
