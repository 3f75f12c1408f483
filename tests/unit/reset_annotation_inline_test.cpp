// Reset, information and instance verbs; annotation verbs with the anchor and layer verbs;
// the dispatcher's inline resets; SYSTEM and WEB, which never reach a command processor.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

#include "app/text_services.h"
#include "command_test_support.h"
#include "dsp_link_recording_gui.h"
#include "qxplatform/runtime.h"
#include "qxplatform/test_hooks.h"

using namespace command_test;

namespace {

struct ResetVerbs : ::testing::Test, LineRunner<RecordingGui> {
    void SetUp() override {
        placeSources(*gui, {{"S1", 5, 5}});
        placeTargets(*gui, {{"T1", 0, 0}});
    }
};

TEST_F(ResetVerbs, HardResetRebuildsTheDefaultStage) {
    gui->view.viewZoom = 2.0f;
    gui->view.viewPanX = 30.0f;
    gui->autoSave = 1;
    gui->syndicationMode = 3;
    gui->noteCount = 4;
    gui->annotations.stageAnnotations.textCount = 3;
    gui->panelFrame.panels[6].shown = 1;
    gui->inputFilters[3].inUse = 1;
    gui->feedbackMixes[2].inUse = 1;
    clearConsoleLog(*gui);
    EXPECT_EQ(run("HARD_RESET"), 0);
    EXPECT_EQ(gui->sourceCount, 64);
    EXPECT_EQ(gui->targetCount, 64);
    EXPECT_EQ(gui->groupCount, 16);
    ASSERT_EQ(gui->roomCount, 8);
    for (int32_t r = 0; r < 8; ++r) {
        EXPECT_EQ(gui->rooms[r].x, -470.0f + 120.0f * r);
        EXPECT_EQ(gui->rooms[r].y, -200.0f);
        EXPECT_EQ(gui->rooms[r].width, 100.0f);
        EXPECT_EQ(gui->rooms[r].height, 100.0f);
    }
    EXPECT_EQ(gui->sources[0].x, 0.0f);
    EXPECT_EQ(gui->view.viewZoom, 1.0f);
    EXPECT_EQ(gui->view.viewPanX, 0.0f);
    EXPECT_EQ(gui->autoSave, 0);
    EXPECT_EQ(gui->syndicationMode, 0);
    EXPECT_EQ(gui->noteCount, 0);
    EXPECT_EQ(gui->annotations.stageAnnotations.textCount, 0);
    EXPECT_EQ(gui->panelFrame.panels[6].shown, 0);
    EXPECT_EQ(gui->inputFilters[3].inUse, 0);
    EXPECT_EQ(gui->inputFilters[3].bands[0].type, 5);
    EXPECT_EQ(gui->inputFilters[3].bands[4].frequency, 6000.0f);
    EXPECT_EQ(gui->feedbackMixes[2].inUse, 0);
    EXPECT_EQ(gui->viewSettings.masterVolume, 1.0f);
    EXPECT_EQ(gui->sources[7].virtualChannel, 7);
    EXPECT_EQ(gui->inputMixers[7].pinNumbers[0], 7);
    EXPECT_EQ(gui->outputDynamics[5].direction, 2);
    EXPECT_EQ(gui->outputDynamics[5].sideChainLocation, -1);
    EXPECT_EQ(gui->outputDynamics[5].attack, 250.0f);
    EXPECT_EQ(gui->dynamicsEditor.dynamicsPanelKind, -1);
    // The sub-commands that go through the executor are echoed.
    EXPECT_EQ(
        consoleLines(*gui),
        (std::vector<std::string>{"-> HARD_RESET", "-> NO_PANELS", "-> RESET_TOOLBOX",
                                  "-> RESET_SELECT", "-> SELECT NONE", "-> RESET_FILTERS_DSP"}));
}

TEST_F(ResetVerbs, InfoSleepWakeAndClients) {
    clearConsoleLog(*gui);
    run("INFO S1");
    run("INFO");
    const auto lines = consoleLines(*gui);
    EXPECT_EQ(lines[1], "INFO FOR S1");
    EXPECT_EQ(gui->console.lineNotice[1], 1);
    EXPECT_EQ(lines[2], "   THIS FUNCTION IS NOT IMPLEMENTED YET");
    EXPECT_EQ(lines[4], "INFO FOR ");

    run("WAKE_NOW");
    EXPECT_EQ(gui->ownInstance.asleep, 0);
    run("SLEEP_NOW");
    EXPECT_EQ(gui->ownInstance.asleep, 1);
    EXPECT_EQ(consoleLines(*gui).back(), " I SHOUD NOW GO TO SLEEP");

    // The client's script goes out on pin 4: kind 2, the addressee, one item of the line.
    auto script = [](int32_t addressee, const std::string& line) {
        Golden g(2416);
        g.i32(0, 2).i32(4, addressee).text(8, line).u32(24, line.size()).u32(28, 15);
        for (int k = 1; k < 100; ++k) g.u32(8 + 24 * k + 20, 15); // empty items keep capacity
        g.i32(2408, 1);
        return g.bytes;
    };
    gui->sent.clear();
    EXPECT_EQ(run("WAKE_CLIENT X:2"), 0);
    const std::vector<std::string> wakeLines = consoleLines(*gui);
    EXPECT_NE(std::find(wakeLines.begin(), wakeLines.end(), "WAKE CLIENT > 2"), wakeLines.end());
    EXPECT_EQ(gui->lastSent(4), script(2, "WAKE_NOW"));
    EXPECT_EQ(run("SLEEP_CLIENT X:3"), 0);
    EXPECT_EQ(gui->lastSent(4), script(3, "SLEEP_NOW"));
    gui->sent.clear();
    EXPECT_EQ(run("WAKE_CLIENT"), 1);
    EXPECT_EQ(run("SLEEP_CLIENT X:0"), 1);
    EXPECT_FALSE(gui->wasSent(4));
}

TEST_F(ResetVerbs, HardResetPromptOpensTheConfirmationEntry) {
    gui->windowWidth = 800.0f;
    gui->windowHeight = 600.0f;
    EXPECT_EQ(run("HARD_RESET_PROMPT"), 0);
    EXPECT_EQ(gui->textEntry.textEntryId, 30);
    EXPECT_EQ(gui->textEntry.textEntryKeysOn, 1);
    EXPECT_EQ(gui->textEntry.textEntryX, 400);
    EXPECT_EQ(gui->textEntry.textEntryText, "NO");
    EXPECT_EQ(gui->textEntry.textEntryMaxLength, 3);
    EXPECT_EQ(gui->textEntry.textEntryTitle, "PERFORM A HARD RESET");
}

TEST_F(ResetVerbs, InlineResetsSayWhatTheyReset) {
    struct Case {
        const char* line;
        const char* status;
        int flag;
    };
    for (const Case& c : {Case{"RESET_V", "RESET ALL I/O VIRTUALISATION", kSendMixers},
                          Case{"RESET_F", "RESET ALL FILTERS", kSendOutputEq},
                          Case{"RESET_DY", "RESET ALL DYNAMICS", kSendInputDynamics},
                          Case{"RESET_DE", "RESET ALL DELAYS", kSendOutputDelays},
                          Case{"RESET_FF", "RESET FEEDBACK", kSendFeedbackMixes}}) {
        gui->console.verbose = 1; // status lines are copied into the console
        clearConsoleLog(*gui);
        gui->sendFlags[c.flag] = 0;
        gui->batch = 1; // no commit: only the verb's own flags
        EXPECT_EQ(run(c.line), 0) << c.line;
        gui->batch = 0;
        const auto lines = consoleLines(*gui);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.status), lines.end()) << c.line;
        EXPECT_EQ(gui->sendFlags[c.flag], 1) << c.line;
    }
    gui->outputDelays[3].on = 1;
    run("RESET_DE");
    EXPECT_EQ(gui->outputDelays[3].on, 0);
    gui->sendFlags[kSendInputEq] = 0;
    EXPECT_EQ(run("RESET_FILTERS"), 0) << "the FILTERS editor's reset";
    EXPECT_EQ(gui->sendFlags[kSendInputEq], 1);
}

