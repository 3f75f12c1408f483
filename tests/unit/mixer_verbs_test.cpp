// The feedback verbs, the input and output mixer verbs, the VIRTUAL editor's mix editing and
// the mixer patch section.
#include <gtest/gtest.h>

#include "processing_test_support.h"

using namespace processing_test;

namespace {

struct MixerTest : ::testing::Test, ProcessingStage {
    MixRecord& in(int i) { return gui->inputMixers[i]; }
    // The mix as the DSP side reads it: pins, settings and flags of the slots in use.
    static std::string describe(const MixRecord& m) {
        std::string text = "use " + std::to_string(m.inUse) + " index " + std::to_string(m.index) +
                           " master " + std::to_string(m.masterLevel) + " pins";
        for (int j = 0; j < m.pinCount; ++j)
            text += " " + std::to_string(m.pinNumbers[j]) + "/" + std::to_string(m.gains[j]) + "/" +
                    std::to_string(m.phases[j]) + "/" + std::to_string(m.mutes[j]);
        text += " routed ";
        for (int j = 0; j < 64; ++j) text += m.routed[j] ? '1' : '0';
        return text;
    }
    // The state a patch load leaves a mix in before its lines run (the virtual reset).
    static void virtualReset(MixRecord& m, int i) {
        m = MixRecord();
        m.pinCount = 1;
        m.index = i;
        m.pinNumbers[0] = i;
        m.gains[0] = 1.0f;
        m.phases[0] = 1.0f;
        m.routed[0] = 1;
    }
};

TEST_F(MixerTest, FeedbackPathsAreAddedAndEdited) {
    struct Case {
        const char* line;
        int slots; // slots of S1's mix afterwards
        float gain0, phase0;
        uint8_t mute0;
        const char* error;
    } cases[] = {
        {"FEEDBACK T1 S1", 1, 0.5f, 1.0f, 0, nullptr},
        {"FEEDBACK T1 S1 -6", 2, 0.5f, 1.0f, 0, nullptr},
        {"TOGGLE_FEEDBACK_MUTE T1 S1", 2, 0.5f, 1.0f, 1, nullptr},
        {"TOGGLE_FEEDBACK_MUTE T1 S1 YES", 2, 0.5f, 1.0f, 1, nullptr},
        {"TOGGLE_FEEDBACK_PHASE T1 S1 REVERSE", 2, 0.5f, -1.0f, 1, nullptr},
        {"TOGGLE_FEEDBACK_PHASE T1 S1", 2, 0.5f, 1.0f, 1, nullptr},
        {"FEEDBACK_LEVEL T1 S1 -12", 2, 0.25118864f, 1.0f, 1, nullptr},
        {"FEEDBACK_LEVEL T1 S1", 2, 1.0f, 1.0f, 1, nullptr},
        {"FEEDBACK_LEVEL T2 S1 -3", 2, 1.0f, 1.0f, 1, nullptr}, // no such path: left alone
        {"FEEDBACK T1 T2", 2, 1.0f, 1.0f, 1, "NO SOURCE NODE TO FEEDBACK TO SPECIFIED"},
        {"FEEDBACK S1 S2", 2, 1.0f, 1.0f, 1, "NO TARGET NODE TO FEEDBACK FROM SPECIFIED"},
        {"FEEDBACK T1", 2, 1.0f, 1.0f, 1, "TOO FEW OBJECTS SPECIFIED"},
        {"TOGGLE_FEEDBACK_MUTE T1 T2", 2, 1.0f, 1.0f, 1, "BAD ASSIGNMENT - SOURCES NOT SPECIFIED"},
        {"REMOVE_FEEDBACK S1 S2", 2, 1.0f, 1.0f, 1, "BAD ASSIGNMENT - TARGETS NOT SPECIFIED"},
        {"NO_FEEDBACK T1 S1", 2, 1.0f, 1.0f, 1, "NODE NOT A SOURCE"},
    };
    for (const Case& c : cases) {
        const auto lines = run(c.line);
        const MixRecord& m = gui->feedbackMixes[0];
        EXPECT_EQ(m.pinCount, c.slots) << c.line;
        EXPECT_FLOAT_EQ(m.gains[0], c.gain0) << c.line;
        EXPECT_EQ(m.phases[0], c.phase0) << c.line;
        EXPECT_EQ(m.mutes[0], c.mute0) << c.line;
        if (c.error) {
            EXPECT_TRUE(printed(lines, c.error)) << c.line;
        } else {
            EXPECT_TRUE(flag(kSendFeedbackMixes)) << c.line;
        }
    }
    // The second path of the pair was added at -6 dB and only the first was ever edited.
    EXPECT_FLOAT_EQ(gui->feedbackMixes[0].gains[1], 0.5011872f);
    EXPECT_EQ(gui->feedbackMixes[0].mutes[1], 0);
    // A saved linear gain comes back.
    run("FEEDBACK T3 S2 0.7");
    EXPECT_FLOAT_EQ(gui->feedbackMixes[1].gains[0], 0.7f);
}

TEST_F(MixerTest, RemovingFeedbackCompactsTheMix) {
    run("FEEDBACK T1 T2 T3 S1");
    run("TOGGLE_FEEDBACK_MUTE T3 S1 1");
    run("REMOVE_FEEDBACK T2 S1");
    const MixRecord& m = gui->feedbackMixes[0];
    ASSERT_EQ(m.pinCount, 2);
    EXPECT_EQ(m.pinNumbers[0], 0);
    EXPECT_EQ(m.pinNumbers[1], 2);
    EXPECT_EQ(m.mutes[1], 1);
    EXPECT_EQ(m.routed[1], 0);
    EXPECT_EQ(m.routed[2], 1);
    const auto lines = run("NO_FEEDBACK S1 T1");
    EXPECT_TRUE(printed(lines, "NO FEEDBACK ?"));
    EXPECT_EQ(gui->feedbackMixes[0].pinCount, 0);
    // A full mix takes no further path.
    gui->feedbackMixes[3].pinCount = 64;
    run("FEEDBACK T1 S4");
    EXPECT_EQ(gui->feedbackMixes[3].pinCount, 64);
}

TEST_F(MixerTest, MixerLinesEditTheMix) {
    struct Case {
        const char* line;
        const char* mix;     // describe() of input mix 0 afterwards, or "" to skip
        const char* message; // error or console line expected
    } cases[] = {
        {"INPUT_MIXER S1 RESET", "", "INPUT MIXER 0"},
        {"INPUT_MIXER S1 ADD_PIN 65", "", "ADD_PIN - PIN OUT OF RANGE"},
        {"INPUT_MIXER S1 ADD_PIN 1", "", "ADD_PIN - PIN ALREADY IN MIXER"},
        {"INPUT_MIXER S1 ADD_PIN 3", "", "  THE VERB IS  --ADD_PIN--"},
        {"INPUT_MIXER S1 ADD_PIN 4", "", "  THE ARGS ARE --4--"},
        {"INPUT_MIXER S1 PHASE_PIN 2 0.5", "", "PHASE_PIN - INVALID PHASE PARAMETER (1/-1)"},
        {"INPUT_MIXER S1 LEVEL_PIN 3 -6", "", nullptr},
        {"INPUT_MIXER S1 MUTE_PIN 3", "", nullptr},
        {"INPUT_MIXER S1 REMOVE_PIN 3", "", nullptr},
        {"INPUT_MIXER S1 REMOVE_PIN 9", "", "REMOVE_PIN - PIN NOT IN MIXER"},
        {"INPUT_MIXER S1 REMOVE_CHANNEL 5", "", "REMOVE CHANNEL - CHANNEL NOT CONNECTED"},
        {"OUTPUT_MIXER T1 MID 1 2", "", "IO_MIXER COMMAND NOT FOUND"},
        {"INPUT_MIXER S1 FROB", "", "IO_MIXER COMMAND NOT FOUND"},
        {"INPUT_MIXER 63 RESET", "", "INPUT_MIXER - MIXER NUMBER OUT OF RANGE"},
    };
    for (const Case& c : cases) {
        const auto lines = run(c.line);
        if (c.message) {
            EXPECT_TRUE(printed(lines, c.message)) << c.line;
        }
    }
    // Pins 1 and 4 are left, each with its settings.
    ASSERT_EQ(in(0).pinCount, 2);
    EXPECT_EQ(in(0).pinNumbers[1], 3);
    EXPECT_EQ(in(0).gains[1], 1.0f);
    EXPECT_EQ(in(0).routed[1], 1);
    EXPECT_EQ(in(0).routed[2], 0);

    run("INPUT_MIXER S1 ADD_PIN 6");
    run("INPUT_MIXER S1 ADD_PIN 7");
    run("INPUT_MIXER S1 NORMALISE");
    EXPECT_EQ(in(0).gains[3], 0.25f);
    EXPECT_EQ(in(0).gains[4], 1.0f); // past the mix: untouched
    // Removing a channel keeps the routed flags of the pins that stay, and never drops a
    // slot past the mix.
    run("INPUT_MIXER S1 REMOVE_CHANNEL 2");
    EXPECT_EQ(in(0).pinCount, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(in(0).routed), 4),
              std::string("\1\1\1\0", 4));
    const auto lines = run("INPUT_MIXER S1 REMOVE_CHANNEL 4");
    EXPECT_TRUE(printed(lines, "REMOVE CHANNEL - CHANNEL NOT CONNECTED"));
    EXPECT_EQ(in(0).pinCount, 3);
    // A pin added after a removal starts at unity and in phase.
    run("INPUT_MIXER S1 ADD_PIN 10");
    EXPECT_EQ(in(0).gains[3], 1.0f);
    EXPECT_EQ(in(0).phases[3], 1.0f);
    // Single slot: the last channel stays.
    run("INPUT_MIXER S2 RESET");
    EXPECT_TRUE(printed(run("INPUT_MIXER S2 REMOVE_CHANNEL 1"),
                        "REMOVE_CHANNEL - CANNOT REMOVE LAST CHANNEL"));
    // MID and SIDE rebuild a source's mix from two pins.
    run("INPUT_MIXER S3 MID 5 6");
    EXPECT_EQ(describe(in(2)).substr(0, 60), describe([] {
                                                 MixRecord m;
                                                 m.inUse = 1;
                                                 m.index = 2;
                                                 m.pinCount = 2;
                                                 m.pinNumbers[0] = 4;
                                                 m.pinNumbers[1] = 5;
                                                 m.gains[0] = m.gains[1] = 0.5f;
                                                 m.phases[0] = m.phases[1] = 1.0f;
                                                 return m;
                                             }())
                                                 .substr(0, 60));
    run("INPUT_MIXER S3 SIDE 5 6");
    EXPECT_EQ(in(2).phases[1], -1.0f);
    EXPECT_TRUE(flag(kSendMixers));
}

