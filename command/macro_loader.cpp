// Macro and patch files: reading a file of command lines and running it as one batch, the
// LOAD_MACRO and LOAD_MACRO_FILE verbs around it, and the queue of deferred lines that the
// timer runs one per tick.
#include <cstdio>

#include "app/bounded_text_file.h"
#include "app/qx_gui.h"
#include "app/text_services.h"
#include "command/patch_file_io.h"
#include "command/text_file_dialog.h"
#include "command/text_utils.h"
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

namespace {

constexpr int kMaxFailures = 128;
constexpr int kMaxQueuedLines = 200;
// Loads inside loads stop here, so a file that loads itself, or a loop of files, ends.
constexpr int kMaxLoadDepth = 8;

bool fileExists(const std::u16string& path) {
    return GetFileAttributesW(reinterpret_cast<LPCWSTR>(path.c_str())) != INVALID_FILE_ATTRIBUTES;
}

bool isComment(const std::string& line) {
    return line.find(';') != std::string::npos || line.find('#') != std::string::npos;
}

// The state a nested load must hand back to the file that loaded it.
struct OuterLoadState {
    int32_t errorCount;
    int32_t failedLineCount;
    int32_t failedLineNumbers[kMaxFailures];
    std::string failedLines[kMaxFailures];
    uint8_t batch;
};

// A file that runs no line at all: one error, shown as the failure of line -1.
bool failWholeFile(QX_GUI& gui, const std::string& message) {
    gui.console.pendingError = message;
    gui.failedLineNumbers[0] = -1;
    gui.failedLines[0] = message;
    gui.failedLineCount = 1;
    gui.console.errorCount = 1;
    return true;
}

// Finds a macro file: in the module's folder first when asked, else as named (with forward
// slashes). `local` tells which; false when neither holds it.
bool locateMacroFile(QX_GUI& gui, std::string& name, bool inModuleFolder, bool& local) {
    local = false;
    if (inModuleFolder) {
        if (fileExists(modulePathWide(name))) {
            local = true;
            return true;
        }
        gui.setStatusMessage("MACRO FILE NOT FOUND LOCALLY");
    }
    replaceAll(name, "\\", "/");
    if (fileExists(qxplatform::widen(name))) return true;
    gui.appendConsoleLine("MACRO FILE NOT FOUND OUTSIDE OF LOCALITY");
    return false;
}

// A patch load stopped at its time limit leaves the stage untitled: the part that ran is
// neither the file that was cut nor the patch open before, so no save may replace either.
void untitleAfterCutLoad(QX_GUI& gui) {
    gui.setPatchPath("");
    gui.forgetHeldStage();
    if (gui.macroLoadCut == LoadCut::Cut) {
        gui.appendConsoleLine("THE LOAD WAS CUT SHORT: THE STAGE IS NOW UNTITLED");
        gui.appendConsoleLine("SAVE WILL ASK FOR A FILE NAME, AS FOR A NEW PATCH");
        gui.macroLoadCut = LoadCut::CutAndSaid;
    }
}

// Which file the stage now holds, once a file outside MACROS/ has been run; true when it is
// this one. A template holds the stage but leaves it untitled: a save asks for a new name.
bool settlePatchPath(QX_GUI& gui, const std::string& name, int32_t linesRun, bool isTemplate) {
    if (gui.macroLoadCut != LoadCut::None) {
        untitleAfterCutLoad(gui);
        return false;
    }
    if (linesRun > 0) {
        gui.setPatchPath(isTemplate ? std::string() : name);
        if (isTemplate)
            gui.appendConsoleLine("A SHIPPED PATCH OPENS UNTITLED: SAVE ASKS FOR A NAME");
        return true;
    }
    gui.appendConsoleLine("NO LINE OF THE FILE RAN: IT IS NOT TAKEN AS THE PATCH TO SAVE");
    return false;
}

} // namespace

