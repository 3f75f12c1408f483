// Incoming pin values: state restored from blobs, scripts, the configuration block, meters, and
// the guards against values that do not fit their tables.
#include <gtest/gtest.h>

#include <algorithm>

#include "command_test_support.h"
#include "dsp_link/configuration_codec.h"
#include "dsp_link/state_pins.h"
#include "dsp_link_recording_gui.h"

namespace {

void buildScene(QX_GUI& gui) {
    gui.sourceCount = 3;
    gui.targetCount = 2;
    gui.groupCount = 2;
    gui.roomCount = 1;
    for (int i = 0; i < 3; ++i) {
        SourceRecord& s = gui.sources[i];
        s.name = "S" + std::to_string(i + 1);
        s.x = 10.0f * i - 5.0f;
        s.y = 3.0f * i;
        s.level = 0.5f + 0.1f * i;
        s.size = 1.0f + i;
        s.colour = 0x00102030u + i;
        s.virtualChannel = i;
        s.mute = i == 1;
    }
    gui.sources[2].addToGroup(1);
    gui.groups[1].addMember(2);
    for (int i = 0; i < 2; ++i) {
        TargetRecord& t = gui.targets[i];
        t.name = "T" + std::to_string(i + 1);
        t.x = 50.0f + i;
        t.ownRadius = 2.0f;
        t.useGlobalRadius = i;
        t.virtualChannel = i;
    }
    for (int g = 0; g < 2; ++g) gui.groups[g].name = "G" + std::to_string(g + 1);
    gui.rooms[0].name = "R1";
    gui.rooms[0].width = 100.0f;
    gui.rooms[0].height = 80.0f;
    gui.cableCount = 1;
    gui.cables[0] = CableRecord{};
    gui.cables[0].source = 1;
    gui.cables[0].target = 0;
    gui.cables[0].level = 0.75f;
    gui.inputDelays[0].time = -2.0f;
    gui.inputDelays[0].on = 1;
    gui.outputDelays[1].time = 4.0f;
    gui.inputFilters[1].bands[2].gain = 3.0f;
    gui.outputDynamics[0].attack = 12.0f;
    gui.inputMixers[3].pinCount = 2;
    gui.feedbackMixes[1].masterLevel = 0.5f;
    gui.storedSelections[1][0] = "S1";
    gui.storedSelections[1][1] = "T2";
    gui.storedSelectionNumber = 1;
    gui.slices[2].memberCount = 1;
    gui.slices[2].sourceIndex[0] = 1;
    gui.panelFrame.panels[3].shown = 1;
    gui.stageView.gridShown = 0;
    gui.view.viewZoom = 2.0f;
    // The editors show their items, as in a running session (a restored panel layout loads
    // them again).
    gui.loadDelayPanel(gui.delayEditor.delayPanelKind, gui.delayEditor.delayPanelIndex);
    gui.loadFiltersPanel(gui.filtersEditor.filterPanelKind, gui.filtersEditor.filterPanelIndex);
    gui.loadDynamicsPanel(gui.dynamicsEditor.dynamicsPanelKind,
                          gui.dynamicsEditor.dynamicsPanelIndex);
}

void raiseEverything(QX_GUI& gui) {
    for (int flag : {1, 2, 3, 4, 5, 11, 12, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30})
        gui.sendFlags[flag] = 1;
}

TEST(PinCallbacks, RestoredInstanceSendsTheSameBytesOnEveryPin) {
    auto first = makeGui();
    buildScene(*first);
    raiseEverything(*first);
    first->sendStateToDsp();

    auto second = makeGui();
    for (const StatePin& pin : kStatePinsInRestoreOrder)
        second->deliver(pin.pinId, first->lastSent(pin.pinId));
    // The output delays armed a patch check; it runs two ticks later and passes.
    second->advancePatchRetry();
    second->advancePatchRetry();
    EXPECT_EQ(second->patchCheckPending, 0);
    second->sent.clear();
    command_test::clearFlags(*second);
    raiseEverything(*second);
    first->sent.clear();
    raiseEverything(*first);
    first->sendStateToDsp(); // nothing changed: nothing sent
    EXPECT_TRUE(first->sent.empty());
    second->sendStateToDsp();
    // Whatever the second instance sends must equal what the first holds on that pin.
    for (const StatePin& pin : kStatePinsInRestoreOrder) {
        const int32_t id = pin.pinId;
        MpGuiPinBase* a = first->findPin(id);
        MpGuiPinBase* b = second->findPin(id);
        ASSERT_EQ(a->getSize(), b->getSize()) << "pin " << id;
        if (a->getSize() > 0) {
            EXPECT_EQ(0, std::memcmp(a->getData(), b->getData(), a->getSize())) << "pin " << id;
        }
    }
    EXPECT_EQ(second->storedSelections[1][1], "T2");
    EXPECT_EQ(second->sources[0].selected, 1);
    EXPECT_EQ(second->targets[1].selected, 1);
}

// Colours reach the records as their own setColour gives them: a restored stage writes the
// same patch as the stage it was restored from (the components of 0xC0C0C0 are 192 x the f32
// 0.003921569, one step above 192 / 255).
TEST(PinCallbacks, ARestoredStageWritesTheSamePatchAsItsOrigin) {
    auto first = makeGui();
    for (const char* line : {"HARD_RESET", "SET NUM_ROOM 2", "SET NUM_SOURCE 3", "SET NUM_TARGET 2",
                             "SET NUM_GROUP 2", "RGB S2 RED:0.3 GREEN:0.6 BLUE:0.9"})
        ASSERT_EQ(first->executeCommandString(line), 0) << line;
    raiseEverything(*first);
    first->sendStateToDsp();
    auto second = makeGui();
    for (const StatePin& pin : kStatePinsInRestoreOrder)
        second->deliver(pin.pinId, first->lastSent(pin.pinId));
    EXPECT_EQ(second->groups[0].colourRed, first->groups[0].colourRed);
    // The item sections: rooms, targets, sources and groups.
    auto sections = [](QX_GUI& gui) {
        const std::string text = gui.composePatchText(0);
        return text.substr(0, text.find("# GROUPIFICATION"));
    };
    EXPECT_EQ(sections(*second), sections(*first));
}

// The state pins a host keeps are exactly the pins the sender writes, each under its own flag:
// a pin the sender writes but the list lacks would be lost by every host that keeps the list.
TEST(PinCallbacks, TheStatePinsAreWhatTheSenderWritesUnderTheirFlags) {
    std::vector<int32_t> written;
    for (int flag : kSendOrder) {
        if (flag == kSendPatchCheck) continue; // the check rewrites records sent under their flags
        auto gui = makeGui();
        buildScene(*gui);
        gui->noteCount = 1; // an empty notes blob is never sent
        command_test::clearFlags(*gui);
        gui->sendFlags[flag] = 1;
        gui->sendStateToDsp();
        EXPECT_FALSE(gui->sent.empty()) << "flag " << flag;
        for (int32_t id : gui->sentIds()) {
            const auto listed = std::find_if(std::begin(kStatePinsInRestoreOrder),
                                             std::end(kStatePinsInRestoreOrder),
                                             [&](const StatePin& pin) { return pin.pinId == id; });
            ASSERT_NE(listed, std::end(kStatePinsInRestoreOrder)) << "pin " << id;
            EXPECT_EQ(listed->sendFlag, flag) << "pin " << id;
            written.push_back(id);
        }
    }
    for (const StatePin& pin : kStatePinsInRestoreOrder)
        EXPECT_NE(std::find(written.begin(), written.end(), pin.pinId), written.end())
            << "pin " << pin.pinId << " is never written";
}

// A target byte "uses the global radius" of 2 reads as 1: the gain matrix and the targets
// blob then agree with what a byte of 1 gives.
TEST(PinCallbacks, AnyNonZeroGlobalRadiusByteMeansTheGlobalRadius) {
    auto first = makeGui();
    buildScene(*first);
    first->viewSettings.globalRadius = 7.0f; // unlike the targets' own radius of 2
    raiseEverything(*first);
    first->sendStateToDsp();
    std::vector<uint8_t> targets = first->lastSent(8);
    ASSERT_GE(targets.size(), 2u * 64);
    ASSERT_EQ(targets[64 + 33], 1);

    auto restoreWithByte = [&](uint8_t byte) {
        auto gui = makeGui();
        targets[64 + 33] = byte;
        for (const StatePin& pin : kStatePinsInRestoreOrder)
            gui->deliver(pin.pinId, pin.pinId == 8 ? targets : first->lastSent(pin.pinId));
        gui->advancePatchRetry(); // the patch check armed by the restore passes
        gui->advancePatchRetry();
        gui->sent.clear();
        raiseEverything(*gui);
        gui->sendStateToDsp();
        return gui;
    };
    auto one = restoreWithByte(1);
    auto two = restoreWithByte(2);
    EXPECT_EQ(two->targets[1].useGlobalRadius, 1);
    auto held = [](RecordingGui& gui, int32_t id) {
        const MpGuiPinBase* pin = gui.findPin(id);
        const uint8_t* data = static_cast<const uint8_t*>(pin->getData());
        return std::vector<uint8_t>(data, data + pin->getSize());
    };
    ASSERT_FALSE(held(*one, 15).empty());
    for (int32_t id : {8, 15}) EXPECT_EQ(held(*two, id), held(*one, id)) << "pin " << id;
}

TEST(PinCallbacks, SourcesBlobSizeSetsTheCount) {
    auto gui = makeGui();
    gui->sourceCount = 9;
    std::vector<uint8_t> blob(128, 0);
    blob[64] = 1; // second record names source 1
    gui->deliver(9, blob);
    EXPECT_EQ(gui->sourceCount, 2);
    std::vector<uint8_t> oversized(64 * 300, 0);
    gui->deliver(9, oversized);
    EXPECT_EQ(gui->sourceCount, 64);
}

TEST(PinCallbacks, EmptyRecordBlobsKeepTheModel) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->sendSourcesBlob();
    gui->deliver(9, {});
    EXPECT_EQ(gui->sourceCount, 1);
}

