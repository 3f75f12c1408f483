#include "command/patch_file_io.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string upperCase(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

bool failedBeforeWriting(const qxplatform::WriteResult& result) {
    return result.failed <= qxplatform::WriteStep::CreateTemporary;
}

std::string patchWriteReason(const qxplatform::WriteResult& result) {
    if (result.failed == qxplatform::WriteStep::CheckName) return "NO FILE NAME";
    if (result.failed == qxplatform::WriteStep::CheckTarget && result.error == EISDIR)
        return "THE NAME IS A FOLDER";
    return upperCase(std::strerror(result.error));
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

bool holdsTemplateMark(const std::string& text) {
    const std::string mark = kTemplateMarkLine;
    for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) {
        const size_t end = at + mark.size();
        const bool startsLine = at == 0 || text[at - 1] == '\n';
        const bool endsLine =
            end == text.size() || text[end] == '\n' || text.compare(end, 2, "\r\n") == 0;
        if (startsLine && endsLine) return true;
    }
    return false;
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