// Each sub-verb changes its own setting: _PIN verbs find the slot that holds the pin, _CHANNEL
// verbs take the slot by number. The mix holds pins 1, 5 and 6 in slots 1 to 3.
TEST_F(MixerTest, EachSubVerbChangesItsOwnSetting) {
    constexpr float kMinus6Db = 0.50118723f;
    struct Case {
        const char* setup; // run first, or nullptr
        const char* line;  // after "INPUT_MIXER S1 "
        int slot;          // the slot read back (0-based)
        int pin;           // its pin (0-based)
        float gain, phase;
        uint8_t mute;
        int pinCount;
        float master;
    } cases[] = {
        {nullptr, "NORMALISE", 1, 4, 1.0f / 3.0f, 1.0f, 0, 3, 1.0f},
        {"NORMALISE", "ZERO", 1, 4, 1.0f, 1.0f, 0, 3, 1.0f},
        {nullptr, "LEVEL_MASTER -6", 1, 4, 1.0f, 1.0f, 0, 3, kMinus6Db},
        {nullptr, "MUTE_PIN 5", 1, 4, 1.0f, 1.0f, 1, 3, 1.0f},
        {"MUTE_PIN 5", "UNMUTE_PIN 5", 1, 4, 1.0f, 1.0f, 0, 3, 1.0f},
        {nullptr, "MUTE_CHANNEL 3", 2, 5, 1.0f, 1.0f, 1, 3, 1.0f},
        {"MUTE_CHANNEL 3", "UNMUTE_CHANNEL 3", 2, 5, 1.0f, 1.0f, 0, 3, 1.0f},
        {nullptr, "PHASE_PIN 5 -1", 1, 4, 1.0f, -1.0f, 0, 3, 1.0f},
        {nullptr, "PHASE_CHANNEL 3 -1", 2, 5, 1.0f, -1.0f, 0, 3, 1.0f},
        {nullptr, "LEVEL_PIN 5 -6", 1, 4, kMinus6Db, 1.0f, 0, 3, 1.0f},
        {nullptr, "LEVEL_CHANNEL 3 -6", 2, 5, kMinus6Db, 1.0f, 0, 3, 1.0f},
        {nullptr, "REPLACE_PIN 5 9", 1, 8, 1.0f, 1.0f, 0, 3, 1.0f},
        {nullptr, "REMOVE_ALL_PINS", 1, 4, 1.0f, 1.0f, 0, 0, 1.0f},
    };
    for (const Case& c : cases) {
        for (const char* line :
             {"INPUT_MIXER S1 RESET", "INPUT_MIXER S1 ADD_PIN 5", "INPUT_MIXER S1 ADD_PIN 6"})
            run(line);
        if (c.setup) run(std::string("INPUT_MIXER S1 ") + c.setup);
        run(std::string("INPUT_MIXER S1 ") + c.line);
        const MixRecord& m = in(0);
        EXPECT_EQ(m.pinCount, c.pinCount) << c.line;
        EXPECT_EQ(m.pinNumbers[c.slot], c.pin) << c.line;
        EXPECT_FLOAT_EQ(m.gains[c.slot], c.gain) << c.line;
        EXPECT_EQ(m.phases[c.slot], c.phase) << c.line;
        EXPECT_EQ(m.mutes[c.slot], c.mute) << c.line;
        EXPECT_FLOAT_EQ(m.masterLevel, c.master) << c.line;
        // The other settable slot keeps its defaults.
        const int other = c.slot == 1 ? 2 : 1;
        EXPECT_EQ(m.mutes[other], 0) << c.line;
        EXPECT_EQ(m.phases[other], 1.0f) << c.line;
    }
}

