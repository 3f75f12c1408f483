// The DYNAMICS panel: its captions and description, the point drags and the knee, the bytes the
// drags send, the fields of the top row, the menus, and the shipped editor menus.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "command/verb_table.h"
#include "editor_panel_fixture.h"

namespace {

struct DynamicsPanel : ::testing::Test, EditorFixture {
    DynamicsPanel() {
        source(0, 0.0f, 0.0f);
        // Whole window pixels land on plot fractions 0.7 and 0.6 from this position.
        place(kPanelDynamics, 100.6f, 100.2f);
        gui->loadDynamicsPanel(1, 0);
    }
    // Window pixel of a plot point (x, y in 0..1).
    int32_t px(float x) {
        return static_cast<int32_t>(std::lround(100.6f + 2.0f + 54.0f + 272.0f * x));
    }
    int32_t py(float y) {
        return static_cast<int32_t>(std::lround(100.2f + 9.0f + 23.0f + 272.0f * (1.0f - y)));
    }
    DynamicsCurve& curve() { return gui->dynamicsEditor.dynamicsEditCurve; }
    std::string description(const RecordingDrawLayer& r) {
        for (const std::string& t : r.texts())
            if (t.rfind("CLASSIC", 0) == 0 || t.find("SIDECHAIN - ") != std::string::npos) return t;
        return "";
    }
};

TEST_F(DynamicsPanel, AFreshSourceIsCaptionedAndDescribed) {
    curve().releaseMs = 1500.0f;
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawDynamicsPanel(); });
    EXPECT_TRUE(r.failures.empty());
    EXPECT_NE(r.findText("ATTACK 250MS"), nullptr);
    EXPECT_NE(r.findText("RELEASE 1.50S"), nullptr);
    EXPECT_EQ(description(r), "CLASSIC 1.00:1 - SIDECHAIN - INTERNAL - POST-FILTER");
    EXPECT_FLOAT_EQ(curve().curveMidpoint.x, 0.5f);
    // The area under the curve, in the inverse colour, faint while the processor is off.
    const RecordedDraw* area = topAt(r, 55.0f + 200.0f, 24.0f + 250.0f);
    ASSERT_NE(area, nullptr);
    EXPECT_EQ(area->colour[3], 0.1f);
    // A flat top gives an unbounded ratio; a side chain from source 2 is named.
    gui->sources[1].name = "KICK";
    curve().points[4].y = 0.5f;
    curve().sidechainIndex = 1;
    const RecordingDrawLayer r2 = drawContent([](QX_GUI& g) { g.drawDynamicsPanel(); });
    EXPECT_EQ(description(r2), "CLASSIC inf:1 - SIDECHAIN - KICK - POST-FILTER");
}

TEST_F(DynamicsPanel, DraggingTheMiddlePointKeepsItOnTheDiagonalAndSendsThePoints) {
    gui->dynamicsPanelLButtonDown(MK_LBUTTON, px(0.5f), py(0.5f));
    ASSERT_EQ(gui->dynamicsEditor.grabbedPoint, 3);
    EXPECT_EQ(gui->interaction.controlDragActive, 1);
    EXPECT_EQ(gui->interaction.controlDragPanel, 3);
    gui->dynamicsPanelMouseMove(MK_LBUTTON, px(0.7f), py(0.6f));
    const CurvePoint* p = curve().points;
    EXPECT_NEAR(p[2].x, 0.65f, 1e-5f);
    EXPECT_NEAR(p[2].y, 0.65f, 1e-5f);
    EXPECT_NEAR(p[1].x, 0.585f, 1e-5f);
    EXPECT_NEAR(p[3].y, 0.685f, 1e-5f);
    const std::vector<uint8_t> bytes = pins->lastSent(14);
    ASSERT_GE(bytes.size(), 860u);
    EXPECT_NEAR(wireFloat(bytes, 12), 0.65f, 1e-5f);
    const float points[10] = {0, 0, 0.585f, 0.585f, 0.65f, 0.65f, 0.685f, 0.685f, 1, 1};
    for (int k = 0; k < 10; ++k) EXPECT_NEAR(wireFloat(bytes, 28 + 4 * k), points[k], 1e-5f) << k;
    gui->dynamicsPanelLButtonUp(0, 0, 0);
    EXPECT_EQ(gui->dynamicsEditor.grabbedPoint, 0);
    gui->dynamicsPanelMouseMove(0, px(0.2f), py(0.2f));
    EXPECT_NEAR(curve().points[2].x, 0.65f, 1e-5f);
}

