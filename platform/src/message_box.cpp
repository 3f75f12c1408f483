// Message boxes: printed to standard error, recorded for tests, and shown on the desktop through
// zenity or kdialog while one of our windows is on screen (the call returns when the person
// closes the box; the windows keep painting meanwhile). Quiet boxes are only recorded.
#include "qxplatform/desktop_dialogs.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <deque>

#include "helper_process.h"
#include "modal_loop.h"

namespace {

std::deque<qxplatform::MessageBoxRecord> shown;
bool quiet = false;
constexpr size_t keptBoxes = 32;

void showOnDesktop(HWND owner, const std::string& caption, const std::string& text, UINT type) {
    using namespace qxplatform::desktop;
    const BoxIcon icon = boxIconOf(type);
    if (qxplatform::programInstalled("zenity"))
        qxplatform::runHelperModal(zenityMessageArguments(caption, text, icon), owner);
    else if (qxplatform::programInstalled("kdialog"))
        qxplatform::runHelperModal(kdialogMessageArguments(caption, text, icon), owner);
}

int showBox(HWND owner, const std::string& caption, const std::string& text, UINT type) {
    shown.push_back({caption, text});
    if (shown.size() > keptBoxes) shown.pop_front();
    if (quiet) return IDOK;
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    std::fflush(stderr);
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
} // namespace qxplatform

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    return showBox(owner, caption ? qxplatform::narrow(caption) : "",
                   text ? qxplatform::narrow(text) : "", type);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return showBox(owner, caption ? caption : "", text ? text : "", type);
}
