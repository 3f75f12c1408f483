// A storm of seeded random input through the X server into a running qxhost with every panel
// open: moves in and out of the window, presses and releases of three buttons, drags that end
// outside, wheel notches, keys tapped with no hold and keys held under modifiers. Passes when
// qxhost then closes normally, in time, with nothing from the sanitizers on its error output.
//
//   qx_storm [--events N] [--seed S] [--out FOLDER]
//
// FOLDER holds qxhost, the module and the files beside it (default: the current folder); they
// are copied to a scratch folder first, so files the storm saves touch nothing else.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool ...) come after the standard headers.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "window/qxhost_driver.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    int events = 300;
    unsigned seed = 1;
    std::string out = ".";
};

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        const char* value = argv[i + 1];
        if (name == "--events")
            options.events = std::atoi(value);
        else if (name == "--seed")
            options.seed = static_cast<unsigned>(std::strtoul(value, nullptr, 10));
        else if (name == "--out")
            options.out = value;
        else
            return false;
    }
    return argc % 2 == 1 && options.events > 0;
}

// qxhost, the module, the platform library and the files beside them, into a fresh folder.
bool copyRunFolder(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::remove_all(to, error);
    fs::create_directories(to, error);
    for (const fs::directory_entry& entry : fs::directory_iterator(from, error)) {
        const std::string name = entry.path().filename().string();
        const std::string ext = entry.path().extension().string();
        const bool wanted = entry.is_directory() || name == "qxhost" ||
                            name.rfind("libqxplatform", 0) == 0 || ext == ".sem" || ext == ".txt" ||
                            ext == ".vert" || ext == ".frag";
        if (!wanted) continue;
        fs::copy(entry.path(), to / name, fs::copy_options::recursive, error);
        if (error) return false;
    }
    return fs::exists(to / "qxhost");
}

// Starts qxhost in `folder` with its error output going to `errors`.
pid_t startQxhost(const fs::path& folder, const std::vector<std::string>& arguments,
                  const fs::path& errors) {
    const pid_t pid = fork();
    if (pid != 0) return pid;
    if (chdir(folder.c_str()) != 0) _exit(126);
    std::vector<char*> argv{const_cast<char*>("./qxhost")};
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    if (!std::freopen(errors.c_str(), "w", stderr)) _exit(126);
    std::freopen("/dev/null", "w", stdout);
    // No desktop dialogs: a random click on OPEN or a colour box would otherwise leave a modal
    // file chooser waiting for a person. Without helpers or a portal the dialogs cancel.
    setenv("PATH", "/nonexistent", 1);
    unsetenv("DBUS_SESSION_BUS_ADDRESS");
    unsetenv("XDG_RUNTIME_DIR");
    // The session of a storm stays in its scratch folder, and it runs on the copied files.
    setenv("XDG_STATE_HOME", (folder / "state").c_str(), 1);
    setenv("XDG_DATA_HOME", (folder / "data").c_str(), 1);
    setenv("QXHOST_BUILD_FOLDER", "1", 1);
    execv("./qxhost", argv.data());
    _exit(127);
}

// Every panel shown, the CLI among them.
const char* const kAllPanels = "SHOW_PANEL CLI\nSHOW_PANEL SCOPE\nSHOW_PANEL ENVELOPES\n"
                               "SHOW_PANEL MUTES\nSHOW_PANEL FFT\nSHOW_PANEL DYNAMICS\n"
                               "SHOW_PANEL FILTERS\nSHOW_PANEL DELAY\nSHOW_PANEL VIRTUAL\n"
                               "SHOW_PANEL MACRO\n";

