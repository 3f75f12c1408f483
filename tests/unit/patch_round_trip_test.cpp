// The round trip at full load: a rich state saved, loaded into a fresh instance and saved
// again gives the same file, and the second instance holds the same records as the first.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "patch_round_trip_support.h"
#include "qxplatform/test_hooks.h"

using namespace patch_test;

namespace {

// The first line at which two texts differ, or "" when they are equal.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream left(a), right(b);
    std::string l, r;
    for (int n = 1;; ++n) {
        const bool more = static_cast<bool>(std::getline(left, l));
        const bool moreRight = static_cast<bool>(std::getline(right, r));
        if (!more && !moreRight) return "";
        if (l != r || more != moreRight)
            return "line " + std::to_string(n) + ": \"" + l + "\" / \"" + r + "\"";
    }
}

template <typename Record> bool sameBytes(const Record& a, const Record& b) {
    return std::memcmp(&a, &b, sizeof(Record)) == 0;
}

struct PatchRoundTrip : ::testing::Test {
    ScratchFolder scratch{"roundtrip"};
    std::string folder = scratch.path;
    std::unique_ptr<QX_GUI> first = std::make_unique<QX_GUI>();
    std::unique_ptr<QX_GUI> second = std::make_unique<QX_GUI>();
};

TEST_F(PatchRoundTrip, FullLoadSavedLoadedAndSavedAgainIsByteIdentical) {
    ASSERT_EQ(runLines(*first, fullLoadCommands()), std::vector<std::string>());
    const std::string path1 = folder + "/FIRST.txt";
    const std::string path2 = folder + "/SECOND.txt";
    ASSERT_EQ(first->writePatchFile(path1, 0), 0);

    second->console.errorCount = 0;
    loadPatch(*second, path1);
    EXPECT_EQ(second->console.errorCount, 0) << second->failedLines[0];
    ASSERT_EQ(second->writePatchFile(path2, 0), 0);

    const std::string text1 = readFile(path1);
    const std::string text2 = readFile(path2);
    ASSERT_GT(text1.size(), 10000u);
    EXPECT_EQ(firstDifference(text1, text2), "");
    EXPECT_EQ(text1.size(), text2.size());
}

// Sends the whole state: every send flag raised, then one pass of the sender.
void sendEverything(QX_GUI& gui) {
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui.sendFlags[flag] = 1;
    gui.sendStateToDsp();
}

// Every out pin by name, so a difference says which blob broke.
std::vector<std::pair<const char*, const MpGuiPin<MpBlob>*>> outPins(const QX_GUI& gui) {
    return {{"view state", &gui.pinViewState},
            {"rooms", &gui.pinRooms},
            {"targets", &gui.pinTargets},
            {"sources", &gui.pinSources},
            {"groups", &gui.pinGroups},
            {"cables", &gui.pinCables},
            {"input delays", &gui.pinInputDelays},
            {"input eq", &gui.pinInputEq},
            {"input dynamics", &gui.pinInputDynamics},
            {"gain matrix", &gui.pinGainMatrix},
            {"output eq", &gui.pinOutputEq},
            {"output dynamics", &gui.pinOutputDynamics},
            {"output delays", &gui.pinOutputDelays},
            {"panel layout", &gui.pinPanelLayout},
            {"input mixer", &gui.pinInputMixer},
            {"output mixer", &gui.pinOutputMixer},
            {"source virtuals", &gui.pinSourceVirtuals},
            {"target virtuals", &gui.pinTargetVirtuals},
            {"feedback mixes", &gui.pinFeedbackMixes},
            {"notes", &gui.pinNotes},
            {"name lists", &gui.pinNameLists},
            {"patch record", &gui.pinPatchRecord},
            {"slices", &gui.pinSlices}};
}

// The offset of the first byte at which two blobs differ, -1 when equal.
int firstDifferentByte(const MpBlob& a, const MpBlob& b) {
    const int n = std::min(a.getSize(), b.getSize());
    for (int k = 0; k < n; ++k)
        if (a.getData()[k] != b.getData()[k]) return k;
    return a.getSize() == b.getSize() ? -1 : n;
}

