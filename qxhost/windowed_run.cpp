// The windowed run: each instance gets a top-level parent window and opens its editor in it;
// the message loop runs until the frames are drawn, the time is up or the windows close.
#include <png.h>

#include <chrono>
#include <cstdio>

#include "qxhost/host_session.h"
#include "qxhost/stop_signals.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

namespace qxhost {
namespace {

// The editor keeps the size it was given, so its parent window is held to that size, as hosts
// hold the windows of editors of fixed size.
POINT editorSize{0, 0};

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETMINMAXINFO && editorSize.x > 0 && editorSize.y > 0) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = limits->ptMaxTrackSize = editorSize;
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

IMpGraphicsWinGdi* graphicsOf(gmpi::IMpUserInterface* object) {
    void* graphics = nullptr;
    if (!object || object->queryInterface(gmpi::MP_IID_GRAPHICS_WIN_GDI, &graphics) != 0)
        return nullptr;
    return static_cast<IMpGraphicsWinGdi*>(graphics);
}

bool writePng(const std::string& path, const std::vector<uint8_t>& rgb, int width, int height) {
    const std::string partial = path + ".part";
    FILE* file = std::fopen(partial.c_str(), "wb");
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        std::remove(partial.c_str());
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, const_cast<png_bytep>(&rgb[static_cast<size_t>(y) * width * 3]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    const bool closed = std::fclose(file) == 0;
    // The picture appears whole or not at all.
    return closed && std::rename(partial.c_str(), path.c_str()) == 0;
}

} // namespace

bool HostSession::openWindows() {
    if (!qxplatform::hasDisplay()) {
        error_ = "no X display for a windowed run (set DISPLAY, or use --headless)";
        return false;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &parentProc;
    windowClass.lpszClassName = u"QxHostParent";
    RegisterClassExW(&windowClass);
    editorSize = POINT{options_.width, options_.height};
    for (size_t i = 0; i < hosts_.size(); ++i) {
        const int offset = static_cast<int>(i) * 40;
        const std::u16string title = u"qxhost - instance " + qxplatform::widen(std::to_string(i));
        HWND parent =
            CreateWindowExW(0, u"QxHostParent", title.c_str(), WS_VISIBLE, offset, offset,
                            options_.width, options_.height, nullptr, nullptr, nullptr, nullptr);
        IMpGraphicsWinGdi* graphics = graphicsOf(hosts_[i]->instance());
        if (!parent || !graphics) {
            error_ = "instance " + std::to_string(i) + " has no window";
            return false;
        }
        activeInstance_ = static_cast<int32_t>(i);
        graphics->setBounds(0, options_.height, 0, options_.width);
        HWND child = nullptr;
        graphics->openWindow(parent, &child);
        graphics->release();
        // Instance 0 publishes the configuration block as its window opens; the DSP side carries
        // it to every instance.
        dsp_.deliverPending();
        parents_.push_back(parent);
        children_.push_back(child);
    }
    return true;
}

void HostSession::closeWindows() {
    for (size_t i = 0; i < hosts_.size() && i < parents_.size(); ++i) {
        activeInstance_ = static_cast<int32_t>(i);
        if (IMpGraphicsWinGdi* graphics = graphicsOf(hosts_[i]->instance())) {
            graphics->closeWindow();
            graphics->release();
        }
        if (IsWindow(parents_[i])) DestroyWindow(parents_[i]);
    }
    parents_.clear();
    children_.clear();
    // The parents' WM_DESTROY posted a quit that belongs to no loop any more.
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    }
}

void HostSession::warnOnTheDesktop(const std::string& text) {
    if (parents_.empty()) return; // no window: standard error and the console say it
    desktopWarning_ = text;
}

// The box waits for its close, so it comes once the actions are done (a script's --save is not
// held by it), and only in a run that a person ends: a run that is to end by itself (--frames,
// --exit-after, --screenshot) must not wait for a click.
void HostSession::showDesktopWarning() {
    if (desktopWarning_.empty() || parents_.empty() || runIsOver()) return;
    if (options_.framesGiven || options_.exitAfterGiven || !options_.screenshotPath.empty()) return;
    std::u16string sentence = qxplatform::widen(desktopWarning_);
    desktopWarning_.clear();
    if (sentence[0] >= u'a' && sentence[0] <= u'z')
        sentence[0] = static_cast<char16_t>(sentence[0] - u'a' + u'A');
    MessageBoxW(parents_[0], reinterpret_cast<LPCWSTR>(sentence.c_str()),
                reinterpret_cast<LPCWSTR>(u"qxhost"), MB_OK | MB_ICONEXCLAMATION);
}

bool HostSession::writeScreenshot() {
    std::vector<uint8_t> rgb;
    int width = 0, height = 0;
    if (parents_.empty() || !qxplatform::captureWindowImage(parents_[0], rgb, width, height) ||
        !writePng(options_.screenshotPath, rgb, width, height)) {
        error_ = "could not write the screenshot " + options_.screenshotPath;
        return false;
    }
    return true;
}

namespace {
HostSession* tickingSession = nullptr;
constexpr UINT_PTR kDspTimer = 0x51;
// A change on a state pin reaches the session file within about a second.
constexpr UINT_PTR kSessionTimer = 0x52;
constexpr UINT kSessionWriteMs = 1000;
} // namespace

void HostSession::dspTick(HWND, UINT, UINT_PTR, DWORD) {
    if (!tickingSession) return;
    // The run's end ends an open dialog's or box's loop too (it counts as cancelled); the
    // message loop then ends the run.
    if (tickingSession->runIsOver()) PostQuitMessage(0);
    tickingSession->dsp_.deliverPending();
    tickingSession->dsp_.feedMeters(qxplatform::processClock());
}

void HostSession::sessionTick(HWND, UINT, UINT_PTR, DWORD) {
    if (tickingSession) tickingSession->saveSessionIfChanged();
}

bool HostSession::runIsOver() const {
    if (stopRequested()) return true;
    if (!options_.exitAfterGiven) return false;
    const auto elapsed = std::chrono::steady_clock::now() - runStart_;
    return elapsed >= std::chrono::milliseconds(options_.exitAfterMs);
}

// The timers run from the moment the windows are open, before the restore and the actions, so
// that a dialog or box an action opens meets the stop signals and the time limit too.
void HostSession::startTimers() {
    runStart_ = std::chrono::steady_clock::now();
    tickingSession = this;
    if (parents_.empty()) return;
    SetTimer(parents_[0], kDspTimer, 10, &HostSession::dspTick);
    SetTimer(parents_[0], kSessionTimer, kSessionWriteMs, &HostSession::sessionTick);
}

void HostSession::stopTimers() {
    if (!parents_.empty()) {
        KillTimer(parents_[0], kDspTimer);
        KillTimer(parents_[0], kSessionTimer);
    }
    tickingSession = nullptr;
}

int HostSession::runWindowed() {
    installStopSignals();
    if (!openOutputFiles() || !loadModule() || !createInstances()) return 1;
    if (!openWindows()) {
        closeWindows();
        releaseAll();
        return 1;
    }
    startTimers();
    // The editors are set up; their first paint comes after the restored state.
    const bool restored = restoreSession();
    for (const HostAction& action : options_.actions) {
        if (runIsOver()) break;
        if (!runAction(action)) {
            stopTimers();
            return 1;
        }
    }
    // The restore and the actions' scripts changed the state outside a window message; the
    // meters bring it over before the first message drops it.
    if (restored || !options_.actions.empty()) dsp_.feedMetersNow(qxplatform::processClock());
    showDesktopWarning();
    int32_t frames = 0;
    const HWND first = children_.empty() ? nullptr : children_[0];
    MSG m;
    bool running = true;
    while (running && GetMessageW(&m, nullptr, 0, 0)) {
        for (size_t i = 0; i < children_.size(); ++i)
            if (m.hwnd == children_[i]) activeInstance_ = static_cast<int32_t>(i);
        DispatchMessageW(&m);
        dsp_.deliverPending();
        dsp_.feedMeters(qxplatform::processClock());
        if (m.message == WM_PAINT && m.hwnd == first && first) ++frames;
        if (options_.framesGiven && frames >= options_.frames) running = false;
        if (runIsOver()) running = false;
    }
    stopTimers();
    bool ok = true;
    if (!options_.screenshotPath.empty()) ok = writeScreenshot();
    closeWindows();
    if (stopRequested()) hostLine(stopText());
    saveSession();
    if (!releaseAll()) {
        error_ = "an instance outlived its last release";
        return 1;
    }
    return ok ? 0 : 1;
}

} // namespace qxhost
