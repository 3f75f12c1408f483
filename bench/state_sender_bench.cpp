// Median time of the state sender at full load (64 sources, 64 targets, 8 rooms, 16 groups,
// 4096 cables): every flag raised with every part changed, and every flag raised with nothing
// changed. Goals: 0.5 ms or less, and 0.1 ms or less.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/qx_gui.h"

namespace {

std::unique_ptr<QX_GUI> fullLoad() {
    auto gui = std::make_unique<QX_GUI>();
    gui->setSourceCount(64);
    gui->setTargetCount(64);
    gui->setRoomCount(8);
    gui->groupCount = 16;
    for (int g = 0; g < 16; ++g)
        for (int s = g * 4; s < g * 4 + 4; ++s) {
            gui->groups[g].addMember(s);
            gui->sources[s].addToGroup(g);
        }
    gui->cableCount = 4096;
    for (int i = 0; i < 4096; ++i) {
        gui->cables[i].source = i / 64;
        gui->cables[i].target = i % 64;
        gui->cables[i].level = 0.5f;
    }
    return gui;
}

void raiseAll(QX_GUI& gui) {
    for (int flag : {1, 2, 3, 4, 5, 11, 12, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30})
        gui.sendFlags[flag] = 1;
}

void SendStateEverythingChanged(benchmark::State& state) {
    auto gui = fullLoad();
    float x = 0.0f;
    for (auto _ : state) {
        // Every part differs from what its pin holds.
        x += 1.0f;
        for (int i = 0; i < 64; ++i) {
            gui->sources[i].x = x;
            gui->targets[i].x = x;
            gui->inputDelays[i].time = x;
            gui->outputDelays[i].time = x;
            gui->inputFilters[i].bands[0].gain = x;
            gui->outputFilters[i].bands[0].gain = x;
            gui->inputDynamics[i].attack = x;
            gui->outputDynamics[i].attack = x;
            gui->inputMixers[i].masterLevel = x;
            gui->outputMixers[i].masterLevel = x;
            gui->feedbackMixes[i].masterLevel = x;
        }
        for (int g = 0; g < 16; ++g) gui->groups[g].x = x;
        for (int r = 0; r < 8; ++r) gui->rooms[r].x = x;
        for (int c = 0; c < 4096; ++c) gui->cables[c].level = x;
        for (int s = 0; s < 20; ++s) gui->slices[s].level[0] = x;
        gui->view.viewZoom = x;
        gui->panelFrame.panels[0].positionX = x;
        gui->autoSaveClock = static_cast<int32_t>(x);
        raiseAll(*gui);
        gui->sendStateToDsp();
    }
}
BENCHMARK(SendStateEverythingChanged)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

void SendStateNothingChanged(benchmark::State& state) {
    auto gui = fullLoad();
    raiseAll(*gui);
    gui->sendStateToDsp();
    for (auto _ : state) {
        raiseAll(*gui);
        gui->sendStateToDsp();
    }
}
BENCHMARK(SendStateNothingChanged)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

} // namespace