// Pins and channels at the ends of the integer range are refused with the verb's own message,
// for both directions, and no mix changes.
TEST_F(MixerTest, ExtremePinAndChannelNumbersAreRefused) {
    struct Case {
        const char* tail; // after "INPUT_MIXER S1 " or "OUTPUT_MIXER T1 "
        const char* error;
    } cases[] = {
        {"ADD_PIN -2147483648", "ADD_PIN - PIN OUT OF RANGE"},
        {"ADD_PIN 2147483648", "ADD_PIN - PIN OUT OF RANGE"},
        {"REMOVE_PIN -2147483648", "REMOVE_PIN - PIN OUT OF RANGE"},
        {"REMOVE_CHANNEL -2147483648", "REMOVE_CHANNEL - CHANNEL OUT OF RANGE"},
        {"REMOVE_CHANNEL 99999999999999999999", "REMOVE_CHANNEL - CHANNEL OUT OF RANGE"},
        {"MUTE_PIN -2147483648", "MUTE_PIN - PIN OUT OF RANGE"},
        {"UNMUTE_PIN 2147483649", "UNMUTE_PIN - PIN OUT OF RANGE"},
        {"MUTE_CHANNEL -2147483648", "MUTE - CHANNEL OUT OF RANGE"},
        {"UNMUTE_CHANNEL 2147483648", "UNMUTE - CHANNEL OUT OF RANGE"},
        {"PHASE_PIN -2147483648 1", "PHASE_PIN - PIN OUT OF RANGE"},
        {"PHASE_CHANNEL -2147483648 -1", "PHASE - CHANNEL OUT OF RANGE"},
        {"LEVEL_PIN -2147483648 -6", "LEVEL_PIN - PIN OUT OF RANGE"},
        {"LEVEL_CHANNEL 2147483648 -6", "LEVEL_CHANNEL - CHANNEL OUT OF RANGE"},
        {"REPLACE_PIN 1 -2147483648", "REPLACE_PIN - PIN OUT OF RANGE"},
        {"REPLACE_PIN -2147483648 1", "REPLACE_PIN - PIN OUT OF RANGE"},
    };
    run("INPUT_MIXER S1 RESET");
    run("OUTPUT_MIXER T1 RESET");
    const std::string inputBefore = describe(gui->inputMixers[0]);
    const std::string outputBefore = describe(gui->outputMixers[0]);
    for (const char* prefix : {"INPUT_MIXER S1 ", "OUTPUT_MIXER T1 "}) {
        for (const Case& c : cases) {
            const std::string line = prefix + std::string(c.tail);
            EXPECT_TRUE(printed(run(line), c.error)) << line;
        }
    }
    for (const char* line :
         {"INPUT_MIXER S1 MID -2147483648 2", "INPUT_MIXER S1 SIDE 1 2147483648"})
        EXPECT_NE(run(line).back().find("CHANNEL OUT OF RANGE"), std::string::npos) << line;
    for (const char* line : {"INPUT_MIXER -2147483648 RESET", "OUTPUT_MIXER 2147483648 RESET"})
        EXPECT_NE(run(line).back().find("MIXER NUMBER OUT OF RANGE"), std::string::npos) << line;
    EXPECT_EQ(describe(gui->inputMixers[0]), inputBefore);
    EXPECT_EQ(describe(gui->outputMixers[0]), outputBefore);
}