TEST(PinCallbacks, CableIndicesOutsideTheGridAreSkipped) {
    auto gui = makeGui();
    gui->sourceCount = 2;
    gui->targetCount = 2;
    Golden blob(32);
    blob.f32(0, 0.5f).u8(8, 1).u8(9, 0);
    blob.f32(16, 0.5f).u8(24, 200).u8(25, 250); // beyond any table row
    gui->deliver(11, blob.bytes);
    EXPECT_EQ(gui->cableCount, 1);
    EXPECT_EQ(gui->targets[0].cabled[1], 1);
    EXPECT_FLOAT_EQ(gui->targets[0].gainRow[1], 0.5f);
}

TEST(PinCallbacks, CableStagingHoldsAFullCableTable) {
    auto gui = makeGui();
    gui->sourceCount = 64;
    gui->targetCount = 64;
    gui->cableCount = 4096;
    for (int i = 0; i < 4096; ++i) {
        gui->cables[i].source = i / 64;
        gui->cables[i].target = i % 64;
        gui->cables[i].level = 1.0f;
    }
    gui->sendCablesBlob();
    std::vector<uint8_t> bytes = gui->lastSent(11);
    ASSERT_EQ(bytes.size(), 4096u * 16);
    EXPECT_EQ(bytes[4095 * 16 + 8], 63);
    EXPECT_EQ(bytes[4095 * 16 + 9], 63);
}

