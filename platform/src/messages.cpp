// The message queue and pump: posted messages, X input turned into Windows messages with their
// packing, one coalesced WM_PAINT per invalidated window, WM_TIMER from the window timers, and
// WM_QUIT after PostQuitMessage. Order of delivery: posted and input messages, then paints,
// then timers. A key or button message carries its change of the key state, applied when the
// message is taken, so handlers read the keys as of the message they handle. A window that
// cannot be seen (unmapped, or wholly covered) gets no paint until it can.
#include "modal_loop.h"
#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"
#include "x_session.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <poll.h>

#include <chrono>
#include <deque>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Timer {
    HWND window;
    UINT_PTR id;
    std::chrono::milliseconds interval;
    Clock::time_point due;
    TIMERPROC proc;
};

// A queued message and the key or button change it carries (key -1: none).
struct QueuedMessage {
    MSG message;
    int key = -1;
    bool down = false;
};

struct MessageState {
    std::deque<QueuedMessage> queue;
    std::vector<Timer> timers;
    bool quitPosted = false;
    int quitCode = 0;
};

MessageState& state() {
    static MessageState s;
    return s;
}

DWORD now() {
    return static_cast<DWORD>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
            .count());
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, int key = -1,
          bool down = false) {
    QueuedMessage q;
    q.message = MSG{};
    q.message.hwnd = window;
    q.message.message = message;
    q.message.wParam = wParam;
    q.message.lParam = lParam;
    q.message.time = now();
    q.key = key;
    q.down = down;
    state().queue.push_back(q);
}

void applyKeyChange(const QueuedMessage& q) {
    if (q.key >= 0) qxplatform::recordKey(q.key, q.down);
}

WPARAM mouseFlags(unsigned int xState) {
    WPARAM flags = 0;
    if (xState & Button1Mask) flags |= MK_LBUTTON;
    if (xState & Button3Mask) flags |= MK_RBUTTON;
    if (xState & Button2Mask) flags |= MK_MBUTTON;
    if (xState & ShiftMask) flags |= MK_SHIFT;
    if (xState & ControlMask) flags |= MK_CONTROL;
    return flags;
}

// The window a mouse event goes to (the capture window when one is set) and the event's
// position in that window.
HWND mouseTarget(HWND window, int rootX, int rootY, int* x, int* y) {
    HWND target = GetCapture() ? GetCapture() : window;
    if (target != window) {
        RECT rect{};
        GetWindowRect(target, &rect);
        Window root = 0, child = 0;
        int originX = rect.left, originY = rect.top;
        Display* d = qxplatform::xSession().display;
        if (d && qxplatform::xWindowOf(target))
            XTranslateCoordinates(d, qxplatform::xWindowOf(target), DefaultRootWindow(d), 0, 0,
                                  &originX, &originY, &child);
        (void)root;
        *x = rootX - originX;
        *y = rootY - originY;
    }
    return target;
}

LPARAM packPoint(int x, int y) {
    return MAKELPARAM(static_cast<short>(x), static_cast<short>(y));
}

void translateKey(HWND window, XKeyEvent& event, bool press) {
    Display* d = qxplatform::xSession().display;
    KeySym sym = XkbKeycodeToKeysym(d, static_cast<KeyCode>(event.keycode), 0, 0);
    int vk = qxplatform::virtualKeyFromKeysym(sym);
    if (vk == 0) return;
    const bool wasDown = qxplatform::noteKeyArrived(vk, press);
    // Keys go to the focus window whichever X window received them.
    HWND target = GetFocus() ? GetFocus() : window;
    // Generic modifier codes, as a Windows program receives them.
    int reported = vk;
    if (vk == VK_LSHIFT || vk == VK_RSHIFT) reported = VK_SHIFT;
    if (vk == VK_LCONTROL || vk == VK_RCONTROL) reported = VK_CONTROL;
    if (vk == VK_LMENU || vk == VK_RMENU) reported = VK_MENU;
    const bool alt = qxplatform::keyArrivedDown(VK_MENU) || reported == VK_MENU;
    const bool system = alt || reported == VK_F1 + 9;
    LPARAM lParam = 1 | (static_cast<LPARAM>(event.keycode & 0xff) << 16);
    if (press) {
        if (wasDown) lParam |= LPARAM{1} << 30;
        post(target, system ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(reported), lParam, vk,
             true);
    } else {
        lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
        post(target, system ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(reported), lParam, vk,
             false);
    }
}

