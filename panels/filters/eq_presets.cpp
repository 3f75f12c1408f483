// Equaliser presets: the preset file reader, applying a stored or algorithmic preset to the
// FILTERS editor, and the export of the editor's active bands as one preset block.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/bounded_text_file.h"
#include "app/qx_gui.h"
#include "app/text_services.h"
#include "qxplatform/file_writer.h"
#include "qxplatform/runtime.h"

namespace {

constexpr int kBands = 5;
constexpr size_t kMaxLineLength = 2047;
const char* const kExportPath = "Z:EQ_PRESET.txt";
const char* const kExportName = "XXX"; // upper-case, so a command line can name it

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        const size_t at = text.find(separator, start);
        fields.push_back(
            text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return fields;
        start = at + 1;
    }
}

// Section widths in octaves of the algorithmic filters, by family and band count.
struct WidthRow {
    int32_t family;
    int32_t n;
    float widths[5];
};
const WidthRow kWidthRows[] = {
    {1000, 1, {1.899969f}},
    {1000, 2, {2.384808f, 1.078875f}},
    {1000, 3, {2.47299f, 1.899969f, 0.738698f}},
    {1000, 4, {2.503714f, 2.184395f, 1.530282f, 0.559401f}},
    {1000, 5, {2.51791f, 2.314565f, 1.899969f, 1.268666f, 0.449553f}},
    {1001, 1, {2.543107f}},
    {1001, 2, {1.899969f, 1.899969f}},
    {1001, 4, {2.38481f, 2.38481f, 1.07887f, 1.07887f}},
    {1002, 1, {2.51775f}},
    {1002, 2, {2.46388f, 1.68388f}},
    {1002, 3, {2.5029f, 2.15814f, 1.36313f}},
    {1002, 4, {2.502904f, 2.31855f, 1.893176f, 1.142809f}},
};

struct AlgorithmicName {
    int32_t family = -1;
    int32_t response = -1;
    int32_t n = -1;
    int32_t frequency = 0;
    bool valid() const { return family >= 0 && response >= 0 && n > 0; }
};

AlgorithmicName decodeAlgorithmicName(const std::string& name) {
    AlgorithmicName decoded;
    const std::vector<std::string> fields = splitAt(name, '_');
    auto field = [&fields](size_t i) { return i < fields.size() ? fields[i] : std::string(); };
    const std::string family = field(0);
    if (family == "BW")
        decoded.family = 1000;
    else if (family == "LR")
        decoded.family = 1001;
    else if (family == "BS")
        decoded.family = 1002;
    const std::string response = field(1);
    if (response == "LP")
        decoded.response = EqBand::kLowPass;
    else if (response == "HP")
        decoded.response = EqBand::kHighPass;
    static const char* const kOrders[] = {"2", "4", "6", "8", "10"};
    for (int i = 0; i < 5; ++i)
        if (field(2) == kOrders[i]) decoded.n = i + 1;
    decoded.frequency = std::atoi(field(3).c_str());
    return decoded;
}

// Every editor band off and flat, a PEAK at its old frequency and width.
void clearBands(EqBand* bands) {
    for (int b = 0; b < kBands; ++b) {
        bands[b].active = 0;
        bands[b].gainDb = 0.0;
        bands[b].setType(EqBand::kPeak);
    }
}

} // namespace

EqPresetTable QX_GUI::readEqPresetFile(const std::string& fileName) {
    EqPresetTable table;
    const TextFileRead file = readTextFile(modulePath(fileName));
    for (const std::string& note : file.notes) appendConsoleLine(note);
    std::string collected;
    std::string name;
    bool open = false;
    for (std::string line : file.lines()) {
        if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
        if (line.empty() || line.find_first_of(";#") != std::string::npos) continue;
        const std::vector<std::string> fields = splitAt(line, '|');
        if (fields[0] == "EQ_PRESET") {
            open = true;
            name = fields.size() > 1 ? fields[1] : std::string();
            collected.clear();
        } else if (fields[0] == "/EQ_PRESET") {
            if (open && table.count < EqPresetTable::kCapacity) {
                table.entries[table.count].name = name;
                table.entries[table.count].lines = collected;
                ++table.count;
            }
            open = false;
            collected.clear();
        } else if (open) {
            collected += line + "\n";
        }
    }
    return table;
}

std::string QX_GUI::findEqPresetText(const std::string& name) {
    for (int32_t i = 0; i < eqPresets.count; ++i)
        if (eqPresets.entries[i].name == name) return eqPresets.entries[i].lines;
    return "-";
}

