#include "app/bounded_text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "qxplatform/runtime.h"

namespace {

// The whole file as bytes, at most kMaxTextFileBytes; false with a note when refused. The file
// is opened without waiting (a pipe with no writer does not block) and checked before reading.
bool readBoundedBytes(const std::string& path, std::string& bytes, TextFileRead& result) {
    const std::string hostPath = qxplatform::toHostPath(path);
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat info {};
    bool good = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!good) {
        result.notes.push_back("FILE REFUSED, NOT A REGULAR FILE : " + path);
    } else if (static_cast<unsigned long long>(info.st_size) > kMaxTextFileBytes) {
        result.notes.push_back("FILE REFUSED, LARGER THAN 8 MB : " + path);
        good = false;
    }
    char buffer[65536];
    while (good) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.append(buffer, static_cast<size_t>(n));
        // The file may have grown since it was checked.
        if (bytes.size() > kMaxTextFileBytes) {
            result.notes.push_back("FILE REFUSED, LARGER THAN 8 MB : " + path);
            good = false;
        }
    }
    ::close(fd);
    return good;
}

} // namespace

TextFileRead readTextFile(const std::string& path) {
    TextFileRead result;
    std::string bytes;
    if (!readBoundedBytes(path, bytes, result)) return result;
    result.read = true;
    result.endsWithLineEnd = bytes.empty() || bytes.back() == '\n';
    size_t firstCut = 0;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        size_t length = end - start;
        if (length > 0 && bytes[end - 1] == '\r') --length;
        if (length > kMaxTextLineLength) {
            length = kMaxTextLineLength;
            if (firstCut == 0) firstCut = result.lines.size() + 1;
        }
        result.lines.emplace_back(bytes, start, length);
        start = end + 1;
    }
    if (firstCut != 0)
        result.notes.push_back("LINES CUT AT 16384 CHARACTERS, FIRST ON LINE " +
                               std::to_string(firstCut) + " : " + path);
    return result;
}
