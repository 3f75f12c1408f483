// libFuzzer target: every input steers the mutation of a rich saved patch, which is written to
// a scratch folder and loaded as LOAD_MACRO_FILE loads it, deferred lines included.
#include <cstdlib>

#include "../unit/patch_round_trip_support.h"
#include "patch_file_mutator.h"
#include "qxplatform/test_hooks.h"

namespace {

struct PatchFuzzing {
    patch_test::ScratchFolder scratch{"patch_fuzz"};
    std::vector<std::string> original;
    QX_GUI gui;

    PatchFuzzing() {
        qxplatform::setShellOpensRecorded(true);
        auto rich = std::make_unique<QX_GUI>();
        patch_test::runLines(*rich, patch_test::fullLoadCommands());
        rich->writePatchFile(scratch.path + "/RICH.txt", 0);
        original = fuzz_patches::splitLines(patch_test::readFile(scratch.path + "/RICH.txt"));
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static PatchFuzzing* fuzzing = new PatchFuzzing;
    FuzzChoices choices(data, size);
    const std::string path = fuzzing->scratch.path + "/MUTATED.txt";
    patch_test::writeFile(path, fuzz_patches::mutatePatch(fuzzing->original, choices));
    // QX_FUZZ_SHOW=1 keeps a copy of each file before it loads, to read back a crashing input.
    static const bool show = std::getenv("QX_FUZZ_SHOW") != nullptr;
    if (show) patch_test::writeFile("/tmp/qx_patch_fuzz_last.txt", patch_test::readFile(path));
    patch_test::loadPatch(fuzzing->gui, path);
    // Every eighth input sends everything (each encoder sees what the file left); the others
    // send what the load raised, as the host would after it.
    static unsigned inputs = 0;
    if (++inputs % 8 == 0)
        for (int flag = 0; flag < QX_GUI::kSendFlags; ++flag) fuzzing->gui.sendFlags[flag] = 1;
    fuzzing->gui.sendStateToDsp();
    qxplatform::clearRecordedShellOpens();
    return 0;
}
