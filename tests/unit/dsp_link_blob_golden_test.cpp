// Exact bytes of the outgoing blobs, written out by hand from their layouts.
#include <gtest/gtest.h>

#include "dsp_link/configuration_codec.h"
#include "dsp_link_recording_gui.h"

namespace {

TEST(GoldenBlobs, OneSourceRecord) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->groupCount = 16;
    SourceRecord& s = gui->sources[0];
    s.name = "S1";
    s.virtualChannel = 3;
    s.x = 10.0f;
    s.y = -20.0f;
    s.level = 0.5f;
    s.phase = -1.0f;
    s.size = 2.0f;
    s.mute = 7; // any non-zero mute travels as 1
    s.solo = 0;
    s.colour = 0x00332211;
    s.shown = 1;
    s.groupFlags[1] = 1;
    gui->sendSourcesBlob();

    Golden g(64);
    g.u8(0, 0).u8(1, 3).f32(4, 10.0f).f32(8, -20.0f).f32(12, 0.5f).f32(16, -1.0f).f32(20, 2.0f);
    g.u8(24, 1).u8(25, 0).u32(28, 0x00332211).u8(32, 1);
    g.fill(33, 48, '.').u8(48, 0).text(33, "S1").u8(35, 0);
    g.u32(52, 0x2).fill(56, 64, '*');
    EXPECT_EQ(gui->lastSent(9), g.bytes);
}

TEST(GoldenBlobs, OneTargetRecord) {
    auto gui = makeGui();
    gui->targetCount = 1;
    TargetRecord& t = gui->targets[0];
    t.name = "T1";
    t.virtualChannel = 5;
    t.x = 1.0f;
    t.y = 2.0f;
    t.level = 0.25f;
    t.phase = 1.0f;
    t.ownRadius = 3.0f;
    t.mute = 0;
    t.solo = 1;
    t.colour = 0x00AABBCC;
    t.visible = 1;
    t.useGlobalRadius = 0;
    gui->sendTargetsBlob();

    Golden g(64);
    g.u8(0, 0).u8(1, 5).f32(4, 1.0f).f32(8, 2.0f).f32(12, 0.25f).f32(16, 1.0f).f32(20, 3.0f);
    g.u8(24, 0).u8(25, 1).u32(28, 0x00AABBCC).u8(32, 1).u8(33, 0);
    g.fill(34, 49, '.').u8(49, 0).text(34, "T1").u8(36, 0);
    g.fill(50, 62, '*');
    EXPECT_EQ(gui->lastSent(8), g.bytes);
}

TEST(GoldenBlobs, OneGroupRecord) {
    auto gui = makeGui();
    gui->groupCount = 1;
    gui->sourceCount = 3;
    GroupRecord& gr = gui->groups[0];
    gr.name = "G1";
    gr.x = 1.0f;
    gr.y = 2.0f;
    gr.level = 0.5f;
    gr.phase = 1.0f;
    gr.movementX = 3.0f;
    gr.movementY = 4.0f;
    gr.rotationSpeed = 0.25f;
    gr.colour = 0x00010203;
    gr.mute = 1;
    gr.solo = 0;
    gr.rotationOn = 1;
    gr.movementOn = 0;
    gr.shown = 1;
    gr.memberFlags[0] = 1;
    gr.memberFlags[2] = 1;
    gr.memberFlags[3] = 1; // beyond the source count: not in the mask
    gui->sendGroupsBlob();

    Golden g(80);
    g.f32(0, 1.0f).f32(4, 2.0f).f32(8, 0.5f).f32(12, 1.0f).f32(16, 3.0f).f32(20, 4.0f);
    g.f32(24, 0.25f).u8(28, 0).u32(32, 0x00010203);
    g.u8(36, 1).u8(37, 0).u8(38, 1).u8(39, 0).u8(40, 1);
    g.fill(41, 56, '.').u8(56, 0).text(41, "G1").u8(43, 0);
    g.u32(64, 5).u32(68, 0).fill(72, 80, '*');
    EXPECT_EQ(gui->lastSent(10), g.bytes);
}