TEST_F(MixerTest, UnroutedItemsAndNumbersNeverIndexPastTheTables) {
    gui->sources[3].virtualChannel = 64;
    const auto lines = run("INPUT_MIXER S4 RESET");
    EXPECT_TRUE(printed(lines, "S4 IS ROUTED TO NO VIRTUAL CHANNEL"));
    run("INPUT_MIXER 5 RESET"); // numbers 1 to 63 select the mixer after them
    EXPECT_EQ(gui->inputMixers[6].inUse, 1);
    run("INPUT_MIXER 0 LEVEL_MASTER -6");
    EXPECT_NE(gui->inputMixers[0].masterLevel, 1.0f);

    gui->loadVirtualPanel(1, 3);
    EXPECT_EQ(gui->console.statusMessage, "NO VIRTUAL CHANNEL FOR THIS ITEM");
    EXPECT_EQ(gui->virtualEditMix(), nullptr); // still no mix being edited
    gui->loadVirtualPanel(11, 64);
    EXPECT_EQ(gui->console.statusMessage, "INDEX TOO HIGH");
    gui->loadVirtualPanel(11, -1);
    EXPECT_EQ(gui->virtualEditMix(), nullptr);
}

TEST_F(MixerTest, VirtualEditorLoadsResetsCompactsAndRenumbers) {
    gui->sources[1].virtualChannel = 5;
    gui->loadVirtualPanel(1, 1);
    EXPECT_EQ(gui->virtualEditor.virtualEditIndex, 5);
    EXPECT_EQ(gui->virtualEditMix(), &gui->inputMixers[5]);
    EXPECT_EQ(in(5).inUse, 1);
    EXPECT_EQ(in(5).pinNumbers[0], 5);
    gui->loadVirtualPanel(11, 5); // the same record, addressed directly
    EXPECT_EQ(gui->virtualEditMix(), &gui->inputMixers[5]);

    MixRecord& m = in(5);
    m.pinCount = 3;
    m.pinNumbers[1] = 0;
    m.pinNumbers[2] = 7;
    m.gains[2] = 0.5f;
    m.masterLevel = 2.0f;
    clearFlags();
    gui->compactVirtualChannel(11, 5, 1);
    EXPECT_EQ(m.pinCount, 2);
    EXPECT_EQ(m.pinNumbers[1], 7);
    EXPECT_EQ(m.gains[1], 0.5f);
    EXPECT_EQ(m.masterLevel, 1.0f);
    // The compacted mix goes out on pin 22 at once, without waiting for the state sender.
    EXPECT_FALSE(flag(kSendMixers));
    const std::vector<uint8_t> bytes = gui->lastSent(22);
    ASSERT_EQ(bytes.size(), 64u * 912u);
    const size_t at = 5 * 912;
    EXPECT_EQ(wireI32(bytes, at + 4), 2);  // pin count
    EXPECT_EQ(wireI32(bytes, at + 8), 5);  // index
    EXPECT_EQ(wireI32(bytes, at + 16), 7); // second pin
    EXPECT_EQ(wireF32(bytes, at + 336), 0.5f);
    EXPECT_EQ(wireF32(bytes, at + 908), 1.0f);

    gui->swapVirtualChannels(11, 5, 1, 5);
    EXPECT_EQ(gui->console.statusMessage, "CHANNEL ALREADY SETUP IN ROUTING");
    EXPECT_EQ(m.pinNumbers[1], 7);
    gui->swapVirtualChannels(11, 5, 1, 9);
    EXPECT_EQ(m.pinNumbers[1], 9);

    gui->compactVirtualChannel(11, 5, 0);
    gui->compactVirtualChannel(11, 5, 0);
    EXPECT_EQ(m.pinCount, 0);
    EXPECT_EQ(m.inUse, 1);
}

