// Every drag under way ends when input is taken from the window: a text entry opens, a box or
// a dialog opens (the window is told to cancel its modes), another window takes the capture, or
// a move arrives with no button held (the release never came). Afterwards a move with no
// button changes nothing the drag changed.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "editor_panel_fixture.h"
#include "view/frame/page_ids.h"
#include "view/input/interaction_modes.h"

namespace {

// Pointer moves far across the window after a drag began.
const std::pair<int32_t, int32_t> kFarMoves[] = {{37, 30}, {900, 700}, {100, 650}, {700, 20}};

struct DragScreen : EditorFixture {
    DragScreen() {
        useMouseDispatch();
        gui->setSourceCount(2);
        gui->setTargetCount(0);
        gui->groupCount = 0;
        room(0, -100.0f, -100.0f, 200.0f, 200.0f);
        source(0, 150.0f, 150.0f);
        source(1, 40.0f, 40.0f);
    }
    // What the drags change, read as one list of numbers.
    std::vector<float> dragged() const {
        const QX_GUI& g = *gui;
        const RoomRecord& r = g.rooms[0];
        const PanelWindow& delay = g.panelFrame.panels[kPanelDelay];
        return {r.x,
                r.y,
                r.width,
                r.height,
                g.sources[0].x,
                g.sources[0].y,
                g.sources[0].level,
                static_cast<float>(g.marqueeRect[2]),
                static_cast<float>(g.marqueeRect[3]),
                g.view.viewPanX,
                g.view.viewPanY,
                delay.positionX,
                delay.positionY};
    }
    void pressAt(float stageX, float stageY) {
        const ScreenPoint p = stageToPixel(stageX, stageY);
        move(p.x, p.y);
        press(p.x, p.y);
    }
};

struct DragKind {
    const char* name;
    std::function<void(DragScreen&)> start; // presses and moves a little, the button held
};

const DragKind kDragKinds[] = {
    {"room top edge",
     [](DragScreen& f) {
         f.pressAt(0.0f, -100.0f);
         ASSERT_EQ(f.gui->stage.roomResizing, 1);
     }},
    {"source move",
     [](DragScreen& f) {
         f.pressAt(150.0f, 150.0f);
         ASSERT_EQ(f.gui->interaction.stageInteractionMode, kModeSourceMove);
     }},
    {"marquee",
     [](DragScreen& f) {
         f.pressAt(300.0f, -250.0f);
         ASSERT_EQ(f.gui->marqueeRubberBand, 1);
     }},
    {"pan (CTRL press)",
     [](DragScreen& f) {
         f.hold({VK_CONTROL});
         f.pressAt(300.0f, -250.0f);
         f.letGo({VK_CONTROL});
         ASSERT_EQ(f.gui->interaction.stageInteractionMode, kModePan);
     }},
    {"pan (middle button)",
     [](DragScreen& f) {
         f.move(500, 300);
         f.press(500, 300, ScreenFixture::Button::Middle);
         ASSERT_EQ(f.gui->interaction.stageInteractionMode, kModePan);
     }},
    {"panel move",
     [](DragScreen& f) {
         f.place(kPanelDelay, 300.0f, 300.0f);
         f.gui->initPanelOrder();
         f.move(320, 303);
         f.press(320, 303);
         ASSERT_EQ(f.gui->panelFrame.panels[kPanelDelay].dragMode, kPanelDragMove);
     }},
    {"INPUTS fader",
     [](DragScreen& f) {
         f.gui->view.currentPage = kPageInputs;
         f.gui->sources[0].level = 0.5f;
         f.move(6 + 31, 13 + 65);
         f.press(6 + 31, 13 + 65);
         ASSERT_EQ(f.gui->mixerPages.draggedStrip, 0);
     }},
};

struct TakeAway {
    const char* name;
    std::function<void(DragScreen&)> act;
};

const TakeAway kTakeAways[] = {
    {"a text entry opens",
     [](DragScreen& f) { f.gui->openTextEntry(500, 300, -1, -1, "R1", 15, 0, "R1", "NAME", 1); }},
    {"a box or dialog opens",
     [](DragScreen& f) { f.gui->windowProc(nullptr, WM_CANCELMODE, 0, 0); }},
    {"another window takes the capture",
     [](DragScreen& f) {
         f.gui->windowProc(nullptr, WM_CAPTURECHANGED, 0, static_cast<LPARAM>(0x1234));
     }},
    {"a move with no button held",
     [](DragScreen& f) { f.gui->windowProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(600, 200)); }},
};

TEST(DragEnding, EveryDragEndsWhereverInputIsTakenAwayAndTheNextMoveChangesNothing) {
    for (const DragKind& kind : kDragKinds) {
        for (const TakeAway& away : kTakeAways) {
            SCOPED_TRACE(::testing::Message() << kind.name << ", " << away.name);
            DragScreen f;
            kind.start(f);
            away.act(f);
            EXPECT_FALSE(f.gui->isDragUnderWay());
            f.gui->textEntry.textEntryId = 0; // the entry closes (ESC)
            const std::vector<float> before = f.dragged();
            for (const auto& [x, y] : kFarMoves) f.move(x, y);
            EXPECT_EQ(f.dragged(), before);
        }
    }
}

// The same drags, not taken away: the moves do drag, so the table above shows something.
TEST(DragEnding, TheSameDragsFollowThePointerWhileNothingTakesInputAway) {
    for (const DragKind& kind : kDragKinds) {
        SCOPED_TRACE(kind.name);
        DragScreen f;
        kind.start(f);
        const std::vector<float> before = f.dragged();
        for (const auto& [x, y] : kFarMoves) f.gui->onMouseMove(MK_LBUTTON | MK_MBUTTON, x, y);
        EXPECT_NE(f.dragged(), before);
        EXPECT_TRUE(f.gui->isDragUnderWay());
    }
}

TEST(DragEnding, AMoveWithAButtonHeldKeepsTheDragAndOneWithNoneEndsIt) {
    DragScreen f;
    f.pressAt(150.0f, 150.0f);
    f.gui->windowProc(nullptr, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(650, 350));
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeSourceMove);
    f.gui->windowProc(nullptr, WM_MOUSEMOVE, 0, MAKELPARAM(650, 350));
    EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
}

} // namespace
