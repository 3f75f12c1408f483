// Presses on sources, groups and targets: the line each held key runs, the cable keys across
// presses, group toggles and the group's cable removal, through the mouse and the key state.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "screen_fixture.h"
#include "view/input/interaction_modes.h"

namespace {

using Lines = std::vector<std::string>;

// Three sources, three targets and two groups, named as the demo names them, spread so that
// no press reaches two items; group G1 holds S1 and S2.
struct ItemStage : ScreenFixture {
    ItemStage() {
        gui->graphicsReady = 1;
        gui->setSourceCount(0);
        gui->setTargetCount(0);
        for (int i = 0; i < 3; ++i) {
            source(i, -200.0f + 60.0f * i, -100.0f);
            gui->sources[i].name = "S" + std::to_string(i + 1);
            target(i, -200.0f + 60.0f * i, 100.0f);
            gui->targets[i].name = "T" + std::to_string(i + 1);
        }
        gui->groupCount = 12;
        for (int g = 0; g < 12; ++g) {
            gui->groups[g].name = "G" + std::to_string(g + 1);
            gui->groups[g].x = 1000.0f + 100.0f * g; // off the pressed spots
            gui->groups[g].y = 1000.0f;
        }
        gui->groups[0].x = 150.0f;
        gui->groups[0].y = 0.0f;
        join(0, 0);
        join(1, 0);
        lines.clear();
    }
    void pressAt(float sx, float sy) {
        advanceClock(1000); // no double click
        const ScreenPoint p = stageToPixel(sx, sy);
        press(p.x, p.y);
        release(p.x, p.y);
    }
    void pressSource(int s) { pressAt(gui->sources[s].x, gui->sources[s].y); }
    void pressTarget(int t) { pressAt(gui->targets[t].x, gui->targets[t].y); }
    void pressGroup(int g) { pressAt(gui->groups[g].x, gui->groups[g].y); }
    // The lines of one press with `keys` held, then the keys let go.
    Lines linesOf(std::initializer_list<int> keys, void (ItemStage::*pressItem)(int), int i) {
        hold(keys);
        lines.clear();
        (this->*pressItem)(i);
        letGoAll();
        return takeLines();
    }
};

struct KeyCase {
    std::vector<int> keys;
    std::string line; // the first line the press runs; empty: none
};

// Each case under every syndication mode: an item outside the marquee and the selection
// stands for itself in all of them.
void expectFirstLines(void (ItemStage::*pressItem)(int), const std::vector<KeyCase>& cases) {
    for (int mode = 0; mode <= 3; ++mode)
        for (const KeyCase& c : cases) {
            SCOPED_TRACE(c.line + " in syndication mode " + std::to_string(mode));
            ItemStage f;
            f.gui->syndicationMode = mode;
            f.hold({});
            for (int k : c.keys) qxplatform::setKeyDown(k, true);
            (f.*pressItem)(0);
            f.letGoAll();
            const Lines got = f.takeLines();
            if (c.line.empty()) {
                EXPECT_TRUE(got.empty()) << (got.empty() ? "" : got.front());
            } else {
                ASSERT_FALSE(got.empty());
                EXPECT_EQ(got.front(), c.line);
            }
        }
}

TEST(SourcePress, EveryKeyRunsItsLine) {
    expectFirstLines(&ItemStage::pressSource, {
                                                  {{'A'}, "TOGGLE_MUTE S1"},
                                                  {{'S'}, "TOGGLE_SOLO S1"},
                                                  {{'P'}, "TOGGLE_PHASE S1"},
                                                  {{'Z'}, "LEVEL S1 0.0"},
                                                  {{'B'}, "COLOUR S1"},
                                                  {{'D'}, "TOGGLE_HIDE S1"},
                                                  {{'R'}, "RESET S1"},
                                                  {{'X'}, "UNCABLE S1"},
                                                  {{'X', VK_SHIFT}, "SIDECHAIN S1 INTERNAL"},
                                                  {{VK_MENU}, "TOGGLE_SELECT S1"},
                                                  {{'4'}, "PRESET_COLOUR S1 4"},
                                                  {{'0'}, "PRESET_COLOUR S1 10"},
                                                  {{'0', VK_SHIFT}, "PRESET_COLOUR S1 20"},
                                                  {{'A', 'S'}, "TOGGLE_MUTE S1"},
                                                  {{}, ""},
                                                  {{VK_CONTROL}, ""},
                                              });
}

TEST(GroupPress, EveryKeyRunsItsLine) {
    expectFirstLines(&ItemStage::pressGroup, {
                                                 {{'Z'}, "LEVEL G1 0.0"},
                                                 {{'S'}, "TOGGLE_SOLO G1"},
                                                 {{'A'}, "TOGGLE_MUTE G1"},
                                                 {{'B'}, "COLOUR G1"},
                                                 {{'D'}, "TOGGLE_HIDE G1"},
                                                 {{'Q'}, "TOGGLE_ROTATION G1"},
                                                 {{'W'}, "TOGGLE_MOVEMENT G1"},
                                                 {{'F'}, "UNGROUP G1"},
                                                 {{'P'}, "TOGGLE_PHASE G1"},
                                                 {{'R'}, "RESET G1"},
                                                 {{'7'}, "PRESET_COLOUR G1 7"},
                                                 {{'7', VK_SHIFT}, "PRESET_COLOUR G1 17"},
                                                 {{VK_MENU}, "TOGGLE_SELECT G1"},
                                                 {{'X'}, ""},
                                                 {{}, ""},
                                             });
}

TEST(TargetPress, EveryKeyRunsItsLine) {
    expectFirstLines(&ItemStage::pressTarget, {
                                                  {{'S'}, "TOGGLE_SOLO T1"},
                                                  {{'A'}, "TOGGLE_MUTE T1"},
                                                  {{'B'}, "COLOUR T1"},
                                                  {{'Z'}, "LEVEL T1 0.0"},
                                                  {{'P'}, "TOGGLE_PHASE T1"},
                                                  {{'R'}, "RESET T1"},
                                                  {{'D'}, "TOGGLE_HIDE T1"},
                                                  {{'X'}, "UNCABLE T1"},
                                                  {{'X', VK_SHIFT}, "SIDECHAIN T1 INTERNAL"},
                                                  {{'2'}, "PRESET_COLOUR T1 2"},
                                                  {{VK_OEM_5}, "TOGGLE_USE_GLOBAL T1"},
                                                  {{VK_MENU}, "TOGGLE_SELECT T1"},
                                                  {{}, ""},
                                              });
}

TEST(GroupPress, QAndWTogetherToggleRotationThenMovement) {
    ItemStage f;
    EXPECT_EQ(f.linesOf({'Q', 'W'}, &ItemStage::pressGroup, 0),
              (Lines{"TOGGLE_ROTATION G1", "TOGGLE_MOVEMENT G1"}));
}

// Under every syndication mode an item outside the marquee and the list is named itself; in
// the marquee the item line names the marquee.
TEST(ItemPress, SyndicationModesChooseTheItemWord) {
    for (int mode = 0; mode <= 3; ++mode) {
        SCOPED_TRACE(mode);
        ItemStage f;
        f.gui->syndicationMode = mode;
        EXPECT_EQ(f.linesOf({'A'}, &ItemStage::pressSource, 1).front(), "TOGGLE_MUTE S2");
        f.gui->marqueeRect[0] = -300;
        f.gui->marqueeRect[1] = -300;
        f.gui->marqueeRect[2] = 300;
        f.gui->marqueeRect[3] = 300;
        f.gui->sources[1].selected = 1;
        const Lines inside = f.linesOf({'A'}, &ItemStage::pressSource, 1);
        ASSERT_FALSE(inside.empty());
        EXPECT_EQ(inside.front(),
                  (mode == 1 || mode == 3) ? "TOGGLE_MUTE MARQUEE" : "TOGGLE_MUTE S2");
    }
}

TEST(ItemPress, TheCableKeysWireAcrossPresses) {
    ItemStage f;
    Lines got;
    auto c = [&](void (ItemStage::*pressItem)(int), int i, int key = 'C') {
        const Lines l = f.linesOf({key}, pressItem, i);
        got.insert(got.end(), l.begin(), l.end());
    };
    c(&ItemStage::pressSource, 0);
    c(&ItemStage::pressTarget, 0);
    c(&ItemStage::pressTarget, 1);
    c(&ItemStage::pressTarget, 2);
    EXPECT_EQ(got, (Lines{"CABLE S1 T1", "CABLE S1 T2", "CABLE S1 T3"}));

    ItemStage g;
    g.linesOf({'C'}, &ItemStage::pressSource, 0);
    EXPECT_EQ(g.linesOf({'C'}, &ItemStage::pressSource, 1), (Lines{"SIDECHAIN S1 S2"}));

    ItemStage h;
    EXPECT_TRUE(h.linesOf({'F'}, &ItemStage::pressTarget, 0).empty());
    EXPECT_EQ(h.gui->pendingCableTarget, 0);
    EXPECT_EQ(h.linesOf({'C'}, &ItemStage::pressSource, 1), (Lines{"CABLE S2 T1"}));
}

TEST(SourcePress, BackslashShiftAndDigitsToggleTheUpperGroups) {
    ItemStage f;
    Lines toggles;
    for (const std::string& line :
         f.linesOf({VK_OEM_5, VK_SHIFT, '1', '3'}, &ItemStage::pressSource, 0))
        if (line.rfind("TOGGLE_GROUPIFY ", 0) == 0) toggles.push_back(line);
    EXPECT_EQ(toggles, (Lines{"TOGGLE_GROUPIFY S1 G9", "TOGGLE_GROUPIFY S1 G11"}));
    EXPECT_EQ(f.gui->currentGroup, 10);
}

TEST(GroupPress, XRemovesEveryCableOfTheMembersWithNoLine) {
    ItemStage f;
    f.cable(0, 0);
    f.cable(0, 1);
    f.cable(2, 0); // S3 is no member
    f.cable(1, 0);
    f.cable(1, 1);
    f.cable(0, 2);
    ASSERT_EQ(f.gui->cableCount, 6);
    EXPECT_TRUE(f.linesOf({'X'}, &ItemStage::pressGroup, 0).empty());
    ASSERT_EQ(f.gui->cableCount, 1);
    EXPECT_EQ(f.gui->cables[0].source, 2);
}

TEST(ItemPress, PlainPressesStartTheItemDrags) {
    struct Case {
        void (ItemStage::*pressItem)(int);
        std::vector<int> keys;
        int32_t mode;
    } cases[] = {
        {&ItemStage::pressSource, {}, kModeSourceMove},
        {&ItemStage::pressSource, {VK_CONTROL}, kModeSourceLevel},
        {&ItemStage::pressSource, {VK_CONTROL, VK_SHIFT}, kModeSourceSize},
        {&ItemStage::pressGroup, {}, kModeGroupMove},
        {&ItemStage::pressGroup, {VK_CONTROL}, kModeGroupLevel},
        {&ItemStage::pressGroup, {'V'}, kModeGroupRotate},
        {&ItemStage::pressTarget, {}, kModeTargetMove},
        {&ItemStage::pressTarget, {VK_CONTROL}, kModeTargetLevel},
        {&ItemStage::pressTarget, {VK_CONTROL, VK_SHIFT}, kModeTargetRadius},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ItemStage f;
        for (int k : c.keys) qxplatform::setKeyDown(k, true);
        const ScreenPoint p =
            c.pressItem == &ItemStage::pressSource   ? f.stageToPixel(-200.0f, -100.0f)
            : c.pressItem == &ItemStage::pressTarget ? f.stageToPixel(-200.0f, 100.0f)
                                                     : f.stageToPixel(150.0f, 0.0f);
        f.press(p.x, p.y);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, c.mode);
        f.release(p.x, p.y);
    }
}