const KeySym kKeys[] = {
    XK_a,           XK_b,      XK_c,         XK_d,         XK_e,           XK_f,
    XK_g,           XK_h,      XK_i,         XK_j,         XK_k,           XK_l,
    XK_m,           XK_n,      XK_o,         XK_p,         XK_q,           XK_r,
    XK_s,           XK_t,      XK_u,         XK_v,         XK_w,           XK_x,
    XK_y,           XK_z,      XK_0,         XK_1,         XK_2,           XK_3,
    XK_4,           XK_5,      XK_6,         XK_7,         XK_8,           XK_9,
    XK_F1,          XK_F2,     XK_F3,        XK_F4,        XK_F5,          XK_F6,
    XK_F7,          XK_F8,     XK_F9,        XK_F10,       XK_F11,         XK_F12,
    XK_Tab,         XK_Return, XK_Escape,    XK_BackSpace, XK_Delete,      XK_Left,
    XK_Right,       XK_Up,     XK_Down,      XK_Prior,     XK_Next,        XK_space,
    XK_minus,       XK_equal,  XK_semicolon, XK_grave,     XK_bracketleft, XK_bracketright,
    XK_backslash,   XK_KP_0,   XK_KP_1,      XK_KP_5,      XK_KP_9,        XK_KP_Add,
    XK_KP_Subtract,
};
const KeySym kModifiers[] = {XK_Shift_L, XK_Control_L, XK_Alt_L};

class Storm {
public:
    Storm(Display* display, unsigned seed) : display_(display), random_(seed) {}

    // Stops early when `ended` says the program is gone.
    // The number of events sent.
    template <typename Ended> int run(int events, Ended ended) {
        int i = 0;
        for (; i < events && !(i % 20 == 0 && ended()); ++i) {
            step();
            XFlush(display_);
            const int pause = chance(40) ? 150 : pick(0, 12);
            std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        }
        releaseEverything();
        return i;
    }

private:
    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
    bool chance(int oneIn) { return pick(1, oneIn) == 1; }

    // Mostly inside the editor; now and then past its edges (a drag ends out there).
    void moveSomewhere() {
        const bool outside = chance(7);
        const int x = outside ? pick(qxhost_driver::kEditorWidth, qxhost_driver::kEditorWidth + 200)
                              : pick(0, qxhost_driver::kEditorWidth - 1);
        const int y = outside ? pick(0, qxhost_driver::kEditorHeight + 200)
                              : pick(0, qxhost_driver::kEditorHeight - 1);
        XTestFakeMotionEvent(display_, -1, x, y, 0);
    }
    void key(KeySym sym, bool press) {
        XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, sym), press ? True : False, 0);
    }
    // Ctrl and Alt are never held together, so no key combination can end the server.
    bool mayHold(int modifier) const {
        if (modifier == 1) return !modifierDown_[2];
        if (modifier == 2) return !modifierDown_[1];
        return true;
    }
    void toggleModifier() {
        const int m = pick(0, 2);
        if (!modifierDown_[m] && !mayHold(m)) return;
        modifierDown_[m] = !modifierDown_[m];
        key(kModifiers[m], modifierDown_[m]);
    }
    void toggleButton() {
        const int b = pick(1, 3);
        buttonDown_[b - 1] = !buttonDown_[b - 1];
        XTestFakeButtonEvent(display_, b, buttonDown_[b - 1] ? True : False, 0);
    }
    void wheel() {
        const unsigned button = chance(2) ? 4 : 5;
        XTestFakeButtonEvent(display_, button, True, 0);
        XTestFakeButtonEvent(display_, button, False, 0);
    }
    void tapKey() {
        const KeySym sym = kKeys[pick(0, static_cast<int>(std::size(kKeys)) - 1)];
        key(sym, true);
        key(sym, false);
    }
    void toggleHeldKey() {
        if (heldKey_ != 0) {
            key(heldKey_, false);
            heldKey_ = 0;
            return;
        }
        heldKey_ = kKeys[pick(0, static_cast<int>(std::size(kKeys)) - 1)];
        key(heldKey_, true);
    }
    void step() {
        const int roll = pick(0, 99);
        if (roll < 35)
            moveSomewhere();
        else if (roll < 50)
            toggleButton();
        else if (roll < 55)
            wheel();
        else if (roll < 80)
            tapKey();
        else if (roll < 90)
            toggleModifier();
        else
            toggleHeldKey();
    }
    void releaseEverything() {
        if (heldKey_ != 0) key(heldKey_, false);
        heldKey_ = 0;
        for (int m = 0; m < 3; ++m)
            if (modifierDown_[m]) key(kModifiers[m], false);
        for (int b = 0; b < 3; ++b)
            if (buttonDown_[b]) XTestFakeButtonEvent(display_, b + 1, False, 0);
        XFlush(display_);
    }

    Display* display_;
    std::mt19937 random_;
    bool buttonDown_[3] = {};
    bool modifierDown_[3] = {};
    KeySym heldKey_ = 0;
};