TEST(PinCallbacks, EmptyDelayBlobResetsEveryDelay) {
    auto gui = makeGui();
    gui->inputDelays[4].time = 3.0f;
    gui->inputDelays[4].on = 1;
    gui->sourceCount = 1;
    gui->sendInputDelaysBlob();
    gui->deliver(12, {});
    EXPECT_EQ(gui->console.statusMessage, "RESETTING INPUT DELAYS");
    for (const DelayRecord& d : gui->inputDelays) {
        EXPECT_EQ(d.channel, 255);
        EXPECT_EQ(d.on, 0);
        EXPECT_EQ(d.time, 0.0f);
    }
}

TEST(PinCallbacks, SlicesOfTheWrongSizeOnlyLog) {
    auto gui = makeGui();
    gui->slices[0].memberCount = 3;
    gui->deliver(31, std::vector<uint8_t>(25679, 0));
    EXPECT_EQ(gui->slices[0].memberCount, 3);
    EXPECT_EQ(gui->console.lines[1], "RECEIVE SLICES");
}

TEST(PinCallbacks, ScriptRunsOnlyForItsAddressee) {
    auto gui = makeGui();
    ScriptRecord other;
    other.addressee = 2;
    other.append("SLEEP_NOW");
    gui->deliver(3, script_codec::encode(other));
    EXPECT_EQ(gui->console.statusMessage, "SCRIPT IS FOR : 2");
    EXPECT_EQ(gui->console.writeIndex, 0);

    ScriptRecord mine;
    mine.addressee = 0;
    for (const char* line : {"A", "B", "C"}) mine.append(line);
    gui->deliver(3, script_codec::encode(mine));
    EXPECT_EQ(gui->console.lines[0], "SCRIPT IS FOR ME!");
    int32_t items = 0;
    for (const std::string& line : gui->console.lines)
        if (line.rfind("   -> ITEM ", 0) == 0) ++items;
    EXPECT_EQ(items, 3);
}

