// The open-file, save-file and colour dialogs, answered from queues that the host or a test
// fills; a dialog with nothing queued is cancelled.
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>

namespace {

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

// Writes the chosen path, in the module's form, into the dialog's buffer.
BOOL answerFileDialog(qxplatform::DialogKind kind, OPENFILENAMEW* dialog) {
    std::string answer;
    if (!dialog || !dialog->lpstrFile || dialog->nMaxFile == 0 || !takeAnswer(kind, answer))
        return FALSE;
    std::string modulePath =
        answer.size() > 1 && answer[1] == ':' ? answer : qxplatform::toModulePath(answer);
    std::u16string wide = qxplatform::widen(modulePath);
    if (wide.size() + 1 > dialog->nMaxFile) return FALSE;
    std::memcpy(dialog->lpstrFile, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    size_t slash = wide.find_last_of(u'\\');
    dialog->nFileOffset = static_cast<WORD>(slash == std::u16string::npos ? 0 : slash + 1);
    size_t dot = wide.find_last_of(u'.');
    dialog->nFileExtension =
        static_cast<WORD>(dot == std::u16string::npos || dot < dialog->nFileOffset ? 0 : dot + 1);
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

// A colour answer is a packed 0x00BBGGRR value in decimal or 0x-hexadecimal.
BOOL ChooseColorW(CHOOSECOLORW* dialog) {
    std::string answer;
    if (!dialog || !takeAnswer(qxplatform::DialogKind::Colour, answer)) return FALSE;
    char* end = nullptr;
    unsigned long value = std::strtoul(answer.c_str(), &end, 0);
    if (end == answer.c_str()) return FALSE;
    dialog->rgbResult = static_cast<COLORREF>(value & 0x00FFFFFF);
    return TRUE;
}
