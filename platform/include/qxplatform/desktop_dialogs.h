// What the open, save and colour dialogs and the message boxes ask of the desktop: the request
// read from the caller's structure, the argument vectors of the helper programs (zenity,
// kdialog) and the reading of their answers. Pure functions, so that they are tested without a
// desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "qxplatform/win32.h"

namespace qxplatform::desktop {

struct FileFilter {
    std::string label;                 // "Text Files (*.txt)"
    std::vector<std::string> patterns; // "*.txt"; the "*.*" of all files is "*"
};

struct FileRequest {
    bool save = false;
    std::string title;
    std::vector<FileFilter> filters;
    size_t selectedFilter = 0;
    std::string folder; // host path of the start folder; empty: the helper's own choice
    std::string name;   // file name proposed in the dialog
    std::string defaultExtension;
    bool overwritePrompt = false;
};

// The request of an open (save false) or save dialog. `fallbackFolder` is the start folder
// when the caller names none.
FileRequest fileRequestFrom(const OPENFILENAMEW& dialog, bool save,
                            const std::string& fallbackFolder);

// The chosen path with the default extension added when its file name has no extension.
std::string withDefaultExtension(const std::string& path, const std::string& extension);
// The folder part of a host path ("/a/b.txt" gives "/a"); empty when there is none.
std::string folderOf(const std::string& path);

enum class BoxIcon { Information, Warning, Error };
BoxIcon boxIconOf(UINT type);

// Argument vectors (program name first) for the helper programs.
std::vector<std::string> zenityFileArguments(const FileRequest& request);
std::vector<std::string> kdialogFileArguments(const FileRequest& request);
std::vector<std::string> zenityColourArguments(const std::string& title, COLORREF initial);
std::vector<std::string> kdialogColourArguments(const std::string& title, COLORREF initial);
std::vector<std::string> zenityMessageArguments(const std::string& caption, const std::string& text,
                                                BoxIcon icon);
std::vector<std::string> kdialogMessageArguments(const std::string& caption,
                                                 const std::string& text, BoxIcon icon);
std::vector<std::string> zenityQuestionArguments(const std::string& title, const std::string& text);
std::vector<std::string> kdialogQuestionArguments(const std::string& title,
                                                  const std::string& text);

// The vector with the owner's top-level X window named the way the program takes it, so that
// its dialog is made transient for that window: kdialog gets "--attach <id>". Other programs
// and a zero window leave the vector as it is.
std::vector<std::string> attachedTo(const std::vector<std::string>& arguments,
                                    unsigned long ownerWindow);
// The portal's parent_window for an X window: "x11:" and the id in hexadecimal; empty for none.
std::string portalParentWindow(unsigned long ownerWindow);
// The title a helper's argument vector gives its dialog ("--title=T" or "--title", "T").
std::string helperDialogTitle(const std::vector<std::string>& arguments);

// The colour a helper printed ("rgb(r,g,b)", "rgba(r,g,b,a)" or "#rrggbb") as 0x00BBGGRR;
// false when the text is none of these.
bool parseColourAnswer(const std::string& text, COLORREF& colour);
// The first line of a helper's output without its line end.
std::string firstLine(const std::string& output);
// The host path of a "file://" address (percent escapes decoded); empty for any other address.
std::string pathFromFileUri(const std::string& uri);

} // namespace qxplatform::desktop
