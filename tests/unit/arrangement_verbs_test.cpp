// Arrangement verbs: shapes of the addressed items (to 1e-4), the view and marquee moves, the
// targets' radius from their spread, and finite positions for one item or items at one point.
#include <gtest/gtest.h>

#include <cmath>

#include "command_test_support.h"

using namespace command_test;

namespace {

struct Point {
    float x;
    float y;
};

struct ArrangementVerbs : ::testing::Test, LineRunner<> {
    std::vector<Point> sourcePoints() const {
        std::vector<Point> points;
        for (int32_t i = 0; i < gui->sourceCount; ++i)
            points.push_back({gui->sources[i].x, gui->sources[i].y});
        return points;
    }
};

struct ShapeCase {
    std::vector<StageItem> before;
    const char* line;
    std::vector<Point> after;
};

TEST_F(ArrangementVerbs, ShapesOfTheAddressedSources) {
    const std::vector<ShapeCase> cases = {
        {{{"S1", 0, 0}, {"S2", 100, 0}}, "CONTRACT S1 S2", {{10, 0}, {90, 0}}},
        {{{"S1", 10, 0}, {"S2", 90, 0}}, "EXPAND S1 S2", {{0, 0}, {100, 0}}},
        {{{"S1", 17, -17}, {"S2", 25, 39.9f}}, "SNAP S1 S2", {{10, -10}, {20, 30}}},
        {{{"S1", 19.9f, 0}}, "SNAP S1", {{10, 0}}},
        {{{"S1", 0, 5}, {"S2", 90, 6}, {"S3", 10, 7}},
         "SPACING S1 S2 S3 HORIZONTAL",
         {{0, 5}, {45, 6}, {90, 7}}},
        {{{"S1", 3, 0}, {"S2", 4, 100}, {"S3", 5, 20}},
         "SPACING S1 S2 S3 VERTICAL",
         {{3, 0}, {4, 50}, {5, 100}}},
        {{{"S1", 0, 5}, {"S2", 90, 6}}, "SPACING S1 S2 DIAGONAL", {{0, 5}, {90, 6}}},
        {{{"S1", 0, 0}, {"S2", 100, 0}, {"S3", 100, 100}, {"S4", 0, 100}},
         "CIRCLE S1 S2 S3 S4",
         {{50, 0}, {100, 50}, {50, 100}, {0, 50}}},
        {{{"S1", -100, -50}, {"S2", 100, 50}, {"S3", 0, 0}, {"S4", 0, 0}},
         "OVAL S1 S2 S3 S4",
         {{0, -50}, {100, 0}, {0, 50}, {-100, 0}}},
        {{{"S1", -10, 0}, {"S2", 0, -50}, {"S3", 0, 50}, {"S4", 10, 0}},
         "OVAL S1 S2 S3 S4",
         {{0, -50}, {10, 0}, {0, 50}, {-10, 0}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 LEFT", {{-7, 1}, {-7, 9}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 RIGHT", {{5, 1}, {5, 9}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 TOP", {{5, 1}, {-7, 1}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 BOTTOM", {{5, 9}, {-7, 9}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 CENTRE", {{-1, 1}, {-1, 9}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 MIDDLE", {{5, 5}, {-7, 5}}},
        {{{"S1", 5, 1}, {"S2", -7, 9}}, "ALIGN S1 S2 UP", {{5, 1}, {-7, 9}}},
    };
    for (const ShapeCase& c : cases) {
        placeSources(*gui, c.before);
        EXPECT_EQ(run(c.line), 0) << c.line;
        const auto points = sourcePoints();
        ASSERT_EQ(points.size(), c.after.size()) << c.line;
        for (size_t i = 0; i < points.size(); ++i) {
            EXPECT_NEAR(points[i].x, c.after[i].x, 1e-4) << c.line << " item " << i;
            EXPECT_NEAR(points[i].y, c.after[i].y, 1e-4) << c.line << " item " << i;
        }
    }
}

TEST_F(ArrangementVerbs, OneItemOrItemsAtOnePointStayFinite) {
    placeTargets(*gui, {{"T1", 7, 8}, {"T2", 7, 8}});
    for (const char* verb : {"CONTRACT", "EXPAND", "SPACING", "OVAL", "CIRCLE", "ALIGN"}) {
        for (const char* items : {" S1", " S1 S2 S3"}) {
            placeSources(*gui, {{"S1", 7, 8}, {"S2", 7, 8}, {"S3", 7, 8}});
            const std::string tail = std::string(verb) == "SPACING" ? " HORIZONTAL"
                                     : std::string(verb) == "ALIGN" ? " CENTRE"
                                                                    : "";
            EXPECT_EQ(run(verb + std::string(items) + tail), 0);
            for (const Point& p : sourcePoints()) {
                EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y)) << verb << items;
                EXPECT_NEAR(p.x, 7, 1e-4) << verb << items;
                EXPECT_NEAR(p.y, 8, 1e-4) << verb << items;
            }
        }
    }
    gui->targets[0].ownRadius = 33.0f;
    EXPECT_EQ(run("NORMALISE T1"), 0);
    EXPECT_EQ(gui->targets[0].ownRadius, 33.0f) << "one target keeps its radius";
    EXPECT_EQ(run("NORMALISE T1 T2"), 0);
    EXPECT_EQ(gui->targets[0].ownRadius, 0.0f);
    EXPECT_TRUE(std::isfinite(gui->targets[1].ownRadius));
}

TEST_F(ArrangementVerbs, NormaliseSetsTheOwnRadiusOfTheAddressedTargetsOnly) {
    placeTargets(*gui, {{"T1", 0, 0}, {"T2", 0, 10}, {"T3", 0, 20}});
    placeSources(*gui, {{"S1", 0, 500}});
    clearConsoleLog(*gui);
    EXPECT_EQ(run("NORMALISE T1 T2 T3 S1"), 0);
    EXPECT_EQ(consoleLines(*gui).at(1), "DISTANCE TO CENTRE = 10.00 10.00");
    for (int32_t t = 0; t < 3; ++t) {
        EXPECT_FLOAT_EQ(gui->targets[t].ownRadius, 15.0f);
        EXPECT_EQ(gui->targets[t].useGlobalRadius, 0);
    }
}

TEST_F(ArrangementVerbs, FindCentresTheViewOnAnItem) {
    placeSources(*gui, {{"S1", 30, -40}});
    gui->roomCount = 1;
    gui->rooms[0].name = "R1";
    gui->rooms[0].x = 100;
    gui->rooms[0].y = 200;
    gui->rooms[0].width = 50;
    gui->rooms[0].height = 20;
    EXPECT_EQ(run("FIND S1"), 0);
    EXPECT_EQ(gui->view.viewPanX, -30.0f);
    EXPECT_EQ(gui->view.viewPanY, 40.0f);
    EXPECT_EQ(run("FIND R1"), 0);
    EXPECT_EQ(gui->view.viewPanX, -125.0f);
    EXPECT_EQ(gui->view.viewPanY, -210.0f);
    EXPECT_EQ(run("FIND NOBODY"), 1);
    EXPECT_EQ(gui->console.lastError, "NAMED OBJECT NOT FOUND");
    EXPECT_EQ(gui->view.viewPanX, -125.0f);
}

TEST_F(ArrangementVerbs, MarqueeAndRoomExchangeTheirRectangles) {
    placeSources(*gui, {{"S1", 0, 0}});
    gui->roomCount = 2;
    gui->rooms[0].name = "R1";
    gui->rooms[0].x = 100;
    gui->rooms[0].y = 200;
    gui->rooms[0].width = 50;
    gui->rooms[0].height = 20;
    gui->rooms[1].name = "R2";
    EXPECT_EQ(run("MARQUEE_TO_ROOM R1"), 0);
    EXPECT_EQ(std::vector<int32_t>(gui->marqueeRect, gui->marqueeRect + 4),
              (std::vector<int32_t>{90, 190, 160, 230}));
    EXPECT_EQ(run("MARQUEE_TO_ROOM S1"), 1);
    EXPECT_EQ(gui->console.lastError, "SPECIFIED ITEM MUST BE A ROOM");

    setMarquee(*gui, -10, -20, 30, 40);
    EXPECT_EQ(run("ROOM_TO_MARQUEE 1"), 0);
    EXPECT_EQ(gui->rooms[1].x, -10.0f);
    EXPECT_EQ(gui->rooms[1].height, 60.0f);
    EXPECT_EQ(gui->currentRoom, 1);
    EXPECT_EQ(run("ROOM_TO_MARQUEE R1"), 0);
    EXPECT_EQ(gui->rooms[0].width, 40.0f);
    for (const char* line :
         {"ROOM_TO_MARQUEE 2", "ROOM_TO_MARQUEE -1", "ROOM_TO_MARQUEE X", "ROOM_TO_MARQUEE"}) {
        EXPECT_EQ(run(line), 1) << line;
        EXPECT_EQ(gui->console.lastError, "NO ROOM SPECIFIED OR INVALID ROOM ID") << line;
    }
}

TEST_F(ArrangementVerbs, AlignReportsOnTheStatusLine) {
    placeSources(*gui, {{"S1", 5, 1}, {"S2", -7, 9}});
    gui->console.verbose = 1; // status lines are copied into the console
    clearConsoleLog(*gui);
    run("ALIGN S1 S2 TOP");
    const auto lines = consoleLines(*gui);
    for (const char* expected :
         {"GENERATE METRICS ...", "2 ITEMS", "ALIGN 2 OBJECTS", "ALIGN TO \"TOP\"", "TOP 1.000000"})
        EXPECT_NE(std::find(lines.begin(), lines.end(), expected), lines.end()) << expected;
}

} // namespace
