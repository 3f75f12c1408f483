// Top-level windows carry their title and class for window managers and tools; child windows
// carry neither.
#include <gtest/gtest.h>

#include "qxplatform/test_hooks.h"
#include "qxplatform/win32.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

std::string netWmName(Display* display, Window w) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, w, XInternAtom(display, "_NET_WM_NAME", False), 0, 256, False,
                           XInternAtom(display, "UTF8_STRING", False), &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    return name;
}

TEST(WindowNames, ATopLevelWindowHasItsTitleAndClass) {
    if (!qxplatform::hasDisplay()) GTEST_SKIP() << "no X display";
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &plainProc;
    windowClass.lpszClassName = u"NamedWindowTest";
    RegisterClassExW(&windowClass);
    HWND top = CreateWindowExW(0, u"NamedWindowTest", u"qxhost - instance 0", WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
    HWND child = CreateWindowExW(0, u"NamedWindowTest", nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 50,
                                 50, top, nullptr, nullptr, nullptr);
    ASSERT_NE(top, nullptr);
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window w = qxplatform::xWindowHandle(top);

    char* name = nullptr;
    ASSERT_TRUE(XFetchName(display, w, &name));
    EXPECT_STREQ(name, "qxhost - instance 0");
    XFree(name);
    EXPECT_EQ(netWmName(display, w), "qxhost - instance 0");
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(display, w, &hint));
    EXPECT_STREQ(hint.res_class, "NamedWindowTest");
    EXPECT_STRNE(hint.res_name, "");
    XFree(hint.res_name);
    XFree(hint.res_class);

    char* childName = nullptr;
    EXPECT_FALSE(XFetchName(display, qxplatform::xWindowHandle(child), &childName));
    XCloseDisplay(display);
    DestroyWindow(top);
}

} // namespace
