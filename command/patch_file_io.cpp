#include "command/patch_file_io.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string reasonText(int code) {
    std::string text = std::strerror(code);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

bool ensureFolder(const std::string& hostPath) {
    struct stat info;
    if (::stat(hostPath.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
    return ::mkdir(hostPath.c_str(), 0777) == 0 || errno == EEXIST;
}

FileWriteResult writeFileAtomically(const std::string& hostPath, const std::string& text,
                                    std::string& error) {
    if (hostPath.empty() || hostPath.back() == '/') {
        error = "NO FILE NAME";
        return FileWriteResult::CannotOpen;
    }
    struct stat info;
    if (::stat(hostPath.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            error = "THE NAME IS A FOLDER";
            return FileWriteResult::CannotOpen;
        }
        // A read-only file is not replaced, although its folder would allow it.
        if (::access(hostPath.c_str(), W_OK) != 0) {
            error = reasonText(errno);
            return FileWriteResult::CannotOpen;
        }
    }

    // The temporary file sits beside the target so that the rename stays on one file system.
    std::string pattern = folderOf(hostPath) + "/.qx_save_XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int descriptor = ::mkstemp(name.data());
    if (descriptor < 0) {
        error = reasonText(errno);
        return FileWriteResult::CannotOpen;
    }
    const std::string temporary(name.data());

    bool ok = true;
    int code = 0;
    size_t written = 0;
    while (ok && written < text.size()) {
        const ssize_t n = ::write(descriptor, text.data() + written, text.size() - written);
        if (n < 0) {
            if (errno == EINTR) continue;
            ok = false;
            code = errno;
        } else {
            written += static_cast<size_t>(n);
        }
    }
    if (ok && ::fsync(descriptor) != 0 && errno != EINVAL && errno != EROFS) {
        ok = false;
        code = errno;
    }
    // An existing file keeps its permissions; a new one gets the usual ones.
    const mode_t mode = ::stat(hostPath.c_str(), &info) == 0 ? (info.st_mode & 07777) : 0644;
    if (ok && ::fchmod(descriptor, mode) != 0) {
        ok = false;
        code = errno;
    }
    if (::close(descriptor) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (ok && ::rename(temporary.c_str(), hostPath.c_str()) != 0) {
        ok = false;
        code = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        error = reasonText(code);
        return FileWriteResult::WriteFailed;
    }
    return FileWriteResult::Written;
}

bool holdsSomethingOtherThanAPatch(const std::string& hostPath) {
    struct stat info;
    if (hostPath.empty() || ::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    FILE* file = std::fopen(hostPath.c_str(), "rb");
    if (!file) return true;
    const std::string head = kPatchHeadLine;
    char start[64] = {};
    const size_t read = std::fread(start, 1, head.size() + 2, file);
    std::fclose(file);
    const std::string line(start, read);
    return line != head && line.compare(0, head.size() + 1, head + "\n") != 0 &&
           line.compare(0, head.size() + 2, head + "\r\n") != 0;
}

FileStamp stampOfFile(const std::string& hostPath) {
    FileStamp stamp;
    struct stat info;
    if (hostPath.empty() || ::stat(hostPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return stamp;
    stamp.held = 1;
    stamp.size = static_cast<uint64_t>(info.st_size);
    stamp.seconds = static_cast<int64_t>(info.st_mtim.tv_sec);
    stamp.nanoseconds = static_cast<int32_t>(info.st_mtim.tv_nsec);
    return stamp;
}
