// Writing a whole file so that it is never left half-written: the text goes to a temporary
// file beside the target, which replaces the target only when every write and the close have
// succeeded.
#pragma once

#include <string>

#include "command/save_state.h"

enum class FileWriteResult {
    Written,
    CannotOpen,  // the target is read-only, a folder, or its folder cannot take a new file
    WriteFailed, // a write, the flush, the close or the rename failed
};

// Writes text to hostPath through a temporary file in the same folder and a rename. On any
// failure the old file (if any) is untouched, the temporary file is removed and error holds
// the reason in upper case.
FileWriteResult writeFileAtomically(const std::string& hostPath, const std::string& text,
                                    std::string& error);

// Makes the folder (one level) when it is missing; true when it exists afterwards.
bool ensureFolder(const std::string& hostPath);

// The first line of every file the patch writer makes.
inline constexpr const char* kPatchHeadLine = "# RESET EVERYTHING";

// True when hostPath names an existing regular file whose first line is not kPatchHeadLine (or
// that cannot be read): a file the patch writer did not make, which a save must not replace
// unasked. A missing file, a folder and a patch give false.
bool holdsSomethingOtherThanAPatch(const std::string& hostPath);

// The size and modification time of the regular file hostPath names; nothing held when there
// is none.
FileStamp stampOfFile(const std::string& hostPath);