TEST(GoldenBlobs, OneRoomRecord) {
    auto gui = makeGui();
    gui->roomCount = 1;
    RoomRecord& r = gui->rooms[0];
    r.name = "R1";
    r.level = 0.5f;
    r.phase = -1.0f;
    r.x = 10.0f;
    r.y = 20.0f;
    r.width = 30.0f;
    r.height = 40.0f;
    r.colour = 0x0000FF00;
    r.mute = 0;
    r.solo = 1;
    gui->sendRoomsBlob();

    Golden g(64);
    g.f32(0, 0.5f).f32(4, -1.0f).f32(8, 10.0f).f32(12, 20.0f).f32(16, 30.0f).f32(20, 40.0f);
    g.u32(24, 0x0000FF00).fill(28, 43, ' ').u8(43, 0).text(28, "R1").u8(30, 0);
    g.u8(44, 0).u8(45, 1).fill(46, 64, '*');
    EXPECT_EQ(gui->lastSent(7), g.bytes);
}

TEST(GoldenBlobs, OneCableRecord) {
    auto gui = makeGui();
    gui->cableCount = 1;
    CableRecord& c = gui->cables[0];
    c.level = 0.75f;
    c.phase = -1.0f;
    c.source = 2;
    c.target = 1;
    c.mute = 1;
    c.solo = 0;
    c.useGroups = 1;
    gui->sendCablesBlob();

    Golden g(16);
    g.f32(0, 0.75f).f32(4, -1.0f).u8(8, 2).u8(9, 1).u8(10, 1).u8(11, 0).u8(12, 1);
    EXPECT_EQ(gui->lastSent(11), g.bytes);
}

TEST(GoldenBlobs, NamesAreCutToFifteenCharacters) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->sources[0].name = "ABCDEFGHIJKLMNOPQRST";
    gui->sendSourcesBlob();
    std::vector<uint8_t> bytes = gui->lastSent(9);
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(std::string(bytes.begin() + 33, bytes.begin() + 48), "ABCDEFGHIJKLMNO");
    EXPECT_EQ(bytes[48], 0);
}

TEST(GoldenBlobs, NoSourcesGiveAnEmptySourcesBlobAndAnEmptyMatrixHead) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->sendSourcesBlob();
    gui->sourceCount = 0;
    gui->targetCount = 0;
    gui->sent.clear();
    gui->sendSourcesBlob();
    gui->sendGainMatrixBlob();
    ASSERT_EQ(gui->sentIds(), (std::vector<int32_t>{9, 15}));
    EXPECT_TRUE(gui->sent[0].bytes.empty());
    EXPECT_EQ(gui->sent[1].bytes, std::vector<uint8_t>(8, 0));
}

TEST(GoldenBlobs, MatrixOfThreeHundredGainsCountsBigEndian) {
    auto gui = makeGui();
    gui->sourceCount = 5;
    gui->targetCount = 60;
    for (int t = 0; t < 60; ++t) {
        gui->targets[t].virtualChannel = t;
        for (int s = 0; s < 5; ++s) {
            gui->targets[t].gainRow[s] = 0.5f;
            gui->targets[t].cabled[s] = 1;
        }
    }
    for (int s = 0; s < 5; ++s) gui->sources[s].virtualChannel = 10 + s;
    gui->sendGainMatrixBlob();
    std::vector<uint8_t> bytes = gui->lastSent(15);
    ASSERT_EQ(bytes.size(), 2408u);
    Golden head(16);
    head.u8(0, 5).u8(1, 60).u8(2, 0x01).u8(3, 0x2C);
    head.u8(8, 0).u8(9, 0).u8(10, 10).u8(11, 0).f32(12, 0.5f); // first entry: source 0, target 0
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 16), head.bytes);
    // The last entry: source 4, target 59.
    Golden last(8);
    last.u8(0, 4).u8(1, 59).u8(2, 14).u8(3, 59).f32(4, 0.5f);
    EXPECT_EQ(std::vector<uint8_t>(bytes.end() - 8, bytes.end()), last.bytes);
}