bool QX_GUI::loadMacroFile(std::string name, bool inModuleFolder) {
    appendConsoleLine("ATTEMPT TO LOAD MACRO : " + name);
    // BUTTON, TEXT and RECT go to the stage's set again until the file says DRAW_IN_MACRO.
    annotations.annotationInMacro = 0;

    // The queue of a finished earlier load stops here; a load inside a load keeps the queued
    // lines of the file that loads it.
    if (macroLoadDepth <= 1) {
        queueActive = 0;
        queueNext = 0;
        queuedLineCount = 0;
    }

    bool local = false;
    if (!locateMacroFile(*this, name, inModuleFolder, local))
        return failWholeFile(*this, "FILE NOT FOUND");

    if (becomesThePatch(name) && name.size() >= sizeof patchPath) {
        appendConsoleLine(std::string(kPathTooLongText) + " : " + name);
        return failWholeFile(*this, "FILE REFUSED");
    }

    setStatusMessage(local ? "OPEN FROM SEM FOLDER" : "OPEN FROM NOT SEM FOLDER");
    // A file and the files it loads read 8 MB between them, as one file may: memory stays
    // within that, and so does the time of a file that loads itself over and over.
    const bool nested = macroLoadDepth > 1;
    const size_t allowed = nested ? macroLoadBytesLeft : kMaxTextFileBytes;
    const TextFileRead file =
        readTextFile(local ? modulePath(name) : name, allowed,
                     nested ? "FILE REFUSED, THE LOADS IN PROGRESS WOULD READ MORE THAN 8 MB : "
                            : "FILE REFUSED, LARGER THAN 8 MB : ");
    for (const std::string& note : file.notes) appendConsoleLine(note);
    // A refused file (not a regular file, or too large) runs nothing and is not the patch.
    if (!file.read && !file.notes.empty()) return failWholeFile(*this, "FILE REFUSED");
    macroLoadBytesLeft = allowed - file.text.size();
    // A patch replaces the stage: a stage that holds changes no file holds is kept first. A
    // patch that a macro file loads replaces it as well; one inside a patch does not.
    const bool patch = becomesThePatch(name);
    const bool outermostPatch = patch && saveState.patchLoadsRunning == 0;
    if (outermostPatch && !keepStageBeforeLoad()) {
        appendConsoleLine("THE FILE IS NOT LOADED: THE STAGE BEFORE IT COULD NOT BE KEPT");
        return failWholeFile(*this, "FILE REFUSED");
    }

    macroRunning = 1;
    failedLineCount = 0;
    bool queueOverflow = false;
    int32_t lineNumber = 1;
    int32_t linesRun = 0;
    if (patch) ++saveState.patchLoadsRunning;
    for (const std::string& line : file.lines()) {
        if (line.find('\t') != std::string::npos) {
            // Lines with a tab wait for the timer; they do not advance the line number.
            if (queuedLineCount < kMaxQueuedLines)
                queuedLines[queuedLineCount++] = line;
            else
                queueOverflow = true;
            continue;
        }
        const int32_t number = lineNumber++;
        if (line.empty() || macroRunning == 0 || isComment(line)) continue;
        if (stopLoadPastItsTime(number, name)) continue;
        if (executeCommandString(toUpperCopy(line)) == 0) {
            ++linesRun;
        } else if (failedLineCount < kMaxFailures) {
            failedLineNumbers[failedLineCount] = number;
            failedLines[failedLineCount] = line + " - " + console.lastError;
            ++failedLineCount;
        }
    }
    if (patch) --saveState.patchLoadsRunning;
    if (queueOverflow) appendConsoleLine("MORE THAN 200 DEFERRED LINES: THE REST ARE DROPPED");

    batch = 0;
    const bool isThePatch =
        patch && settlePatchPath(*this, name, linesRun, holdsTemplateMark(file.text));
    if (queuedLineCount > 0 && macroLoadDepth <= 1) {
        appendConsoleLine("NOW WE'RE GONNA RUN A TIMER COMMAND TO SORT-OUT THE REMAINING STRINGS");
        queueActive = 1;
        queueNext = 0;
    }
    if (outermostPatch && isThePatch) {
        // The stage is taken as the executor will leave it after this load.
        commitModelChange();
        noteStageHeldByFile();
    }
    return false;
}

// A load runs its lines for so long at most, the loads inside it included: the interface does
// not answer while lines run. Past the limit the remaining lines of every load in progress are
// skipped, as after STOP_MACRO, and the stop is reported as a failed line.
bool QX_GUI::stopLoadPastItsTime(int32_t lineNumber, const std::string& name) {
    const int32_t elapsed = qxplatform::processClock() - macroLoadStartClock;
    if (elapsed < macroLoadTimeLimit) return false;
    macroRunning = 0;
    if (macroLoadCut == LoadCut::None) macroLoadCut = LoadCut::Cut;
    const std::string message = "LOAD STOPPED AFTER " + intToString(macroLoadTimeLimit / 1000) +
                                " SECONDS, THE LINES FROM HERE ON ARE NOT RUN : " + name;
    appendConsoleLine(message);
    console.errorCount += 1;
    if (failedLineCount < kMaxFailures) {
        failedLineNumbers[failedLineCount] = lineNumber;
        failedLines[failedLineCount] = message;
        ++failedLineCount;
    }
    return true;
}

// Runs the deferred lines still waiting, one after another as the timer would, for a save that
// must hold what they set and for a run without a timer. A line that loads a file restarts the
// queue with that file's lines; a file that keeps loading itself so ends at a bound.
void QX_GUI::runQueuedLinesNow() {
    if (queueFlushing != 0) return;
    queueFlushing = 1;
    for (int i = 0; i < kMaxQueuedLines * kMaxLoadDepth && queueActive != 0; ++i)
        runNextQueuedLine();
    queueFlushing = 0;
}

