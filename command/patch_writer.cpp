// The patch file writer: the whole state as command lines that rebuild it when the file is
// run, written in one piece so that a failed save leaves the old file as it was.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/qx_gui.h"
#include "app/text_services.h"
#include "command/patch_file_io.h"
#include "qxplatform/runtime.h"

namespace {

std::string format(const char* pattern, ...) {
    va_list arguments;
    va_start(arguments, pattern);
    char small[256];
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(small, sizeof small, pattern, copy);
    va_end(copy);
    std::string text;
    if (length < 0) {
        text.clear();
    } else if (static_cast<size_t>(length) < sizeof small) {
        text.assign(small, static_cast<size_t>(length));
    } else {
        text.resize(static_cast<size_t>(length));
        std::vsnprintf(&text[0], text.size() + 1, pattern, arguments);
    }
    va_end(arguments);
    return text;
}

// A number as its line's usual fixed format gives it when the verb reads that back as the
// stored value, else with as many more decimals as it takes. Fixed notation only: the named
// value pass keeps digits, signs and points, so an exponent would be lost.
template <typename ReadBack>
std::string exactNumber(int usualDecimals, double value, float stored, ReadBack readBack) {
    char text[96];
    if (!std::isfinite(value)) {
        std::snprintf(text, sizeof text, "%.*f", usualDecimals, value);
        return text;
    }
    for (int decimals = usualDecimals; decimals <= 12; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        if (readBack(std::atof(text)) == stored) return text;
        if (decimals == usualDecimals && std::isnan(static_cast<double>(stored))) return text;
    }
    return text; // the most decimals: the nearest the verb can come back to
}

// A plain value that its verb stores as the float it reads.
std::string plainNumber(int decimals, float value) {
    return exactNumber(decimals, static_cast<double>(value), value,
                       [](double read) { return static_cast<float>(read); });
}

// A linear gain written in dB that its verb turns back with dbToGain.
std::string decibelNumber(int decimals, float gain) {
    return exactNumber(decimals, static_cast<double>(gainToDb(gain)), gain,
                       [](double read) { return dbToGain(static_cast<float>(read)); });
}

const char* bandTypeWord(int32_t type) {
    static const char* const kWords[] = {"LP", "HP", "BP", "NOTCH", "PEAK", "LS", "HS"};
    return type >= 0 && type <= 6 ? kWords[type] : nullptr;
}

// Whether band b still holds the settings a record taken into use starts from (the FILTER
// verb resets such a record first); a switched-off band that holds them needs no line.
bool isResetBand(const FilterBandRecord& band, int b) {
    static constexpr int32_t kTypes[5] = {5, 4, 4, 4, 6};
    static constexpr float kFrequencies[5] = {100.0f, 250.0f, 1000.0f, 3000.0f, 6000.0f};
    static constexpr float kWidths[5] = {2.0f, 2.0f, 2.0f, 2.0f, 3.0f};
    return band.type == kTypes[b] && band.frequency == kFrequencies[b] &&
           band.width == kWidths[b] && band.gain == 0.0f;
}

bool isAbsolutePath(const std::string& path) {
    if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
    return path.size() >= 2 && path[1] == ':';
}

} // namespace

std::string QX_GUI::patchFileHostPath(const std::string& path) const {
    // A relative patch path ("PATCHES/SHOW.txt", as the loader keeps it) names a file in the
    // module's folder, wherever the process runs.
    return qxplatform::toHostPath(isAbsolutePath(path) ? path : modulePath(path));
}

std::string QX_GUI::writeDelaySection(int32_t kind) {
    const bool input = kind == kKindSource;
    std::string text = input ? "# INPUT DELAY\n" : "# OUTPUT DELAY\n";
    bool any = false;
    const int32_t count = input ? sourceCount : targetCount;
    for (int32_t i = 0; i < count && i < kChannels; ++i) {
        const DelayRecord& delay = input ? inputDelays[i] : outputDelays[i];
        if (delay.on == 0 && delay.time == 0.0f) continue;
        const std::string& name = input ? sources[i].name : targets[i].name;
        // The verb stores TIME: x 0.001.
        const std::string time =
            exactNumber(2, static_cast<double>(delay.time) * 1000.0, delay.time,
                        [](double read) { return static_cast<float>(read) * 0.001f; });
        text += "DELAY " + name + (delay.on ? " ON" : " OFF") + " TIME:" + time + "\n";
        any = true;
    }
    text += any ? "\n" : (input ? "# -> NO INPUT DELAYS\n\n" : "# -> NO OUTPUT DELAYS\n\n");
    return text;
}