TEST_F(PatchRoundTrip, EveryPinOfTheLoadedInstanceCarriesTheSameBytes) {
    // The patch record carries clock readings; both instances read one clock.
    qxplatform::setManualClock(5000);
    struct ClockRelease {
        ~ClockRelease() { qxplatform::releaseManualClock(); }
    } clockRelease;
    ASSERT_EQ(runLines(*first, fullLoadCommands()), std::vector<std::string>());
    const std::string path = folder + "/PINS.txt";
    ASSERT_EQ(first->writePatchFile(path, 0), 0);
    loadPatch(*second, path);
    sendEverything(*first);
    sendEverything(*second);

    const auto left = outPins(*first);
    const auto right = outPins(*second);
    for (size_t k = 0; k < left.size(); ++k) {
        SCOPED_TRACE(left[k].first);
        const MpBlob& a = left[k].second->getValue();
        const MpBlob& b = right[k].second->getValue();
        EXPECT_EQ(a.getSize(), b.getSize());
        EXPECT_EQ(firstDifferentByte(a, b), -1);
    }
}

TEST_F(PatchRoundTrip, TheLoadedInstanceHoldsTheSameStateAsTheFirst) {
    ASSERT_EQ(runLines(*first, fullLoadCommands()), std::vector<std::string>());
    const std::string path = folder + "/STATE.txt";
    ASSERT_EQ(first->writePatchFile(path, 0), 0);
    loadPatch(*second, path);
    // The encoders stamp each record's channel byte as they send; both have sent.
    sendEverything(*first);
    sendEverything(*second);
    const QX_GUI& a = *first;
    const QX_GUI& b = *second;

    ASSERT_EQ(a.sourceCount, b.sourceCount);
    ASSERT_EQ(a.targetCount, b.targetCount);
    ASSERT_EQ(a.groupCount, b.groupCount);
    ASSERT_EQ(a.roomCount, b.roomCount);
    for (int i = 0; i < a.sourceCount; ++i) {
        const SourceRecord& s = a.sources[i];
        const SourceRecord& t = b.sources[i];
        SCOPED_TRACE("source " + s.name);
        EXPECT_EQ(s.name, t.name);
        EXPECT_EQ(s.x, t.x);
        EXPECT_EQ(s.y, t.y);
        EXPECT_EQ(s.size, t.size);
        EXPECT_EQ(s.level, t.level);
        EXPECT_EQ(s.mute, t.mute);
        EXPECT_EQ(s.solo, t.solo);
        EXPECT_EQ(s.phase, t.phase);
        EXPECT_EQ(s.virtualChannel, t.virtualChannel);
        EXPECT_EQ(s.colourRed, t.colourRed);
        EXPECT_EQ(s.colour, t.colour);
    }
    for (int i = 0; i < a.targetCount; ++i) {
        const TargetRecord& s = a.targets[i];
        const TargetRecord& t = b.targets[i];
        SCOPED_TRACE("target " + s.name);
        EXPECT_EQ(s.name, t.name);
        EXPECT_EQ(s.x, t.x);
        EXPECT_EQ(s.y, t.y);
        EXPECT_EQ(s.level, t.level);
        EXPECT_EQ(s.useGlobalRadius, t.useGlobalRadius);
        EXPECT_EQ(s.ownRadius, t.ownRadius);
        EXPECT_EQ(s.visible, t.visible);
    }
    for (int g = 0; g < a.groupCount; ++g) {
        SCOPED_TRACE("group " + a.groups[g].name);
        EXPECT_EQ(a.groups[g].memberCount, b.groups[g].memberCount);
        EXPECT_EQ(a.groups[g].rotationOn, b.groups[g].rotationOn);
        EXPECT_EQ(a.groups[g].movementOn, b.groups[g].movementOn);
        EXPECT_EQ(a.groups[g].level, b.groups[g].level);
    }
    ASSERT_EQ(a.cableCount, b.cableCount);
    for (int c = 0; c < a.cableCount; ++c) {
        SCOPED_TRACE("cable " + std::to_string(c));
        EXPECT_EQ(a.cables[c].source, b.cables[c].source);
        EXPECT_EQ(a.cables[c].target, b.cables[c].target);
        EXPECT_EQ(a.cables[c].level, b.cables[c].level);
        EXPECT_EQ(a.cables[c].mute, b.cables[c].mute);
        EXPECT_EQ(a.cables[c].solo, b.cables[c].solo);
        EXPECT_EQ(a.cables[c].phase, b.cables[c].phase);
        EXPECT_EQ(a.cables[c].useGroups, b.cables[c].useGroups);
    }
    for (int ch = 0; ch < QX_GUI::kChannels; ++ch) {
        SCOPED_TRACE("channel " + std::to_string(ch));
        // The delay's edit mark is set when an editor shows it and is not saved.
        EXPECT_EQ(a.inputDelays[ch].on, b.inputDelays[ch].on);
        EXPECT_EQ(a.inputDelays[ch].time, b.inputDelays[ch].time);
        EXPECT_TRUE(sameBytes(a.outputDelays[ch], b.outputDelays[ch]));
        EXPECT_TRUE(sameBytes(a.inputFilters[ch], b.inputFilters[ch]));
        EXPECT_TRUE(sameBytes(a.outputFilters[ch], b.outputFilters[ch]));
        EXPECT_EQ(a.feedbackMixes[ch].pinCount, b.feedbackMixes[ch].pinCount);
        for (int j = 0; j < a.feedbackMixes[ch].pinCount; ++j) {
            EXPECT_EQ(a.feedbackMixes[ch].pinNumbers[j], b.feedbackMixes[ch].pinNumbers[j]);
            EXPECT_EQ(a.feedbackMixes[ch].gains[j], b.feedbackMixes[ch].gains[j]);
            EXPECT_EQ(a.feedbackMixes[ch].mutes[j], b.feedbackMixes[ch].mutes[j]);
            EXPECT_EQ(a.feedbackMixes[ch].phases[j], b.feedbackMixes[ch].phases[j]);
        }
        EXPECT_EQ(a.inputDynamics[ch].type, b.inputDynamics[ch].type);
        EXPECT_EQ(a.inputDynamics[ch].sideChainLocation, b.inputDynamics[ch].sideChainLocation);
        EXPECT_EQ(a.outputDynamics[ch].channelIndex, b.outputDynamics[ch].channelIndex);
    }
    EXPECT_EQ(a.viewSettings.masterVolume, b.viewSettings.masterVolume);
    EXPECT_EQ(a.viewSettings.globalRadius, b.viewSettings.globalRadius);
    EXPECT_EQ(a.view.viewZoom, b.view.viewZoom);
    EXPECT_EQ(a.view.viewPanX, b.view.viewPanX);
    EXPECT_EQ(a.view.viewPanY, b.view.viewPanY);
    EXPECT_EQ(a.stageView.gridShown, b.stageView.gridShown);
    EXPECT_EQ(a.stageView.crosshairShown, b.stageView.crosshairShown);
    EXPECT_EQ(a.stageView.annotationVisibility, b.stageView.annotationVisibility);
    EXPECT_EQ(a.chrome.masterHidden, b.chrome.masterHidden);
    EXPECT_EQ(a.panelFrame.panels[7].shown, b.panelFrame.panels[7].shown);
    EXPECT_EQ(a.panelFrame.panels[7].positionX, b.panelFrame.panels[7].positionX);
    EXPECT_EQ(a.syndicationMode, 1);
    EXPECT_EQ(b.syndicationMode, 1);
    EXPECT_EQ(a.touchedKind, b.touchedKind);
    EXPECT_EQ(a.touchedIndex, b.touchedIndex);
    EXPECT_EQ(a.noteCount, b.noteCount);
    EXPECT_EQ(a.autoSave, b.autoSave);
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(a.slices[k].memberCount, b.slices[k].memberCount);
        for (int m = 0; m < a.slices[k].memberCount; ++m) {
            EXPECT_EQ(a.slices[k].sourceIndex[m], b.slices[k].sourceIndex[m]);
            EXPECT_EQ(a.slices[k].x[m], b.slices[k].x[m]);
            EXPECT_EQ(a.slices[k].level[m], b.slices[k].level[m]);
        }
    }
    for (int n = 1; n <= 10; ++n) EXPECT_EQ(a.storedSelectionCounts[n], b.storedSelectionCounts[n]);
}

} // namespace
