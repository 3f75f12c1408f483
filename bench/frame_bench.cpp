// One frame of the demo patch at 1376 x 800 under the GL of the display (Mesa's software
// renderer under Xvfb), and the CPU share of an idle open window running its 10 ms timer.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/gl_slots.h"

namespace {

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(window, message, wParam, lParam);
}

struct OpenEditor {
    OpenEditor() {
        qxplatform::setMessageBoxesQuiet(true);
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = &hostProc;
        windowClass.lpszClassName = u"QxBenchHost";
        RegisterClassExW(&windowClass);
        host = CreateWindowExW(0, u"QxBenchHost", u"bench", WS_VISIBLE, 0, 0, 1376, 800, nullptr,
                               nullptr, nullptr, nullptr);
        gui->setBounds(0, 800, 0, 1376);
        HWND window = nullptr;
        gui->openWindow(host, &window);
        gui->loadMacroFile("PATCHES/DEMO.txt", true);
        gui->ownInstance.asleep = 0;
    }
    ~OpenEditor() {
        gui->closeWindow();
        DestroyWindow(host);
    }
    HWND host = nullptr;
    std::unique_ptr<QX_GUI> gui = std::make_unique<QX_GUI>();
};

double seconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return t.tv_sec + t.tv_nsec * 1e-9;
}

void frameOfTheDemoPatch(benchmark::State& state) {
    if (!qxplatform::hasDisplay()) {
        state.SkipWithError("no X display (run under xvfb-run)");
        return;
    }
    OpenEditor editor;
    for (auto _ : state) {
        makeSlotCurrent(editor.gui->glSlot);
        editor.gui->renderFrame();
        glFinish();
        glPopAttrib();
    }
}
BENCHMARK(frameOfTheDemoPatch)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void idleWindowCpuShare(benchmark::State& state) {
    if (!qxplatform::hasDisplay()) {
        state.SkipWithError("no X display (run under xvfb-run)");
        return;
    }
    OpenEditor editor;
    double share = 0.0;
    for (auto _ : state) {
        const double wall0 = seconds(CLOCK_MONOTONIC);
        const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        MSG m;
        while (seconds(CLOCK_MONOTONIC) - wall0 < 2.0) {
            if (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
        }
        share = (seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0) / (seconds(CLOCK_MONOTONIC) - wall0);
    }
    state.counters["cpu_share_percent"] = share * 100.0;
}
BENCHMARK(idleWindowCpuShare)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