std::string QX_GUI::writeFilterSection(int32_t kind) {
    const bool input = kind == kKindSource;
    std::string text = input ? "# INPUT FILTER\n" : "# OUTPUT FILTER\n";
    bool any = false;
    const int32_t count = input ? sourceCount : targetCount;
    for (int32_t i = 0; i < count && i < kChannels; ++i) {
        const FilterRecord& record = input ? inputFilters[i] : outputFilters[i];
        if (record.inUse == 0) continue;
        const std::string& name = input ? sources[i].name : targets[i].name;
        // Each band by its own number and switch, so an active band comes back active where
        // it was and a switched-off band stays off.
        for (int b = 0; b < 5; ++b) {
            const FilterBandRecord& band = record.bands[b];
            const char* word = bandTypeWord(band.type);
            if (word == nullptr) continue;
            const bool on = band.enabled == 1;
            if (!on && isResetBand(band, b)) continue;
            text += format("FILTER %s BAND:%i %s TYPE:%s F:", name.c_str(), b + 1,
                           on ? "ENABLE" : "DISABLE", word) +
                    plainNumber(2, band.frequency) + " G:" + plainNumber(2, band.gain) +
                    " BW:" + plainNumber(2, band.width) + "\n";
        }
        text += "FILTER " + name + (record.enabled ? " ON\n" : " OFF\n");
        any = true;
    }
    if (!any) text += input ? "# -> NO INPUT FILTERS\n" : "# -> NO OUTPUT FILTERS\n";
    return text + "\n";
}

std::string QX_GUI::writeViewLines() {
    std::string text;
    auto line = [&text](bool written, const char* verb) {
        if (written) text += std::string(verb) + "\n";
    };
    line(stageView.roomsShown == 0, "TOGGLE ROOM_VISIBILITY");
    line(stageView.targetsShown == 0, "TOGGLE TARGET_VISIBILITY");
    line(stageView.sourcesShown == 0, "TOGGLE SOURCE_VISIBILITY");
    line(stageView.groupsShown == 0, "TOGGLE GROUP_VISIBILITY");
    line(stageView.cablesShown == 0, "TOGGLE CABLE_VISIBILITY");
    line(stageView.crosshairShown != 0, "TOGGLE X_HAIR_VISIBILITY");
    line(stageView.gridShown == 0, "TOGGLE GRID_VISIBILITY");
    line(stageView.roomLabels == 0, "TOGGLE ROOM_LABELS");
    line(stageView.targetLabels == 0, "TOGGLE TARGET_LABELS");
    line(stageView.groupLabels == 0, "TOGGLE GROUP_LABELS");
    line(stageView.sourceLabels == 0, "TOGGLE SOURCE_LABELS");
    line(view.stageLock != 0, "TOGGLE STAGE_LOCKS");
    line(stageView.roomsLocked != 0, "TOGGLE ROOM_LOCKS");
    line(stageView.targetsLocked != 0, "TOGGLE TARGET_LOCKS");
    line(stageView.groupsLocked != 0, "TOGGLE GROUP_LOCKS");
    line(stageView.sourcesLocked != 0, "TOGGLE SOURCE_LOCKS");
    // The reset at the head of the file locks the notes.
    line(stageView.annotationLocks == 0, "TOGGLE ANNOTATION_LOCKS");
    line(guiSnap != 0, "TOGGLE GUI_SNAP");
    line(stageView.visualisations != 0, "TOGGLE VISUALISATIONS");

    if (view.viewZoom != 1.0f) text += "ZOOM_LEVEL " + plainNumber(2, view.viewZoom) + "\n";
    if (view.viewPanX != 0.0f || view.viewPanY != 0.0f) {
        // DISPLACE_STAGE takes window pixels and divides them by the zoom, which the line
        // above has already set.
        const float zoom = view.viewZoom;
        auto panText = [zoom](float pan) {
            return exactNumber(2, static_cast<double>(pan) * static_cast<double>(zoom), pan,
                               [zoom](double read) { return static_cast<float>(read) / zoom; });
        };
        text +=
            "DISPLACE_STAGE X:" + panText(view.viewPanX) + " Y:" + panText(view.viewPanY) + "\n";
    }
    line(rotationRunning != 0, "TOGGLE ROTATION");
    line(movementRunning != 0, "TOGGLE MOVEMENT");
    line(stageView.heatmapOn != 0, "TOGGLE HEATMAP");
    line(stageView.debugViewOn != 0, "TOGGLE DEBUG");
    return text;
}

