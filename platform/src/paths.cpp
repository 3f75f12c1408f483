// The module's Windows-shaped file namespace over the host's file system.
#include "qxplatform/runtime.h"
#include "qxplatform/win32.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <vector>

namespace qxplatform {
namespace {

bool exists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

// The entry of folder whose name equals name ignoring letter case, or name itself.
std::string matchEntry(const std::string& folder, const std::string& name) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return name;
    std::string found = name;
    while (dirent* entry = ::readdir(dir)) {
        if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
            found = entry->d_name;
            break;
        }
    }
    ::closedir(dir);
    return found;
}

std::string currentFolder() {
    char buffer[4096];
    if (!::getcwd(buffer, sizeof buffer)) return ".";
    return buffer;
}

} // namespace

std::string toHostPath(const std::string& path) {
    std::string p = path;
    for (char& c : p)
        if (c == '\\') c = '/';
    if (p.size() >= 2 && p[1] == ':' && std::isalpha(static_cast<unsigned char>(p[0]))) {
        if (p.size() >= 3 && p[2] == '/')
            p = p.substr(2); // "Z:/a/b" -> "/a/b"
        else
            p = currentFolder() + "/" + p.substr(2); // "Z:name" -> "<cwd>/name"
    }
    if (p.empty() || exists(p)) return p;

    // Walk the components and match each missing one without regard to letter case.
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= p.size()) {
        size_t cut = p.find('/', start);
        if (cut == std::string::npos) cut = p.size();
        parts.push_back(p.substr(start, cut - start));
        start = cut + 1;
    }
    const bool absolute = p[0] == '/';
    std::string built;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        std::string folder = built.empty() ? (absolute ? "/" : ".") : built;
        std::string prefix = built.empty() ? (absolute ? "/" : "") : built + "/";
        std::string next = prefix + part;
        if (!exists(next)) next = prefix + matchEntry(folder, part);
        built = next;
    }
    return built;
}

std::string toHostPath(const std::u16string& path) {
    return toHostPath(narrow(path));
}

std::string toModulePath(const std::string& hostPath) {
    std::string p = hostPath;
    if (!p.empty() && p[0] != '/') p = currentFolder() + "/" + p;
    for (char& c : p)
        if (c == '/') c = '\\';
    return "Z:" + p;
}

FILE* openFile(const std::string& path, const char* mode) {
    return std::fopen(toHostPath(path).c_str(), mode);
}

FILE* openFile(const std::u16string& path, const char* mode) {
    return openFile(narrow(path), mode);
}

} // namespace qxplatform

DWORD GetFileAttributesW(LPCWSTR path) {
    if (!path) return INVALID_FILE_ATTRIBUTES;
    struct stat info;
    if (::stat(qxplatform::toHostPath(std::u16string(path)).c_str(), &info) != 0)
        return INVALID_FILE_ATTRIBUTES;
    if (S_ISDIR(info.st_mode)) return FILE_ATTRIBUTE_DIRECTORY;
    return (info.st_mode & S_IWUSR) ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}
