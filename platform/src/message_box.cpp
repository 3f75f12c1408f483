// Message boxes that never block: printed to standard error and recorded for tests.
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <deque>

namespace {

std::deque<qxplatform::MessageBoxRecord> shown;
bool quiet = false;
constexpr size_t keptBoxes = 32;

int showBox(const std::string& caption, const std::string& text) {
    if (!quiet) std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    shown.push_back({caption, text});
    if (shown.size() > keptBoxes) shown.pop_front();
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

int MessageBoxW(HWND, LPCWSTR text, LPCWSTR caption, UINT) {
    return showBox(caption ? qxplatform::narrow(caption) : "",
                   text ? qxplatform::narrow(text) : "");
}

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
    return showBox(caption ? caption : "", text ? text : "");
}
