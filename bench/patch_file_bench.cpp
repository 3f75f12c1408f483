// Saving and loading the full-load patch (64 sources and targets with rooms, groups, cables,
// processing, mixers, feedback, notes, selections and slices). Goals: 20 ms or less to save,
// 100 ms or less to load (the deferred slice rows included).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "../tests/unit/patch_round_trip_support.h"

namespace {

struct FullLoadPatch {
    patch_test::ScratchFolder scratch{"bench"};
    std::string path = scratch.path + "/FULL_LOAD.txt";
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
    FullLoadPatch() {
        patch_test::runLines(*gui, patch_test::fullLoadCommands());
        gui->writePatchFile(path, 0);
    }
};

void BM_SaveFullLoadPatch(benchmark::State& state) {
    FullLoadPatch patch;
    for (auto _ : state) benchmark::DoNotOptimize(patch.gui->writePatchFile(patch.path, 0));
    state.counters["bytes"] = static_cast<double>(patch_test::readFile(patch.path).size());
}
BENCHMARK(BM_SaveFullLoadPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_LoadFullLoadPatch(benchmark::State& state) {
    FullLoadPatch patch;
    auto fresh = std::make_unique<QX_GUI>();
    for (auto _ : state) patch_test::loadPatch(*fresh, patch.path);
}
BENCHMARK(BM_LoadFullLoadPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

} // namespace