TEST(PinCallbacks, ScriptItemsOutsideTheBlobAreSkipped) {
    ScriptRecord script;
    script.addressee = 0;
    script.append("FIRST");
    script.append("SECOND");
    std::vector<uint8_t> bytes = script_codec::encode(script);
    bytes[8 + 20] = 31;       // capacity 31: the text would lie elsewhere
    bytes[8 + 24 + 12] = 'X'; // no NUL within the 16 bytes: cut at 15
    for (int i = 0; i < 16; ++i) bytes[8 + 24 + i] = 'Y';
    bytes[2408] = 0xFF; // count far beyond 100
    bytes[2409] = 0xFF;
    script_codec::Received received;
    ASSERT_TRUE(script_codec::decode(bytes.data(), static_cast<int32_t>(bytes.size()), received));
    ASSERT_EQ(received.lines.size(), 99u); // 100 items, the first skipped
    EXPECT_EQ(received.lines[0], std::string(15, 'Y'));
    EXPECT_FALSE(script_codec::decode(bytes.data(), 7, received));
}

TEST(PinCallbacks, ConfigurationBlockIsTakenWithClampedCounts) {
    auto gui = makeGui();
    gui->localId = 1;
    ConfigurationBlock block;
    block.displayCount = 5000;
    block.instanceCount = -4;
    block.instances[1].startPage = 4;
    std::vector<uint8_t> bytes = configuration_codec::encode(block);
    gui->deliver(2, bytes);
    EXPECT_EQ(gui->configuration.displayCount, 256);
    EXPECT_EQ(gui->configuration.instanceCount, 0);
    EXPECT_EQ(gui->view.currentPage, 4);
    EXPECT_EQ(gui->ownInstance.startPage, 4);

    auto shortBlock = makeGui();
    bytes.resize(100);
    shortBlock->deliver(2, bytes);
    EXPECT_EQ(shortBlock->configuration.instanceCount, 3);
    EXPECT_EQ(shortBlock->console.statusMessage, "CONFIGURATION BLOB IS TOO SHORT");

    auto invalid = makeGui();
    std::vector<uint8_t> notValid = configuration_codec::encode(block);
    notValid[0] = 2;
    invalid->deliver(2, notValid);
    EXPECT_EQ(invalid->view.currentPage, 0);
}

TEST(PinCallbacks, OwnScreenFullScreenOnlyForTheFirstTenIds) {
    auto gui = makeGui();
    gui->graphicsReady = 1;
    gui->configuration.displayCount = 256;
    for (DisplayRecord& d : gui->configuration.displays) d.fullScreen = 1;
    for (uint8_t& done : fullScreenDone) done = 0;
    gui->localId = 9;
    EXPECT_TRUE(gui->wantsFullScreenOnOwnScreen());
    fullScreenDone[9] = 1;
    EXPECT_FALSE(gui->wantsFullScreenOnOwnScreen());
    gui->localId = 10;
    EXPECT_FALSE(gui->wantsFullScreenOnOwnScreen());
    gui->localId = 200;
    EXPECT_FALSE(gui->wantsFullScreenOnOwnScreen());
}

TEST(PinCallbacks, MeterBytesAreQuarterDecibelsFallingTwoPerUpdate) {
    auto gui = makeGui();
    gui->dspLink.meterLevels[0] = -20.0f;
    gui->dspLink.meterLevels[1] = -4.0f;
    Golden blob(16);
    blob.u32(0, 0x50748).u32(4, 0).u32(8, 1).u32(12, 40u << 8 | 40u);
    gui->deliver(61, blob.bytes);
    EXPECT_FLOAT_EQ(gui->dspLink.meterLevels[0], -10.0f); // from below: jumps up
    EXPECT_FLOAT_EQ(gui->dspLink.meterLevels[1], -6.0f);  // falls by 2 dB
}