std::string QX_GUI::writePanelLines() {
    // Panel ids: 0 CLI, 1 SCOPE, 2 ENVELOPES, 3 MUTES, 4 FFT, 5 DYNAMICS, 6 FILTERS, 7 DELAY,
    // 8 VIRTUAL, 9 MACROS.
    std::string text;
    if (chrome.toolboxFolded == 0)
        text += "SHOW_PANEL TOOLBOX\n";
    else
        text += "HIDE_PANEL TOOLBOX\n";
    static constexpr struct {
        const char* word;
        int id;
    } kShown[] = {{"VIRTUAL", 8},   {"DELAY", 7}, {"FILTERS", 6}, {"DYNAMICS", 5}, {"MUTES", 3},
                  {"ENVELOPES", 2}, {"FFT", 4},   {"SCOPE", 1},   {"CLI", 0},      {"MACRO", 9}};
    for (const auto& panel : kShown)
        if (panelFrame.panels[panel.id].shown != 0)
            text += std::string("SHOW_PANEL ") + panel.word + "\n";
    if (chrome.masterHidden == 0)
        text += "SHOW_PANEL MASTER\n";
    else
        text += "HIDE_PANEL MASTER\n";

    static constexpr struct {
        const char* word;
        int id;
    } kPlaced[] = {{"VIRTUAL", 8},   {"DELAY", 7}, {"FILTERS", 6}, {"DYNAMICS", 5}, {"MUTES", 3},
                   {"ENVELOPES", 2}, {"FFT", 4},   {"SCOPE", 1},   {"CLI", 0},      {"MACRO", 9}};
    for (const auto& panel : kPlaced) {
        const PanelWindow& p = panelFrame.panels[panel.id];
        text += std::string("PANEL_SETUP ") + panel.word + " " +
                format("X:%.0f Y:%.0f W:%.0f H:%.0f S:%.0f\n", static_cast<double>(p.positionX),
                       static_cast<double>(p.positionY), static_cast<double>(p.width),
                       static_cast<double>(p.height), static_cast<double>(p.scale));
    }
    return text;
}

std::string QX_GUI::writeSelectionLines() {
    std::string text = "\n# SELECTIONS\n";
    bool any = false;
    auto writeSlot = [&](int32_t n) {
        text += format("SEL X:%i ", n);
        for (int32_t k = 0; k < storedSelectionCounts[n] && k < 255; ++k)
            text += storedSelections[n][k] + " ";
        text += "\n";
        any = true;
    };
    // The current slot goes last: each SEL line makes its slot the current one, so the last
    // line decides which slot is current after a load. Slot 0, which only typed lines reach,
    // is kept as the others are.
    const int32_t current = storedSelectionNumber;
    const bool currentInRange = current >= 0 && current <= 10;
    for (int32_t n = 10; n >= 0; --n) {
        if (storedSelectionCounts[n] <= 0 || (currentInRange && n == current)) continue;
        writeSlot(n);
    }
    // An empty current slot is written too unless it is the slot a fresh instance starts on.
    if (currentInRange && (storedSelectionCounts[current] > 0 || current != 1 || any))
        writeSlot(current);
    if (!any) text += "# NO SELECTIONS\n";

    // Mode 1 is written with the verb's own word: the executor turns "MARQUEE" into the names
    // inside the marquee before SYN_MODE sees the line.
    static const char* const kModes[] = {"SYN_MODE NONE", "SYN_MODE MARQ", "SYN_MODE SELECT",
                                         "SYN_MODE BOTH"};
    text += "\n# SYNDICATION\n";
    if (syndicationMode >= 0 && syndicationMode <= 3)
        text += std::string(kModes[syndicationMode]) + "\n";

    text += "\n# TOUCH - REINSTATE MOST RECENTLY CLICKED NODE\n";
    if (touchedKind == kKindSource && touchedIndex >= 0 && touchedIndex < sourceCount)
        text += "TOUCH " + sources[touchedIndex].name + "\n";
    if (touchedKind == kKindTarget && touchedIndex >= 0 && touchedIndex < targetCount)
        text += "TOUCH " + targets[touchedIndex].name + "\n";
    if (touchedKind == kKindGroup && touchedIndex >= 0 && touchedIndex < groupCount)
        text += "TOUCH " + groups[touchedIndex].name + "\n";
    return text;
}

