// The editor panels under test: a screen fixture whose pins are recorded, the panels at their
// default sizes, one panel placed at a known window position, and the content of one panel
// drawn into a recording.
#pragma once

#include <cstring>
#include <functional>
#include <string>

#include "dsp_link_recording_gui.h"
#include "panels/frame/panel_ids.h"
#include "screen_fixture.h"

struct EditorFixture : ScreenFixture {
    RecordingGui* pins = nullptr;

    EditorFixture() {
        auto recording = std::make_unique<RecordingGui>();
        pins = recording.get();
        recording->windowWidth = gui->windowWidth;
        recording->windowHeight = gui->windowHeight;
        recording->executedLineTap = &lines;
        recording->ownInstance.asleep = 0;
        recording->viewSettings.masterVolume = 1.0f;
        gui = std::move(recording);
        gui->initPanelWindows();
    }

    // Mouse messages through the window procedure's dispatch reach the panels, as once the
    // window is open.
    void useMouseDispatch() {
        gui->graphicsReady = 1;
        gui->initPanelOrder();
    }

    // A panel's window position; content pixel (cx, cy) is then window pixel
    // (x + margin + cx * scale, y + title bar + cy * scale).
    PanelWindow& place(int32_t id, float x, float y, float scale = 1.0f) {
        PanelWindow& panel = gui->panelFrame.panels[id];
        panel.positionX = x;
        panel.positionY = y;
        panel.scale = scale;
        panel.shown = 1;
        return panel;
    }
    int32_t windowX(int32_t id, float cx) const {
        const PanelWindow& p = gui->panelFrame.panels[id];
        return static_cast<int32_t>(p.positionX + p.margin + cx * p.scale);
    }
    int32_t windowY(int32_t id, float cy) const {
        const PanelWindow& p = gui->panelFrame.panels[id];
        return static_cast<int32_t>(p.positionY + p.titleBarHeight + cy * p.scale);
    }

    // The content of one panel drawn at the origin into a recording.
    RecordingDrawLayer drawContent(const std::function<void(QX_GUI&)>& draw) {
        return record([&] { draw(*gui); });
    }

    // The last colour drawn over a content point by a filled area (vertices), or none.
    static const RecordedDraw* topAt(const RecordingDrawLayer& r, float x, float y) {
        const RecordedDraw* top = nullptr;
        for (const RecordedDraw& d : r.draws)
            if (d.kind == RecordedDraw::Kind::Vertices && d.primitive == Primitive::Triangles &&
                d.coversPoint(x, y))
                top = &d;
        return top;
    }

    bool statusIs(const std::string& text) const { return gui->console.statusMessage == text; }
};

inline float wireFloat(const std::vector<uint8_t>& bytes, size_t at) {
    float v = 0.0f;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}
inline int32_t wireInt(const std::vector<uint8_t>& bytes, size_t at) {
    int32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}