// The monitored channel's samples from word 507 and its spectrum from word 1019: each meter blob
// brings the newest curve and moves the older ones back by one.
TEST(PinCallbacks, MeterBlobCarriesScopeSamplesAndTheSpectrumTrail) {
    auto gui = makeGui();
    gui->initSpectrumTables();
    const MeterDisplayTables& t = *gui->dspLink.display;
    const float x5 = t.spectrumCurves[0][5][0];
    for (float base : {-10.0f, -20.0f, -30.0f}) {
        Golden blob(4 * (1019 + 1948));
        blob.u32(0, 0x50748).u32(4, 0).u32(8, 0);
        blob.f32(4 * 507, -0.5f).f32(4 * (507 + 511), 0.75f);
        for (int p = 0; p < 1948; ++p) blob.f32(4 * (1019 + p), base - 0.01f * p);
        gui->deliver(61, blob.bytes);
    }
    EXPECT_EQ(t.scopeTable[0][0], 0.0f);
    EXPECT_EQ(t.scopeTable[0][1], -0.5f); // the word's float, not its integer
    EXPECT_EQ(t.scopeTable[511][0], 511.0f);
    EXPECT_EQ(t.scopeTable[511][1], 0.75f);
    EXPECT_EQ(t.spectrumLength, 7792);
    const float newestFirst[] = {-30.0f, -20.0f, -10.0f, -200.0f};
    for (int c = 0; c < 4; ++c) {
        EXPECT_FLOAT_EQ(t.spectrumCurves[c][5][1], newestFirst[c] - (c < 3 ? 0.05f : 0.0f)) << c;
        EXPECT_EQ(t.spectrumCurves[c][5][0], x5) << c; // the frequency axis stays
    }
    EXPECT_FLOAT_EQ(t.spectrumCurves[0][1947][1], -30.0f - 19.47f);
    EXPECT_EQ(t.spectrumCurves[0][1948][1], -200.0f); // past the section: untouched

    Golden shortBlob(4 * (1019 + 1947)); // a section cut short is not taken
    shortBlob.u32(0, 0x50748);
    gui->deliver(61, shortBlob.bytes);
    EXPECT_FLOAT_EQ(t.spectrumCurves[0][5][1], -30.05f);
}

TEST(PinCallbacks, FirstTenActivityBlobsAreIgnored) {
    auto gui = makeGui();
    gui->targets[0].virtualChannel = 0;
    Golden blob(332);
    blob.u32(0, 0x50750).u32(4, 64).u8(268, 7);
    for (int i = 0; i < 10; ++i)
        gui->deliver(63, i % 2 ? blob.bytes
                               : std::vector<uint8_t>(blob.bytes.begin(), blob.bytes.end() - 1));
    EXPECT_EQ(gui->targets[0].activity, 0);
    gui->deliver(63, std::vector<uint8_t>(blob.bytes.begin(), blob.bytes.end() - 2));
    EXPECT_EQ(gui->targets[0].activity, 7);
}

TEST(PinCallbacks, StatusBlobReplacesTheBlockAtItsOwnOffsets) {
    // Each blob is patterned by its own offsets; the block keeps the first 4,100 bytes of it.
    const struct {
        size_t size;
        bool taken;
    } cases[] = {{11, false}, {12, true}, {100, true}, {4100, true}, {5000, true}};
    for (const auto& c : cases) {
        auto gui = makeGui();
        std::fill(gui->pipelineStatus, gui->pipelineStatus + 4100, uint8_t{0xEE});
        std::vector<uint8_t> blob(c.size);
        for (size_t i = 0; i < c.size; ++i) blob[i] = static_cast<uint8_t>(i * 7 + 1);
        gui->deliver(26, blob);
        for (size_t at : {size_t{0}, size_t{11}, size_t{64}, size_t{99}, size_t{128}, size_t{3968},
                          size_t{4099}}) {
            const uint8_t want = !c.taken ? 0xEE : at < c.size ? blob[at] : 0;
            EXPECT_EQ(gui->pipelineStatus[at], want) << c.size << " byte " << at;
        }
    }
}

