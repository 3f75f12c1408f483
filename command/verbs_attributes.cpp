// Item attribute verbs: switches, level, radius and size, visibility, colour, name, virtual
// channel, group motion, defaults and the master level of the items a line names.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/qx_gui.h"
#include "command/text_utils.h"
#include "command/verb_support.h"
#include "model/checked_number.h"
#include "model/colour.h"

using verbs::LastWord;

namespace {

// Item and room colours of PRESET_COLOUR, packed 0x00BBGGRR, for indices 1 to 20.
constexpr uint32_t kPresetItemColours[20] = {0x0000FF, 0x00C8FF, 0x00FFFF, 0x00FF96, 0x00FF00,
                                             0x96FF00, 0xFFFF00, 0xFF9600, 0xFF0000, 0xFF0096,
                                             0x8282FF, 0x82C8FF, 0x82FFFF, 0x82FFC8, 0x82FF82,
                                             0xC89B82, 0xFFFF82, 0xFFC882, 0xFF8282, 0xFF82C8};
constexpr uint32_t kPresetRoomColours[20] = {0x323232, 0x000032, 0x003232, 0x003200, 0x323200,
                                             0x320000, 0x320032, 0x193232, 0x323219, 0x321932,
                                             0x191919, 0x000019, 0x001919, 0x001900, 0x191900,
                                             0x190000, 0x190019, 0x191932, 0x193219, 0x321919};

// Sets the packed colour and the three components that drawing and saving read.
void setSnapshotColour(ItemSnapshot& item, uint32_t packed) {
    item.colour = packed;
    unpackColour(item.red, item.green, item.blue, packed);
}

// A fraction 0..1 as one byte of a packed colour; values outside are held at the ends so
// that they cannot carry into the next byte.
int32_t colourByte(float fraction) {
    return clampedInt(std::clamp(fraction, 0.0f, 1.0f) * 255.0f, 0, 255);
}

// Guards the selection fallback: the nested line must not fall back once more.
int fallbackDepth = 0;

// The shared cycle of MUTE, UNMUTE, SOLO and UNSOLO: the items named, or else the selection
// through a nested line. allWord: the verb reads a last word "ALL" (MUTE and UNMUTE).
int32_t setSwitch(QX_GUI& gui, CliObject& command, int32_t ItemSnapshot::*field, int32_t value,
                  const char* verb, bool allWord) {
    const bool all = allWord && command.string == "ALL";
    const std::string noItems = std::string("CAN'T ") + verb + " - NO ITEMS SELECTED";
    if (!verbs::checkItemWords(gui, command, all ? LastWord::Parameter : LastWord::ItemsOnly))
        return 1;
    if (all) verbs::dropLastWordRef(command);
    ItemSnapshotList list = gui.gatherItemRecords(command);
    const int32_t earlierCount = gui.selectedCount;
    if (list.count() > 0) {
        if (all) gui.executeCommandString("SELECT ALL");
        for (ItemSnapshot& item : list) item.*field = value;
        gui.scatterItemRecords(list);
        gui.commitModelChange();
        return 0;
    }
    if (fallbackDepth > 0) {
        gui.console.pendingError = noItems;
        return 1;
    }
    if (all) gui.executeCommandString("SELECT ALL");
    if (gui.selectedCount == 0) {
        gui.console.pendingError = noItems;
        return 1;
    }
    ++fallbackDepth;
    gui.executeCommandString(std::string(verb) + " SELECTION");
    --fallbackDepth;
    if (allWord && earlierCount == 0) gui.executeCommandString("UNSELECT ALL");
    return 0;
}

// Reads the number of the last word, or leaves message and returns false.
bool lastWordNumber(QX_GUI& gui, const CliObject& command, const char* message, double& value) {
    if (command.string.empty() || !verbs::readNumberWord(command.string, value) ||
        std::isnan(value)) {
        gui.console.pendingError = message;
        return false;
    }
    return true;
}

// The common start of a verb whose last word is a required parameter: every other word must
// name an item, and the parameter never counts as one.
bool itemsWithParameter(QX_GUI& gui, CliObject& command) {
    if (!verbs::checkItemWords(gui, command, LastWord::Parameter)) return false;
    verbs::dropLastWordRef(command);
    return true;
}

bool isSwitchOnWord(const std::string& word) {
    return verbs::isOneOf(word, {"TRUE", "ON", "YES"});
}

} // namespace

int32_t QX_GUI::cmdMute(CliObject command) {
    return setSwitch(*this, command, &ItemSnapshot::mute, 1, "MUTE", true);
}

int32_t QX_GUI::cmdUnmute(CliObject command) {
    return setSwitch(*this, command, &ItemSnapshot::mute, 0, "UNMUTE", true);
}

int32_t QX_GUI::cmdSolo(CliObject command) {
    return setSwitch(*this, command, &ItemSnapshot::solo, 1, "SOLO", false);
}

