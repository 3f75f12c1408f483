// Time of the gain matrix and the three upkeep hooks at full load: 64 sources, 64 targets,
// 8 rooms, 16 groups with members and 4096 cables. Goal for the matrix: 25 microseconds or less.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/qx_gui.h"

namespace {

std::unique_ptr<QX_GUI> fullStage() {
    auto gui = std::make_unique<QX_GUI>();
    gui->viewSettings.masterVolume = 1.0f;
    for (int r = 0; r < 8; ++r) {
        gui->rooms[r].x = static_cast<float>((r % 4) * 300);
        gui->rooms[r].y = static_cast<float>((r / 4) * 300);
        gui->rooms[r].setSize(280.0f, 280.0f);
    }
    gui->setRoomCount(8);
    gui->setSourceCount(64);
    gui->setTargetCount(64);
    for (int i = 0; i < 64; ++i) {
        gui->sources[i].setPosition(static_cast<float>((i % 16) * 70 + 10),
                                    static_cast<float>((i / 16) * 140 + 15));
        gui->targets[i].setPosition(static_cast<float>((i % 16) * 70 + 30),
                                    static_cast<float>((i / 16) * 140 + 40));
    }
    for (int s = 0; s < 64; ++s) {
        for (int g : {s % 16, (s + 5) % 16}) {
            gui->sources[s].addToGroup(g);
            gui->groups[g].addMember(s);
        }
    }
    // 4096 cables: every pair once.
    for (int s = 0; s < 64; ++s)
        for (int t = 0; t < 64; ++t) {
            CableRecord& c = gui->cables[gui->cableCount++];
            c.source = s;
            c.target = t;
            c.level = 0.5f;
            gui->targets[t].cabled[s] = 1;
        }
    gui->updateRoomMembership();
    gui->applyGroupMuteSolo();
    gui->updateMuteSoloSummary();
    return gui;
}

void BM_ComputeGainMatrix(benchmark::State& state) {
    auto gui = fullStage();
    for (auto _ : state) {
        gui->computeGainMatrix();
        benchmark::DoNotOptimize(gui->targets[63].gainRow[63]);
    }
}

void BM_UpdateRoomMembership(benchmark::State& state) {
    auto gui = fullStage();
    for (auto _ : state) {
        gui->updateRoomMembership();
        benchmark::DoNotOptimize(gui->sources[63].room);
    }
}

void BM_ApplyGroupMuteSolo(benchmark::State& state) {
    auto gui = fullStage();
    gui->groups[3].mute = 1;
    for (auto _ : state) {
        gui->applyGroupMuteSolo();
        benchmark::DoNotOptimize(gui->sources[3].groupMuted);
    }
}

void BM_UpdateMuteSoloSummary(benchmark::State& state) {
    auto gui = fullStage();
    for (auto _ : state) {
        gui->updateMuteSoloSummary();
        benchmark::DoNotOptimize(gui->anyCableSoloed);
    }
}

} // namespace

BENCHMARK(BM_ComputeGainMatrix)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateRoomMembership)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ApplyGroupMuteSolo)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_UpdateMuteSoloSummary)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);
