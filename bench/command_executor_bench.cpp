// Time per line of a 10,000-line macro of ordinary edits (LEVEL, MUTE, POS on named items) on
// a full stage, loaded as one batch through LOAD_MACRO. Goal: 20 microseconds or less a line.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/runtime.h"

namespace {

constexpr int kLines = 10000;

std::string writeMacro() {
    const std::string name = "MACROS/BENCH_EDITS.txt";
    const std::string path = qxplatform::toHostPath(modulePath(name));
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return name;
    for (int i = 0; i < kLines; ++i) {
        switch (i % 3) {
        case 0:
            std::fprintf(f, "LEVEL S%d -%d.5\n", i % 64 + 1, i % 40);
            break;
        case 1:
            std::fprintf(f, "MUTE T%d\n", i % 64 + 1);
            break;
        default:
            std::fprintf(f, "POS G%d X:%d Y:%d\n", i % 16 + 1, i % 300, i % 200);
            break;
        }
    }
    std::fclose(f);
    return name;
}

void BM_MacroOfOrdinaryEdits(benchmark::State& state) {
    auto gui = std::make_unique<QX_GUI>();
    gui->setSourceCount(64);
    gui->setTargetCount(64);
    gui->setGroupCount(16);
    for (int g = 0; g < 16; ++g) gui->groups[g].name = "G" + std::to_string(g + 1);
    gui->setRoomCount(8);
    const std::string name = writeMacro();
    for (auto _ : state) gui->runMacroLoad(name, true, true);
    // Seconds per line: the inverse of the line rate.
    state.counters["per_line"] =
        benchmark::Counter(kLines * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
                           benchmark::Counter::OneK::kIs1000);
    std::remove(qxplatform::toHostPath(modulePath(name)).c_str());
}
BENCHMARK(BM_MacroOfOrdinaryEdits)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

// One DYNAMICS line over every source and target of a full stage, with a type, a switch and
// every curve value: the editor loads, shapes, stores and sends each record. Goal: under 5 ms.
void BM_DynamicsOverFullStage(benchmark::State& state) {
    auto gui = std::make_unique<QX_GUI>();
    gui->setSourceCount(64);
    gui->setTargetCount(64);
    const std::string line =
        "DYNAMICS ALL_SOURCES ALL_TARGETS COMPRESSOR ON ATTACK:10 RELEASE:200 THRESHOLD:-20 "
        "RATIO:4 KNEE:6";
    for (auto _ : state) gui->executeCommandString(line);
}
BENCHMARK(BM_DynamicsOverFullStage)->Unit(benchmark::kMillisecond)->MinTime(1.0);