TEST(GoldenBlobs, UncabledGainIsDividedByTheRadiusThatApplies) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->targetCount = 2;
    gui->viewSettings.globalRadius = 4.0f;
    gui->targets[0].useGlobalRadius = 1;
    gui->targets[0].gainRow[0] = 2.0f;
    gui->targets[1].useGlobalRadius = 0;
    gui->targets[1].ownRadius = 8.0f;
    gui->targets[1].gainRow[0] = 2.0f;
    gui->sendGainMatrixBlob();
    std::vector<uint8_t> bytes = gui->lastSent(15);
    ASSERT_EQ(bytes.size(), 24u);
    Golden g(24);
    g.u8(0, 1).u8(1, 2).u8(3, 2);
    g.u8(8, 0).u8(9, 0).u8(10, 64).u8(11, 64).f32(12, 0.5f);
    g.u8(16, 0).u8(17, 1).u8(18, 64).u8(19, 64).f32(20, 0.25f);
    EXPECT_EQ(bytes, g.bytes);
}

TEST(GoldenBlobs, DelaysAreRaisedByTheLowestEnabledNegativeDelay) {
    struct Case {
        const char* what;
        float times[3];
        uint8_t on[3];
        float head;
        float sent[3];
        uint8_t shifted;
    };
    const Case cases[] = {
        {"negative delay lowers all",
         {-5.0f, 10.0f, 0.0f},
         {1, 1, 1},
         -5.0f,
         {0.0f, 15.0f, 5.0f},
         1},
        {"no negative delay", {5.0f, 10.0f, 0.0f}, {1, 1, 1}, 0.0f, {5.0f, 10.0f, 0.0f}, 0},
        {"disabled negative ignored",
         {-5.0f, 10.0f, 0.0f},
         {0, 1, 1},
         0.0f,
         {-5.0f, 10.0f, 0.0f},
         0},
    };
    for (const Case& c : cases) {
        auto gui = makeGui();
        gui->sourceCount = 3;
        for (int i = 0; i < 3; ++i) {
            gui->inputDelays[i].time = c.times[i];
            gui->inputDelays[i].on = c.on[i];
        }
        gui->sendInputDelaysBlob();
        Golden g(32);
        g.i32(0, 255).f32(4, c.head);
        for (int i = 0; i < 3; ++i)
            g.u8(8 + 8 * i, i)
                .u8(9 + 8 * i, 1)
                .u8(10 + 8 * i, c.on[i])
                .u8(11 + 8 * i, c.shifted)
                .f32(12 + 8 * i, c.sent[i]);
        EXPECT_EQ(gui->lastSent(12), g.bytes) << c.what;
    }
}

TEST(GoldenBlobs, BlankScriptIsKindTwoForNobody) {
    auto gui = makeGui();
    ScriptRecord script;
    script.addressee = 1;
    script.append("SLEEP_NOW");
    gui->blankScriptDue = 0;
    gui->sendScript(script);
    EXPECT_TRUE(gui->wasSent(4));
    EXPECT_EQ(gui->blankScriptDue, 1); // the next tick answers with the blank script
    EXPECT_EQ(gui->console.lines[0], "SEND SCRIPT");
    Golden g(2416);
    g.i32(0, 2).i32(4, -1);
    for (int j = 0; j < 100; ++j) g.u32(8 + 24 * j + 20, 15);
    EXPECT_EQ(script_codec::encode(ScriptRecord{}), g.bytes);
}

TEST(GoldenBlobs, ScriptItemCarriesTextLengthAndCapacity) {
    ScriptRecord script;
    script.addressee = 2;
    script.append("WAKE_NOW");
    std::vector<uint8_t> bytes = script_codec::encode(script);
    Golden g(2416);
    g.i32(0, 2).i32(4, 2).text(8, "WAKE_NOW").u32(24, 8).i32(2408, 1);
    for (int j = 0; j < 100; ++j) g.u32(8 + 24 * j + 20, 15);
    EXPECT_EQ(bytes, g.bytes);
}

TEST(GoldenBlobs, ConfigurationBlockDefaults) {
    ConfigurationBlock block;
    Golden g(13324);
    g.i32(0, 1);
    for (int i = 0; i < 256; ++i) g.i32(4 + 20 * i + 8, 800).i32(4 + 20 * i + 12, 600);
    g.i32(5124, 1);
    for (int i = 0; i < 256; ++i) {
        size_t at = 5128 + 32 * i;
        g.u8(at + 4, 1).u8(at + 5, 1).fill(at + 12, at + 28, 1).u8(at + 28, 1);
    }
    g.i32(13320, 3);
    EXPECT_EQ(configuration_codec::encode(block), g.bytes);
}