TEST_F(MixerTest, PatchSectionTexts) {
    EXPECT_EQ(gui->writeMixerPatchSection(1, 0), ""); // not in use
    run("INPUT_MIXER S1 RESET");
    EXPECT_EQ(gui->writeMixerPatchSection(1, 0), ""); // its own pin at unity
    run("INPUT_MIXER S2 RESET");
    run("INPUT_MIXER S2 REPLACE_PIN 2 5");
    EXPECT_EQ(gui->writeMixerPatchSection(1, 1),
              "# INPUT_MIXER 2\nINPUT_MIXER S2 REPLACE_PIN 2 5\n\n");
    run("OUTPUT_MIXER T1 RESET");
    run("OUTPUT_MIXER T1 ADD_PIN 7");
    run("OUTPUT_MIXER T1 MUTE_PIN 7");
    run("OUTPUT_MIXER T1 PHASE_PIN 7 -1");
    run("OUTPUT_MIXER T1 LEVEL_PIN 1 -6");
    run("OUTPUT_MIXER T1 LEVEL_MASTER -3.5");
    EXPECT_EQ(gui->writeMixerPatchSection(2, 0), "# OUTPUT_MIXER 1\n"
                                                 "OUTPUT_MIXER T1 LEVEL_MASTER -3.5000\n"
                                                 "OUTPUT_MIXER T1 LEVEL_PIN 1 -6.0000\n"
                                                 "OUTPUT_MIXER T1 ADD_PIN 7\n"
                                                 "OUTPUT_MIXER T1 MUTE_PIN 7\n"
                                                 "OUTPUT_MIXER T1 PHASE_PIN 7 -1.0\n\n");
    in(1).gains[0] = 0.5f;
    EXPECT_EQ(gui->writeMixerPatchSection(1, 1), "# INPUT_MIXER 2\nINPUT_MIXER S2 REPLACE_PIN 2 5\n"
                                                 "INPUT_MIXER S2 LEVEL_PIN 5 -6.0206\n\n");
    // A gain that four decimals would not give back is written with the digits it needs.
    for (float gain : {0.70710677f, 0.123456791f, 3.99999976f, 0.0f}) {
        in(1).gains[0] = gain;
        const std::string section = gui->writeMixerPatchSection(1, 1);
        const size_t at = section.find("INPUT_MIXER S2 LEVEL_PIN");
        ASSERT_NE(at, std::string::npos) << section;
        in(1).gains[0] = 1.0f;
        gui->executeCommandString(section.substr(at, section.find('\n', at) - at));
        EXPECT_EQ(in(1).gains[0], gain) << section;
    }
}

