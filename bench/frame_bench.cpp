// One frame of the demo patch, of a full stage, of all panels open and of a full MATRIX page at
// 1376 x 800 under the GL of the display (Mesa's software renderer under Xvfb), and the CPU share
// of an idle open window running its 10 ms timer.
#include <GL/glew.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "app/qx_gui.h"
#include "qxplatform/test_hooks.h"
#include "render/damage_painter.h"
#include "render/gl_slots.h"
#include "render/recording_draw_layer.h"
#include "render/shader_programs.h"
#include "render/text_triangles.h"
#include "render/vertex_batch.h"

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

// The median of single frames, beside the benchmark's mean: a burst of other work on the
// machine moves a mean far more than a median.
class FrameClock {
public:
    void start() { began = seconds(CLOCK_MONOTONIC); }
    void stop() { frames.push_back(seconds(CLOCK_MONOTONIC) - began); }
    void report(benchmark::State& state) {
        if (frames.empty()) return;
        std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
        state.counters["frame_median_ms"] = frames[frames.size() / 2] * 1e3;
    }

private:
    double began = 0.0;
    std::vector<double> frames;
};

bool displayMissing(benchmark::State& state) {
    if (qxplatform::hasDisplay()) return false;
    state.SkipWithError("no X display (run under xvfb-run)");
    return true;
}

// One frame as the window paints it; the frame pushes GL's attributes and this pops them.
void renderOneFrame(QX_GUI& gui) {
    makeSlotCurrent(gui.glSlot);
    gui.renderFrame();
    glPopAttrib();
}

// Each scene in five repetitions of as many frames as fit in the benchmark's time.
#define FRAME_BENCHMARK(timing, scene, arrange)                                                    \
    BENCHMARK_CAPTURE(timing, scene, arrange)                                                      \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true)

void keepTheDemoPatch(QX_GUI&) {}

// Frames of the demo patch once `arrange` has set up the scene to time.
void frame(benchmark::State& state, void (*arrange)(QX_GUI&)) {
    if (displayMissing(state)) return;
    OpenEditor editor;
    arrange(*editor.gui);
    state.counters["cables"] = editor.gui->cableCount;
    FrameClock clock;
    for (auto _ : state) {
        clock.start();
        renderOneFrame(*editor.gui);
        glFinish();
        clock.stop();
    }
    clock.report(state);
}

FRAME_BENCHMARK(frame, demoPatch, keepTheDemoPatch);

// A full stage: 64 sources, 64 targets, 8 rooms, 16 groups of four, 1000 cables, grid and
// labels on, every source reaching every target.
void buildFullStage(QX_GUI& gui) {
    gui.executeCommandString("HARD_RESET");
    gui.executeCommandString("SET NUM_ROOM 8");
    gui.executeCommandString("SET NUM_SOURCE 64");
    gui.executeCommandString("SET NUM_TARGET 64");
    gui.executeCommandString("SET NUM_GROUP 16");
    for (int r = 0; r < 8; ++r) {
        char line[96];
        std::snprintf(line, sizeof line, "POS R%i X:%i Y:%i W:300 H:340", r + 1,
                      -640 + 320 * (r % 4), -360 + 370 * (r / 4));
        gui.executeCommandString(line);
    }
    for (int i = 0; i < 64; ++i) {
        gui.sources[i].setPosition(-600.0f + 19.0f * i, -200.0f + 90.0f * (i % 5));
        gui.targets[i].setPosition(-620.0f + 19.5f * i, (i % 2) ? 330.0f : -340.0f);
    }
    for (int g = 0; g < 16; ++g)
        for (int k = 0; k < 4; ++k) {
            gui.sources[4 * g + k].addToGroup(g);
            gui.groups[g].addMember(4 * g + k);
            gui.groups[g].x = -600.0f + 76.0f * g;
            gui.groups[g].y = 260.0f;
        }
    for (int c = 0; c < 1000; ++c) {
        gui.pendingCableSource = c % 64;
        gui.pendingCableTarget = (c / 64 * 7 + c) % 64;
        gui.addPendingCable();
    }
    for (int t = 0; t < 64; ++t)
        for (int s = 0; s < 64; ++s) gui.targets[t].gainRow[s] = 0.3f;
    gui.stageView.gridShown = gui.stageView.sourceLabels = gui.stageView.targetLabels =
        gui.stageView.groupLabels = gui.stageView.roomLabels = 1;
    gui.updateRoomMembership();
}