TEST_F(DynamicsPanel, ACtrlDragOfTheMiddleMovesOnlyTheKneeWithinItsLimit) {
    struct Case {
        int32_t type;
        float floor;
    };
    for (const Case& c : {Case{0, -0.5f}, Case{4, -0.2f}}) {
        curve().dynamicsType = c.type;
        curve().points[2] = {0.8f, 0.8f};
        curve().knee = 0.1f;
        gui->dynamicsPanelLButtonDown(MK_LBUTTON, px(0.8f), py(0.8f));
        ASSERT_EQ(gui->dynamicsEditor.grabbedPoint, 3);
        hold({VK_CONTROL});
        gui->dynamicsPanelMouseMove(MK_LBUTTON, px(0.8f), py(0.0f));
        letGoAll();
        EXPECT_FLOAT_EQ(curve().knee, c.floor) << c.type;
        EXPECT_NEAR(curve().points[2].x, 0.8f, 1e-6f);
        gui->dynamicsEditor.grabbedPoint = 0;
    }
}

TEST_F(DynamicsPanel, FollowerAndDynamicEqCannotBeGrabbed) {
    for (int32_t type : {6, 8}) {
        curve().dynamicsType = type;
        gui->dynamicsPanelLButtonDown(MK_LBUTTON, px(0.5f), py(0.5f));
        EXPECT_EQ(gui->dynamicsEditor.grabbedPoint, 0) << type;
    }
}

TEST_F(DynamicsPanel, TheOnOffBoxTogglesAndStores) {
    gui->dynamicsPanelLButtonDown(MK_LBUTTON, px(0.0f) + 10, py(1.0f) + 7);
    EXPECT_EQ(curve().enabled, 1);
    EXPECT_EQ(pins->lastSent(14).at(2), 1);
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawDynamicsPanel(); });
    EXPECT_EQ(topAt(r, 61.0f, 35.0f)->colour, (std::array<float, 4>{1, 1, 1, 1}));
}

TEST_F(DynamicsPanel, TheTopRowOpensTheEntriesAndMenus) {
    const int32_t top = static_cast<int32_t>(100.2f + 9.0f + 10.0f);
    gui->dynamicsPanelLButtonDown(MK_LBUTTON, static_cast<int32_t>(102.6f + 80.0f), top);
    EXPECT_EQ(gui->textEntry.textEntryId, 23);
    EXPECT_EQ(gui->textEntry.textEntryText, "250");
    EXPECT_EQ(gui->textEntry.textEntryTitle, "ATTACK TIME");
    EXPECT_EQ(gui->textEntry.textEntryPrompt, "0 - 2000 MS");
    EXPECT_EQ(gui->textEntry.textEntryKind, 3);
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 4);
    EXPECT_EQ(gui->textEntry.textEntryX, 190);
    gui->dynamicsPanelLButtonDown(MK_LBUTTON, static_cast<int32_t>(102.6f + 210.0f), top);
    EXPECT_TRUE(statusIs("DYNAMICS TYPE MENU"));
    EXPECT_EQ(gui->chrome.popupLayerOpen, 1);
    EXPECT_EQ(gui->chrome.popupMenus[0].x, static_cast<int32_t>(100.6f + 210.0f));
    // No store from a field: the table was not sent.
    pins->sent.clear();
    gui->dynamicsPanelLButtonDown(MK_LBUTTON, static_cast<int32_t>(102.6f + 300.0f), top);
    EXPECT_TRUE(statusIs("MENU SIDECHAIN LOCATION"));
    EXPECT_FALSE(pins->wasSent(14));
}

TEST_F(DynamicsPanel, ARightClickOpensTheMenuOnlyInTheContent) {
    EXPECT_EQ(gui->dynamicsPanelRButtonDown(0, px(0.5f), py(0.5f)), 0);
    EXPECT_EQ(gui->chrome.popupLayerOpen, 1);
    gui->chrome.popupLayerOpen = 0;
    EXPECT_EQ(gui->dynamicsPanelRButtonDown(0, px(0.5f), 104), -1);
    EXPECT_EQ(gui->chrome.popupLayerOpen, 0);
}

