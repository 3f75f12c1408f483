// libFuzzer target: every input steers the generator to a few command lines, run on a
// long-lived object with a small stage; the state is then sent out as the host would ask.
#include "command_line_generator.h"
#include "qxplatform/test_hooks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QX_GUI* gui = [] {
        qxplatform::setShellOpensRecorded(true);
        auto* made = new QX_GUI;
        fuzz_lines::prepareFuzzStage(*made);
        return made;
    }();
    FuzzChoices choices(data, size);
    for (int line = 0; line < 4 && !choices.exhausted(); ++line)
        gui->executeCommandString(fuzz_lines::randomCommandLine(choices));
    for (int tick = 0; tick < 8 && gui->queueActive; ++tick) gui->runNextQueuedLine();
    for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) gui->sendFlags[flag] = 1;
    gui->sendStateToDsp();
    qxplatform::clearRecordedShellOpens();
    return 0;
}
