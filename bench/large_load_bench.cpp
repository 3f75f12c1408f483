// Loads at the size limits: the largest patch the writer makes (every cable, every mixer and
// feedback mix full), and files at the limit of lines that fail and of lines that run. Prints
// each file's bytes and the peak resident memory of the process after the load.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <memory>
#include <string>

#include "../tests/unit/patch_round_trip_support.h"
#include "app/bounded_text_file.h"

namespace {

double peakResidentMegabytes() {
    struct rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

std::vector<std::string> largestPatchCommands() {
    std::vector<std::string> lines = patch_test::fullLoadCommands();
    char line[128];
    for (int s = 1; s <= 64; ++s)
        for (int t = 1; t <= 64; ++t) {
            std::snprintf(line, sizeof line, "CABLE S%i T%i X:%.1f", s, t, -0.5 * ((s + t) % 20));
            lines.push_back(line);
        }
    for (const char* verb : {"INPUT_MIXER S", "OUTPUT_MIXER T"})
        for (int i = 1; i <= 64; ++i)
            for (int p = 1; p <= 64; ++p) {
                const std::string item = verb + std::to_string(i);
                lines.push_back(item + " ADD_PIN " + std::to_string(p));
                lines.push_back(item + " LEVEL_PIN " + std::to_string(p) + " -3.25");
                lines.push_back(item + " PHASE_PIN " + std::to_string(p) + " -1");
                lines.push_back(item + " MUTE_PIN " + std::to_string(p));
            }
    for (int t = 1; t <= 64; ++t)
        for (int s = 1; s <= 64; ++s) {
            std::snprintf(line, sizeof line, "FEEDBACK T%i S%i 0.%02i", t, s, (s * t) % 97 + 1);
            lines.push_back(line);
        }
    // Names of the longest kind: every line that names an item grows with them.
    for (int i = 1; i <= 64; ++i) {
        std::snprintf(line, sizeof line, "NAME S%i SOURCE_NUMBER%02i", i, i);
        lines.push_back(line);
        std::snprintf(line, sizeof line, "NAME T%i TARGET_NUMBER%02i", i, i);
        lines.push_back(line);
    }
    return lines;
}

struct LargestPatch {
    patch_test::ScratchFolder scratch{"largest"};
    std::string path = scratch.path + "/LARGEST.txt";
    LargestPatch() {
        auto gui = std::make_unique<QX_GUI>();
        patch_test::runLines(*gui, largestPatchCommands());
        gui->writePatchFile(path, 0);
    }
};

void BM_LoadLargestPatch(benchmark::State& state) {
    LargestPatch patch;
    auto fresh = std::make_unique<QX_GUI>();
    for (auto _ : state) patch_test::loadPatch(*fresh, patch.path);
    state.counters["bytes"] = static_cast<double>(patch_test::readFile(patch.path).size());
    state.counters["failed"] = fresh->console.errorCount;
    state.counters["peakMB"] = peakResidentMegabytes();
}
BENCHMARK(BM_LoadLargestPatch)->Unit(benchmark::kMillisecond)->Iterations(3);

// A file of one line repeated up to the size limit of macro files, loaded as LOAD_MACRO_FILE
// loads it (or refused at the limit).
void loadRepeatedLine(benchmark::State& state, const std::string& line) {
    patch_test::ScratchFolder scratch{"limit"};
    const std::string path = scratch.path + "/LIMIT.txt";
    std::string text;
    while (text.size() + line.size() + 1 <= kMaxTextFileBytes) text += line + "\n";
    patch_test::writeFile(path, text);
    auto gui = std::make_unique<QX_GUI>();
    for (auto _ : state) patch_test::loadPatch(*gui, path);
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["failed"] = gui->console.errorCount;
    state.counters["peakMB"] = peakResidentMegabytes();
}

void BM_LoadFailingLinesAtTheLimit(benchmark::State& state) {
    loadRepeatedLine(state, "FOO S1");
}
BENCHMARK(BM_LoadFailingLinesAtTheLimit)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_LoadRunningLinesAtTheLimit(benchmark::State& state) {
    loadRepeatedLine(state, "SET NUM_SOURCE 4");
}
BENCHMARK(BM_LoadRunningLinesAtTheLimit)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