TEST_F(MixerTest, PatchSectionsComeBackIntoTheirOwnEntries) {
    // S3 is routed to channel 3 and S4 to channel 2: the sections must still land in the
    // entries they were written from.
    gui->sources[2].virtualChannel = 3;
    gui->sources[3].virtualChannel = 2;
    const char* setups[] = {
        "INPUT_MIXER S1 RESET",
        "INPUT_MIXER S1 REPLACE_PIN 1 9",
        "INPUT_MIXER S1 ADD_PIN 2",
        "INPUT_MIXER S1 LEVEL_PIN 2 -7.77",
        "INPUT_MIXER S1 PHASE_PIN 9 -1",
        "INPUT_MIXER S1 LEVEL_MASTER 2.5",
        "INPUT_MIXER S3 RESET",
        "INPUT_MIXER S3 ADD_PIN 12",
        "INPUT_MIXER S3 MUTE_PIN 12",
        "INPUT_MIXER S4 RESET",
        "INPUT_MIXER S4 LEVEL_PIN 3 -0.37",
        "INPUT_MIXER 5 RESET",
        "INPUT_MIXER 5 ADD_PIN 40",
    };
    for (const char* line : setups) ASSERT_EQ(gui->executeCommandString(line), 0) << line;
    in(0).gains[0] = 0.5f;
    // A mix emptied to no pins through the VIRTUAL editor.
    gui->loadVirtualPanel(11, 1);
    gui->compactVirtualChannel(11, 1, 0);

    for (int i : {0, 1, 2, 3, 6}) {
        const std::string saved = describe(in(i));
        const std::string section = gui->writeMixerPatchSection(1, i);
        ASSERT_FALSE(section.empty()) << i;
        virtualReset(in(i), i);
        size_t start = 0;
        while (start < section.size()) {
            const size_t end = section.find('\n', start);
            const std::string line = section.substr(start, end - start);
            if (!line.empty() && line[0] != '#') {
                EXPECT_EQ(gui->executeCommandString(line), 0) << line;
            }
            start = end + 1;
        }
        EXPECT_EQ(describe(in(i)), saved) << section;
    }
}

