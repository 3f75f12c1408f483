// The delay and filter verbs: DELAY, FILTER, RESETFILTERS and PASTE_FILTERS.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "model/biquad_design.h"
#include "model/checked_number.h"

namespace {

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

// The measuring step the item verbs share: the status line counts the addressed items.
void reportItemCount(QX_GUI& gui, int32_t count) {
    gui.setStatusMessage("GENERATE METRICS ...");
    gui.setStatusMessage(intToString(count) + " ITEMS");
}

// TYPE:... sets the band's type from the last type word the line holds; false for none.
bool setBandType(FilterBandRecord& band, const std::string& text) {
    static constexpr struct {
        const char* word;
        int32_t type;
    } kTypeWords[] = {{"TYPE:HP", EqBand::kHighPass}, {"TYPE:LP", EqBand::kLowPass},
                      {"TYPE:NOTCH", EqBand::kNotch}, {"TYPE:BP", EqBand::kBandPass},
                      {"TYPE:PEAK", EqBand::kPeak},   {"TYPE:HS", EqBand::kHighShelf},
                      {"TYPE:LS", EqBand::kLowShelf}};
    bool found = false;
    for (const auto& word : kTypeWords) {
        if (!contains(text, word.word)) continue;
        band.type = word.type;
        found = true;
    }
    return found;
}

// The band is designed from what it now holds, so the coefficients always match the
// frequency, gain and width the editor shows.
void redesignBand(FilterBandRecord& band, int32_t sampleRate) {
    BiquadDesign design;
    designBiquad(design, band.type, static_cast<float>(sampleRate), band.frequency, band.width,
                 band.gain);
    normaliseBiquad(design);
    const double coefficients[6] = {design.b0, design.b1, design.b2,
                                    design.a0, design.a1, design.a2};
    std::copy(coefficients, coefficients + 6, band.coefficients);
}

} // namespace

int32_t QX_GUI::cmdDelay(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    const std::string& text = command.commandString;
    float time = 0.0f;
    if (command.has(kKeyTime)) time = std::clamp(command.named(kKeyTime) * 0.001f, -1.0f, 1.0f);
    bool switchGiven = false;
    uint8_t switchValue = 0;
    if (contains(text, "ON")) {
        appendConsoleLine("DELAY ON");
        switchGiven = true;
        switchValue = 1;
    }
    if (contains(text, "OFF")) {
        appendConsoleLine("DELAY OFF");
        switchGiven = true;
        switchValue = 0;
    }
    if (!switchGiven && !contains(text, "TIME")) {
        console.pendingError = "NO VALID INPUT FOR DELAY COMMAND";
        return 1;
    }
    for (const ItemSnapshot& item : items) {
        DelayRecord* record = nullptr;
        if (item.type == kKindSource && item.index >= 0 && item.index < kChannels)
            record = &inputDelays[item.index];
        if (item.type == kKindTarget && item.index >= 0 && item.index < kChannels)
            record = &outputDelays[item.index];
        if (record == nullptr) continue;
        if (switchGiven) record->on = switchValue;
        if (command.has(kKeyTime)) record->time = time;
        record->changed = 1;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdFilter(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    const std::string& text = command.commandString;

    const bool recordSwitchGiven = contains(text, "ON") || contains(text, "OFF");
    const uint8_t recordSwitch = contains(text, "OFF") ? 0 : 1;
    const bool bandSwitchGiven = contains(text, "ENABLE") || contains(text, "DISABLE");
    const int32_t bandSwitch = contains(text, "DISABLE") ? 0 : 1;
    int32_t band = -1;
    if (contains(text, "BAND:")) {
        const int32_t b = saturatingInt(command.named(kKeyBand));
        if (b >= 1 && b <= 5) band = b - 1;
    }
    bool typeGiven = contains(text, "TYPE:");
    const bool frequencyGiven = command.has(kKeyF);
    const bool gainGiven = command.has(kKeyG);
    const bool widthGiven = command.has(kKeyBW);
    const float frequency = std::clamp(command.named(kKeyF), 20.0f, 16000.0f);
    const float gain = std::clamp(command.named(kKeyG), -12.0f, 12.0f);
    const float width = std::clamp(command.named(kKeyBW), 0.1f, 5.0f);
    const bool redesign = typeGiven || frequencyGiven || gainGiven || widthGiven;

    for (const ItemSnapshot& item : items) {
        FilterRecord* record = nullptr;
        if (item.type == kKindSource && item.index >= 0 && item.index < kChannels)
            record = &inputFilters[item.index];
        if (item.type == kKindTarget && item.index >= 0 && item.index < kChannels)
            record = &outputFilters[item.index];
        if (record == nullptr) continue;
        // A record taken into use starts from the defaults the editor gives it, so a patch
        // file need only name the bands that differ from them.
        if (record->inUse == 0 && (recordSwitchGiven || band >= 0))
            resetFilterRecord(item.type, item.index);
        // A record the line stores into carries its own channel, as the editor stores it.
        if (recordSwitchGiven || band >= 0) record->channel = static_cast<uint8_t>(item.index);
        if (recordSwitchGiven) {
            record->enabled = recordSwitch;
            record->inUse = 1;
        }
        if (band < 0) continue;
        FilterBandRecord& stored = record->bands[band];
        record->inUse = 1;
        if (bandSwitchGiven) stored.enabled = bandSwitch;
        if (typeGiven && !setBandType(stored, text)) {
            appendConsoleLine("INCORRECT BAND TYPE SPECIFIED");
            typeGiven = false;
        }
        if (frequencyGiven) stored.frequency = frequency;
        if (gainGiven) stored.gain = gain;
        if (widthGiven) stored.width = width;
        if (redesign) {
            redesignBand(stored, sampleRate);
            record->inUse = 1;
        }
        // The active-band count follows the bands' switches.
        uint8_t active = 0;
        for (const FilterBandRecord& b : record->bands) active += b.enabled == 1 ? 1 : 0;
        record->activeBandCount = active;
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdResetFilters(CliObject command) {
    const ItemSnapshotList items = gatherItemRecords(command);
    reportItemCount(*this, items.count());
    for (const ItemSnapshot& item : items)
        if (item.type == kKindSource || item.type == kKindTarget)
            resetFilterRecord(item.type, item.index);
    if (filtersEditor.filterPanelKind == kKindSource ||
        filtersEditor.filterPanelKind == kKindTarget)
        loadFiltersPanel(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
    return 0;
}

int32_t QX_GUI::cmdPasteFilters(CliObject command) {
    if (filterClipboardFull == 0) {
        console.pendingError = "NO FILTER IN CLIPBOARD!";
        return 1;
    }
    const ItemSnapshotList items = gatherItemRecords(command);
    reportItemCount(*this, items.count());
    setStatusMessage("PASTING FILTERS");
    for (const ItemSnapshot& item : items) {
        if (item.type != kKindSource && item.type != kKindTarget) continue;
        if (item.index < 0 || item.index >= kChannels) continue;
        FilterRecord& record =
            item.type == kKindSource ? inputFilters[item.index] : outputFilters[item.index];
        record = filterClipboard;
        record.channel = static_cast<uint8_t>(item.index);
        loadFiltersPanel(item.type, item.index); // designs the editor's bands afresh
        storeFilterSettings(item.type, item.index);
    }
    if (filtersEditor.filterPanelKind == kKindSource ||
        filtersEditor.filterPanelKind == kKindTarget)
        loadFiltersPanel(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
    return 0;
}