TEST(ItemPress, HiddenItemsTakeCommandsButAreNotDragged) {
    ItemStage f;
    f.gui->sources[0].shown = 0;
    f.gui->targets[0].visible = 0;
    EXPECT_EQ(f.linesOf({'A'}, &ItemStage::pressSource, 0), (Lines{"TOGGLE_MUTE S1"}));
    for (const ScreenPoint p :
         {f.stageToPixel(-200.0f, -100.0f), f.stageToPixel(-200.0f, 100.0f)}) {
        f.press(p.x, p.y);
        EXPECT_EQ(f.gui->interaction.stageInteractionMode, kModeIdle);
        f.release(p.x, p.y);
    }
}

} // namespace

namespace {

// The first lines of a press at stage (sx, sy) with `keys` held.
Lines pressLines(ItemStage& f, std::initializer_list<int> keys, float sx, float sy) {
    f.hold(keys);
    f.lines.clear();
    f.pressAt(sx, sy);
    f.letGoAll();
    return f.takeLines();
}

Lines startingWith(const Lines& lines, std::initializer_list<const char*> verbs) {
    Lines out;
    for (const std::string& line : lines)
        for (const char* verb : verbs)
            if (line.rfind(verb, 0) == 0) out.push_back(line);
    return out;
}

TEST(EmptyStagePress, MarqueeKeysRunTheirLines) {
    struct Case {
        std::vector<int> keys;
        bool caps;
        Lines lines;
    } cases[] = {
        {{VK_SHIFT, 'P'}, false, {"TOGGLE_PHASE TARGETS"}},
        {{'P'}, true, {"TOGGLE_PHASE SOURCES GROUPS", "TOGGLE_PHASE TARGETS"}},
        {{'Z'}, false, {"LEVEL SOURCES GROUPS 0.0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lines.front());
        ItemStage f;
        f.gui->marqueeRect[0] = 300;
        f.gui->marqueeRect[1] = 300;
        f.gui->marqueeRect[2] = 400;
        f.gui->marqueeRect[3] = 400;
        qxplatform::setCapsLock(c.caps);
        for (int k : c.keys) qxplatform::setKeyDown(k, true);
        f.lines.clear();
        f.pressAt(350.0f, 350.0f);
        f.letGoAll();
        EXPECT_EQ(startingWith(f.takeLines(), {"TOGGLE_PHASE", "LEVEL"}), c.lines);
    }
}

TEST(EmptyStagePress, RoomsRunTheirKeysFromTheHighestIndex) {
    ItemStage f;
    f.room(0, 300.0f, 300.0f, 100.0f, 100.0f);
    f.room(1, 320.0f, 320.0f, 100.0f, 100.0f);
    f.gui->rooms[0].name = "R1";
    f.gui->rooms[1].name = "R2";
    EXPECT_EQ(startingWith(pressLines(f, {'A'}, 350.0f, 350.0f), {"TOGGLE_MUTE"}),
              (Lines{"TOGGLE_MUTE R2", "TOGGLE_MUTE R1"}));
    EXPECT_EQ(f.gui->currentRoom, 0);
    EXPECT_EQ(startingWith(pressLines(f, {'R'}, 305.0f, 305.0f), {"RESET"}), (Lines{"RESET R1"}));
}

// The curves drawn from one window point to another (either way round), within a pixel.
int curvesBetween(const RecordingDrawLayer& r, ScreenPoint a, ScreenPoint b) {
    auto at = [](const std::vector<float>& xy, size_t k, ScreenPoint p) {
        return std::fabs(xy[k] - static_cast<float>(p.x)) <= 1.0f &&
               std::fabs(xy[k + 1] - static_cast<float>(p.y)) <= 1.0f;
    };
    int n = 0;
    for (const RecordedDraw& d : r.draws) {
        if (d.kind != RecordedDraw::Kind::Vertices || d.primitive != Primitive::Lines ||
            d.xy.size() < 4)
            continue;
        const size_t last = d.xy.size() - 2;
        if ((at(d.xy, 0, a) && at(d.xy, last, b)) || (at(d.xy, 0, b) && at(d.xy, last, a))) ++n;
    }
    return n;
}

// C wires S1 and T1 from either end; X on the end that waited removes the cable: from then on
// no curve joins the two, and the waiting end still waits.
TEST(ItemPress, AnUncabledPairIsNotDrawn) {
    const struct {
        const char* what;
        void (ItemStage::*waiting)(int);
        void (ItemStage::*completing)(int);
        const char* uncable;
    } cases[] = {
        {"the source waited", &ItemStage::pressSource, &ItemStage::pressTarget, "UNCABLE S1"},
        {"the target waited", &ItemStage::pressTarget, &ItemStage::pressSource, "UNCABLE T1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ItemStage f;
        f.gui->buildFixedVertexTables();
        const ScreenPoint s1 = f.stageToPixel(f.gui->sources[0].x, f.gui->sources[0].y);
        const ScreenPoint t1 = f.stageToPixel(f.gui->targets[0].x, f.gui->targets[0].y);
        f.linesOf({'C'}, c.waiting, 0);
        EXPECT_EQ(f.linesOf({'C'}, c.completing, 0), (Lines{"CABLE S1 T1"}));
        ASSERT_EQ(f.gui->cableCount, 1);
        f.move(0, 0); // the waiting end's line goes to the pointer, away from both
        EXPECT_EQ(curvesBetween(f.drawStage(), s1, t1), 1) << "the cable";

        const Lines x = f.linesOf({'X'}, c.waiting, 0);
        ASSERT_FALSE(x.empty());
        EXPECT_EQ(x.front(), c.uncable);
        EXPECT_EQ(f.gui->cableCount, 0);
        EXPECT_EQ(curvesBetween(f.drawStage(), s1, t1), 0);
        const ScreenPoint other = c.waiting == &ItemStage::pressSource ? t1 : s1;
        f.move(other.x, other.y);
        EXPECT_EQ(curvesBetween(f.drawStage(), s1, t1), 1) << "the waiting end follows the pointer";
    }
}

TEST(EmptyStagePress, CCancelsAWaitingCableAndStartsNoMarquee) {
    ItemStage f;
    f.linesOf({'C'}, &ItemStage::pressSource, 0);
    ASSERT_EQ(f.gui->pendingCableSource, 0);
    f.hold({'C'});
    const ScreenPoint p = f.stageToPixel(400.0f, 250.0f);
    f.press(p.x, p.y);
    EXPECT_EQ(f.gui->pendingCableSource, -1);
    EXPECT_EQ(f.gui->marqueeRubberBand, 0);
    f.release(p.x, p.y);
    f.letGoAll();
    f.advanceClock(1000);
    f.press(p.x, p.y);
    EXPECT_EQ(f.gui->marqueeRubberBand, 1) << "with nothing waiting a marquee starts";
    f.release(p.x, p.y);
}

} // namespace