TEST(PinCallbacks, NameListsRoundTripDropsEmptyWords) {
    auto gui = makeGui();
    gui->sourceCount = 1;
    gui->sources[0].name = "S1";
    gui->storedSelections[4][0] = "S1";
    gui->storedSelections[4][1] = "G2";
    gui->storedSelectionNumber = 4;
    gui->sendTextCommandPin();
    auto other = makeGui();
    other->sourceCount = 1;
    other->sources[0].name = "S1";
    other->deliver(29, gui->lastSent(29));
    EXPECT_EQ(other->storedSelections[4][0], "S1");
    EXPECT_EQ(other->storedSelections[4][1], "G2");
    EXPECT_EQ(other->storedSelections[4][2], "");
    EXPECT_EQ(other->storedSelectionNumber, 4);
    EXPECT_EQ(other->selectedCount, 2);
    EXPECT_EQ(other->sources[0].selected, 1);
}

TEST(PinCallbacks, PatchRecordLengthNeverPassesThePath) {
    auto gui = makeGui();
    Golden blob(280, 'A');
    blob.i32(256, 5000).i32(272, 5000);
    gui->deliver(30, blob.bytes);
    EXPECT_EQ(gui->patchPath[255], 0);
    EXPECT_EQ(gui->patchPathLength, 255);
}

// The stamp of the patch file comes back with the record; a record stored before the stamp was
// kept (280 bytes) still brings the path back, with no stamp.
TEST(PinCallbacks, PatchRecordBringsBackThePatchFilesStamp) {
    auto gui = makeGui();
    Golden record(312);
    record.text(0, "PATCHES/A.txt").i32(256, 13).i32(272, 5000);
    record.u8(280, 1).i32(284, 7).u32(288, 1234).u32(296, 1700000000).u32(300, 1);
    gui->deliver(30, record.bytes);
    EXPECT_EQ(gui->saveState.patchFileStamp,
              (FileStamp{1, 1234, 1700000000 + (int64_t{1} << 32), 7}));

    record.u8(280, 0);
    gui->deliver(30, record.bytes);
    EXPECT_EQ(gui->saveState.patchFileStamp.held, 0) << "a record that holds no stamp";

    Golden older(280);
    older.text(0, "PATCHES/B.txt").i32(256, 13).i32(272, 5000);
    gui->saveState.patchFileStamp.held = 1;
    gui->deliver(30, older.bytes);
    EXPECT_EQ(std::string(gui->patchPath), "PATCHES/B.txt");
    EXPECT_EQ(gui->saveState.patchFileStamp.held, 0);

    Golden between(296);
    between.text(0, "PATCHES/C.txt").i32(256, 13);
    gui->deliver(30, between.bytes);
    EXPECT_EQ(std::string(gui->patchPath), "PATCHES/B.txt") << "neither length is refused";
}

TEST(PinCallbacks, Pin38SetsLocksAndLabels) {
    auto gui = makeGui();
    std::u16string text = u"1,0,1,0,1,,,,,,1,0,1,1";
    for (int i = 0; i < 200; ++i) text += u",1"; // more fields than the table holds
    gui->setPin(38, 0, static_cast<int32_t>(text.size() * 2), text.data());
    gui->notifyPin(38, 0);
    EXPECT_EQ(gui->view.stageLock, 1);
    EXPECT_EQ(gui->stageView.roomsLocked, 0);
    EXPECT_EQ(gui->stageView.sourcesLocked, 1);
    EXPECT_EQ(gui->stageView.roomLabels, 1);
    EXPECT_EQ(gui->stageView.targetLabels, 0);
    EXPECT_EQ(gui->stageView.sourceLabels, 1);
}

