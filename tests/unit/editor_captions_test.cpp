// Loading an item into an editor names it in the panel's caption and gives the frame its
// colour; the VIRTUAL caption says which way the mix runs.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "editor_panel_fixture.h"

namespace {

struct EditorCaptions : ::testing::Test, EditorFixture {
    EditorCaptions() {
        source(0, 0.0f, 0.0f);
        source(1, 10.0f, 0.0f);
        target(0, 0.0f, 50.0f);
        gui->sources[1].name = "KICK";
        gui->sources[1].colourRed = 1.0f;
        gui->sources[1].colourGreen = 0.0f;
        gui->sources[1].colourBlue = 0.0f;
        gui->targets[0].name = "HALL";
        gui->targets[0].colourRed = 0.0f;
        gui->targets[0].colourGreen = 0.0f;
        gui->targets[0].colourBlue = 1.0f;
        gui->sources[1].virtualChannel = 1;
        gui->targets[0].virtualChannel = 0;
    }
    std::array<float, 4> frameColour(int32_t id) const {
        const PanelWindow& p = gui->panelFrame.panels[id];
        return {p.colour[0], p.colour[1], p.colour[2], p.alpha};
    }
};

TEST_F(EditorCaptions, EachEditorNamesTheItemItEditsInItsColour) {
    using Load = std::function<void(QX_GUI&, int32_t, int32_t)>;
    const struct Editor {
        int32_t id;
        Load load;
    } editors[] = {
        {kPanelDynamics, [](QX_GUI& g, int32_t k, int32_t i) { g.loadDynamicsPanel(k, i); }},
        {kPanelFilters, [](QX_GUI& g, int32_t k, int32_t i) { g.loadFiltersPanel(k, i); }},
        {kPanelDelay, [](QX_GUI& g, int32_t k, int32_t i) { g.loadDelayPanel(k, i); }},
    };
    const struct Item {
        int32_t kind, index;
        const char* subtitle;
        std::array<float, 4> colour;
    } items[] = {
        {kKindSource, 1, "SOURCE - KICK", {1, 0, 0, 0.5f}},
        {kKindTarget, 0, "TARGET - HALL", {0, 0, 1, 0.5f}},
    };
    for (const Editor& e : editors)
        for (const Item& item : items) {
            e.load(*gui, item.kind, item.index);
            EXPECT_EQ(gui->panelFrame.panels[e.id].subtitle, item.subtitle) << e.id;
            EXPECT_EQ(frameColour(e.id), item.colour) << e.id << " " << item.subtitle;
        }
}

TEST_F(EditorCaptions, TheVirtualCaptionFollowsTheMixModeAndItsColourTheItemLoaded) {
    const struct Case {
        int32_t mode, index;
        const char* subtitle;
        std::array<float, 4> colour;
    } cases[] = {
        {1, 1, "MIX PLUGIN INPUT PINS TO VIRTUAL INPUT PINS", {1, 0, 0, 0.5f}},
        {2, 0, "MIX VIRTUAL OUTPUT PINS TO PLUGIN OUTPUT PINS", {0, 0, 1, 0.5f}},
        {11, 1, "MIX DIRECT", {0.5f, 0.5f, 0.5f, 0.5f}},
        {12, 0, "MIX VIRTUAL OUTPUT PINS TO PLUGIN OUTPUT PINS", {0.5f, 0.5f, 0.5f, 0.5f}},
        {1, 5, "MIX PLUGIN INPUT PINS TO VIRTUAL INPUT PINS", {0.5f, 0.5f, 0.5f, 0.5f}},
    };
    for (const Case& c : cases) {
        gui->sources[c.index].virtualChannel = c.index;
        gui->loadVirtualPanel(c.mode, c.index);
        EXPECT_EQ(gui->panelFrame.panels[kPanelVirtual].subtitle, c.subtitle)
            << c.mode << "," << c.index;
        EXPECT_EQ(frameColour(kPanelVirtual), c.colour) << c.mode << "," << c.index;
    }
    // The disc glows in the panel's colour.
    gui->loadVirtualPanel(1, 1);
    const RecordingDrawLayer r = drawContent([](QX_GUI& g) { g.drawVirtualPanel(); });
    int32_t discs = 0;
    for (const RecordedDraw& d : r.draws)
        if (d.mode == 1) {
            ++discs;
            EXPECT_EQ(d.colour, (std::array<float, 4>{1, 0, 0, 1}));
        }
    EXPECT_EQ(discs, 1);
}

} // namespace
