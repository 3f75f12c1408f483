// Argument vectors for the desktop's dialog programs. They are run without a shell, so titles,
// texts and paths go in as they are (zenity shows a text given with --no-markup as it is).
#include <cstdio>

#include "qxplatform/desktop_dialogs.h"

namespace qxplatform::desktop {
namespace {

std::string joined(const std::vector<std::string>& parts, const std::string& separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); ++i) out += (i ? separator : "") + parts[i];
    return out;
}

// The filters with the selected one first, as both programs preselect the first.
std::vector<FileFilter> selectedFirst(const FileRequest& request) {
    std::vector<FileFilter> filters = request.filters;
    if (request.selectedFilter > 0 && request.selectedFilter < filters.size()) {
        FileFilter chosen = filters[request.selectedFilter];
        filters.erase(filters.begin() + static_cast<long>(request.selectedFilter));
        filters.insert(filters.begin(), chosen);
    }
    return filters;
}

// The start folder (ending in "/" so that it is taken as a folder) and the proposed name.
std::string startPath(const FileRequest& request) {
    if (request.folder.empty()) return request.name;
    const bool slashed = request.folder.back() == '/';
    return request.folder + (slashed ? "" : "/") + request.name;
}

std::string hexColour(COLORREF colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colour & 0xFF),
                  static_cast<unsigned>((colour >> 8) & 0xFF),
                  static_cast<unsigned>((colour >> 16) & 0xFF));
    return text;
}

} // namespace

std::vector<std::string> zenityFileArguments(const FileRequest& request) {
    std::vector<std::string> arguments = {"zenity", "--file-selection", "--title=" + request.title};
    if (request.save) arguments.push_back("--save");
    const std::string start = startPath(request);
    if (!start.empty()) arguments.push_back("--filename=" + start);
    for (const FileFilter& filter : selectedFirst(request))
        arguments.push_back("--file-filter=" + filter.label + " | " + joined(filter.patterns, " "));
    return arguments;
}

std::vector<std::string> kdialogFileArguments(const FileRequest& request) {
    std::vector<std::string> lines;
    for (const FileFilter& filter : selectedFirst(request))
        lines.push_back(joined(filter.patterns, " ") + "|" + filter.label);
    const std::string start = startPath(request);
    return {"kdialog",
            "--title",
            request.title,
            request.save ? "--getsavefilename" : "--getopenfilename",
            start.empty() ? "." : start,
            joined(lines, "\n")};
}

std::vector<std::string> zenityColourArguments(const std::string& title, COLORREF initial) {
    return {"zenity", "--color-selection", "--title=" + title, "--color=" + hexColour(initial)};
}

std::vector<std::string> kdialogColourArguments(const std::string& title, COLORREF initial) {
    return {"kdialog", "--title", title, "--getcolor", "--default", hexColour(initial)};
}

std::vector<std::string> zenityMessageArguments(const std::string& caption, const std::string& text,
                                                BoxIcon icon) {
    const char* kind = icon == BoxIcon::Error     ? "--error"
                       : icon == BoxIcon::Warning ? "--warning"
                                                  : "--info";
    return {"zenity", kind, "--title=" + caption, "--text=" + text, "--no-markup"};
}

std::vector<std::string> kdialogMessageArguments(const std::string& caption,
                                                 const std::string& text, BoxIcon icon) {
    const char* kind = icon == BoxIcon::Error     ? "--error"
                       : icon == BoxIcon::Warning ? "--sorry"
                                                  : "--msgbox";
    return {"kdialog", "--title", caption, kind, text};
}

std::vector<std::string> zenityQuestionArguments(const std::string& title,
                                                 const std::string& text) {
    return {"zenity", "--question", "--title=" + title, "--text=" + text, "--no-markup"};
}

std::vector<std::string> kdialogQuestionArguments(const std::string& title,
                                                  const std::string& text) {
    return {"kdialog", "--title", title, "--yesno", text};
}

std::vector<std::string> attachedTo(const std::vector<std::string>& arguments,
                                    unsigned long ownerWindow) {
    if (ownerWindow == 0 || arguments.empty() || arguments[0] != "kdialog") return arguments;
    std::vector<std::string> attached = arguments;
    attached.insert(attached.begin() + 1, {"--attach", std::to_string(ownerWindow)});
    return attached;
}

std::string portalParentWindow(unsigned long ownerWindow) {
    if (ownerWindow == 0) return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "x11:%lx", ownerWindow);
    return text;
}

std::string helperDialogTitle(const std::vector<std::string>& arguments) {
    const std::string prefix = "--title=";
    for (size_t i = 1; i < arguments.size(); ++i) {
        if (arguments[i].rfind(prefix, 0) == 0) return arguments[i].substr(prefix.size());
        if (arguments[i] == "--title" && i + 1 < arguments.size()) return arguments[i + 1];
    }
    return std::string();
}

} // namespace qxplatform::desktop