FRAME_BENCHMARK(frame, fullStage, buildFullStage);

// The demo patch with all ten floating panels shown.
void showAllPanels(QX_GUI& gui) {
    for (PanelWindow& panel : gui.panelFrame.panels) panel.shown = 1;
}

FRAME_BENCHMARK(frame, allPanelsOpen, showAllPanels);

// The MATRIX page with 64 sources, 64 targets and a cable on each of the 4096 cells; some
// cables muted, soloed, phase-inverted or at level 0, so every cell mark is drawn.
void buildFullMatrix(QX_GUI& gui) {
    gui.executeCommandString("HARD_RESET");
    gui.executeCommandString("SET NUM_SOURCE 64");
    gui.executeCommandString("SET NUM_TARGET 64");
    for (int t = 0; t < 64; ++t)
        for (int s = 0; s < 64; ++s) {
            gui.pendingCableSource = s;
            gui.pendingCableTarget = t;
            gui.pendingCableLevel = 0.1f + 0.9f * static_cast<float>((s + t) % 16) / 15.0f;
            gui.addPendingCable();
        }
    for (int c = 0; c < gui.cableCount; ++c) {
        CableRecord& cable = gui.cables[c];
        cable.level = 0.05f + 0.9f * static_cast<float>(c % 29) / 28.0f;
        if (c % 13 == 0) cable.mute = 1;
        if (c % 17 == 0) cable.solo = 1;
        if (c % 19 == 0) cable.phase = -1.0f;
        if (c % 23 == 0) cable.level = 0.0f;
    }
    gui.executeCommandString("PAGE MATRIX");
}

FRAME_BENCHMARK(frame, fullMatrix, buildFullMatrix);

// The floor of each scene: its own primitives, recorded in window pixels, drawn as two arrays
// (triangles, then lines as one-pixel GL_LINES, not smoothed) in the flat program with
// blending and no change of state between them. Text is its glyph triangles at its anchor,
// unscaled (every scene here draws at zoom 1); the shader-placed discs and glows are left out.
// The frames above cannot be faster than this.
struct BareFrame {
    std::vector<float> triangles;
    std::vector<float> lines;
};

void addRecordedText(QX_GUI& gui, const RecordedDraw& draw, std::vector<float>& out) {
    const int32_t h = gui.font.horizontalMode, v = gui.font.verticalMode;
    gui.font.horizontalMode = draw.horizontalMode;
    gui.font.verticalMode = draw.verticalMode;
    appendTextTriangles(gui.font, draw.text.c_str(), draw.scale, draw.xy[0], draw.xy[1], out);
    gui.font.horizontalMode = h;
    gui.font.verticalMode = v;
}

void addRecordedVertices(const RecordedDraw& draw, BareFrame& frame) {
    if (draw.mode == 1 || draw.mode == 2) return;
    const BatchClass batchClass = batchClassOf(draw.primitive);
    if (batchClass != BatchClass::Triangles && batchClass != BatchClass::Lines) return;
    VertexBatch batch;
    batch.reset(batchClass);
    batch.append(draw.primitive, draw.xy.data(), draw.vertexCount(), kAffineIdentity, draw.colour);
    std::vector<float>& out = batchClass == BatchClass::Lines ? frame.lines : frame.triangles;
    out.insert(out.end(), batch.data(), batch.data() + 2 * batch.vertexCount());
}

BareFrame recordFrame(QX_GUI& gui) {
    RecordingDrawLayer recorder;
    DrawLayer* drawing = gui.drawLayer;
    gui.drawLayer = &recorder;
    renderOneFrame(gui);
    gui.drawLayer = drawing;
    BareFrame frame;
    for (const RecordedDraw& draw : recorder.draws) {
        if (draw.kind == RecordedDraw::Kind::Vertices) addRecordedVertices(draw, frame);
        if (draw.kind == RecordedDraw::Kind::Text) addRecordedText(gui, draw, frame.triangles);
    }
    return frame;
}

void drawBare(GLenum primitive, const std::vector<float>& xy) {
    if (xy.empty()) return;
    glVertexPointer(2, GL_FLOAT, 0, xy.data());
    glDrawArrays(primitive, 0, static_cast<GLsizei>(xy.size() / 2));
}