struct AnnotationVerbs : ResetVerbs {};

TEST_F(AnnotationVerbs, PaintInkRectTextAndButton) {
    gui->annotations.paintColour.alpha = 0.5f;
    run("PAINT RED:1");
    EXPECT_EQ(gui->annotations.paintColour.red, 1.0f);
    EXPECT_EQ(gui->annotations.paintColour.green, 0.0f);
    EXPECT_EQ(gui->annotations.paintColour.alpha, 0.5f);
    run("INK GREEN:0.5 L:0.25");
    EXPECT_EQ(gui->annotations.inkColour.alpha, 0.25f);

    run("_AT X:10 Y:20");
    run("RECT X:5 Y:5 W:30 H:40");
    const AnnotationRect& rect = gui->annotations.stageAnnotations.rects[0];
    EXPECT_EQ(rect.x, 15.0f);
    EXPECT_EQ(rect.y, 25.0f);
    EXPECT_EQ(rect.width, 30.0f);
    EXPECT_EQ(rect.height, 40.0f);
    EXPECT_EQ(rect.fill.red, 1.0f);
    EXPECT_EQ(rect.line.green, 0.5f);

    gui->annotations.stageAnnotations.texts[0].alignment = 2;
    run("TEXT X:1 HELLO THERE");
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[0].text, "TEXT X:1 HELLO THERE");
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[0].alignment, 2);
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[0].x, 11.0f);
    run("TEXT _LEFT_ _CENTRE_ S:3 \"TWO  WORDS\"");
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[1].text, "TWO  WORDS");
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[1].alignment, 1);
    EXPECT_EQ(gui->annotations.stageAnnotations.texts[1].size, 3.0f);

    run("BUTTON X:1 W:50 H:10 \"\"");
    EXPECT_EQ(gui->annotations.stageAnnotations.buttons[0].command, "EMPTY_BUTTON_COMMAND");
    run("BUTTON \"SELECT S1\" W:9");
    EXPECT_EQ(gui->annotations.stageAnnotations.buttons[1].command, "SELECT S1");
    EXPECT_EQ(gui->annotations.stageAnnotations.buttons[1].x, 10.0f);
    EXPECT_EQ(gui->annotations.stageAnnotations.buttonCount, 2);

    // DRAW_ON_TOP empties the stage set by its counts only.
    run("DRAW_ON_TOP");
    EXPECT_EQ(gui->annotations.stageAnnotations.buttonCount, 0);
    EXPECT_EQ(gui->annotations.stageAnnotations.textCount, 0);
    EXPECT_EQ(gui->annotations.stageAnnotations.rectCount, 0);
    EXPECT_EQ(gui->annotations.stageAnnotations.buttons[1].command, "SELECT S1");

    run("DRAW_IN_MACRO");
    run("TEXT \"IN THE PANEL\"");
    EXPECT_EQ(gui->annotations.macroAnnotations.textCount, 1);
    EXPECT_EQ(gui->annotations.stageAnnotations.textCount, 0);
}