TEST_F(MixerTest, VirtualEditorSendsItsTableAtOnce) {
    struct Case {
        int mode, index, pin, otherPin;
    } cases[] = {{11, 3, 22, 23}, {12, 2, 23, 22}, {1, 0, 22, 23}, {2, 1, 23, 22}};
    for (const Case& c : cases) {
        gui->loadVirtualPanel(c.mode, c.index);
        MixRecord* mix = gui->virtualEditMix();
        ASSERT_NE(mix, nullptr) << c.mode;
        mix->gains[0] = 0.25f;
        mix->mutes[0] = 1;
        gui->sent.clear();
        clearFlags();
        gui->storeVirtualChannel(c.mode, c.index);
        EXPECT_FALSE(gui->wasSent(c.otherPin)) << c.mode;
        const std::vector<uint8_t> bytes = gui->lastSent(c.pin);
        ASSERT_EQ(bytes.size(), 64u * 912u) << c.mode;
        const size_t at = static_cast<size_t>(c.index) * 912;
        EXPECT_EQ(bytes[at], 1) << c.mode; // in use
        EXPECT_EQ(wireF32(bytes, at + 332), 0.25f) << c.mode;
        EXPECT_EQ(bytes[at + 844], 1) << c.mode;
    }
    // Storing an unchanged mix sends nothing.
    gui->sent.clear();
    gui->storeVirtualChannel(2, 1);
    EXPECT_TRUE(gui->sent.empty());
    // A mode that edits neither table sends nothing.
    gui->storeVirtualChannel(3, 0);
    EXPECT_TRUE(gui->sent.empty());
}

TEST_F(MixerTest, SenderCarriesMixersVirtualTablesAndFeedback) {
    run("INPUT_MIXER S2 LEVEL_MASTER -6");
    run("OUTPUT_MIXER T3 ADD_PIN 9");
    run("FEEDBACK T3 S2 0.7");
    gui->sources[3].virtualChannel = 17;
    gui->raiseSendFlag(kSendMixers);
    gui->raiseSendFlag(kSendFeedbackMixes);
    gui->sent.clear();
    gui->sendStateToDsp();

    const std::vector<uint8_t> input = gui->lastSent(22);
    ASSERT_EQ(input.size(), 64u * 912u);
    EXPECT_FLOAT_EQ(wireF32(input, 1 * 912 + 908), 0.5011872f);

    const std::vector<uint8_t> output = gui->lastSent(23);
    ASSERT_EQ(output.size(), 64u * 912u);
    const size_t t3 = 2 * 912;
    ASSERT_EQ(wireI32(output, t3 + 4), gui->outputMixers[2].pinCount);
    const int32_t last = gui->outputMixers[2].pinCount - 1;
    ASSERT_GE(last, 0);
    EXPECT_EQ(wireI32(output, t3 + 12 + 4 * static_cast<size_t>(last)), 8); // pins count from 1

    const std::vector<uint8_t> sourceVirtuals = gui->lastSent(24);
    const std::vector<uint8_t> targetVirtuals = gui->lastSent(25);
    ASSERT_EQ(sourceVirtuals.size(), 256u);
    ASSERT_EQ(targetVirtuals.size(), 256u);
    EXPECT_EQ(wireI32(sourceVirtuals, 4 * 1), 1);
    EXPECT_EQ(wireI32(sourceVirtuals, 4 * 3), 17);
    EXPECT_EQ(wireI32(targetVirtuals, 4 * 2), 2);

    const std::vector<uint8_t> feedback = gui->lastSent(27);
    ASSERT_EQ(feedback.size(), 64u * 912u);
    const MixRecord& mix = gui->feedbackMixes[1];
    ASSERT_EQ(mix.pinCount, 1);
    EXPECT_EQ(wireI32(feedback, 912 + 4), 1);
    EXPECT_EQ(wireI32(feedback, 912 + 12), mix.pinNumbers[0]);
    EXPECT_FLOAT_EQ(wireF32(feedback, 912 + 332), 0.7f);
}

} // namespace