std::string QX_GUI::writeNoteLines() {
    std::string text = "\n# ANNOTATIONS\n";
    if (noteCount <= 0) return text + "# NO ANNOTATIONS\n\n";
    for (int32_t i = 0; i < noteCount && i < 256; ++i) {
        const NoteRecord& note = notes[i];
        const std::string body(note.text, strnlen(note.text, sizeof note.text));
        // NOTE takes half its width and height off the centre it reads.
        const float halfWidth = note.width / 2.0f;
        const float halfHeight = note.height / 2.0f;
        const std::string centreX =
            exactNumber(2, static_cast<double>(note.x + halfWidth), note.x,
                        [halfWidth](double read) { return static_cast<float>(read) - halfWidth; });
        const std::string centreY = exactNumber(
            2, static_cast<double>(note.y + halfHeight), note.y,
            [halfHeight](double read) { return static_cast<float>(read) - halfHeight; });
        text += "NOTE X:" + centreX + " Y:" + centreY +
                format(" S:%.2f", static_cast<double>(note.size)) +
                " RED:" + plainNumber(2, note.red) + " GREEN:" + plainNumber(2, note.green) +
                " BLUE:" + plainNumber(2, note.blue) + " L:" + plainNumber(2, note.alpha) + " \"" +
                body + "\"\n";
    }
    // The reset at the head of the file hides the notes; the switch is written as it stands.
    if (stageView.annotationVisibility != 0) text += "TOGGLE ANNOTATION_VISIBILITY\n";
    return text;
}

std::string QX_GUI::writeSliceLines() {
    std::string text = "\n# SLICES\n";
    for (int32_t k = 1; k <= 20; ++k) {
        const SliceRecord& slice = slices[k - 1];
        const int32_t n =
            slice.memberCount < SliceRecord::kMembers ? slice.memberCount : SliceRecord::kMembers;
        if (n <= 0) continue;
        text += format("# SLICE %i\n", k);
        const std::string counts = format(" S:%i X:%i", k, n);
        std::string members = "SLICE_M" + counts;
        for (int32_t m = 0; m < n; ++m) {
            const int32_t s = slice.sourceIndex[m];
            members += "\t";
            if (s >= 0 && s < kMaxSources) members += sources[s].name;
        }
        text += members + "\n";
        auto row = [&](const char* verb, const float* values) {
            std::string line = verb + counts;
            for (int32_t m = 0; m < n; ++m) line += "\t" + plainNumber(2, values[m]);
            text += line + "\n";
        };
        row("SLICE_X", slice.x);
        row("SLICE_Y", slice.y);
        row("SLICE_S", slice.size);
        row("SLICE_L", slice.level);
    }
    return text;
}

