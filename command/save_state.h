// What the save verbs keep between one save and the next, and what one save is to do.
#pragma once

#include <cstdint>
#include <string>

// The one wording of a path that the patch path cannot hold (it keeps 255 bytes and its end).
inline constexpr const char* kPathTooLongText = "-> PATH TOO LONG (255 CHARACTERS AT MOST)";
inline constexpr size_t kPatchPathCapacity = 256;

// True when a file of this name becomes the patch once loaded or saved: files under MACROS/
// are run or written without becoming the file that SAVE_NOW writes.
bool becomesThePatch(const std::string& path);

// A file's size and modification time as this stage last loaded or saved it, so that a save
// can tell whether another program has changed the file since.
struct FileStamp {
    uint8_t held = 0; // 0: nothing known (no patch path, or the file could not be read)
    uint64_t size = 0;
    int64_t seconds = 0;
    int32_t nanoseconds = 0;
    bool operator==(const FileStamp& other) const {
        return held == other.held && size == other.size && seconds == other.seconds &&
               nanoseconds == other.nanoseconds;
    }
    bool operator!=(const FileStamp& other) const { return !(*this == other); }
};

// The patch text of the stage as a file last held it, so that a load can tell whether the
// stage it replaces holds changes that no file holds.
struct HeldStage {
    uint8_t held = 0; // 0: no file is known to hold the stage as it is
    uint64_t textHash = 0;
};

// A hash of a patch text (64-bit FNV-1a): stable across runs, so it can be stored.
uint64_t patchTextHash(const std::string& text);

struct SaveState {
    uint8_t autoSaveRunning = 0; // the timer's SAVE_NOW is running
    // The patch path that the timer's auto save has given up on (untitled, or a file that was
    // not to be replaced): it says so once and skips it until a save by hand.
    uint8_t autoSaveHeld = 0;
    std::string autoSaveHeldPath;
    uint8_t replaceQuestionOpen = 0; // SAVE's yes/no box is waiting for its answer
    FileStamp patchFileStamp;        // the patch file as this stage last loaded or saved it
    HeldStage heldStage;             // the stage as a load or a save last left it
    uint8_t heldStageAfterQueue = 0; // a load's deferred lines run first, then heldStage is set
    int32_t patchLoadsRunning = 0;   // patch files whose lines run now, one inside another
};

// What one SAVE_NOW does with the patch path.
enum class SaveAction {
    Write,       // write the patch file
    AskFirst,    // say why, ask with the yes/no box, write on a yes
    SkipQuietly, // the timer's save leaves this path alone, without a word
    Refuse,      // write nothing, fail with the text
    SaveAs,      // no patch path: ask for a file name, as SAVE_PATCH
};

struct SaveDecision {
    SaveAction action = SaveAction::Write;
    std::string text;           // AskFirst: the console line that says why; Refuse: the error
    std::string question;       // AskFirst: the box's text
    bool holdsAutoSave = false; // Refuse: the timer's save gives up on this path until a save
};

// How far a patch load that ran past its time limit has got.
enum class LoadCut : uint8_t {
    None,       // the load runs (or ran) all its lines
    Cut,        // the load in progress hit its time limit
    CutAndSaid, // ... and the console has said that the stage is now untitled
};