void QX_GUI::runNextQueuedLine() {
    if (queueActive == 0) return;
    if (queueNext < 0 || queueNext >= queuedLineCount || queueNext >= kMaxQueuedLines) {
        endQueuedLines();
        return;
    }
    const std::string line = queuedLines[queueNext++];
    if (!isComment(line)) executeCommandString(line);
    // A line that loaded another file has restarted the queue; otherwise stop after the last.
    if (queueActive != 0 && queueNext >= queuedLineCount) endQueuedLines();
}

// The last deferred line of a load has run: a patch's stage is now whole.
void QX_GUI::endQueuedLines() {
    queueActive = 0;
    appendConsoleLine(">> END OF EXTENDED PARSING <<");
    if (saveState.heldStageAfterQueue != 0) noteStageHeldByFile();
}

int32_t QX_GUI::runMacroLoad(const std::string& name, bool inModuleFolder, bool byName) {
    if (macroLoadDepth >= kMaxLoadDepth) {
        console.pendingError = "LOADS NESTED MORE THAN 8 DEEP, NOT LOADED : " + name;
        return 1;
    }
    const bool nested = macroLoadDepth > 0;
    OuterLoadState outer;
    if (nested) {
        outer.errorCount = console.errorCount;
        outer.failedLineCount = failedLineCount;
        for (int i = 0; i < failedLineCount && i < kMaxFailures; ++i) {
            outer.failedLineNumbers[i] = failedLineNumbers[i];
            outer.failedLines[i] = failedLines[i];
        }
        outer.batch = batch;
    }

    // Every file places its annotations from the origin, whatever an earlier file left.
    if (byName) {
        console.errorCount = 0;
        for (int32_t b = 0;
             b < annotations.stageAnnotations.buttonCount && b < AnnotationSet::kCapacity; ++b)
            annotations.stageAnnotations.buttons[b].hover = 0;
        annotations.annotationInMacro = 0;
        currentMacroName = name;
    }
    annotations.annotationAnchorX = annotations.annotationAnchorY = 0.0f;
    if (!nested) {
        macroLoadStartClock = qxplatform::processClock();
        macroLoadCut = LoadCut::None;
    }
    batch = 1;
    ++macroLoadDepth;
    loadMacroFile(name, inModuleFolder);
    --macroLoadDepth;
    batch = 0;
    annotations.annotationInMacro = 0;
    annotations.annotationAnchorX = annotations.annotationAnchorY = 0.0f;

    if (console.errorCount > 0) {
        console.highlight = 1;
        char line[96];
        std::snprintf(line, sizeof line, "<< %i ERRORS IN MACRO >>", console.errorCount);
        appendConsoleLine(line);
        console.notice = 1;
        for (int32_t i = 0; i < failedLineCount; ++i) {
            std::snprintf(line, sizeof line, "<< ON LINE %i >> :: ", failedLineNumbers[i]);
            appendConsoleLine(line + failedLines[i] + " - ");
        }
        console.notice = 0; // the highlight stays raised: the report is an error report
    } else {
        appendConsoleLine("");
        appendConsoleLine("<< PATCH LOADING COMPLETE >>");
    }

    if (nested) {
        console.errorCount = outer.errorCount;
        failedLineCount = outer.failedLineCount;
        for (int i = 0; i < failedLineCount && i < kMaxFailures; ++i) {
            failedLineNumbers[i] = outer.failedLineNumbers[i];
            failedLines[i] = outer.failedLines[i];
        }
        batch = outer.batch;
    } else {
        // No timer runs (no window): the deferred lines run before anything else happens.
        if (timerStarted == 0) runQueuedLinesNow();
        macroLoadCut = LoadCut::None;
    }
    return 0;
}

int32_t QX_GUI::cmdLoadMacro(CliObject command) {
    // A one-word line carries no name (its string is the "NO STRING" placeholder).
    if (command.mode == -1 || command.string.empty()) {
        console.pendingError = "NO MACRO SPECIFIED";
        return 1;
    }
    return runMacroLoad(command.string, true, true);
}

int32_t QX_GUI::cmdLoadMacroFile(CliObject) {
    const TextFileChoice choice = chooseTextFile(TextFileDialog::Open);
    switch (choice.outcome) {
    case TextFileOutcome::Chosen:
        return runMacroLoad(choice.name, false, false);
    case TextFileOutcome::PathTooLong:
        console.pendingError = kPathTooLongText;
        return 1;
    case TextFileOutcome::NameNotUtf8:
        console.pendingError = "FILE REFUSED, ITS NAME IS NOT UTF-8 TEXT";
        return 1;
    case TextFileOutcome::Cancelled:
        break;
    }
    appendConsoleLine(">> OPEN FILE DIALOG CANCELLED");
    return 1;
}