// X errors (a window the program has just destroyed, say) are no reason to stop the storm.
int ignoreXError(Display*, XErrorEvent*) {
    return 0;
}

// Asks the top-level window to close, as a window manager does.
void closeTopLevel(Display* display, Window top) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = top;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, top, False, NoEventMask, &event);
    XFlush(display);
}

// The exit status, or -1 when the process has not ended within `seconds`.
int waitWithin(pid_t pid, int seconds) {
    for (int i = 0; i < seconds * 10; ++i) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return -1;
}

int lineCount(const fs::path& file) {
    std::ifstream in(file);
    int count = 0;
    for (std::string line; std::getline(in, line);) ++count;
    return count;
}

// The lines of the error output that the sanitizers wrote.
std::vector<std::string> sanitizerLines(const fs::path& errors) {
    std::vector<std::string> found;
    std::ifstream in(errors);
    for (std::string line; std::getline(in, line);)
        if (line.find("Sanitizer") != std::string::npos ||
            line.find("runtime error:") != std::string::npos)
            found.push_back(line);
    return found;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr, "usage: qx_storm [--events N] [--seed S] [--out FOLDER]\n");
        return 2;
    }
    XSetErrorHandler(&ignoreXError);
    Display* display = XOpenDisplay(nullptr);
    int event = 0, error = 0, major = 0, minor = 0;
    if (!display || !XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::printf("storm skipped: no X display with XTEST\n");
        return 0;
    }
    const fs::path scratch = fs::temp_directory_path() / ("qx_storm_" + std::to_string(getpid()));
    if (!copyRunFolder(options.out, scratch)) {
        std::fprintf(stderr, "storm: cannot copy %s to %s\n", options.out.c_str(), scratch.c_str());
        return 2;
    }
    std::ofstream(scratch / "storm_panels.txt") << kAllPanels;
    const fs::path errors = scratch / "qxhost_errors.txt";
    const fs::path console = scratch / "qxhost_console.txt";
    const std::vector<Window> before =
        qxhost_driver::childrenOf(display, DefaultRootWindow(display));
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = startQxhost(scratch,
                                  {"--load", (scratch / "storm_panels.txt").string(), "--console",
                                   console.string(), "--exit-after", "600000"},
                                  errors);
    const Window editor = qxhost_driver::awaitEditorWindow(display, before);
    int status = -1;
    int sent = 0;
    int early = -1;
    if (editor) {
        Window root = 0, top = 0, *children = nullptr;
        unsigned int count = 0;
        XQueryTree(display, editor, &root, &top, &children, &count);
        if (children) XFree(children);
        XAutoRepeatOff(display); // a key held across slow frames stays one press
        const auto ended = [&] {
            int code = 0;
            if (waitpid(pid, &code, WNOHANG) != pid) return false;
            early = WIFEXITED(code) ? WEXITSTATUS(code) : 128 + WTERMSIG(code);
            return true;
        };
        sent = Storm(display, options.seed).run(options.events, ended);
        XAutoRepeatOn(display);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ended(); // an end of its own in the last few events counts too
        if (early == -1) closeTopLevel(display, top);
        status = early != -1 ? early : waitWithin(pid, 120);
    }
    if (status == -1) kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const std::vector<std::string> reports = sanitizerLines(errors);
    // qxhost ends only when asked to: an end of its own during the storm fails it.
    const bool endedEarly = early != -1;
    const char* ending = !editor        ? "showed no editor"
                         : status == -1 ? "hung"
                         : endedEarly   ? "ended by itself with"
                                        : "exit";
    std::printf("storm: seed %u, %d of %d events, %.1f s, qxhost %s %d, %d console lines, %zu "
                "sanitizer lines\n",
                options.seed, sent, options.events, seconds, ending, status, lineCount(console),
                reports.size());
    for (const std::string& line : reports) std::printf("  %s\n", line.c_str());
    XCloseDisplay(display);
    const bool passed = editor && !endedEarly && status == 0 && reports.empty();
    if (passed) {
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
    } else {
        std::printf("storm: qxhost's error output kept in %s\n", errors.c_str());
    }
    return passed ? 0 : 1;
}