TEST_F(AnnotationVerbs, NotesAreCentredOnTheirPointAndIgnoreTheAnchor) {
    run("_AT X:10 Y:20");
    gui->sendFlags[kSendNotes] = 0;
    EXPECT_EQ(run("NOTE X:100 Y:50 S:2.7 RED:0.5 \"ABC\""), 0);
    ASSERT_EQ(gui->noteCount, 1);
    const NoteRecord& note = gui->notes[0];
    EXPECT_EQ(note.size, 2.0f);
    EXPECT_EQ(note.height, 10.0f);
    EXPECT_EQ(note.y, 45.0f);
    EXPECT_EQ(note.x, 100.0f - note.width / 2.0f);
    EXPECT_EQ(note.alignment, 1);
    EXPECT_EQ(note.red, 0.5f);
    EXPECT_EQ(std::string(note.text), "ABC");
    EXPECT_EQ(note.textLength, 3);
    EXPECT_EQ(gui->sendFlags[kSendNotes], 1);
    EXPECT_EQ(note.width, static_cast<float>(gui->font.textWidth("ABC", 2)));
    EXPECT_GT(note.width, 0.0f);
    // A date note keeps the room that a date takes.
    run("NOTE X:0 Y:0 S:1 \"_DATE_\"");
    EXPECT_EQ(gui->notes[1].width, static_cast<float>(gui->font.textWidth("88.88.8888", 1)));
    // The text field keeps 255 characters and its NUL.
    run("NOTE \"" + std::string(300, 'A') + "\"");
    EXPECT_EQ(gui->notes[2].textLength, 255);
    EXPECT_EQ(gui->notes[2].text[255], 0);
    gui->noteCount = 256;
    EXPECT_EQ(run("NOTE \"X\""), 1);
}

