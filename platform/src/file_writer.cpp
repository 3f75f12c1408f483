// The one way the program replaces a file: a private temporary beside the target, renamed over
// it once whole and on the disk, the folder synced after. Every step works relative to the
// opened folder, so no name is looked up twice and no link at a name the writer makes is
// followed.
#include "qxplatform/file_writer.h"

#include "qxplatform/test_hooks.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <functional>
#include <utility>

namespace qxplatform {
namespace {

// The test seam: a step that fails on purpose, and a recorder of the steps as they start.
WriteStep gFaultStep = WriteStep::NoFailure;
int gFaultError = 0;
std::function<void(WriteStep)> gStepRecorder;

// Records the step; true (errno set) when a test asked it to fail, before its call is made.
bool faulted(WriteStep step) {
    if (gStepRecorder) gStepRecorder(step);
    if (step != gFaultStep) return false;
    errno = gFaultError;
    return true;
}

// Temporaries are ".qxwrite-<pid>-<16 hex digits>.tmp": hidden, and the pid tells a later
// write whether the run that made one is still alive.
constexpr const char* kTemporaryHead = ".qxwrite-";
constexpr const char* kTemporaryTail = ".tmp";

std::string temporaryName() {
    uint64_t random = 0;
    if (::getrandom(&random, sizeof random, GRND_NONBLOCK) != sizeof random) {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        random ^= static_cast<uint64_t>(now.tv_nsec) * 0x9E3779B97F4A7C15ull ^
                  static_cast<uint64_t>(now.tv_sec) ^ reinterpret_cast<uintptr_t>(&now);
    }
    char name[64];
    std::snprintf(name, sizeof name, "%s%ld-%016" PRIx64 "%s", kTemporaryHead,
                  static_cast<long>(::getpid()), random, kTemporaryTail);
    return name;
}

// The pid of a name of the writer's temporary pattern, or -1 for any other name.
long temporaryOwner(const char* name) {
    long pid = -1;
    char hex[17] = {};
    char tail[8] = {};
    int used = 0;
    if (std::sscanf(name, ".qxwrite-%ld-%16[0-9a-f]%7s%n", &pid, hex, tail, &used) != 3) return -1;
    const bool exact = name[used] == '\0' && std::string(hex).size() == 16 &&
                       std::string(tail) == kTemporaryTail && pid > 0;
    return exact ? pid : -1;
}

bool processIsGone(long pid) {
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes the user's own temporaries that a killed run left: those of a process that is gone,
// and those older than a write could take.
void removeStaleTemporaries(int folder) {
    const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listing < 0) return;
    DIR* dir = ::fdopendir(listing);
    if (!dir) {
        ::close(listing);
        return;
    }
    const time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = temporaryOwner(entry->d_name);
        struct stat info {};
        if (pid < 0 || ::fstatat(folder, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (!S_ISREG(info.st_mode) || info.st_uid != ::geteuid()) continue;
        if (processIsGone(pid) || now - info.st_mtime > kStaleTemporarySeconds)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(dir);
}

FolderSafety safetyOf(const struct stat& info) {
    if (!S_ISDIR(info.st_mode)) return FolderSafety::NotAFolder;
    if (info.st_uid != ::geteuid()) return FolderSafety::OwnedByAnother;
    if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) return FolderSafety::WritableByOthers;
    return FolderSafety::Private;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes the folder when it is missing, and with wholePath every missing folder above it.
bool makeFolders(const std::string& folder, bool wholePath, mode_t mode) {
    for (size_t at = wholePath ? 1 : folder.size(); at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        if (::mkdir(folder.substr(0, at).c_str(), mode) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool writeAll(int fd, const char* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// A file system that cannot sync (some virtual ones) is not a failure of the write.
bool synced(int fd) {
    return ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
}

// One write in progress: the opened folder and the temporary, removed unless renamed.
class AtomicWrite {
public:
    AtomicWrite(const std::string& path, const WriteOptions& options)
        : path_(path), options_(options) {}
    ~AtomicWrite() {
        if (file_ >= 0) ::close(file_);
        if (!temporary_.empty()) ::unlinkat(folder_, temporary_.c_str(), 0);
        if (folder_ >= 0) ::close(folder_);
    }
    WriteResult run(const char* bytes, size_t size);

private:
    WriteResult fail(WriteStep step, int error = errno) { return WriteResult{step, error}; }
    WriteResult prepareFolder();
    WriteResult checkTarget();
    WriteResult createTemporary();
    mode_t finalMode() const;

    std::string path_;
    WriteOptions options_;
    std::string name_;
    int folder_ = -1;
    int file_ = -1;
    std::string temporary_;
    bool targetExists_ = false;
    mode_t targetMode_ = 0;
};

WriteResult AtomicWrite::prepareFolder() {
    const std::string folder = folderOf(path_);
    const size_t slash = path_.rfind('/');
    name_ = slash == std::string::npos ? path_ : path_.substr(slash + 1);
    if (options_.makeFolders != FolderMaking::None &&
        (faulted(WriteStep::MakeFolder) ||
         !makeFolders(folder, options_.makeFolders == FolderMaking::WholePath,
                      options_.folderMode)))
        return fail(WriteStep::MakeFolder);
    if (faulted(WriteStep::OpenFolder) ||
        (folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) < 0)
        return fail(WriteStep::OpenFolder);
    struct stat info {};
    if (options_.requirePrivateFolder) {
        if (faulted(WriteStep::CheckFolder) || ::fstat(folder_, &info) != 0)
            return fail(WriteStep::CheckFolder);
        if (safetyOf(info) != FolderSafety::Private) return fail(WriteStep::CheckFolder, EPERM);
    }
    return WriteResult{};
}

WriteResult AtomicWrite::checkTarget() {
    struct stat info {};
    if (faulted(WriteStep::CheckTarget)) return fail(WriteStep::CheckTarget);
    if (::fstatat(folder_, name_.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno == ENOENT) return WriteResult{};
        return fail(WriteStep::CheckTarget);
    }
    if (S_ISDIR(info.st_mode)) return fail(WriteStep::CheckTarget, EISDIR);
    // A link is replaced by the new file; only a file of its own lends its mode.
    if (!S_ISREG(info.st_mode)) return WriteResult{};
    if (::faccessat(folder_, name_.c_str(), W_OK, 0) != 0)
        return fail(WriteStep::CheckTarget, EACCES);
    targetExists_ = true;
    targetMode_ = info.st_mode & 07777;
    return WriteResult{};
}

WriteResult AtomicWrite::createTemporary() {
    // Private until its final mode is set; a new file with no fixed mode takes the umask.
    const bool umasked = !options_.useFixedMode && !targetExists_;
    const mode_t mode = umasked ? options_.createMode : 0600;
    if (faulted(WriteStep::CreateTemporary)) return fail(WriteStep::CreateTemporary);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::string name = temporaryName();
        file_ = ::openat(folder_, name.c_str(),
                         O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (file_ >= 0) {
            temporary_ = name;
            return WriteResult{};
        }
        if (errno != EEXIST) break;
    }
    return fail(WriteStep::CreateTemporary);
}

mode_t AtomicWrite::finalMode() const {
    if (options_.useFixedMode) return options_.fixedMode;
    return targetExists_ ? targetMode_ : 0;
}

WriteResult AtomicWrite::run(const char* bytes, size_t size) {
    if (faulted(WriteStep::CheckName)) return fail(WriteStep::CheckName);
    if (path_.empty() || path_.back() == '/')
        return fail(WriteStep::CheckName, path_.empty() ? ENOENT : EISDIR);
    WriteResult result = prepareFolder();
    if (result.failed == WriteStep::NoFailure) removeStaleTemporaries(folder_);
    if (result.failed == WriteStep::NoFailure) result = checkTarget();
    if (result.failed == WriteStep::NoFailure) result = createTemporary();
    if (result.failed != WriteStep::NoFailure) return result;
    if (faulted(WriteStep::Write) || !writeAll(file_, bytes, size)) return fail(WriteStep::Write);
    // The mode is set before the sync, so that the sync carries it to the disk too.
    const mode_t mode = finalMode();
    if (mode != 0 && (faulted(WriteStep::SetMode) || ::fchmod(file_, mode) != 0))
        return fail(WriteStep::SetMode);
    if (faulted(WriteStep::SyncFile) || !synced(file_)) return fail(WriteStep::SyncFile);
    // The descriptor is gone after close() whatever it returns, so it is never closed twice.
    const bool closeFaulted = faulted(WriteStep::Close);
    const int closeError = closeFaulted ? errno : 0;
    if (::close(std::exchange(file_, -1)) != 0) return fail(WriteStep::Close);
    if (closeFaulted) return fail(WriteStep::Close, closeError);
    if (faulted(WriteStep::Rename) ||
        ::renameat(folder_, temporary_.c_str(), folder_, name_.c_str()) != 0)
        return fail(WriteStep::Rename);
    temporary_.clear();
    if (faulted(WriteStep::SyncFolder) || !synced(folder_)) return fail(WriteStep::SyncFolder);
    return WriteResult{};
}

} // namespace

const char* writeStepName(WriteStep step) {
    switch (step) {
    case WriteStep::NoFailure:
        return "none";
    case WriteStep::CheckName:
        return "name";
    case WriteStep::MakeFolder:
        return "make folder";
    case WriteStep::OpenFolder:
        return "open folder";
    case WriteStep::CheckFolder:
        return "check folder";
    case WriteStep::CheckTarget:
        return "check file";
    case WriteStep::CreateTemporary:
        return "create temporary";
    case WriteStep::Write:
        return "write";
    case WriteStep::SyncFile:
        return "sync file";
    case WriteStep::SetMode:
        return "set mode";
    case WriteStep::Close:
        return "close";
    case WriteStep::Rename:
        return "rename";
    case WriteStep::SyncFolder:
        return "sync folder";
    }
    return "?";
}

WriteResult writeFileAtomically(const std::string& hostPath, const char* bytes, size_t size,
                                const WriteOptions& options) {
    return AtomicWrite(hostPath, options).run(bytes, size);
}

WriteResult writeFileAtomically(const std::string& hostPath, const std::string& bytes,
                                const WriteOptions& options) {
    return writeFileAtomically(hostPath, bytes.data(), bytes.size(), options);
}

FolderSafety checkFolderSafety(const std::string& hostPath) {
    struct stat info {};
    if (::stat(hostPath.c_str(), &info) != 0)
        return errno == ENOENT ? FolderSafety::Missing : FolderSafety::NotAFolder;
    return safetyOf(info);
}

void setFileWriteFault(WriteStep step, int error) {
    gFaultStep = step;
    gFaultError = error;
}

void setFileWriteStepRecorder(std::function<void(WriteStep)> recorder) {
    gStepRecorder = std::move(recorder);
}

} // namespace qxplatform
