// One run holds a session at a time: a write lock on "<session>.lock" beside the session file.
// The kernel drops the lock when the process ends however it ends, so a killed run leaves no
// lock behind; the lock file itself stays (removing it would race with the next run's lock).
#pragma once

#include <sys/types.h>

#include <string>

namespace qxhost {

class SessionLock {
public:
    enum class Result { Held, HeldElsewhere, Failed };

    SessionLock() = default;
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;
    ~SessionLock() { release(); }

    // Takes the lock of the session at `sessionPath`, making its folder (private to the user)
    // when missing. HeldElsewhere when another process holds it (holder() names it), Failed
    // with error() set when the lock file cannot be made or locked.
    Result take(const std::string& sessionPath);
    void release();

    pid_t holder() const { return holder_; }
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    pid_t holder_ = 0;
    std::string error_;
};

} // namespace qxhost
