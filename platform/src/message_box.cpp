// Message boxes: printed to standard error, recorded for tests, and shown on the desktop through
// zenity or kdialog while one of our windows is on screen (the call returns when the person
// closes the box; the windows keep painting meanwhile). Quiet boxes are only recorded. A yes/no
// box takes a queued answer first; one that cannot be shown returns 0, so that its caller never
// takes silence for a yes.
#include "qxplatform/desktop_dialogs.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <deque>

#include "helper_process.h"
#include "modal_loop.h"

namespace {

std::deque<qxplatform::MessageBoxRecord> shown;
std::deque<int> queuedAnswers;
bool quiet = false;
constexpr size_t keptBoxes = 32;

bool asksYesOrNo(UINT type) {
    return (type & 0x0F) == MB_YESNO;
}

void showOnDesktop(HWND owner, const std::string& caption, const std::string& text, UINT type) {
    using namespace qxplatform::desktop;
    const BoxIcon icon = boxIconOf(type);
    if (qxplatform::programInstalled("zenity"))
        qxplatform::runHelperModal(zenityMessageArguments(caption, text, icon), owner);
    else if (qxplatform::programInstalled("kdialog"))
        qxplatform::runHelperModal(kdialogMessageArguments(caption, text, icon), owner);
}

// The helper's question: its exit status 0 is "Yes"; any other, a closed box included, "No".
int askOnDesktop(HWND owner, const std::string& caption, const std::string& text) {
    using namespace qxplatform::desktop;
    std::vector<std::string> arguments;
    if (qxplatform::programInstalled("zenity"))
        arguments = zenityQuestionArguments(caption, text);
    else if (qxplatform::programInstalled("kdialog"))
        arguments = kdialogQuestionArguments(caption, text);
    if (arguments.empty()) return 0;
    const qxplatform::HelperOutcome outcome = qxplatform::runHelperModal(arguments, owner);
    if (!outcome.started) return 0;
    return outcome.exitCode == 0 ? IDYES : IDNO;
}

int showBox(HWND owner, const std::string& caption, const std::string& text, UINT type) {
    qxplatform::cancelModesForModal();
    shown.push_back({caption, text, static_cast<unsigned>(type)});
    if (shown.size() > keptBoxes) shown.pop_front();
    const bool question = asksYesOrNo(type);
    if (question && !queuedAnswers.empty()) {
        const int answer = queuedAnswers.front();
        queuedAnswers.pop_front();
        return answer;
    }
    if (quiet) return question ? 0 : IDOK;
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
    if (question) return qxplatform::hasShownWindow() ? askOnDesktop(owner, caption, text) : 0;
    if (qxplatform::hasShownWindow()) showOnDesktop(owner, caption, text, type);
    return IDOK;
}

} // namespace

namespace qxplatform {
std::vector<MessageBoxRecord> recentMessageBoxes() {
    return {shown.begin(), shown.end()};
}
void clearMessageBoxes() {
    shown.clear();
}
void setMessageBoxesQuiet(bool q) {
    quiet = q;
}
void queueMessageBoxAnswer(int answer) {
    queuedAnswers.push_back(answer);
}
void clearMessageBoxAnswers() {
    queuedAnswers.clear();
}
} // namespace qxplatform

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return showBox(owner, caption ? qxplatform::narrow(caption) : "",
                   text ? qxplatform::narrow(text) : "", type);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return showBox(owner, caption ? caption : "", text ? text : "", type);
}
