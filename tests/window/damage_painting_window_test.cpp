// Painting only what changed shows exactly what a whole repaint shows: seeded random runs of
// gestures and commands on the demo patch (drags of items, panels, marquees and buttons, zoom
// and pan, page changes, panels shown and hidden, macros that move many items, text entry,
// menus, timer ticks), each step painted as a WM_PAINT paints it and the same frame then
// drawn again whole, the two window pictures compared pixel for pixel. QX_DAMAGE_STEPS and
// QX_DAMAGE_SEED make longer or other runs (tools/damage-soak.sh).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "gui_window.h"
#include "panels/frame/panel_ids.h"

// After the module's headers: Xlib's macros would clash with their names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

int environmentNumber(const char* name, int fallback) {
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// Random presses reach PATCH FILE SAVE and the like: with no portal and no dialog helper on
// the PATH, every dialog is cancelled at once instead of waiting for a person.
class NoDesktopHelpers {
public:
    NoDesktopHelpers() {
        for (const char* name : kNames) {
            const char* value = std::getenv(name);
            saved.emplace_back(value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("PATH", "/nonexistent", 1);
        unsetenv("DBUS_SESSION_BUS_ADDRESS");
        unsetenv("XDG_RUNTIME_DIR");
        qxplatform::setShellOpensRecorded(true);
    }
    ~NoDesktopHelpers() {
        for (size_t i = 0; i < saved.size(); ++i) {
            if (saved[i])
                setenv(kNames[i], saved[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
        qxplatform::setShellOpensRecorded(false);
    }

private:
    static constexpr const char* kNames[] = {"PATH", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"};
    std::vector<std::optional<std::string>> saved;
};

class DamagePainting : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        helpersAway = std::make_unique<NoDesktopHelpers>();
        qxplatform::setManualClock(1000);
        std::tm noon{};
        noon.tm_year = 126;
        noon.tm_mday = 10;
        noon.tm_hour = 12;
        qxplatform::setManualLocalTime(noon);
        gui->loadMacroFile("PATCHES/DEMO.txt", true);
        gui->damagePainting = true;
        display = XOpenDisplay(nullptr);
    }
    void TearDown() override {
        helpersAway.reset();
        if (display) XCloseDisplay(display);
        qxplatform::releaseManualClock();
        qxplatform::releaseManualLocalTime();
        GuiWindow::TearDown();
    }

    // Paints as a WM_PAINT does.
    void paint() {
        makeSlotCurrent(gui->glSlot);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        gui->paintWindow(GetDC(window));
        glPopAttrib();
    }
    // Draws the frame just painted again, whole, and shows it. (Composing it anew would not
    // do: some screens move on with every frame they draw, as meters fall back.)
    void repaintWhole() {
        makeSlotCurrent(gui->glSlot);
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        for (const PixelRect& r : gui->damagePainter.repaintLastFrame(gui->glDrawLayer))
            qxplatform::presentPart(GetDC(window), r.x, kHeight - r.y - r.height, r.width,
                                    r.height);
        glPopAttrib();
    }
    // The window's pixels as the X server shows them.
    std::vector<char> shown() {
        XSync(display, False);
        XImage* image = XGetImage(display, qxplatform::xWindowHandle(window), 0, 0, kWidth, kHeight,
                                  AllPlanes, ZPixmap);
        std::vector<char> bytes;
        if (!image) return bytes;
        bytes.assign(image->data, image->data + static_cast<size_t>(image->bytes_per_line) *
                                                    static_cast<size_t>(image->height));
        XDestroyImage(image);
        return bytes;
    }
    // Differing pixels of two pictures (4 bytes a pixel), and where the first one is.
    static int differences(const std::vector<char>& a, const std::vector<char>& b, int* first) {
        int count = 0;
        *first = -1;
        for (size_t i = 0; i + 3 < a.size() && i + 3 < b.size(); i += 4) {
            if (std::memcmp(&a[i], &b[i], 3) == 0) continue;
            if (count++ == 0) *first = static_cast<int>(i / 4);
        }
        return count;
    }

    // ---- gestures ----------------------------------------------------------------------
    LRESULT send(UINT message, WPARAM flags, int x, int y) {
        return gui->windowProc(window, message, flags,
                               MAKELPARAM(static_cast<short>(x), static_cast<short>(y)));
    }
    void drag(UINT down, UINT up, WPARAM button, int x0, int y0, int x1, int y1, int steps) {
        send(WM_MOUSEMOVE, 0, x0, y0);
        send(down, button, x0, y0);
        for (int i = 1; i <= steps; ++i)
            send(WM_MOUSEMOVE, button, x0 + (x1 - x0) * i / steps, y0 + (y1 - y0) * i / steps);
        send(up, 0, x1, y1);
    }
    void tap(int key) {
        qxplatform::setKeyDown(key, true);
        gui->windowProc(window, WM_KEYDOWN, static_cast<WPARAM>(key), 0);
        qxplatform::setKeyDown(key, false);
        gui->windowProc(window, WM_KEYUP, static_cast<WPARAM>(key), 0);
    }
    void tick(int count) {
        for (int i = 0; i < count; ++i) {
            qxplatform::advanceManualClock(10);
            gui->windowProc(window, WM_TIMER, 0, 0);
        }
    }
    // Where a random item of the stage is on the screen.
    ScreenPoint someItem(std::mt19937& random) {
        const int kind = static_cast<int>(random() % 4);
        float x = 0.0f, y = 0.0f;
        if (kind == 0 && gui->sourceCount > 0) {
            const SourceRecord& s = gui->sources[random() % gui->sourceCount];
            x = s.x, y = s.y;
        } else if (kind == 1 && gui->targetCount > 0) {
            const TargetRecord& t = gui->targets[random() % gui->targetCount];
            x = t.x, y = t.y;
        } else if (kind == 2 && gui->groupCount > 0) {
            const GroupRecord& g = gui->groups[random() % gui->groupCount];
            x = g.x, y = g.y;
        } else if (gui->roomCount > 0) {
            const RoomRecord& r = gui->rooms[random() % gui->roomCount];
            x = r.x + 2.0f, y = r.y + 2.0f;
        }
        return gui->stageToScreen(x, y);
    }

    struct Step {
        const char* name;
        std::function<void(std::mt19937&)> run;
    };
    std::vector<Step> steps();

    Display* display = nullptr;
    std::unique_ptr<NoDesktopHelpers> helpersAway;
};

int anywhere(std::mt19937& random, int size) {
    return static_cast<int>(random() % static_cast<unsigned>(size));
}

std::vector<DamagePainting::Step> DamagePainting::steps() {
    const char* const pages[] = {"PAGE STAGE", "PAGE INPUTS", "PAGE OUTPUTS", "PAGE MATRIX",
                                 "PAGE FEEDBACK"};
    const char* const panelNames[] = {"CLI",      "SCOPE",   "ENVELOPES", "MUTES",   "FFT",
                                      "DYNAMICS", "FILTERS", "DELAY",     "VIRTUAL", "MACROS"};
    return {
        {"timer ticks", [this](std::mt19937& r) { tick(1 + anywhere(r, 5)); }},
        {"drag an item",
         [this](std::mt19937& r) {
             const ScreenPoint p = someItem(r);
             drag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, p.x, p.y, p.x + anywhere(r, 121) - 60,
                  p.y + anywhere(r, 121) - 60, 1 + anywhere(r, 4));
         }},
        {"drag anywhere",
         [this](std::mt19937& r) {
             drag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, anywhere(r, kWidth),
                  anywhere(r, kHeight), anywhere(r, kWidth), anywhere(r, kHeight), 3);
         }},
        {"right drag",
         [this](std::mt19937& r) {
             const ScreenPoint p = someItem(r);
             drag(WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON, p.x, p.y, p.x + anywhere(r, 81) - 40,
                  p.y + anywhere(r, 81) - 40, 2);
         }},
        {"middle drag",
         [this](std::mt19937& r) {
             drag(WM_MBUTTONDOWN, WM_MBUTTONUP, MK_MBUTTON, anywhere(r, kWidth),
                  anywhere(r, kHeight), anywhere(r, kWidth), anywhere(r, kHeight), 2);
         }},
        {"wheel",
         [this](std::mt19937& r) {
             const int x = anywhere(r, kWidth), y = anywhere(r, kHeight);
             send(WM_MOUSEMOVE, 0, x, y);
             const short delta = r() % 2 ? WHEEL_DELTA : -WHEEL_DELTA;
             send(WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<uint16_t>(delta)) << 16, x, y);
         }},
        {"pan",
         [this](std::mt19937& r) {
             gui->executeCommandString("DISPLACE_STAGE X:" + std::to_string(anywhere(r, 81) - 40) +
                                       " Y:" + std::to_string(anywhere(r, 81) - 40));
         }},
        {"page",
         [this, pages](std::mt19937& r) { gui->executeCommandString(pages[anywhere(r, 5)]); }},
        {"show a panel",
         [this, panelNames](std::mt19937& r) {
             gui->executeCommandString(std::string("SHOW_PANEL ") + panelNames[anywhere(r, 10)]);
         }},
        {"hide a panel",
         [this, panelNames](std::mt19937& r) {
             gui->executeCommandString(std::string("HIDE_PANEL ") + panelNames[anywhere(r, 10)]);
         }},
        {"move a panel",
         [this](std::mt19937& r) {
             const PanelWindow& p = gui->panelFrame.panels[anywhere(r, kPanelCount)];
             if (!p.shown) return;
             const int x = static_cast<int>(p.positionX + 20.0f);
             const int y = static_cast<int>(p.positionY + 4.0f);
             drag(WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON, x, y, x + anywhere(r, 201) - 100,
                  y + anywhere(r, 201) - 100, 3);
         }},
        {"macro moving many items",
         [this](std::mt19937& r) {
             gui->executeCommandString(r() % 2 ? "SELECT ALL" : "SELECT ALL_SOURCES");
             gui->executeCommandString("MOVE X:" + std::to_string(anywhere(r, 41) - 20) +
                                       " Y:" + std::to_string(anywhere(r, 41) - 20));
             gui->executeCommandString("UNSELECT ALL");
         }},
        {"text entry",
         [this](std::mt19937& r) {
             if (!gui->textEntry.textEntryKeysOn)
                 gui->openTextEntry(anywhere(r, 1200), anywhere(r, 700), -1, -1, "NAME", 16, 0,
                                    "TITLE", "PROMPT", 1);
             for (int i = anywhere(r, 4); i >= 0; --i) tap('A' + anywhere(r, 26));
             if (r() % 3 == 0) tap(VK_ESCAPE);
         }},
        {"menu",
         [this](std::mt19937& r) {
             const int x = anywhere(r, kWidth), y = anywhere(r, kHeight);
             send(WM_MOUSEMOVE, 0, x, y);
             send(WM_RBUTTONDOWN, MK_RBUTTON, x, y);
             send(WM_RBUTTONUP, 0, x, y);
             send(WM_MOUSEMOVE, 0, x + 20, y + 10 + anywhere(r, 60));
             if (r() % 2) tap(VK_ESCAPE);
         }},
        {"hover",
         [this](std::mt19937& r) {
             send(WM_MOUSEMOVE, 0, anywhere(r, kWidth), anywhere(r, kHeight));
         }},
    };
}

TEST_F(DamagePainting, EveryStepShowsWhatAWholeRepaintShows) {
    if (!opened()) return;
    if (!damagePaintingByDefault()) GTEST_SKIP() << "damage painting is off";
    ASSERT_NE(display, nullptr);
    const int count = environmentNumber("QX_DAMAGE_STEPS", 300);
    std::mt19937 random(static_cast<unsigned>(environmentNumber("QX_DAMAGE_SEED", 30)));
    const std::vector<Step> all = steps();
    paint();
    int partial = 0;
    for (int step = 0; step < count; ++step) {
        const Step& s = all[random() % all.size()];
        s.run(random);
        // Up to two frames in between, a tick apart: partial frames follow partial frames, and
        // the depth and the tiles each one leaves carry to the next.
        for (int between = anywhere(random, 3); between > 0; --between) {
            paint();
            tick(1);
        }
        const uint64_t wholeBefore = gui->damagePainter.stats().wholeFrames;
        paint();
        partial += gui->damagePainter.stats().wholeFrames == wholeBefore;
        const std::vector<char> painted = shown();
        repaintWhole();
        const std::vector<char> whole = shown();
        ASSERT_EQ(painted.size(), whole.size());
        int first = -1;
        const int differing = differences(painted, whole, &first);
        ASSERT_EQ(differing, 0) << "step " << step << " (" << s.name << "): first at "
                                << first % kWidth << "," << first / kWidth;
    }
    // The run exercised the partial path, not only whole repaints, both with the depth mask and
    // without it.
    EXPECT_GT(partial, count / 4);
    const PaintStats& stats = gui->damagePainter.stats();
    EXPECT_GT(stats.framesWithoutMask, 0u);
    EXPECT_GT(stats.unmaskedAfterMasked, 0u);
    EXPECT_GT(stats.partialFrames, stats.framesWithoutMask);
}

} // namespace
