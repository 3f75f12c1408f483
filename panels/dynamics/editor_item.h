// What the editor panels read of the item they show: its colour, its meter words, and the
// caption and frame colour of the panel that edits it.
#pragma once

#include <cstdint>
#include <string>

#include "app/qx_gui.h"

// The colour of source (kind 1) or target (kind 2) `index`; white for anything else.
inline ColourQuad editorItemColour(const QX_GUI& gui, int32_t kind, int32_t index) {
    ColourQuad c{1.0f, 1.0f, 1.0f, 1.0f};
    if (index < 0 || index >= QX_GUI::kMaxLiveItems) return c;
    if (kind == kKindSource)
        c = {gui.sources[index].colourRed, gui.sources[index].colourGreen,
             gui.sources[index].colourBlue, 1.0f};
    if (kind == kKindTarget)
        c = {gui.targets[index].colourRed, gui.targets[index].colourGreen,
             gui.targets[index].colourBlue, 1.0f};
    return c;
}

// The panel names the source (kind 1) or target (kind 2) it edits in its caption and takes its
// colour for its frame.
inline void showEditedItem(QX_GUI& gui, PanelWindow& panel, int32_t kind, int32_t index) {
    if (kind != kKindSource && kind != kKindTarget) return;
    if (index < 0 || index >= QX_GUI::kMaxLiveItems) return;
    const bool source = kind == kKindSource;
    panel.subtitle = std::string(source ? "SOURCE - " : "TARGET - ") +
                     (source ? gui.sources[index].name : gui.targets[index].name);
    const ColourQuad c = editorItemColour(gui, kind, index);
    panel.setColour(c.red, c.green, c.blue);
}

// The meter words of one item as the meter pins deliver them (w0 .. w7).
struct ItemMeters {
    float pinMeterLevel = 0.0f;     // w1, linear
    float channelMeterLevel = 0.0f; // w2, linear
    float meterInputLevel = 0.0f;   // w4, linear
    float meterOutputLevel = 0.0f;  // w5, linear
    float meterSidechainDb = 0.0f;  // w6
    float meterGainDb = 0.0f;       // w7
};

template <class Record> ItemMeters itemMeters(const Record& item) {
    return {item.meter[1], item.meter[2], item.meter[4],
            item.meter[5], item.meter[6], item.meter[7]};
}
