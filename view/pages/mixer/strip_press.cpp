// A left press on a control of a source or target strip: the switches, the keys held over the
// fader area, the knob grab, the processing switches with their panels, and the rename entry.
#include <memory>

#include "app/qx_gui.h"
#include "panels/frame/panel_ids.h"
#include "view/pages/mixer/fader_drag.h"

namespace {

constexpr int32_t kMeterPeak = 4; // the held peak of the output meter
constexpr int32_t kHandCursor = 5;
constexpr int32_t kVerticalCursor = 2;

// The switches and level of one source or target.
struct ItemFields {
    int32_t& mute;
    int32_t& solo;
    float& phase;
    float& level;
    float* meter;
};

ItemFields itemFields(QX_GUI& gui, int32_t kind, int32_t index) {
    if (kind == kKindSource) {
        SourceRecord& s = gui.sources[index];
        return {s.mute, s.solo, s.phase, s.level, s.meter};
    }
    TargetRecord& t = gui.targets[index];
    return {t.mute, t.solo, t.phase, t.level, t.meter};
}

void toggle(int32_t& value) {
    value = value ? 0 : 1;
}

// What the DYNAMICS editor adds to a record it sets up: its channel, its threshold point and
// the table of its own curve.
void finishDynamicsSetUp(DynamicsRecord& record, int32_t index) {
    auto curve = std::make_unique<DynamicsCurve>();
    curve->pointCount = 5;
    for (int p = 0; p < 5; ++p) curve->points[p] = {record.points[2 * p], record.points[2 * p + 1]};
    curve->buildTable60();
    record.channel = static_cast<uint8_t>(index);
    record.thresholdX = curve->points[2].x;
    for (int k = 0; k < DynamicsCurve::kTable60Size; ++k) record.curve[k] = curve->table60[k];
}

} // namespace

void QX_GUI::setStripCursor(bool vertical) {
    SetCursor(cursors[vertical ? kVerticalCursor : kHandCursor]);
}

void QX_GUI::pressStripControl(int32_t kind, int32_t index, const StripHit& hit) {
    ItemFields item = itemFields(*this, kind, index);
    switch (hit.control) {
    case kControlFader:
        if (isKeyDownS()) toggle(item.solo);
        if (isKeyDownA() || isKeyDownM()) toggle(item.mute);
        if (isKeyDownP()) item.phase *= -1.0f;
        if (isKeyDownZ()) item.level = 1.0f;
        break;
    case kControlKnob:
        grabStripKnob(kind, index, hit.localY);
        break;
    case kControlMute:
        toggle(item.mute);
        break;
    case kControlSolo:
        toggle(item.solo);
        break;
    case kControlPhase:
        item.phase *= -1.0f;
        break;
    case kControlDelay:
    case kControlFilters:
    case kControlDynamics:
        toggleProcessingSwitch(kind, index, hit.control);
        break;
    case kControlName:
        openStripNameEntry(kind, index);
        break;
    default:
        break;
    }
}

// Grabs a source or target knob on the normal layout: the drag keeps the distance between the
// pointer and the knob centre.
void QX_GUI::grabStripKnob(int32_t kind, int32_t index, int32_t localY) {
    const FaderRecord layout = getStripLayout();
    if (!(layout.faderLength > 0.0f)) return;
    ItemFields item = itemFields(*this, kind, index);
    setStripCursor(true);
    interaction.dragStartValue = item.level;
    item.meter[kMeterPeak] = 0.0f;
    interaction.pageMouseHold = 1;
    mixerPages.dragGrabPos = (layout.faderBottom - static_cast<float>(localY)) / layout.faderLength;
    mixerPages.draggedStrip = index;
    mixerPages.dragKnobPos = fader_drag::knobFraction(faderLaw, item.level);
}

// D, E and C: while the panel is hidden, or already shows this item, the item's switch flips
// and its table is sent; a shown panel then moves to this item.
void QX_GUI::toggleProcessingSwitch(int32_t kind, int32_t index, int32_t control) {
    const bool source = kind == kKindSource;
    int32_t panel = kPanelDelay;
    int32_t shownKind = delayEditor.delayPanelKind;
    int32_t shownIndex = delayEditor.delayPanelIndex;
    uint8_t* enabled = source ? &inputDelays[index].on : &outputDelays[index].on;
    int32_t flag = source ? kSendInputDelays : kSendOutputDelays;
    if (control == kControlFilters) {
        panel = kPanelFilters;
        shownKind = filtersEditor.filterPanelKind;
        shownIndex = filtersEditor.filterPanelIndex;
        enabled = source ? &inputFilters[index].enabled : &outputFilters[index].enabled;
        flag = source ? kSendInputEq : kSendOutputEq;
    } else if (control == kControlDynamics) {
        panel = kPanelDynamics;
        shownKind = dynamicsEditor.dynamicsPanelKind;
        shownIndex = dynamicsEditor.dynamicsPanelIndex;
        enabled = source ? &inputDynamics[index].mode : &outputDynamics[index].mode;
        flag = source ? kSendInputDynamics : kSendOutputDynamics;
    }
    const bool shown = panelFrame.panels[panel].shown != 0;
    if (!shown || (shownKind == kind && shownIndex == index)) {
        setUpProcessingRecord(kind, index, control);
        *enabled = *enabled ? 0 : 1;
        raiseSendFlag(flag);
    }
    if (!shown) return;
    if (control == kControlDelay)
        loadDelayPanel(kind, index);
    else if (control == kControlFilters)
        loadFiltersPanel(kind, index);
    else
        loadDynamicsPanel(kind, index);
}

// A record never set up starts from its defaults before its switch flips, as the processing
// verbs and the panels start it; otherwise the panel's first load would blank the switch.
void QX_GUI::setUpProcessingRecord(int32_t kind, int32_t index, int32_t control) {
    const bool source = kind == kKindSource;
    if (control == kControlDelay) {
        DelayRecord& record = source ? inputDelays[index] : outputDelays[index];
        if (record.changed == 0) {
            record.channel = static_cast<uint8_t>(index);
            record.changed = 1;
        }
    } else if (control == kControlFilters) {
        FilterRecord& record = source ? inputFilters[index] : outputFilters[index];
        if (record.inUse == 0) {
            resetFilterRecord(kind, index);
            record.inUse = 1;
            record.enabled = 0;
        }
    } else {
        DynamicsRecord& record = source ? inputDynamics[index] : outputDynamics[index];
        if (record.active == 0) {
            resetDynamicsRecord(kind, index);
            record.active = 1;
            record.mode = 0;
            finishDynamicsSetUp(record, index);
        }
    }
}

// The rename entry of a source (entry 1) or target (entry 2), on the fixed rename grid.
void QX_GUI::openStripNameEntry(int32_t kind, int32_t index) {
    const bool source = kind == kKindSource;
    textEntry.textEntryId = source ? 1 : 2;
    const ScreenPoint origin = stripOrigin(index);
    const int32_t halfStrip = static_cast<int32_t>(getStripLayout().stripWidth / 2.0f);
    const std::string name = source ? sources[index].name : targets[index].name;
    openTextEntry(origin.x + halfStrip, origin.y, -1, -1, name, -1, 0,
                  source ? "NAME SOURCE" : "NAME TARGET", name, 1);
}