TEST(PinCallbacks, NotesTravelAndComeBack) {
    auto gui = makeGui();
    gui->executeCommandString("NOTE X:100 Y:50 S:4 RED:0.5 \"HELLO\"");
    gui->executeCommandString("NOTE X:10 Y:20 S:2 \"SECOND\"");
    ASSERT_EQ(gui->noteCount, 2);
    gui->sendStateToDsp();
    const std::vector<uint8_t> bytes = gui->lastSent(28);
    ASSERT_EQ(bytes.size(), 640u);
    const NoteRecord& first = gui->notes[0];
    Golden g(320);
    g.f32(0, first.x).f32(4, first.y).f32(8, first.width).f32(12, 20.0f).i32(16, 1);
    g.f32(20, 4.0f).f32(24, 0.5f).f32(28, first.green).f32(32, first.blue).f32(36, first.alpha);
    g.text(56, "HELLO").i32(312, 5);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 320), g.bytes);

    auto other = makeGui();
    other->deliver(28, bytes);
    ASSERT_EQ(other->noteCount, 2);
    EXPECT_STREQ(other->notes[1].text, "SECOND");
    EXPECT_EQ(other->notes[1].textLength, 6);
    EXPECT_EQ(other->notes[0].x, first.x);

    // A torn record is dropped; a text that fills its field stays terminated; an empty blob
    // clears the table.
    std::vector<uint8_t> torn(bytes.begin(), bytes.begin() + 330);
    torn[56 + 255] = 'X';
    torn[312] = 0x7F;
    other->deliver(28, torn);
    ASSERT_EQ(other->noteCount, 1);
    EXPECT_EQ(other->notes[0].text[255], '\0');
    EXPECT_EQ(other->notes[0].textLength, 5);
    other->deliver(28, {});
    EXPECT_EQ(other->noteCount, 0);
}

TEST(PinCallbacks, EmptyProcessingBlobsResetTheirTables) {
    struct Case {
        int32_t pin;
        const char* status;
    } cases[] = {{13, "RESETTING INPUT FILTERS"},
                 {16, "RESETTING OUTPUT FILTERS"},
                 {14, "RESETTING INPUT DYNAMICS"},
                 {17, "RESETTING OUTPUT DYNAMICS"}};
    for (const Case& c : cases) {
        auto gui = makeGui();
        gui->inputFilters[1].bands[2].gain = 6.0f;
        gui->outputFilters[1].bands[2].gain = 6.0f;
        gui->inputDynamics[1].attack = 5.0f;
        gui->outputDynamics[1].attack = 5.0f;
        gui->deliver(c.pin, {});
        EXPECT_EQ(gui->console.statusMessage, c.status) << c.pin;
        const float gain = (c.pin == 16 ? gui->outputFilters : gui->inputFilters)[1].bands[2].gain;
        const float attack = (c.pin == 17 ? gui->outputDynamics : gui->inputDynamics)[1].attack;
        if (c.pin == 13 || c.pin == 16) {
            EXPECT_EQ(gain, 0.0f) << c.pin;
        } else {
            EXPECT_EQ(attack, DynamicsRecord{}.attack) << c.pin;
        }
    }
}

TEST(PinCallbacks, ShownEditorsShowWhatCameIn) {
    auto first = makeGui();
    first->sourceCount = 2;
    first->inputDelays[1].on = 1;
    first->inputDelays[1].time = 0.25f;
    first->sendInputDelaysBlob();

    auto gui = makeGui();
    gui->sourceCount = 2;
    gui->loadDelayPanel(1, 1);
    gui->panelFrame.panels[7].shown = 1; // the DELAY panel
    gui->deliver(12, first->lastSent(12));
    EXPECT_EQ(gui->delayEditor.delayEnabled, 1);
    EXPECT_FLOAT_EQ(gui->delayEditor.delayTime, 0.25f);

    // A hidden editor is left as it was.
    gui->panelFrame.panels[7].shown = 0;
    first->inputDelays[1].time = 0.5f;
    first->sendInputDelaysBlob();
    gui->deliver(12, first->lastSent(12));
    EXPECT_FLOAT_EQ(gui->delayEditor.delayTime, 0.25f);
}

TEST(PinCallbacks, Blob2PatchSendsTheBlockWithTheMousePosition) {
    auto gui = makeGui();
    gui->localId = 3; // any instance
    gui->interaction.pointerPixelX = 123;
    gui->interaction.pointerPixelY = -7;
    gui->executeCommandString("BLOB2PATCH");
    const std::vector<uint8_t> bytes = gui->lastSent(2);
    ASSERT_EQ(bytes.size(), static_cast<size_t>(ConfigurationBlock::kEncodedSize));
    Golden expected(8);
    expected.i32(0, 123).i32(4, -7);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 5104, bytes.begin() + 5112), expected.bytes);
    const std::vector<std::string> lines = command_test::consoleLines(*gui);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "TESTING CONFIGURATION TO PATCH ..."),
              lines.end());
}

} // namespace
