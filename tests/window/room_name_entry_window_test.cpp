// A double click on a room's top edge, where its name is drawn, opens NAME ROOM on the room's
// own name; after ESC or ENTER the pointer moving with no button held leaves the room's
// rectangle (what pin 7 carries) as it was. A dialog the module opens while an edge is dragged
// ends that drag the same way. Real X input through xdotool on a QX_GUI in its own window.
#include <array>
#include <string>

#include "gui_window.h"
#include "real_keys.h"

namespace {

using real_keys::xdotool;

// The room at stage (-200, -100), 400 x 200: at zoom 1 its top edge is window row 300 from
// column 488 to 888 (stage y -100 exactly, so pressing it moves no edge), and its name is
// drawn just below that edge at the left.
constexpr const char* kEdgeX = "520";
constexpr const char* kEdgeY = "300";

class RoomNameWindow : public GuiWindow {
protected:
    void SetUp() override {
        GuiWindow::SetUp();
        if (!opened()) return;
        if (!real_keys::haveXdotool()) GTEST_SKIP() << "no xdotool";
        render(); // the graphics start-up, after which presses reach the stage
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        gui->groupCount = 0;
        gui->roomCount = 1;
        gui->rooms[0].x = -200.0f;
        gui->rooms[0].y = -100.0f;
        gui->rooms[0].setSize(400.0f, 200.0f);
        gui->rooms[0].name = "VOCALS";
        gui->view.viewZoom = 1.0f;
        gui->view.viewPanX = gui->view.viewPanY = 0.0f;
        // What the last entry held (a group just named STRINGS).
        gui->textEntry.textEntryText = "STRINGS";
    }
    std::array<float, 4> rectangle() const {
        const RoomRecord& r = gui->rooms[0];
        return {r.x, r.y, r.width, r.height};
    }
    // The pointer crosses the stage with no button held.
    void wander() {
        ASSERT_TRUE(xdotool({"mousemove", "520", "500", "sleep", "0.05", "mousemove", "700", "650",
                             "sleep", "0.05", "mousemove", "300", "100"}));
    }
};

TEST_F(RoomNameWindow, ADoubleClickOnTheTopEdgeNamesTheRoomAndNeverDragsItsEdge) {
    if (!opened()) return;
    for (const char* key : {"Escape", "Return"}) {
        SCOPED_TRACE(key);
        const std::array<float, 4> before = rectangle();
        ASSERT_TRUE(xdotool({"mousemove", kEdgeX, kEdgeY, "sleep", "0.3", "click", "--repeat", "2",
                             "--delay", "60", "1"}));
        ASSERT_TRUE(gui->isTextEntryOpen());
        EXPECT_EQ(gui->textEntry.textEntryPrompt, "NAME ROOM");
        EXPECT_EQ(gui->textEntry.textEntryText, "VOCALS");
        ASSERT_TRUE(real_keys::press(key));
        EXPECT_FALSE(gui->isTextEntryOpen());
        wander();
        EXPECT_EQ(rectangle(), before);
        EXPECT_EQ(gui->rooms[0].name, "VOCALS");
        real_keys::pump(300); // the next double click is not joined to this one
    }
}

TEST_F(RoomNameWindow, ADialogOpenedWhileAnEdgeIsDraggedEndsTheDrag) {
    if (!opened()) return;
    ASSERT_TRUE(xdotool({"mousemove", kEdgeX, kEdgeY, "sleep", "0.1", "mousedown", "1", "sleep",
                         "0.05", "mousemove", kEdgeX, "280"}));
    ASSERT_EQ(gui->stage.roomResizing, 1);
    EXPECT_NEAR(gui->rooms[0].y, -120.0f, 1.0f) << "the top edge follows while the drag runs";
    const std::array<float, 4> before = rectangle();
    qxplatform::queueDialogAnswer(qxplatform::DialogKind::Colour, "255");
    gui->pickColour(0);
    // The button is still down: the moves drag nothing any more; then it comes up.
    ASSERT_TRUE(xdotool({"mousemove", kEdgeX, "200", "sleep", "0.05", "mouseup", "1"}));
    wander();
    EXPECT_EQ(rectangle(), before);
}

} // namespace