bool QX_GUI::isEqPresetName(const std::string& name) {
    for (int32_t i = 0; i < eqPresets.count; ++i)
        if (eqPresets.entries[i].name == name) return true;
    return decodeAlgorithmicName(name).valid();
}

void QX_GUI::loadEqPreset(const std::string& name) {
    int32_t found = -1;
    for (int32_t i = 0; i < eqPresets.count && found < 0; ++i)
        if (eqPresets.entries[i].name == name) found = i;
    appendConsoleLine("LOAD EQ PRESET : " + name);

    if (found < 0) {
        const AlgorithmicName decoded = decodeAlgorithmicName(name);
        if (!decoded.valid()) {
            setStatusMessage("NO EQ PRESET NAMED " + name);
            return;
        }
        setStatusMessage("TRY BUILD A FILTER ...");
        designAlgorithmicFilter(decoded.family, decoded.response, decoded.n, decoded.frequency);
        return;
    }

    clearBands(filtersEditor.eqEditBands);
    filtersEditor.filtersEnabled = 1;
    int band = 0;
    for (const std::string& line : splitAt(eqPresets.entries[found].lines, '\n')) {
        if (band >= kBands) break;
        const std::vector<std::string> fields = splitAt(line, '|');
        const std::string value = fields.size() > 1 ? fields[1] : std::string();
        EqBand& current = filtersEditor.eqEditBands[band];
        if (fields[0] == "TYPE") {
            current.setType(std::atoi(value.c_str()));
        } else if (fields[0] == "FREQUENCY") {
            current.frequency = std::atof(value.c_str());
        } else if (fields[0] == "GAIN") {
            current.gainDb = std::atof(value.c_str());
        } else if (fields[0] == "Q") {
            current.width = std::atof(value.c_str());
            current.active = 1;
        } else if (fields[0] == "/NODE") {
            current.redesign();
            ++band;
        }
    }
    storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    syndicateFilters();
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

int32_t QX_GUI::applyEqPresetByName(const std::string& name) {
    // A name that is neither a stored preset nor an algorithmic filter changes nothing.
    if (!isEqPresetName(name)) {
        console.pendingError = "NO EQ PRESET NAMED " + name;
        return 1;
    }
    executeCommandString("RESET_FILTERS");
    loadEqPreset(name);
    return 0;
}

void QX_GUI::designAlgorithmicFilter(int32_t family, int32_t response, int32_t n,
                                     int32_t frequency) {
    setStatusMessage("EQ ALGORITHMIC");
    clearBands(filtersEditor.eqEditBands);
    setStatusMessage("TRY TO MAKE " + intToString(n) + " POLES");
    const WidthRow* row = nullptr;
    for (const WidthRow& candidate : kWidthRows)
        if (candidate.family == family && candidate.n == n) row = &candidate;
    for (int32_t k = 0; k < n && k < kBands; ++k) {
        EqBand& band = filtersEditor.eqEditBands[k];
        band.frequency = frequency;
        band.active = 1;
        band.setType(response);
        band.gainDb = 3.0 * k - 3.0;
        if (row != nullptr) band.width = row->widths[k];
        band.redesign();
    }
    filtersEditor.filtersEnabled = 1;
    storeFilterSettings(filtersEditor.filterPanelKind, filtersEditor.filterPanelIndex);
    syndicateFilters();
    raiseSendFlag(kSendInputEq);
    raiseSendFlag(kSendOutputEq);
}

void QX_GUI::saveEqPreset() {
    std::string text = std::string("EQ_PRESET|") + kExportName + "\n";
    char number[64];
    auto addValue = [&text, &number](const char* key, double value) {
        std::snprintf(number, sizeof number, "%g", value);
        text += std::string(key) + "|" + number + "\n";
    };
    for (int b = 0; b < kBands; ++b) {
        const EqBand& band = filtersEditor.eqEditBands[b];
        if (band.active != 1) continue;
        text += "NODE\n";
        text += "TYPE|" + intToString(band.type) + "\n";
        addValue("FREQUENCY", band.frequency);
        addValue("GAIN", band.gainDb);
        addValue("Q", band.width);
        text += "/NODE\n";
    }
    text += "/EQ_PRESET";

    // Whole or unchanged; the export reports nothing either way.
    qxplatform::writeFileAtomically(qxplatform::toHostPath(std::string(kExportPath)), text);
}
