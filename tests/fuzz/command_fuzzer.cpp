// libFuzzer target: every input steers the generator to a few command lines, run on a
// long-lived object with a small stage; the state is then sent out as the host would ask.
#include <cstdio>
#include <cstdlib>

#include "command_line_generator.h"
#include "qxplatform/test_hooks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static long linesRun = 0;
    static QX_GUI* gui = [] {
        // The count of lines run, for the fuzzing notes.
        std::atexit([] { std::fprintf(stderr, "COMMAND LINES RUN: %ld\n", linesRun); });
        qxplatform::setShellOpensRecorded(true);
        auto* made = new QX_GUI;
        fuzz_lines::prepareFuzzStage(*made);
        return made;
    }();
    FuzzChoices choices(data, size);
    // QX_FUZZ_SHOW=1 prints each line before it runs, to read back a crashing input.
    static const bool show = std::getenv("QX_FUZZ_SHOW") != nullptr;
    for (int line = 0; line < 4 && !choices.exhausted(); ++line) {
        const std::string text = fuzz_lines::randomCommandLine(choices);
        if (show) std::fprintf(stderr, "LINE: %s\n", text.c_str());
        gui->executeCommandString(text);
        ++linesRun;
    }
    for (int tick = 0; tick < 8 && gui->queueActive; ++tick) gui->runNextQueuedLine();
    // Every eighth input sends everything (each encoder sees what the lines left); the others
    // send only what the lines raised.
    static unsigned inputs = 0;
    if (++inputs % 8 == 0)
        for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui->sendFlags[flag] = 1;
    gui->sendStateToDsp();
    qxplatform::clearRecordedShellOpens();
    return 0;
}