void bareFrame(benchmark::State& state, void (*arrange)(QX_GUI&)) {
    if (displayMissing(state)) return;
    OpenEditor editor;
    QX_GUI& gui = *editor.gui;
    arrange(gui);
    const BareFrame frame = recordFrame(gui);
    state.counters["triangles"] = static_cast<double>(frame.triangles.size() / 6);
    state.counters["lines"] = static_cast<double>(frame.lines.size() / 4);
    makeSlotCurrent(gui.glSlot);
    setPixelProjection(1376, 800);
    glDisable(GL_LINE_SMOOTH);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glUseProgram(gui.flatProgram);
    glVertexAttrib4f(static_cast<GLuint>(gui.flatColourLocation), 1.0f, 1.0f, 1.0f, 0.5f);
    glEnableClientState(GL_VERTEX_ARRAY);
    FrameClock clock;
    for (auto _ : state) {
        clock.start();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawBare(GL_TRIANGLES, frame.triangles);
        drawBare(GL_LINES, frame.lines);
        glFinish();
        clock.stop();
    }
    clock.report(state);
}

FRAME_BENCHMARK(bareFrame, fullStage, buildFullStage);

FRAME_BENCHMARK(bareFrame, allPanelsOpen, showAllPanels);

FRAME_BENCHMARK(bareFrame, fullMatrix, buildFullMatrix);

// Paints the editor's window as a WM_PAINT does, with damage painting on or off.
void paintWindowOnce(QX_GUI& gui) {
    makeSlotCurrent(gui.glSlot);
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    gui.paintWindow(GetDC(slotWindow(gui.glSlot)));
    glPopAttrib();
}

// The process's CPU time over wall time while the open window runs its message loop (the
// 10 ms timer invalidating every tick) for two seconds, with damage painting off or on.
void idleCpuShare(benchmark::State& state, void (*arrange)(QX_GUI&), bool damagePainting) {
    if (displayMissing(state)) return;
    OpenEditor editor;
    arrange(*editor.gui);
    editor.gui->damagePainting = damagePainting;
    const PaintStats before = editor.gui->damagePainter.stats();
    double share = 0.0, mainShare = 0.0;
    for (auto _ : state) {
        const double wall0 = seconds(CLOCK_MONOTONIC);
        const double cpu0 = seconds(CLOCK_PROCESS_CPUTIME_ID);
        const double thread0 = seconds(CLOCK_THREAD_CPUTIME_ID);
        MSG m;
        while (seconds(CLOCK_MONOTONIC) - wall0 < 2.0) {
            if (GetMessageW(&m, nullptr, 0, 0)) DispatchMessageW(&m);
        }
        mainShare =
            (seconds(CLOCK_THREAD_CPUTIME_ID) - thread0) / (seconds(CLOCK_MONOTONIC) - wall0);
        share = (seconds(CLOCK_PROCESS_CPUTIME_ID) - cpu0) / (seconds(CLOCK_MONOTONIC) - wall0);
    }
    const PaintStats& after = editor.gui->damagePainter.stats();
    state.counters["cpu_share_percent"] = share * 100.0;
    // Of which the window's own thread; the rest is the renderer's threads.
    state.counters["main_thread_percent"] = mainShare * 100.0;
    state.counters["partial_frames"] =
        static_cast<double>(after.partialFrames - before.partialFrames);
    state.counters["whole_frames"] = static_cast<double>(after.wholeFrames - before.wholeFrames);
    state.counters["damaged_share"] = after.lastDamagedShare;
}

