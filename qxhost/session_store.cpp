#include "qxhost/session_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace qxhost {
namespace {

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string reason() {
    return std::strerror(errno);
}

std::string octal(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0%o", value);
    return text;
}

} // namespace

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool makeFolders(const std::string& folder) {
    for (size_t at = 1; at <= folder.size(); ++at) {
        if (at != folder.size() && folder[at] != '/') continue;
        const std::string part = folder.substr(0, at);
        if (::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return false;
    if (S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR; // a file where the folder should be: mkdir's EEXIST would mislead
    return false;
}

std::string whyNotPrivate(const struct stat& info) {
    if (info.st_uid != ::geteuid())
        return "it belongs to user " + std::to_string(info.st_uid) + ", not to you";
    const unsigned mode = info.st_mode & 07777;
    if (mode & S_IWOTH) return "others can write it (mode " + octal(mode) + ")";
    if (mode & S_IWGRP) return "its group can write it (mode " + octal(mode) + ")";
    return std::string();
}

std::string whyPlaceNotPrivate(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::string();
    return whyNotPrivate(info);
}

std::string defaultSessionPath() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state && state[0] == '/') return std::string(state) + "/qxhost/session";
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/.local/state/qxhost/session";
    return std::string();
}

bool writeFileAtomically(const std::string& path, const std::vector<uint8_t>& bytes,
                         std::string& error) {
    const std::string folder = folderOf(path);
    if (!makeFolders(folder)) {
        error = "cannot make the folder " + folder + ": " + reason();
        return false;
    }
    const std::string partial = path + ".tmp-" + std::to_string(::getpid());
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = "cannot write " + partial + ": " + reason();
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) error = "cannot write " + partial + ": " + reason();
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = "cannot write " + partial + ": " + reason();
    }
    if (ok && ::rename(partial.c_str(), path.c_str()) != 0) {
        ok = false;
        error = "cannot rename " + partial + " to " + path + ": " + reason();
    }
    if (!ok) {
        ::unlink(partial.c_str());
        return false;
    }
    // The rename itself is on disk once the folder is synced.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return true;
}

FileRead readWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                       std::string& error) {
    bytes.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT || errno == ENOTDIR) return FileRead::Missing;
        error = "cannot read " + path + ": " + reason();
        return FileRead::Failed;
    }
    uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = "cannot read " + path + ": " + reason();
            ::close(fd);
            return FileRead::Failed;
        }
        if (n == 0) break;
        if (bytes.size() + static_cast<size_t>(n) > maxBytes) {
            error = path + " is larger than " + std::to_string(maxBytes) + " bytes";
            ::close(fd);
            return FileRead::Failed;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    return FileRead::Read;
}

std::string setFileAside(const std::string& path) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = path + ".damaged-" + stamp;
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        // A hard link never replaces an existing name; the old name goes once the new holds.
        if (::link(path.c_str(), aside.c_str()) == 0) {
            ::unlink(path.c_str());
            return aside;
        }
        if (errno == EEXIST) continue;
        // A file system without hard links: rename, having checked that the name is free.
        struct stat info {};
        if (::lstat(aside.c_str(), &info) == 0) continue;
        return ::rename(path.c_str(), aside.c_str()) == 0 ? aside : std::string();
    }
    return std::string();
}

} // namespace qxhost
