// Writing a whole file so that neither a crash, a power cut nor a planted link can leave it
// half-written or redirect it. Paths are host paths: the module maps its own paths with
// toHostPath first, as it does for every file it names.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <string>

namespace qxplatform {

// The steps of a write, in the order they run. A failure names the step that failed.
enum class WriteStep {
    NoFailure,       // every step succeeded
    CheckName,       // the path is empty or ends in "/"
    MakeFolder,      // a missing folder of the path could not be made
    OpenFolder,      // the target's folder could not be opened
    CheckFolder,     // the folder is not the user's own or others can write it (EPERM)
    CheckTarget,     // the target is a folder (EISDIR) or a read-only file (EACCES)
    CreateTemporary, // the temporary beside the target could not be made
    Write,           // writing the bytes
    SetMode,         // giving the temporary its final mode
    SyncFile,        // flushing the temporary (bytes and mode) to the disk
    Close,           // closing the temporary
    Rename,          // replacing the target by the temporary
    SyncFolder,      // flushing the folder, so that the rename outlives a power cut
};

// Short lower-case words for a step ("write", "rename" ...), for messages.
const char* writeStepName(WriteStep step);

enum class FolderMaking {
    None,         // the target's folder must exist
    TargetFolder, // the target's own folder is made when missing; its parent must exist
    WholePath,    // every missing folder of the path is made
};

struct WriteOptions {
    // A new file gets createMode less the umask; an existing one keeps its mode.
    mode_t createMode = 0666;
    // When set, the file gets exactly fixedMode whatever the umask and the old file's mode.
    bool useFixedMode = false;
    mode_t fixedMode = 0600;
    // Which missing folders are made, each with folderMode less the umask.
    FolderMaking makeFolders = FolderMaking::None;
    mode_t folderMode = 0777;
    // The target's folder must be the user's own and writable by nobody else.
    bool requirePrivateFolder = false;
};

struct WriteResult {
    WriteStep failed = WriteStep::NoFailure;
    int error = 0; // errno of the failed step
    // The new contents are in place. A failed folder sync leaves them there, only not yet
    // certain to outlive a power cut; every other failure leaves the old file as it was.
    bool replaced() const {
        return failed == WriteStep::NoFailure || failed == WriteStep::SyncFolder;
    }
};

// Writes the bytes to hostPath whole or not at all. An exclusive temporary with an
// unpredictable name is made in the target's folder (never through a link), written, synced,
// renamed over the target (a link there is replaced, never followed), and the folder synced.
// On failure the temporary is removed and the old file is left as it was. A read-only target
// is not replaced. Temporaries left in the folder by a killed run are removed first.
WriteResult writeFileAtomically(const std::string& hostPath, const char* bytes, size_t size,
                                const WriteOptions& options = WriteOptions());
WriteResult writeFileAtomically(const std::string& hostPath, const std::string& bytes,
                                const WriteOptions& options = WriteOptions());

// Whether a folder can hold files that only the user decides.
enum class FolderSafety { Private, Missing, NotAFolder, OwnedByAnother, WritableByOthers };
FolderSafety checkFolderSafety(const std::string& hostPath);

// How old a temporary of a live process must be before a later write takes it for left over.
constexpr int kStaleTemporarySeconds = 60;

} // namespace qxplatform