namespace {

std::string groupingLines(const QX_GUI& gui) {
    std::string text = "# GROUPIFICATION\n";
    bool anyGroup = false;
    for (int32_t g = 0; g < gui.groupCount && g < QX_GUI::kMaxGroups; ++g) {
        const GroupRecord& group = gui.groups[g];
        if (group.memberCount <= 0) continue;
        std::string line = "GROUPIFY ";
        for (int32_t m = 0; m < group.memberCount && m < QX_GUI::kMaxLiveItems; ++m) {
            const int32_t s = group.memberList[m];
            if (s >= 0 && s < QX_GUI::kMaxSources) line += gui.sources[s].name + " ";
        }
        text += line + group.name + "\n";
        anyGroup = true;
    }
    text += anyGroup ? "\n" : "# -> NO GROUPINGS USED\n\n";
    return text;
}

std::string cableLines(const QX_GUI& gui) {
    std::string cableText = "# CABLES\n";
    bool anyCable = false;
    for (int32_t c = 0; c < gui.cableCount && c < QX_GUI::kMaxCables; ++c) {
        const CableRecord& cable = gui.cables[c];
        if (cable.source < 0 || cable.source >= QX_GUI::kMaxSources || cable.target < 0 ||
            cable.target >= QX_GUI::kMaxTargets)
            continue;
        const std::string pair =
            gui.sources[cable.source].name + " " + gui.targets[cable.target].name;
        cableText += "CABLE " + pair + " X:" + decibelNumber(3, cable.level) + "\n";
        if (cable.mute != 0) cableText += "TOGGLE_CABLE_MUTE " + pair + " 1\n";
        if (cable.solo != 0) cableText += "TOGGLE_CABLE_SOLO " + pair + " 1\n";
        if (cable.phase != 1.0f) cableText += "TOGGLE_CABLE_PHASE " + pair + " -1\n";
        if (cable.useGroups == 0) cableText += "TOGGLE_CABLE_USE_GROUP " + pair + " 0\n";
        anyCable = true;
    }
    if (!anyCable) cableText += "# -> NO CABLES\n\n";
    return cableText;
}

// The mixers of one direction under their heading, or the note that none differs.
std::string mixerLines(QX_GUI& gui, int32_t direction, const char* heading, const char* none) {
    std::string mixers = heading;
    bool anyMixer = false;
    for (int32_t ch = 0; ch < QX_GUI::kChannels; ++ch) {
        const std::string section = gui.writeMixerPatchSection(direction, ch);
        anyMixer = anyMixer || !section.empty();
        mixers += section;
    }
    if (!anyMixer) mixers += none;
    return mixers;
}

std::string feedbackLines(const QX_GUI& gui) {
    std::string feedback = "# FEEDBACK\n";
    bool anyFeedback = false;
    for (int32_t s = 0; s < gui.sourceCount && s < QX_GUI::kChannels; ++s) {
        const MixRecord& mix = gui.feedbackMixes[s];
        for (int32_t j = 0; j < mix.pinCount && j < 64; ++j) {
            const int32_t t = mix.pinNumbers[j];
            if (t < 0 || t >= QX_GUI::kMaxTargets) continue;
            const std::string pair = gui.targets[t].name + " " + gui.sources[s].name;
            // FEEDBACK reads a positive number as the linear gain; a silent path is written in
            // dB low enough to come back as exactly 0.
            const float gain = mix.gains[j];
            const std::string gainText =
                gain > 0.0f ? exactNumber(4, static_cast<double>(gain), gain,
                                          [](double read) {
                                              const float g = static_cast<float>(read);
                                              return g < 4.0f ? g : 4.0f;
                                          })
                            : std::string("-1000.0000");
            feedback += "FEEDBACK " + pair + " " + gainText + "\n";
            if (mix.mutes[j] != 0) feedback += "TOGGLE_FEEDBACK_MUTE " + pair + " 1\n";
            if (mix.phases[j] != 1.0f) feedback += "TOGGLE_FEEDBACK_PHASE " + pair + " -1.0\n";
            feedback += "\n";
            anyFeedback = true;
        }
    }
    if (!anyFeedback) feedback += "# -> NO FEEDBACK\n\n";
    return feedback;
}

// The dynamics of the first `count` items of one direction under their heading, or the note
// that none is set.
std::string dynamicsLines(QX_GUI& gui, int32_t direction, int32_t count, const char* heading,
                          const char* none) {
    std::string dynamics = heading;
    bool anyDynamics = false;
    for (int32_t i = 0; i < count && i < QX_GUI::kChannels; ++i) {
        const std::string section = gui.writeDynamicsPatchSection(i, direction);
        anyDynamics = anyDynamics || !section.empty();
        dynamics += section;
    }
    if (!anyDynamics) dynamics += none;
    return dynamics + "\n";
}

} // namespace