// S1 and S2 form the syndication set and S1's edit is not stored yet: moving or closing the
// panel through its frame leaves both records and pins 14 and 17 as they were, while one
// content click stores S1 and copies it to S2.
TEST_F(DynamicsPanel, MovingOrClosingThePanelStoresAndSyndicatesNothing) {
    useMouseDispatch();
    source(1, 5.0f, 0.0f);
    gui->sources[0].selected = 1;
    gui->sources[1].selected = 1;
    gui->marqueeRect[0] = -20;
    gui->marqueeRect[1] = -20;
    gui->marqueeRect[2] = 20;
    gui->marqueeRect[3] = 20;
    gui->syndicationMode = 1;
    gui->loadDynamicsPanel(1, 1);
    gui->loadDynamicsPanel(1, 0);
    gui->bringPanelToFront(kPanelDynamics);
    struct Case {
        const char* gesture;
        int32_t x0, y0, x1, y1; // window pixels, on the title bar
        float panelX;
        uint8_t shown;
    };
    const Case cases[] = {
        {"move by the title bar", 150, 104, 250, 204, 200.0f, 1},
        {"close by the X", 598, 204, 598, 204, 200.0f, 0},
    };
    for (const Case& c : cases) {
        curve().enabled = 1;
        gui->sendStateToDsp();
        pins->sent.clear();
        advanceClock(1000);
        drag(c.x0, c.y0, c.x1, c.y1);
        gui->sendStateToDsp();
        EXPECT_FALSE(pins->wasSent(14)) << c.gesture;
        EXPECT_FALSE(pins->wasSent(17)) << c.gesture;
        EXPECT_EQ(gui->inputDynamics[0].mode, 0) << c.gesture;
        EXPECT_EQ(gui->inputDynamics[1].mode, 0) << c.gesture;
        EXPECT_EQ(gui->syndicationFlash, 0) << c.gesture;
        EXPECT_FLOAT_EQ(gui->panelFrame.panels[kPanelDynamics].positionX, c.panelX) << c.gesture;
        EXPECT_EQ(gui->panelFrame.panels[kPanelDynamics].shown, c.shown) << c.gesture;
    }
    // Shown again, a click in the plot away from the points stores and copies.
    gui->panelFrame.panels[kPanelDynamics].shown = 1;
    curve().enabled = 1;
    advanceClock(1000);
    click(static_cast<int32_t>(200.0f + 2.0f + 54.0f + 272.0f * 0.9f), py(0.1f) + 100);
    EXPECT_EQ(gui->inputDynamics[0].mode, 1);
    EXPECT_EQ(gui->inputDynamics[1].mode, 1);
    EXPECT_EQ(pins->lastSent(14).at(2), 1);
}

TEST(EditorMenus, EveryRowOfTheEditorMenusNamesAKnownVerb) {
    auto gui = std::make_unique<QX_GUI>();
    const auto table = std::make_unique<UserMenuTable>(gui->loadUserMenu("USER_MENU.txt"));
    for (const char* name : {"DYNAMICS_TYPE", "SIDECHAIN", "SIDECHAIN_LOCATION",
                             "SIDECHAIN_LOCATION2", "DYNAMICS", "FILTER_TYPE", "FILTER"}) {
        const auto menu = std::find_if(table->menus, table->menus + table->count,
                                       [&](const NamedStringList& m) { return m.name == name; });
        ASSERT_NE(menu, table->menus + table->count) << name;
        EXPECT_GT(menu->itemCount, 0) << name;
        for (int32_t i = 0; i < menu->itemCount; ++i) {
            const std::string& row = menu->items[i];
            const std::string command = row.substr(row.find('|') + 1);
            if (command.rfind("x|", 0) == 0) continue; // a submenu
            const std::string verb = command.substr(0, command.find(' '));
            const bool known = std::any_of(verbTableBegin(), verbTableEnd(),
                                           [&](const VerbRow& v) { return verb == v.verb; });
            EXPECT_TRUE(known) << name << ": " << row;
        }
    }
}

} // namespace
