// Reading an open or save dialog's structure into the request the desktop's file chooser gets.
#include "qxplatform/desktop_dialogs.h"
#include "qxplatform/runtime.h"

namespace qxplatform::desktop {
namespace {

std::string wideText(LPCWSTR text) {
    return text ? narrow(std::u16string(text)) : std::string();
}

// "*.txt;*.TXT" gives both patterns; "*.*" is every file on this system.
std::vector<std::string> splitPatterns(const std::string& text) {
    std::vector<std::string> patterns;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos) end = text.size();
        std::string pattern = text.substr(start, end - start);
        if (pattern == "*.*") pattern = "*";
        if (!pattern.empty()) patterns.push_back(pattern);
        start = end + 1;
    }
    return patterns;
}

// Label and pattern strings alternate, each ended by a zero; an empty label ends the list.
std::vector<FileFilter> readFilters(LPCWSTR filter) {
    std::vector<FileFilter> filters;
    if (!filter) return filters;
    const char16_t* p = filter;
    while (*p) {
        std::u16string label(p);
        p += label.size() + 1;
        std::u16string patterns(p);
        p += patterns.size() + 1;
        filters.push_back({narrow(label), splitPatterns(narrow(patterns))});
        if (patterns.empty()) break;
    }
    return filters;
}

} // namespace

FileRequest fileRequestFrom(const OPENFILENAMEW& dialog, bool save,
                            const std::string& fallbackFolder) {
    FileRequest request;
    request.save = save;
    request.title = wideText(dialog.lpstrTitle);
    if (request.title.empty()) request.title = save ? "Save As" : "Open";
    request.filters = readFilters(dialog.lpstrFilter);
    if (dialog.nFilterIndex > 0 && dialog.nFilterIndex <= request.filters.size())
        request.selectedFilter = dialog.nFilterIndex - 1;
    request.defaultExtension = wideText(dialog.lpstrDefExt);
    request.overwritePrompt = save && (dialog.Flags & OFN_OVERWRITEPROMPT) != 0;
    // A name already in the buffer is proposed; a full path there also gives the folder.
    const std::string initial =
        dialog.lpstrFile && dialog.nMaxFile > 0 ? wideText(dialog.lpstrFile) : std::string();
    std::string initialPath = initial.empty() ? std::string() : toHostPath(initial);
    const size_t slash = initial.find_last_of("\\/");
    request.name = slash == std::string::npos ? initial : initial.substr(slash + 1);
    const std::string initialDir = wideText(dialog.lpstrInitialDir);
    if (!initialDir.empty())
        request.folder = toHostPath(initialDir);
    else if (slash != std::string::npos)
        request.folder = folderOf(initialPath);
    else
        request.folder = fallbackFolder;
    return request;
}

std::string withDefaultExtension(const std::string& path, const std::string& extension) {
    if (extension.empty() || path.empty()) return path;
    const size_t slash = path.find_last_of('/');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name.find('.') != std::string::npos) return path;
    return path + "." + extension;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return std::string();
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

BoxIcon boxIconOf(UINT type) {
    switch (type & 0xF0) {
    case MB_ICONERROR:
        return BoxIcon::Error;
    case MB_ICONEXCLAMATION:
        return BoxIcon::Warning;
    default:
        return BoxIcon::Information;
    }
}

} // namespace qxplatform::desktop