std::string QX_GUI::composePatchText(uint8_t isBackup) {
    // The deferred lines of a load (slice rows) belong to the stage the file is to hold.
    runQueuedLinesNow();
    std::string text;
    text.reserve(256 * 1024);

    // Head.
    text += "# RESET EVERYTHING\nHARD_RESET\n\n# SETUP BASICS\n";
    text += format("SET NUM_ROOM %i\nSET NUM_TARGET %i\nSET NUM_SOURCE %i\nSET NUM_GROUP %i\n",
                   roomCount, targetCount, sourceCount, groupCount);
    text += "# GLOBAL ZEROPOINT RESPONSE\n";
    text += "SET_ZERO " + plainNumber(2, viewSettings.globalRadius) + "\n\n";
    text += "#SHOW_PANEL CLI\n";

    // Stage records.
    for (int32_t i = 0; i < roomCount && i < kMaxRooms; ++i) text += rooms[i].writePatchSection(i);
    for (int32_t i = 0; i < targetCount && i < kMaxTargets; ++i)
        text += targets[i].writePatchSection(i);
    for (int32_t i = 0; i < sourceCount && i < kMaxSources; ++i)
        text += sources[i].writePatchSection(i);
    for (int32_t i = 0; i < groupCount && i < kMaxGroups; ++i)
        text += groups[i].writePatchSection(i);

    text += groupingLines(*this);
    text += cableLines(*this);
    text += mixerLines(*this, 1, "# INPUT PRE-MIXERS\n", "# -> NO CHANGES FROM DEFAULT STATE\n\n");
    text += feedbackLines(*this);

    // Input side: delays, filters, dynamics.
    text += writeDelaySection(1);
    text += writeFilterSection(1);
    text +=
        dynamicsLines(*this, 1, sourceCount, "# INPUT DYNAMICS\n", "# -> NO INPUT DYNAMICSS\n\n");

    // Output side.
    text += writeDelaySection(2);
    text += writeFilterSection(2);
    text +=
        dynamicsLines(*this, 2, targetCount, "# OUTPUT DYNAMICS\n", "# -> NO OUTPUT DYNAMICSS\n\n");
    text += mixerLines(*this, 2, "# OUTPUT POST-MIXERS\n", "# -> NO CHANGES FROM DEFAULT STATE\n");

    text += "SET_MASTER " + decibelNumber(4, viewSettings.masterVolume) + "\n";
    text += writeViewLines();
    text += writePanelLines();
    text += writeSelectionLines();
    if (chrome.chromeHidden != 0) text += "\nSTEALTH\n";
    text += writeNoteLines();

    text += "# AUTO SAVE & BACKUP\n";
    text += autoSave != 0 ? "AUTO_SAVE ON\n" : "AUTO_SAVE OFF\n";
    text += autoBackupOn != 0 && isBackup == 0 ? "AUTO_BACKUP ON\n" : "AUTO_BACKUP OFF\n";

    text += writeSliceLines();

    if (isBackup != 0)
        text += "\n# THIS IS A BACKUP FILE - THE NEXT LINE PROMPTS TO RESAVE AS NEW FILE\n"
                "CONFIRM 'YOU JUST LOADED A BACKUP FILE' 'TO SAVE AS NEW PATCH FILE TYPE YES' "
                "'SAVE_PATCH'\n";
    return text;
}

int32_t QX_GUI::writePatchFile(const std::string& path, uint8_t isBackup) {
    if (isBackup != 0) appendConsoleLine("-> SAVE_NOW");
    appendConsoleLine("-> " + path);

    // The patch path must be able to hold the name, or a later SAVE_NOW would write elsewhere.
    if (isBackup == 0 && path.size() >= sizeof patchPath) {
        console.pendingError = kPathTooLongText;
        return 1;
    }
    if (path.empty()) {
        console.pendingError = "-> FILE IS READ ONLY";
        return 1;
    }
    qxplatform::WriteOptions options;
    if (isBackup != 0) options.makeFolders = qxplatform::FolderMaking::TargetFolder; // BACKUPS
    const std::string text = composePatchText(isBackup);
    const qxplatform::WriteResult result =
        qxplatform::writeFileAtomically(patchFileHostPath(path), text, options);
    if (!result.replaced()) {
        console.pendingError = failedBeforeWriting(result)
                                   ? "-> FILE IS READ ONLY"
                                   : "-> SAVE FAILED - THE OLD FILE IS KEPT";
        appendConsoleLine("-> " + patchWriteReason(result));
        return 1;
    }

    if (isBackup == 0) {
        setPatchPath(path);
        saveState.heldStage = HeldStage{1, patchTextHash(text)};
        raiseSendFlag(kSendPatchRecord);
    }
    appendConsoleLine("SAVE COMPLETE");
    return 0;
}
