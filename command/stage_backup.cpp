// The stage before a load: what a load or a save last left is remembered as the hash of its
// patch text, and a load that would replace a stage holding more is preceded by a backup.
#include <sys/stat.h>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

uint64_t patchTextHash(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) {
        hash ^= static_cast<uint8_t>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

namespace {

bool hostFileExists(const std::string& hostPath) {
    struct stat info;
    return ::stat(hostPath.c_str(), &info) == 0;
}

// The backup writer's name beside the module, with a name for an untitled stage and a number
// when a backup of the same second is there already.
std::string freeBackupName(const QX_GUI& gui, const std::string& writersName) {
    std::string name = writersName;
    if (name.size() >= 2 && name.compare(name.size() - 2, 2, "--") == 0) name += "UNTITLED.txt";
    const size_t dot = name.rfind('.');
    const bool extension = dot != std::string::npos && dot > name.rfind('\\');
    const std::string stem = extension ? name.substr(0, dot) : name;
    const std::string tail = extension ? name.substr(dot) : "";
    for (int n = 2; hostFileExists(gui.patchFileHostPath(modulePath(name))) && n < 1000; ++n)
        name = stem + "-" + std::to_string(n) + tail;
    return name;
}

// The console cuts long lines: the name goes on as many lines as it takes.
void sayWhereTheStageIsKept(QX_GUI& gui, const std::string& name) {
    const std::string text = "THE STAGE BEFORE THE LOAD IS KEPT AS " + name;
    const size_t width = ConsoleRing::kMaxLineLength;
    for (size_t at = 0; at < text.size(); at += width)
        gui.appendConsoleLine(text.substr(at, width));
}

} // namespace

// After a load, the deferred lines are part of what the file holds: the stage is taken once
// they have run.
void QX_GUI::noteStageHeldByFile() {
    if (queueActive != 0) {
        saveState.heldStage = HeldStage{};
        saveState.heldStageAfterQueue = 1;
        return;
    }
    saveState.heldStageAfterQueue = 0;
    saveState.heldStage = HeldStage{1, patchTextHash(composePatchText(0))};
    raiseSendFlag(kSendPatchRecord);
}

void QX_GUI::forgetHeldStage() {
    saveState.heldStage = HeldStage{};
    saveState.heldStageAfterQueue = 0;
    raiseSendFlag(kSendPatchRecord);
}

void QX_GUI::keepStageHeldAcross(const std::function<void()>& change) {
    const bool held = !stageHoldsUnkeptChanges();
    change();
    if (held) noteStageHeldByFile();
}

bool QX_GUI::stageHoldsUnkeptChanges() {
    const HeldStage& held = saveState.heldStage;
    return held.held == 0 || patchTextHash(composePatchText(0)) != held.textHash;
}

// False when the stage holds changes and no backup of it could be written: the load must not
// replace it.
bool QX_GUI::keepStageBeforeLoad() {
    if (!stageHoldsUnkeptChanges()) return true;
    const std::string name = freeBackupName(*this, backupFileName(qxplatform::localTimeNow()));
    if (!writeBackupFile(modulePath(name))) return false;
    sayWhereTheStageIsKept(*this, name);
    return true;
}