void translate(XEvent& event) {
    HWND window = qxplatform::windowOfX(event.xany.window);
    if (!window) return;
    switch (event.type) {
    case Expose:
        if (event.xexpose.count == 0) qxplatform::noteExposure(window);
        break;
    case MapNotify:
    case UnmapNotify:
        qxplatform::noteMapped(window, event.type == MapNotify);
        break;
    case VisibilityNotify:
        qxplatform::noteCovered(window, event.xvisibility.state == VisibilityFullyObscured);
        break;
    case ConfigureNotify:
        // Windows on the desktop are placed in screen coordinates.
        if (!GetParent(window) || GetParent(window) == GetDesktopWindow())
            qxplatform::updateWindowRect(window, event.xconfigure.x, event.xconfigure.y,
                                         event.xconfigure.width, event.xconfigure.height);
        break;
    case ButtonPress:
    case ButtonRelease: {
        const bool press = event.type == ButtonPress;
        int x = event.xbutton.x, y = event.xbutton.y;
        HWND target = mouseTarget(window, event.xbutton.x_root, event.xbutton.y_root, &x, &y);
        qxplatform::setCursorWindow(target);
        const unsigned int button = event.xbutton.button;
        if (button == 4 || button == 5) {
            if (!press) break; // a notch is one press; its release says nothing
            const short delta = button == 4 ? WHEEL_DELTA : -WHEEL_DELTA;
            WPARAM wParam = mouseFlags(event.xbutton.state) |
                            (static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16);
            post(target, WM_MOUSEWHEEL, wParam,
                 packPoint(event.xbutton.x_root, event.xbutton.y_root));
            break;
        }
        UINT message = 0;
        int vk = 0;
        if (button == 1) message = press ? WM_LBUTTONDOWN : WM_LBUTTONUP, vk = VK_LBUTTON;
        if (button == 2) message = press ? WM_MBUTTONDOWN : WM_MBUTTONUP, vk = VK_MBUTTON;
        if (button == 3) message = press ? WM_RBUTTONDOWN : WM_RBUTTONUP, vk = VK_RBUTTON;
        if (!message) break;
        qxplatform::noteKeyArrived(vk, press);
        // The flags tell the buttons as they are after this event.
        unsigned int xState = event.xbutton.state;
        const unsigned int mask = button == 1   ? Button1Mask
                                  : button == 2 ? Button2Mask
                                                : Button3Mask;
        xState = press ? (xState | mask) : (xState & ~mask);
        post(target, message, mouseFlags(xState), packPoint(x, y), vk, press);
        break;
    }
    case MotionNotify: {
        int x = event.xmotion.x, y = event.xmotion.y;
        HWND target = mouseTarget(window, event.xmotion.x_root, event.xmotion.y_root, &x, &y);
        qxplatform::setCursorWindow(target);
        post(target, WM_MOUSEMOVE, mouseFlags(event.xmotion.state), packPoint(x, y));
        break;
    }
    case EnterNotify:
        qxplatform::setCursorWindow(window);
        break;
    case KeyPress:
        translateKey(window, event.xkey, true);
        break;
    case KeyRelease:
        translateKey(window, event.xkey, false);
        break;
    case FocusIn:
        qxplatform::refreshKeyboardFromServer();
        break;
    case ClientMessage:
        if (static_cast<Atom>(event.xclient.data.l[0]) == qxplatform::xSession().deleteWindow)
            post(window, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void drainX() {
    Display* d = qxplatform::xSession().display;
    if (!d) return;
    while (XPending(d)) {
        XEvent event;
        XNextEvent(d, &event);
        translate(event);
    }
}

bool matches(const MSG& m, HWND window) {
    return !window || m.hwnd == window;
}

// The first due timer of the window (any window when null) as a WM_TIMER message.
bool takeDueTimer(MSG* out, HWND window, bool remove) {
    const auto t = Clock::now();
    for (Timer& timer : state().timers) {
        if (timer.due > t || !matches(MSG{timer.window, 0, 0, 0, 0, {}}, window)) continue;
        *out = MSG{};
        out->hwnd = timer.window;
        out->message = WM_TIMER;
        out->wParam = timer.id;
        out->lParam = reinterpret_cast<LPARAM>(timer.proc);
        out->time = now();
        if (remove) timer.due = t + timer.interval;
        return true;
    }
    return false;
}

// Takes the next message without waiting; false when there is none.
bool takeMessage(MSG* out, HWND window, bool remove) {
    drainX();
    auto& queue = state().queue;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!matches(it->message, window)) continue;
        *out = it->message;
        if (remove) {
            applyKeyChange(*it);
            queue.erase(it);
        }
        return true;
    }
    if (state().quitPosted) {
        *out = MSG{};
        out->message = WM_QUIT;
        out->wParam = static_cast<WPARAM>(state().quitCode);
        if (remove) state().quitPosted = false;
        return true;
    }
    // Due timers go ahead of paints, so that a window repainted after every message still
    // gets its timer ticks.
    if (takeDueTimer(out, window, remove)) return true;
    HWND painted = nullptr;
    if (qxplatform::takePaintRequest(&painted)) {
        if (!remove) qxplatform::markNeedsPaint(painted, true);
        *out = MSG{};
        out->hwnd = painted;
        out->message = WM_PAINT;
        out->time = now();
        return true;
    }
    return false;
}

// Waits until X input arrives, the next timer is due, fd is readable (when not negative) or
// limitMs has passed (when not negative).
void waitForWork(int fd = -1, int limitMs = -1) {
    int timeoutMs = limitMs;
    const auto t = Clock::now();
    for (const Timer& timer : state().timers) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(timer.due - t).count();
        int ms = left < 0 ? 0 : static_cast<int>(left) + 1;
        if (timeoutMs < 0 || ms < timeoutMs) timeoutMs = ms;
    }
    Display* d = qxplatform::xSession().display;
    pollfd fds[2];
    nfds_t count = 0;
    if (d) {
        XFlush(d);
        fds[count++] = pollfd{ConnectionNumber(d), POLLIN, 0};
    }
    if (fd >= 0) fds[count++] = pollfd{fd, POLLIN, 0};
    if (count == 0 && timeoutMs < 0) timeoutMs = 100;
    poll(count ? fds : nullptr, count, timeoutMs);
}

