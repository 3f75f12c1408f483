// The open-file, save-file and colour dialogs. An answer queued by the host or a test goes
// first; otherwise, while one of our windows is on screen, the desktop asks the person: the
// portal's file chooser, else zenity, else kdialog. With none of them the dialog is cancelled
// and the console says why once.
#include "qxplatform/desktop_dialogs.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

#include "helper_process.h"
#include "modal_loop.h"
#include "portal_file_chooser.h"
#include "x_session.h"

namespace {

using qxplatform::desktop::FileRequest;

std::map<qxplatform::DialogKind, std::deque<std::string>>& answers() {
    static std::map<qxplatform::DialogKind, std::deque<std::string>> queues;
    return queues;
}

bool takeAnswer(qxplatform::DialogKind kind, std::string& answer) {
    auto& queue = answers()[kind];
    if (queue.empty()) return false;
    answer = queue.front();
    queue.pop_front();
    return true;
}

// The folder the next file dialog starts in when its caller names none: where the last one
// ended, else the current folder.
std::string& lastFolder() {
    static std::string folder;
    return folder;
}

std::string startFolder() {
    if (!lastFolder().empty()) return lastFolder();
    char buffer[4096];
    return ::getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool fileExists(const std::string& path) {
    struct stat info;
    return ::stat(path.c_str(), &info) == 0;
}

DWORD& lastDialogError() {
    static DWORD error = 0;
    return error;
}

// Writes the chosen path, in the module's form, into the dialog's buffer. A name that the wide
// text cannot carry byte for byte (it is not UTF-8), or a path longer than the buffer, is
// refused rather than handed on as another name.
BOOL writeChosenPath(const std::string& answer, OPENFILENAMEW* dialog) {
    std::string modulePath =
        answer.size() > 1 && answer[1] == ':' ? answer : qxplatform::toModulePath(answer);
    std::u16string wide = qxplatform::widen(modulePath);
    if (qxplatform::narrow(wide) != modulePath) {
        lastDialogError() = FNERR_INVALIDFILENAME;
        return FALSE;
    }
    if (wide.size() + 1 > dialog->nMaxFile) {
        lastDialogError() = FNERR_BUFFERTOOSMALL;
        return FALSE;
    }
    std::memcpy(dialog->lpstrFile, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    size_t slash = wide.find_last_of(u'\\');
    dialog->nFileOffset = static_cast<WORD>(slash == std::u16string::npos ? 0 : slash + 1);
    size_t dot = wide.find_last_of(u'.');
    dialog->nFileExtension =
        static_cast<WORD>(dot == std::u16string::npos || dot < dialog->nFileOffset ? 0 : dot + 1);
    return TRUE;
}

enum class Asked { Unavailable, Cancelled, Chosen };

// One round with zenity or kdialog.
Asked askHelperForFile(const FileRequest& request, HWND owner, std::string& path) {
    using namespace qxplatform::desktop;
    const bool zenity = qxplatform::programInstalled("zenity");
    if (!zenity && !qxplatform::programInstalled("kdialog")) return Asked::Unavailable;
    const qxplatform::HelperOutcome outcome = qxplatform::runHelperModal(
        zenity ? zenityFileArguments(request) : kdialogFileArguments(request), owner);
    if (!outcome.started) return Asked::Unavailable;
    path = firstLine(outcome.output);
    return outcome.exitCode == 0 && !path.empty() ? Asked::Chosen : Asked::Cancelled;
}

// "No" and a closed question both keep the file.
bool confirmOverwrite(const std::string& path, HWND owner) {
    using namespace qxplatform::desktop;
    const std::string title = "Confirm Save As";
    const std::string text = path + " already exists.\nDo you want to replace it?";
    std::vector<std::string> arguments;
    if (qxplatform::programInstalled("zenity"))
        arguments = zenityQuestionArguments(title, text);
    else if (qxplatform::programInstalled("kdialog"))
        arguments = kdialogQuestionArguments(title, text);
    else
        return false;
    return qxplatform::runHelperModal(arguments, owner).exitCode == 0;
}

// Asks until a name is chosen that may be used, or the person cancels. The portal's chooser
// asks about overwriting itself; the helpers' choosers are asked here, after the default
// extension is added, so that the name asked about is the name written.
Asked askDesktopForFile(FileRequest request, HWND owner, std::string& path) {
    for (;;) {
        bool confirmed = false;
        qxplatform::PortalAnswer portal =
            qxplatform::askPortalFileChooser(request, qxplatform::topLevelXWindowOf(owner), path);
        Asked asked = portal == qxplatform::PortalAnswer::Chosen      ? Asked::Chosen
                      : portal == qxplatform::PortalAnswer::Cancelled ? Asked::Cancelled
                                                                      : Asked::Unavailable;
        if (asked == Asked::Unavailable)
            asked = askHelperForFile(request, owner, path);
        else
            confirmed = true;
        if (asked != Asked::Chosen || !request.save) return asked;
        const std::string named =
            qxplatform::desktop::withDefaultExtension(path, request.defaultExtension);
        confirmed = confirmed && named == path;
        path = named;
        if (!request.overwritePrompt || confirmed || !fileExists(path) ||
            confirmOverwrite(path, owner))
            return Asked::Chosen;
        // Declined: the chooser opens again where it was.
        request.folder = qxplatform::desktop::folderOf(path);
        request.name = path.substr(path.find_last_of('/') + 1);
    }
}

BOOL answerFileDialog(qxplatform::DialogKind kind, OPENFILENAMEW* dialog) {
    lastDialogError() = 0;
    qxplatform::cancelModesForModal();
    if (!dialog || !dialog->lpstrFile || dialog->nMaxFile == 0) return FALSE;
    std::string answer;
    if (takeAnswer(kind, answer)) return writeChosenPath(answer, dialog);
    if (!qxplatform::hasShownWindow()) return FALSE;
    const bool save = kind == qxplatform::DialogKind::Save;
    const FileRequest request = qxplatform::desktop::fileRequestFrom(*dialog, save, startFolder());
    const Asked asked = askDesktopForFile(request, dialog->hwndOwner, answer);
    if (asked == Asked::Unavailable)
        qxplatform::reportOnce("no file dialog on this desktop (no desktop portal, zenity or "
                               "kdialog): the dialog is cancelled");
    if (asked != Asked::Chosen) return FALSE;
    lastFolder() = qxplatform::desktop::folderOf(answer);
    return writeChosenPath(answer, dialog);
}

BOOL askDesktopForColour(CHOOSECOLORW* dialog) {
    using namespace qxplatform::desktop;
    const std::string title = "Colour";
    std::vector<std::string> arguments;
    if (qxplatform::programInstalled("zenity"))
        arguments = zenityColourArguments(title, dialog->rgbResult);
    else if (qxplatform::programInstalled("kdialog"))
        arguments = kdialogColourArguments(title, dialog->rgbResult);
    const qxplatform::HelperOutcome outcome =
        arguments.empty() ? qxplatform::HelperOutcome{}
                          : qxplatform::runHelperModal(arguments, dialog->hwndOwner);
    if (!outcome.started) {
        qxplatform::reportOnce(
            "no colour dialog on this desktop (no zenity or kdialog): the dialog is cancelled");
        return FALSE;
    }
    COLORREF chosen = 0;
    if (outcome.exitCode != 0 || !parseColourAnswer(outcome.output, chosen)) return FALSE;
    dialog->rgbResult = chosen;
    return TRUE;
}

} // namespace

namespace qxplatform {
void queueDialogAnswer(DialogKind kind, const std::string& answer) {
    answers()[kind].push_back(answer);
}
void clearDialogAnswers() {
    answers().clear();
}
} // namespace qxplatform

BOOL GetOpenFileNameW(OPENFILENAMEW* dialog) {
    return answerFileDialog(qxplatform::DialogKind::Open, dialog);
}

BOOL GetSaveFileNameW(OPENFILENAMEW* dialog) {
    return answerFileDialog(qxplatform::DialogKind::Save, dialog);
}

DWORD CommDlgExtendedError() {
    return lastDialogError();
}

// A queued colour answer is a packed 0x00BBGGRR value in decimal or 0x-hexadecimal.
BOOL ChooseColorW(CHOOSECOLORW* dialog) {
    if (!dialog) return FALSE;
    qxplatform::cancelModesForModal();
    std::string answer;
    if (takeAnswer(qxplatform::DialogKind::Colour, answer)) {
        char* end = nullptr;
        unsigned long value = std::strtoul(answer.c_str(), &end, 0);
        if (end == answer.c_str()) return FALSE;
        dialog->rgbResult = static_cast<COLORREF>(value & 0x00FFFFFF);
        return TRUE;
    }
    if (!qxplatform::hasShownWindow()) return FALSE;
    return askDesktopForColour(dialog);
}