#define CPU_SHARE_BENCHMARK(scene, arrange)                                                        \
    BENCHMARK_CAPTURE(idleCpuShare, scene##_fullRepaint, arrange, false)                           \
        ->Iterations(1)                                                                            \
        ->Unit(benchmark::kMillisecond);                                                           \
    BENCHMARK_CAPTURE(idleCpuShare, scene##_damagePainting, arrange, true)                         \
        ->Iterations(1)                                                                            \
        ->Unit(benchmark::kMillisecond)

CPU_SHARE_BENCHMARK(demoPatch, keepTheDemoPatch);
CPU_SHARE_BENCHMARK(fullStage, buildFullStage);

// Source 1 of the full stage pressed and dragged across the stage, one pixel step a frame
// (and back at the edge): each frame is the move and the paint, presented and finished.
void dragSource(benchmark::State& state, bool damagePainting) {
    if (displayMissing(state)) return;
    OpenEditor editor;
    QX_GUI& gui = *editor.gui;
    buildFullStage(gui);
    gui.damagePainting = damagePainting;
    paintWindowOnce(gui);
    const ScreenPoint start = gui.stageToScreen(gui.sources[0].x, gui.sources[0].y);
    gui.onMouseMove(0, start.x, start.y);
    gui.onLButtonDown(MK_LBUTTON, start.x, start.y);
    paintWindowOnce(gui);
    FrameClock clock;
    int32_t x = start.x, step = 3;
    for (auto _ : state) {
        clock.start();
        x += step;
        if (x > 1300 || x < 60) step = -step;
        gui.onMouseMove(MK_LBUTTON, x, start.y + (x % 40));
        paintWindowOnce(gui);
        glFinish();
        clock.stop();
    }
    gui.onLButtonUp(0, x, start.y);
    clock.report(state);
    state.counters["damaged_share"] = gui.damagePainter.stats().lastDamagedShare;
    state.counters["draws_replayed"] =
        static_cast<double>(gui.damagePainter.stats().lastDrawsReplayed);
    state.counters["draws"] = static_cast<double>(gui.damagePainter.stats().lastDraws);
    state.counters["frames_over_kept_picture"] =
        static_cast<double>(gui.damagePainter.stats().framesOverKeptPicture);
}

BENCHMARK_CAPTURE(dragSource, fullRepaint, false)->Unit(benchmark::kMillisecond)->Repetitions(3);
BENCHMARK_CAPTURE(dragSource, damagePainting, true)->Unit(benchmark::kMillisecond)->Repetitions(3);

} // namespace

namespace {

// Frames of the scene composed into `layer` in place of GL, each between begin() and end().
template <typename Begin, typename End>
void composeInto(benchmark::State& state, void (*arrange)(QX_GUI&), DrawLayer& layer, Begin begin,
                 End end) {
    if (displayMissing(state)) return;
    OpenEditor editor;
    QX_GUI& gui = *editor.gui;
    arrange(gui);
    FrameClock clock;
    for (auto _ : state) {
        clock.start();
        begin();
        gui.drawLayer = &layer;
        gui.renderFrame();
        gui.drawLayer = &gui.glDrawLayer;
        end();
        clock.stop();
    }
    clock.report(state);
}

// What damage painting adds to each frame before anything is drawn: the frame composed into
// the record (vertices copied, parts hashed into the tiles) and compared with the one before.
void recordAndCompare(benchmark::State& state, void (*arrange)(QX_GUI&)) {
    FrameRecord record;
    DamageTiles tiles;
    composeInto(
        state, arrange, record, [&] { record.begin(tiles, 1376, 800); },
        [&] { record.endFrame(); });
    state.counters["draws"] = static_cast<double>(record.drawCount());
}

BENCHMARK_CAPTURE(recordAndCompare, demoPatch, keepTheDemoPatch)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(recordAndCompare, fullStage, buildFullStage)->Unit(benchmark::kMillisecond);

// Takes every call and draws nothing.
class DiscardingDrawLayer : public DrawLayer {
public:
    void clear() override {}
    void pixelProjection(int32_t, int32_t) override {}
    void useProgram(unsigned) override {}
    void colour(float, float, float, float) override {}
    void mode(int32_t) override {}
    void metrics(float, float, float, float) override {}
    void stage(int32_t) override {}
    void level(float) override {}
    void height(float) override {}
    void vertices(Primitive, const float*, int32_t, int32_t) override {}
    void text(const StrokeFont&, const char*, int32_t, float, float) override {}
    void pushMatrix() override {}
    void popMatrix() override {}
    void translate(float, float) override {}
    void scale(float, float) override {}
    void rotate(float) override {}
    void blendStandard() override {}
    void blendAdditive() override {}
    void lineWidth(float) override {}
    void flush() override {}
};

// The screens' own work on a frame, drawing nothing: the floor under recordAndCompare.
void composeAlone(benchmark::State& state, void (*arrange)(QX_GUI&)) {
    DiscardingDrawLayer discard;
    composeInto(
        state, arrange, discard, [] {}, [] {});
}

BENCHMARK_CAPTURE(composeAlone, demoPatch, keepTheDemoPatch)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeAlone, fullStage, buildFullStage)->Unit(benchmark::kMillisecond);

} // namespace