int32_t QX_GUI::cmdUnsolo(CliObject command) {
    return setSwitch(*this, command, &ItemSnapshot::solo, 0, "UNSOLO", false);
}

int32_t QX_GUI::cmdPhase(CliObject command) {
    double p = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO PHASE SPECIFIED", p))
        return 1;
    p = std::clamp(p, -1.0, 1.0);
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) item.phase = p == -1.0 ? -1.0f : 1.0f;
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdLevel(CliObject command) {
    double db = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO LEVEL SPECIFIED", db))
        return 1;
    // In double precision, so a level written with enough digits comes back as the very gain.
    const float gain = static_cast<float>(std::pow(10.0, db * 0.05));
    if (!std::isfinite(gain)) {
        console.pendingError = "LEVEL OUT OF RANGE";
        return 1;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) item.level = gain;
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdTrim(CliObject command) {
    double db = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO TRIM SPECIFIED", db))
        return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (!(item.level > 0.0f)) continue; // a level of 0 stays 0
        const float gain = dbToGain(gainToDb(item.level) + static_cast<float>(db));
        if (!std::isfinite(gain)) {
            console.pendingError = "LEVEL OUT OF RANGE";
            return 1;
        }
        item.level = gain;
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdUseGlobalZero(CliObject command) {
    if (!itemsWithParameter(*this, command)) return 1;
    if (command.string.empty() || command.string == "NO STRING") {
        console.pendingError = "NO ZERPOINT USAGE TYPE SPECIFIED";
        return 1;
    }
    const int32_t use = verbs::isOneOf(command.string, {"TRUE", "YES", "1", "GLOBAL"}) ? 1 : 0;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindTarget) item.useGlobalRadius = use;
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdReset(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::ItemsOnly)) return 1;
    for (const ItemRef& ref : command.refs) {
        switch (ref.type) {
        case 1:
            resetSource(ref.index);
            break;
        case 2:
            resetTarget(ref.index);
            break;
        case 3:
            resetGroup(ref.index);
            break;
        case 5:
            resetRoom(ref.index);
            break;
        default:
            break;
        }
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdHide(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindSource || item.type == kKindTarget || item.type == kKindGroup)
            item.shown = 0;
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdUnhide(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::Optional, {"ALL"})) return 1;
    if (command.string == "ALL") {
        for (int32_t s = 0; s < std::min(sourceCount, kMaxSources); ++s) sources[s].shown = 1;
        for (int32_t t = 0; t < std::min(targetCount, kMaxTargets); ++t) targets[t].visible = 1;
        for (int32_t g = 0; g < std::min(groupCount, kMaxGroups); ++g) groups[g].shown = 1;
    } else {
        ItemSnapshotList list = gatherItemRecords(command);
        for (ItemSnapshot& item : list)
            if (item.type == kKindSource || item.type == kKindTarget || item.type == kKindGroup)
                item.shown = 1;
        scatterItemRecords(list);
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSpectrum(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0) {
        console.pendingError = "NO NODES SPECIFIED";
        return 1;
    }
    const float hue = command.has(kKeyH) ? command.named(kKeyH) : 0.0f;
    const float saturation = command.has(kKeyS) ? command.named(kKeyS) : 1.0f;
    const float lightness = command.has(kKeyL) ? command.named(kKeyL) : 0.5f;
    const double step = 1.0 / static_cast<double>(list.count());
    for (int32_t k = 0; k < list.count(); ++k)
        setSnapshotColour(list[k],
                          hslToRgb(static_cast<float>(hue + k * step), saturation, lightness));
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdPresetColour(CliObject command) {
    if (!itemsWithParameter(*this, command)) return 1;
    double number = 0.0;
    const bool isNumber = verbs::readNumberWord(command.string, number) && std::isfinite(number);
    const double index = isNumber ? std::trunc(number) : 0.0;
    if (index < 1.0 || index > 20.0) {
        console.pendingError = "COLOUR INDEX OUT OF RANGE 1 TO 20";
        return 1;
    }
    const int32_t i = static_cast<int32_t>(index) - 1;
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        setSnapshotColour(item,
                          item.type == kKindRoom ? kPresetRoomColours[i] : kPresetItemColours[i]);
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdRgb(CliObject command) {
    if (!command.has(kKeyRed) || !command.has(kKeyGreen) || !command.has(kKeyBlue)) {
        console.pendingError = "INCOMPLETE RGB SETTING";
        return 1;
    }
    if (!verbs::checkItemWords(*this, command, LastWord::ItemsOnly)) return 1;
    const uint32_t packed =
        packColour(colourByte(command.named(kKeyRed)), colourByte(command.named(kKeyGreen)),
                   colourByte(command.named(kKeyBlue)));
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) setSnapshotColour(item, packed);
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdColour(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::ItemsOnly)) return 1;
    ItemSnapshotList list = gatherItemRecords(command);
    uint32_t initial = 0;
    if (list.count() > 0)
        initial = packColour(colourByte(list[0].red), colourByte(list[0].green),
                             colourByte(list[0].blue));
    const uint32_t chosen = pickColour(initial);
    if (list.count() == 0) return 0;
    for (ItemSnapshot& item : list) setSnapshotColour(item, chosen);
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdName(CliObject command) {
    if (!itemsWithParameter(*this, command)) return 1;
    const std::string& name = command.string;
    if (name.empty() || name == "NO STRING") {
        console.pendingError = "NO NAME SPECIFIED";
        return 1;
    }
    if (holdsCommentMark(name)) {
        console.pendingError = kNameCommentMarkRefused;
        return 1;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    const int32_t n = list.count();
    const bool numbered = name.find('_') != std::string::npos;
    for (int32_t k = 0; k < n; ++k) {
        if (n == 1)
            list[k].name = name;
        else if (numbered)
            list[k].name = name + std::to_string(k + 1);
        else
            list[k].name = k == 0 ? name : name + std::to_string(k);
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSetSize(CliObject command) {
    double size = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO SIZE PARAMETER SPECIFIED", size))
        return 1;
    if (!std::isfinite(size)) {
        console.pendingError = "NO SIZE PARAMETER SPECIFIED";
        return 1;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindSource) item.size = static_cast<float>(size);
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSetZero(CliObject command) {
    double radius = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO ZERO PARAMETER SPECIFIED", radius))
        return 1;
    // The gain matrix blob divides by the radius: it must stay a positive number.
    if (!(radius > 0.0) || !std::isfinite(static_cast<float>(radius))) {
        console.pendingError = "ZERO PARAMETER MUST BE ABOVE 0";
        return 1;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    if (list.count() == 0) {
        viewSettings.globalRadius = static_cast<float>(radius);
    } else {
        for (ItemSnapshot& item : list)
            if (item.type == kKindTarget) item.size = static_cast<float>(radius);
        scatterItemRecords(list);
    }
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSetMaster(CliObject command) {
    double db = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "MASTER VOLUME BAD LEVEL SPECIFICATION", db))
        return 1;
    // -INF, the word a patch writes for a master level of zero (the master drag can set it),
    // gives zero back; any other level is held to -200 .. 12 dB.
    viewSettings.masterVolume = std::isinf(db) && db < 0.0
                                    ? 0.0f
                                    : dbToGain(static_cast<float>(std::clamp(db, -200.0, 12.0)));
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdTrimMaster(CliObject command) {
    double db = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "MASTER VOLUME BAD TRIM SPECIFICATION", db))
        return 1;
    const float trim = static_cast<float>(std::clamp(db, -60.0, 60.0));
    // The trimmed level stays within what SET_MASTER (and so a saved patch) can set.
    if (viewSettings.masterVolume > 0.0f)
        viewSettings.masterVolume =
            dbToGain(std::clamp(gainToDb(viewSettings.masterVolume) + trim, -200.0f, 12.0f));
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdVirtualise(CliObject command) {
    double channel = 0.0;
    if (!itemsWithParameter(*this, command) ||
        !lastWordNumber(*this, command, "NO VIRTUAL PARAMETER PROVIDED", channel))
        return 1;
    channel = std::trunc(channel);
    if (!(channel >= 1.0 && channel <= 64.0)) {
        console.pendingError = "VIRTUAL PARAMETER OUT OF RANGE";
        return 1;
    }
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list)
        if (item.type == kKindSource || item.type == kKindTarget)
            item.virtualChannel = static_cast<int32_t>(channel) - 1;
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSetMovement(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::Optional)) return 1;
    const bool on = isSwitchOnWord(command.string);
    ItemSnapshotList list = gatherItemRecords(command);
    for (ItemSnapshot& item : list) {
        if (item.type != kKindGroup) continue;
        item.movementOn = on ? 1 : 0;
        if (command.has(kKeyX)) item.moveX = command.named(kKeyX);
        if (command.has(kKeyY)) item.moveY = command.named(kKeyY);
    }
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdSetRotation(CliObject command) {
    if (!verbs::checkItemWords(*this, command, LastWord::Optional)) return 1;
    const bool on = isSwitchOnWord(command.string);
    const bool off = verbs::isOneOf(command.string, {"FALSE", "OFF", "NO"});
    ItemSnapshotList list = gatherItemRecords(command);
    bool anyGroup = false;
    for (ItemSnapshot& item : list) {
        if (item.type != kKindGroup) continue;
        anyGroup = true;
        item.rotationOn = on ? 1 : 0;
        if (command.has(kKeyS)) item.rotationSpeed = command.named(kKeyS) / 60.0f;
    }
    if (anyGroup && on) setStatusMessage("SWITCH ROTATION ON");
    if (anyGroup && off) setStatusMessage("SWITCH ROTATION OFF");
    scatterItemRecords(list);
    commitModelChange();
    return 0;
}