// Input and close requests that a modal dialog keeps from its owner's windows.
bool blockedWhileModal(UINT message) {
    return (message >= WM_MOUSEMOVE && message <= WM_MOUSEWHEEL) ||
           (message >= WM_KEYDOWN && message <= WM_SYSKEYUP) || message == WM_CLOSE;
}

} // namespace

void PostQuitMessage(int exitCode) {
    state().quitPosted = true;
    state().quitCode = exitCode;
}

BOOL PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window && !IsWindow(window)) return FALSE;
    post(window, message, wParam, lParam);
    return TRUE;
}

// Returns FALSE for WM_QUIT, as on Windows. Without a display, windows or timers it would wait
// for ever, as on Windows; a caller ends it with PostQuitMessage.
BOOL GetMessageW(MSG* message, HWND window, UINT, UINT) {
    if (!message) return -1;
    while (!takeMessage(message, window, true)) waitForWork();
    return message->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(MSG* message, HWND window, UINT, UINT, UINT remove) {
    if (!message) return FALSE;
    return takeMessage(message, window, (remove & PM_REMOVE) != 0) ? TRUE : FALSE;
}

BOOL TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT DispatchMessageW(const MSG* message) {
    if (!message) return 0;
    if (message->message == WM_TIMER && message->lParam) {
        reinterpret_cast<TIMERPROC>(message->lParam)(message->hwnd, WM_TIMER, message->wParam,
                                                     message->time);
        return 0;
    }
    if (!message->hwnd) return 0;
    return SendMessageW(message->hwnd, message->message, message->wParam, message->lParam);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC proc) {
    if (window && !IsWindow(window)) return 0;
    const UINT_PTR effective = id ? id : 1;
    if (elapseMs < 1) elapseMs = 1;
    for (Timer& timer : state().timers) {
        if (timer.window == window && timer.id == effective) {
            timer.interval = std::chrono::milliseconds(elapseMs);
            timer.due = Clock::now() + timer.interval;
            timer.proc = proc;
            return effective;
        }
    }
    const auto interval = std::chrono::milliseconds(elapseMs);
    state().timers.push_back(Timer{window, effective, interval, Clock::now() + interval, proc});
    return effective;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
    auto& timers = state().timers;
    for (auto it = timers.begin(); it != timers.end(); ++it) {
        if (it->window == window && it->id == id) {
            timers.erase(it);
            return TRUE;
        }
    }
    return FALSE;
}

namespace qxplatform {

// Timers and queued messages of a destroyed window go with it; the key changes those messages
// carry still apply, so no key stays down for want of its release.
void forgetWindowMessages(HWND window) {
    auto& queue = state().queue;
    for (auto it = queue.begin(); it != queue.end();) {
        if (it->message.hwnd != window) {
            ++it;
            continue;
        }
        applyKeyChange(*it);
        it = queue.erase(it);
    }
    auto& timers = state().timers;
    for (auto it = timers.begin(); it != timers.end();)
        it = it->window == window ? timers.erase(it) : it + 1;
}

bool pumpWhileModal(int fd, int waitMs) {
    waitForWork(fd, waitMs);
    // Bounded, so that a window that repaints after every message cannot hold the loop.
    MSG m;
    bool pressed = false;
    for (int turn = 0; turn < 64 && !state().quitPosted; ++turn) {
        if (!takeMessage(&m, nullptr, true)) break;
        if (!blockedWhileModal(m.message))
            DispatchMessageW(&m);
        else
            pressed = pressed || m.message == WM_LBUTTONDOWN || m.message == WM_RBUTTONDOWN ||
                      m.message == WM_MBUTTONDOWN;
    }
    return pressed;
}

bool quitPending() {
    return state().quitPosted;
}

int activeTimerCount() {
    return static_cast<int>(state().timers.size());
}

void pumpPendingEvents() {
    drainX();
}

} // namespace qxplatform
