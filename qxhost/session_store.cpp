#include "qxhost/session_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "qxplatform/file_writer.h"

namespace qxhost {
namespace {

std::string reason() {
    return std::strerror(errno);
}

std::string octal(unsigned value) {
    char text[16];
    std::snprintf(text, sizeof text, "0%o", value);
    return text;
}

// "<YYYYmmdd-HHMMSS>" or "<YYYYmmdd-HHMMSS>-<n>" as setFileAside names a file; anything else
// (a lock or a note beside such a file) is no file kept aside.
bool parseAsideStamp(const std::string& text, long& n) {
    static const char shape[] = "dddddddd-dddddd";
    if (text.size() < 15) return false;
    for (size_t i = 0; i < 15; ++i)
        if (shape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(text[i])) : text[i] != '-')
            return false;
    n = 1;
    if (text.size() == 15) return true;
    if (text[15] != '-' || text.size() == 16 || text.size() > 24) return false;
    for (size_t i = 16; i < text.size(); ++i)
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    n = std::stol(text.substr(16));
    return true;
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

std::string whyFolderNotPrivate(const std::string& folder) {
    // The platform's file writer decides; the words say which of its reasons holds.
    switch (qxplatform::checkFolderSafety(folder)) {
    case qxplatform::FolderSafety::Private:
    case qxplatform::FolderSafety::Missing:
        return std::string();
    case qxplatform::FolderSafety::NotAFolder:
        return "it is not a folder";
    case qxplatform::FolderSafety::OwnedByAnother:
    case qxplatform::FolderSafety::WritableByOthers:
        break;
    }
    return whyPlaceNotPrivate(folder);
}

std::string xdgBaseFolder(const char* variable, const char* underHome) {
    const char* folder = std::getenv(variable);
    if (folder && folder[0] == '/') return folder;
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/') return std::string(home) + "/" + underHome;
    return std::string();
}

std::string defaultSessionPath() {
    const std::string state = xdgBaseFolder("XDG_STATE_HOME", ".local/state");
    return state.empty() ? state : state + "/qxhost/session";
}

bool writeSessionFile(const std::string& path, const std::vector<uint8_t>& bytes,
                      std::string& error) {
    qxplatform::WriteOptions options;
    options.useFixedMode = true;
    options.fixedMode = 0600;
    options.makeFolders = qxplatform::FolderMaking::WholePath;
    options.folderMode = 0700;
    options.requirePrivateFolder = true;
    const qxplatform::WriteResult result = qxplatform::writeFileAtomically(
        path, reinterpret_cast<const char*>(bytes.data()), bytes.size(), options);
    // A failed folder sync leaves the session in place; the next write syncs it again.
    if (result.replaced()) return true;
    const std::string folder = folderOf(path);
    const std::string reason = std::strerror(result.error);
    if (result.failed == qxplatform::WriteStep::MakeFolder)
        error = "cannot make the folder " + folder + ": " + reason;
    else if (result.failed == qxplatform::WriteStep::CheckFolder && result.error == EPERM)
        error = "the folder " + folder + " is not used: " + whyFolderNotPrivate(folder);
    else
        error = "cannot write " + path + " (" + qxplatform::writeStepName(result.failed) +
                "): " + reason;
    return false;
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

namespace {

// A file kept aside for one reason: its time stamp, its number within that second, its path.
struct KeptFile {
    std::string stamp;
    long number = 1;
    std::string path;
    bool operator<(const KeptFile& other) const {
        return stamp != other.stamp ? stamp < other.stamp : number < other.number;
    }
};

// The files kept aside for `why` beside `path`, oldest first.
std::vector<KeptFile> filesKeptAside(const std::string& path, const std::string& why) {
    const std::string folder = folderOf(path);
    const std::string prefix = path.substr(path.rfind('/') + 1) + "." + why + "-";
    std::vector<KeptFile> kept;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            KeptFile file;
            if (name.rfind(prefix, 0) != 0 ||
                !parseAsideStamp(name.substr(prefix.size()), file.number))
                continue;
            file.stamp = name.substr(prefix.size(), 15);
            file.path = folder + "/" + name;
            kept.push_back(file);
        }
        ::closedir(dir);
    }
    std::sort(kept.begin(), kept.end());
    return kept;
}

} // namespace

std::string setFileAside(const std::string& path, const std::string& why, Aside how) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &utc);
    const std::string base = path + "." + why + "-" + stamp;
    // Numbered past every file kept in the same second, so the newest sorts last even when an
    // older one of that second was removed.
    long first = 1;
    for (const KeptFile& file : filesKeptAside(path, why))
        if (file.stamp == stamp) first = std::max(first, file.number + 1);
    for (long n = first; n < first + 1000; ++n) {
        const std::string aside = n == 1 ? base : base + "-" + std::to_string(n);
        // A hard link never replaces an existing name; the old name goes once the new holds.
        if (::link(path.c_str(), aside.c_str()) == 0) {
            if (how == Aside::Move) ::unlink(path.c_str());
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

void removeOldestAside(const std::string& path, const std::string& why, size_t keep) {
    const std::vector<KeptFile> kept = filesKeptAside(path, why);
    for (size_t i = 0; i + keep < kept.size(); ++i) ::unlink(kept[i].path.c_str());
}

} // namespace qxhost
