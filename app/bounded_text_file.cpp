#include "app/bounded_text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "qxplatform/runtime.h"

namespace {

// The whole file as bytes, at most maxBytes; false with a note when refused. The file is opened
// without waiting (a pipe with no writer does not block) and checked before reading.
bool readBoundedBytes(const std::string& path, size_t maxBytes, const std::string& tooLargeNote,
                      TextFileRead& result) {
    const std::string hostPath = qxplatform::toHostPath(path);
    const int fd = ::open(hostPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat info {};
    bool good = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (!good) {
        result.notes.push_back("FILE REFUSED, NOT A REGULAR FILE : " + path);
    } else if (static_cast<unsigned long long>(info.st_size) > maxBytes) {
        result.notes.push_back(tooLargeNote + path);
        good = false;
    }
    if (good) result.text.reserve(static_cast<size_t>(info.st_size));
    char buffer[65536];
    while (good) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        result.text.append(buffer, static_cast<size_t>(n));
        // The file may have grown since it was checked.
        if (result.text.size() > maxBytes) {
            result.notes.push_back(tooLargeNote + path);
            good = false;
        }
    }
    ::close(fd);
    if (!good) std::string().swap(result.text);
    return good;
}

// The number of the first line longer than the limit (from 1), or 0 when none is.
size_t firstLongLine(const std::string& text) {
    size_t number = 1;
    for (size_t start = 0; start < text.size(); ++number) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        size_t length = end - start;
        if (length > 0 && text[end - 1] == '\r') --length;
        if (length > kMaxTextLineLength) return number;
        start = end + 1;
    }
    return 0;
}

} // namespace

std::string TextLines::Iterator::operator*() const {
    size_t end = text_->find('\n', start_);
    if (end == std::string::npos) end = text_->size();
    size_t length = end - start_;
    if (length > 0 && (*text_)[end - 1] == '\r') --length;
    if (length > kMaxTextLineLength) length = kMaxTextLineLength;
    return text_->substr(start_, length);
}

TextLines::Iterator& TextLines::Iterator::operator++() {
    const size_t end = text_->find('\n', start_);
    start_ = end == std::string::npos ? text_->size() : end + 1;
    return *this;
}

TextFileRead readTextFile(const std::string& path, size_t maxBytes,
                          const std::string& tooLargeNote) {
    TextFileRead result;
    if (!readBoundedBytes(path, maxBytes, tooLargeNote, result)) return result;
    result.read = true;
    result.endsWithLineEnd = result.text.empty() || result.text.back() == '\n';
    if (const size_t cut = firstLongLine(result.text))
        result.notes.push_back("LINES CUT AT 16384 CHARACTERS, FIRST ON LINE " +
                               std::to_string(cut) + " : " + path);
    return result;
}