TEST_F(AnnotationVerbs, AnchorWordsAndMoves) {
    gui->windowWidth = 800.0f;
    gui->windowHeight = 600.0f;
    run("_AT X:10 WINDOW_RIGHT");
    EXPECT_EQ(gui->annotations.annotationAnchorX, 800.0f);
    run("_AT+ X:5 Y:7");
    run("_AT- Y:2");
    EXPECT_EQ(gui->annotations.annotationAnchorX, 805.0f);
    EXPECT_EQ(gui->annotations.annotationAnchorY, 5.0f);
    run("DRAW_WITH_STAGE");
    run("_AT X:1 WINDOW_TOP WINDOW_LEFT");
    EXPECT_EQ(gui->annotations.annotationAnchorY, -300.0f);
    EXPECT_EQ(gui->annotations.annotationAnchorX, 1.0f) << "with the stage only WINDOW_TOP counts";
}

TEST_F(AnnotationVerbs, RedrawAndSampleRate) {
    run("REDRAW OFF");
    EXPECT_EQ(gui->interaction.redrawLayerOn, 0);
    EXPECT_EQ(run("REDRAW MAYBE"), 0);
    EXPECT_EQ(gui->interaction.redrawLayerOn, 0);
    run("REDRAW ON");
    EXPECT_EQ(gui->interaction.redrawLayerOn, 1);
    run("SR");
    EXPECT_EQ(gui->console.statusMessage, "SAMPLERATE = 44100");
}

struct ShellVerbs : ResetVerbs {
    void SetUp() override {
        ResetVerbs::SetUp();
        qxplatform::setShellOpensRecorded(true);
        qxplatform::clearRecordedShellOpens();
    }
    void TearDown() override {
        qxplatform::clearRecordedShellOpens();
        qxplatform::setShellOpensRecorded(false);
    }
};

TEST_F(ShellVerbs, WebOpensOnlyAPlainWebAddressAsOneArgument) {
    for (const char* line :
         {"WEB HTTP://X.COM;RM", "WEB HTTP://X.COM|CAT", "WEB HTTP://X.COM&CALC",
          "WEB HTTP://X.COM'A", "WEB HTTP://X.COM\"A", "WEB HTTP://X.COM`ID`",
          "WEB HTTP://X.COM $(ID)", "WEB CALC.EXE", "WEB", "WEB FILE:///ETC/PASSWD"}) {
        EXPECT_EQ(run(line), 1) << line;
        EXPECT_EQ(gui->console.lastError, "WEB - NOT A WEB ADDRESS, NOTHING OPENED") << line;
    }
    EXPECT_TRUE(qxplatform::recordedShellOpens().empty());

    EXPECT_EQ(run("WEB HTTPS://EXAMPLE.COM/A?B=1"), 0);
    EXPECT_EQ(run("WEB WWW.EXAMPLE.COM"), 0);
    const auto opens = qxplatform::recordedShellOpens();
    ASSERT_EQ(opens.size(), 2u);
    EXPECT_EQ(opens[0], (std::vector<std::string>{"xdg-open", "HTTPS://EXAMPLE.COM/A?B=1"}));
    EXPECT_EQ(opens[1], (std::vector<std::string>{"xdg-open", "http://WWW.EXAMPLE.COM"}));
}

TEST_F(ShellVerbs, AFailedOpenerIsReported) {
    qxplatform::setShellOpensRecorded(false);
    const std::string saved = getenv("PATH") ? getenv("PATH") : "";
    setenv("PATH", "/nonexistent", 1);
    EXPECT_EQ(run("WEB HTTPS://EXAMPLE.COM"), 1);
    setenv("PATH", saved.c_str(), 1);
    EXPECT_EQ(gui->console.lastError, "WEB - COULD NOT START THE WEB BROWSER");
}