TEST(GoldenBlobs, ViewStateAndPatchRecordFields) {
    auto gui = makeGui();
    gui->viewSettings.globalRadius = 75.0f;
    for (int32_t* shown :
         {&gui->stageView.roomsShown, &gui->stageView.targetsShown, &gui->stageView.groupsShown,
          &gui->stageView.sourcesShown, &gui->stageView.cablesShown, &gui->stageView.gridShown,
          &gui->stageView.roomLabels, &gui->stageView.targetLabels, &gui->stageView.groupLabels,
          &gui->stageView.sourceLabels})
        *shown = 0;
    gui->stageView.roomsShown = 1;
    gui->stageView.sourcesLocked = 3;
    gui->stageView.annotationLocks = 2;
    gui->guiSnap = 1;
    gui->view.viewZoom = 1.5f;
    gui->sourceCount = 4;
    gui->targetCount = 2;
    gui->groupCount = 16;
    gui->roomCount = 1;
    gui->viewSettings.masterVolume = 0.5f;
    gui->sendViewStateBlob();
    Golden v(60);
    v.f32(0, 75.0f).u8(4, 1).u8(20, 1).u8(21, 2).f32(28, 1.5f).u8(32, 1).i32(36, 1);
    v.f32(40, 4.0f).f32(44, 2.0f).f32(48, 16.0f).f32(52, 1.0f).f32(56, 0.5f);
    EXPECT_EQ(gui->lastSent(5), v.bytes);

    std::strcpy(gui->patchPath, "PATCHES/A.txt");
    gui->patchPathLength = 13;
    gui->autoSave = 1;
    gui->autoBackupOn = 1;
    gui->autoSaveClock = 100;
    gui->autoLastClock = 200;
    gui->saveState.patchFileStamp = FileStamp{1, 0x0102030405ull, 0x60708090a0bll, 999999999};
    gui->saveState.heldStage = HeldStage{1, 0x1112131415161718ull};
    gui->sendPatchRecordBlob();
    Golden p(312);
    p.text(0, "PATCHES/A.txt").i32(256, 13).u8(260, 1).i32(264, 100).i32(268, 200);
    p.i32(272, 5000).u8(277, 1);
    p.u8(280, 1).i32(284, 999999999).u32(288, 0x02030405).u32(292, 0x01);
    p.u32(296, 0x08090a0b).u32(300, 0x607);
    p.u8(281, 1).u32(304, 0x15161718).u32(308, 0x11121314);
    EXPECT_EQ(gui->lastSent(30), p.bytes);
}

TEST(GoldenBlobs, PanelLayoutKeepsTheFillOfTheLastTwoSlots) {
    auto gui = makeGui();
    gui->panelFrame.panels[7].shown = 1;
    gui->panelFrame.panels[7].positionX = 12.9f;
    gui->panelFrame.panels[7].positionY = -3.5f;
    gui->panelFrame.panels[7].scale = 2.0f;
    gui->view.currentPage = 3;
    gui->chrome.toolboxFolded = 0;
    gui->chrome.masterHidden = 1;
    gui->delayEditor.delayPanelKind = 2;
    gui->delayEditor.delayPanelIndex = 5;
    gui->virtualEditor.virtualEditMode = 0;
    gui->virtualEditor.virtualEditIndex = 1;
    gui->filtersEditor.filterPanelKind = 0;
    gui->filtersEditor.filterPanelIndex = 1;
    gui->sendPanelLayoutBlob();
    Golden g(236);
    g.i32(0, 10);
    for (int k = 0; k < 12; ++k) g.f32(4 + 16 * k + 12, 1.0f);
    // The other panels stand where construction puts them, at (100, 100).
    for (int k = 0; k < 10; ++k) g.i32(8 + 16 * k, 100).i32(12 + 16 * k, 100);
    g.u8(4 + 16 * 7, 1).i32(8 + 16 * 7, 12).i32(12 + 16 * 7, -3).f32(16 + 16 * 7, 2.0f);
    for (int k = 10; k < 12; ++k) g.i32(8 + 16 * k, 300).i32(12 + 16 * k, 300);
    g.i32(196, 3).u8(200, 1).u8(201, 0).i32(208, 1).i32(212, 2).i32(216, 5).i32(224, 1);
    EXPECT_EQ(gui->lastSent(21), g.bytes);
}

} // namespace
