#include "qxhost/session_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "qxhost/session_store.h"

namespace qxhost {
namespace {

struct flock wholeFile(short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;
    return lock;
}

} // namespace

SessionLock::Result SessionLock::take(const std::string& sessionPath) {
    release();
    holder_ = 0;
    error_.clear();
    const std::string path = sessionPath + ".lock";
    if (!makeFolders(folderOf(sessionPath))) {
        error_ = "cannot make the folder " + folderOf(sessionPath) + ": " + std::strerror(errno);
        return Result::Failed;
    }
    // A process lock (fcntl), not inherited by the helpers a run starts (dialogs, viewers).
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        error_ = "cannot open " + path + ": " + std::strerror(errno);
        return Result::Failed;
    }
    struct flock lock = wholeFile(F_WRLCK);
    if (::fcntl(fd_, F_SETLK, &lock) == 0) return Result::Held;
    const int reason = errno;
    if (reason == EACCES || reason == EAGAIN) {
        struct flock holder = wholeFile(F_WRLCK);
        if (::fcntl(fd_, F_GETLK, &holder) == 0 && holder.l_type != F_UNLCK) holder_ = holder.l_pid;
        release();
        return Result::HeldElsewhere;
    }
    error_ = "cannot lock " + path + ": " + std::strerror(reason);
    release();
    return Result::Failed;
}

void SessionLock::release() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

} // namespace qxhost