TEST_F(ShellVerbs, SystemOpensOnlyFilesInsideTheModuleFolder) {
    struct Case {
        const char* line;
        const char* error;
    };
    for (const Case& c :
         {Case{"SYSTEM ../X", "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER"},
          Case{"SYSTEM MACROS/../../X", "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER"},
          Case{"SYSTEM /ETC/PASSWD", "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER"},
          Case{"SYSTEM Z:\\ETC\\PASSWD", "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER"},
          Case{"SYSTEM ..\\X", "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER"},
          Case{"SYSTEM", "SYSTEM - NO FILE SPECIFIED"},
          Case{"SYSTEM NO_SUCH_FILE.TXT", "SYSTEM - FILE NOT FOUND"}}) {
        EXPECT_EQ(run(c.line), 1) << c.line;
        EXPECT_EQ(gui->console.lastError, c.error) << c.line;
    }
    EXPECT_TRUE(qxplatform::recordedShellOpens().empty());

    const std::string folder = qxplatform::toHostPath(modulePath(""));
    const std::string document = folder + "SHELL_TEST_NOTE.TXT";
    const std::string program = folder + "SHELL_TEST_TOOL.SH";
    std::ofstream(document) << "note\n";
    std::ofstream(program) << "#!/bin/sh\n";
    chmod(program.c_str(), 0755);
    EXPECT_EQ(run("SYSTEM SHELL_TEST_TOOL.SH"), 1);
    EXPECT_EQ(gui->console.lastError, "SYSTEM - WILL NOT RUN A PROGRAM");
    EXPECT_EQ(run("SYSTEM SHELL_TEST_NOTE.TXT"), 0);
    const auto opens = qxplatform::recordedShellOpens();
    ASSERT_EQ(opens.size(), 1u);
    EXPECT_EQ(opens[0], (std::vector<std::string>{"xdg-open", document}));
    std::remove(document.c_str());
    std::remove(program.c_str());
}

// A name inside the folder may be a link, or pass through a linked folder, that leads out of
// it: the file it resolves to is what must lie inside.
TEST_F(ShellVerbs, SystemRefusesLinksThatLeadOutOfTheModuleFolder) {
    const std::string folder = qxplatform::toHostPath(modulePath(""));
    char outsideName[] = "/tmp/qx_system_outside_XXXXXX";
    ASSERT_NE(::mkdtemp(outsideName), nullptr);
    const std::string outside = outsideName;
    std::ofstream(outside + "/SECRET.TXT") << "secret\n";
    std::ofstream(folder + "SHELL_LINK_TARGET.TXT") << "inside\n";
    ASSERT_EQ(::symlink((outside + "/SECRET.TXT").c_str(), (folder + "SHELL_LINK_OUT.TXT").c_str()),
              0);
    ASSERT_EQ(::symlink(outside.c_str(), (folder + "SHELL_LINK_DIR").c_str()), 0);
    ASSERT_EQ(::symlink("SHELL_LINK_TARGET.TXT", (folder + "SHELL_LINK_IN.TXT").c_str()), 0);

    for (const char* line : {"SYSTEM SHELL_LINK_OUT.TXT", "SYSTEM SHELL_LINK_DIR/SECRET.TXT",
                             "SYSTEM SHELL_LINK_DIR"}) {
        EXPECT_EQ(run(line), 1) << line;
        EXPECT_EQ(gui->console.lastError, "SYSTEM - ONLY FILES INSIDE THE MODULE FOLDER") << line;
    }
    EXPECT_TRUE(qxplatform::recordedShellOpens().empty());
    // A link that stays inside still opens, and the opener is handed the file it leads to,
    // not the link, so nothing swapped in after the check can redirect it.
    EXPECT_EQ(run("SYSTEM SHELL_LINK_IN.TXT"), 0);
    const auto opens = qxplatform::recordedShellOpens();
    ASSERT_EQ(opens.size(), 1u);
    char resolvedFolder[PATH_MAX];
    ASSERT_NE(::realpath(folder.c_str(), resolvedFolder), nullptr);
    EXPECT_EQ(opens[0], (std::vector<std::string>{"xdg-open", std::string(resolvedFolder) +
                                                                  "/SHELL_LINK_TARGET.TXT"}));
    // A document's name on a link to a program is judged by the program.
    std::ofstream(folder + "SHELL_LINK_TOOL.SH") << "#!/bin/sh\n";
    ASSERT_EQ(::symlink("SHELL_LINK_TOOL.SH", (folder + "SHELL_LINK_NOTE.TXT").c_str()), 0);
    EXPECT_EQ(run("SYSTEM SHELL_LINK_NOTE.TXT"), 1);
    EXPECT_EQ(gui->console.lastError, "SYSTEM - WILL NOT RUN A PROGRAM");

    for (const char* name : {"SHELL_LINK_OUT.TXT", "SHELL_LINK_DIR", "SHELL_LINK_IN.TXT",
                             "SHELL_LINK_TARGET.TXT", "SHELL_LINK_TOOL.SH", "SHELL_LINK_NOTE.TXT"})
        std::remove((folder + name).c_str());
    std::remove((outside + "/SECRET.TXT").c_str());
    ::rmdir(outside.c_str());
}

} // namespace
