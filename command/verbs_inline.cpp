// Small verbs of the dispatcher: the redraw switch, the sample-rate report, and SYSTEM and WEB,
// which hand a file beside the module or a web address to the desktop's opener. Neither ever
// goes through a command processor: the target is checked here and passed as one argument.
#include <sys/stat.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

int32_t QX_GUI::cmdRedraw(CliObject command) {
    if (command.string == "OFF") interaction.redrawLayerOn = 0;
    if (command.string == "ON") interaction.redrawLayerOn = 1;
    return 0;
}

int32_t QX_GUI::cmdSampleRate(CliObject) {
    char line[64];
    std::snprintf(line, sizeof line, "SAMPLERATE = %i", sampleRate);
    setStatusMessage(line);
    return 0;
}

namespace {

// The text after the verb, without the blanks around it.
std::string textAfterVerb(const std::string& line) {
    const size_t blank = line.find(' ');
    if (blank == std::string::npos) return std::string();
    const size_t first = line.find_first_not_of(' ', blank);
    if (first == std::string::npos) return std::string();
    const size_t last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

bool startsWithNoCase(const std::string& text, const char* prefix) {
    for (size_t i = 0; prefix[i] != 0; ++i)
        if (i >= text.size() || std::tolower(static_cast<unsigned char>(text[i])) != prefix[i])
            return false;
    return true;
}

// A web address: http://, https:// or www., then only the characters of an address that no
// shell, opener or browser command line reads as anything but text.
bool isSafeWebAddress(const std::string& text) {
    if (!startsWithNoCase(text, "http://") && !startsWithNoCase(text, "https://") &&
        !startsWithNoCase(text, "www."))
        return false;
    static const char kAllowed[] = "-._~:/?#[]@!*+,=%";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (std::isalnum(u)) continue;
        bool allowed = false;
        for (const char* a = kAllowed; *a != 0; ++a) allowed = allowed || *a == c;
        if (!allowed) return false;
    }
    return true;
}

bool isOpenerResultGood(HINSTANCE result) {
    return reinterpret_cast<uintptr_t>(result) > 32;
}

// A file that would be run rather than shown: any execute bit, or a launcher's extension.
bool isRunnable(const std::string& hostPath, const struct stat& info) {
    if (S_ISDIR(info.st_mode)) return false;
    if ((info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0) return true;
    const size_t dot = hostPath.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = hostPath.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const char* runnable : {"desktop", "sh", "exe", "bat", "cmd", "com", "appimage", "run",
                                 "jar", "py", "pl", "msi", "bin"})
        if (extension == runnable) return true;
    return false;
}

// The path with every symbolic link resolved; empty when it leads to nothing.
std::string resolvedPath(const std::string& path) {
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) == nullptr ? std::string() : std::string(resolved);
}

// True when the resolved file is the resolved folder or lies inside it.
bool liesInside(const std::string& file, const std::string& folder) {
    if (file.empty() || folder.empty()) return false;
    if (file == folder) return true;
    const std::string inside = folder.back() == '/' ? folder : folder + '/';
    return file.compare(0, inside.size(), inside) == 0;
}

} // namespace

int32_t QX_GUI::cmdWeb(CliObject command) {
    const std::string address = textAfterVerb(command.commandString);
    if (!isSafeWebAddress(address)) {
        console.pendingError = "WEB - NOT A WEB ADDRESS, NOTHING OPENED";
        return 1;
    }
    const std::string url = startsWithNoCase(address, "www.") ? "http://" + address : address;
    const HINSTANCE result = ShellExecuteW(GetDesktopWindow(), reinterpret_cast<LPCWSTR>(u"open"),
                                           reinterpret_cast<LPCWSTR>(utf8ToWide(url).c_str()),
                                           nullptr, nullptr, SW_SHOWNORMAL);
    if (!isOpenerResultGood(result)) {
        console.pendingError = "WEB - COULD NOT START THE WEB BROWSER";
        return 1;
    }
    return 0;
}

int32_t QX_GUI::cmdSystem(CliObject command) {
    const std::string name = textAfterVerb(command.commandString);
    if (name.empty()) {
        console.pendingError = "SYSTEM - NO FILE SPECIFIED";
        return 1;
    }
    // Only names inside the module's folder: no absolute path, no drive, no "..".
    bool inside = name[0] != '/' && name[0] != '\\' && name.find(':') == std::string::npos;
    size_t start = 0;
    while (inside && start <= name.size()) {
        const size_t end = name.find_first_of("/\\", start);
        const std::string part =
            name.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (part == "..") inside = false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    if (!inside) {
        console.pendingError = "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER";
        return 1;
    }
    // The links are resolved once: the checks and the opener see the same file, so no link
    // swapped in between can lead the opener elsewhere.
    const std::string file = resolvedPath(qxplatform::toHostPath(modulePath(name)));
    struct stat info {};
    if (file.empty() || ::stat(file.c_str(), &info) != 0) {
        console.pendingError = "SYSTEM - FILE NOT FOUND";
        return 1;
    }
    if (!liesInside(file, resolvedPath(qxplatform::toHostPath(modulePath(""))))) {
        console.pendingError = "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER";
        return 1;
    }
    if (isRunnable(file, info)) {
        console.pendingError = "SYSTEM - WILL NOT RUN A PROGRAM";
        return 1;
    }
    const std::string path = qxplatform::toModulePath(file);
    const HINSTANCE result = ShellExecuteW(GetDesktopWindow(), reinterpret_cast<LPCWSTR>(u"open"),
                                           reinterpret_cast<LPCWSTR>(utf8ToWide(path).c_str()),
                                           nullptr, nullptr, SW_SHOWNORMAL);
    if (!isOpenerResultGood(result)) {
        console.pendingError = "SYSTEM - COULD NOT OPEN THE FILE";
        return 1;
    }
    return 0;
}
