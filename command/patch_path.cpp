// The patch path: the file that SAVE_NOW writes, set by a save or a load of a patch.
#include <algorithm>
#include <cstring>

#include "app/qx_gui.h"
#include "command/patch_file_io.h"

bool becomesThePatch(const std::string& path) {
    return path.find("MACROS/") == std::string::npos;
}

std::string QX_GUI::patchPathText() const {
    const size_t length = patchPathLength < 0 ? 0 : static_cast<size_t>(patchPathLength);
    return std::string(patchPath, strnlen(patchPath, std::min(length, sizeof patchPath)));
}

// The caller has refused a name the patch path cannot hold whole; an empty name leaves the
// stage untitled. Called once the file has been loaded or saved: its stamp now is the one a
// later save compares with.
void QX_GUI::setPatchPath(const std::string& path) {
    if (!becomesThePatch(path) || path.size() >= sizeof patchPath) return;
    path.copy(patchPath, path.size());
    patchPath[path.size()] = '\0';
    patchPathLength = static_cast<int32_t>(path.size());
    saveState.patchFileStamp = path.empty() ? FileStamp{} : stampOfFile(patchFileHostPath(path));
    raiseSendFlag(kSendPatchRecord);
}
