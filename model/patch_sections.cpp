// The patch-file sections of rooms, targets, sources and groups: command lines that give the
// item back its position, level, colour, switches and name when the patch is run.
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "model/checked_number.h"
#include "model/global_radius.h"
#include "model/stage_records.h"
#include "panels/frame/patch_numbers.h"

namespace {

std::string format(const char* pattern, ...) {
    va_list arguments;
    va_start(arguments, pattern);
    va_list copy;
    va_copy(copy, arguments);
    const int length = std::vsnprintf(nullptr, 0, pattern, copy);
    va_end(copy);
    std::string text(length > 0 ? static_cast<size_t>(length) : 0, '\0');
    if (length > 0) std::vsnprintf(&text[0], text.size() + 1, pattern, arguments);
    va_end(arguments);
    return text;
}

double levelInDb(float level) {
    return 20.0 * std::log10(static_cast<double>(level));
}

// The default handle the lines address the item by: R1, T1, S1 or G1 for index 0.
std::string handle(char kind, int32_t i) {
    return format("%c%i", kind, i + 1);
}

// A colour component as RGB reads it back into the same colour byte: RGB truncates
// component x 255, so 10/255 written as "0.0392" would come back as 9/255. Four decimals
// where they are enough, more where they are not.
std::string colourComponent(float component) {
    auto toByte = [](double c) {
        const float f = static_cast<float>(c);
        return saturatingInt((f < 0.0f ? 0.0f : f > 1.0f ? 1.0f : f) * 255.0f);
    };
    const double clamped = component < 0.0f ? 0.0 : component > 1.0f ? 1.0 : component;
    const int byte = static_cast<int>(std::lround(clamped * 255.0));
    char text[32];
    for (int decimals = 4; decimals <= 9; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(component));
        if (toByte(std::atof(text)) == byte) return text;
    }
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(component));
    return text;
}

std::string rgbLine(const std::string& h, float red, float green, float blue) {
    return "RGB " + h + " RED:" + colourComponent(red) + " GREEN:" + colourComponent(green) +
           " BLUE:" + colourComponent(blue) + "\n";
}

std::string muteSoloLines(const std::string& h, int32_t mute, int32_t solo) {
    std::string text;
    if (mute != 0) text += "MUTE " + h + "\n";
    if (solo != 0) text += "SOLO " + h + "\n";
    return text;
}

// Written unless the phase is exactly 1.0 (a NaN phase is written too).
std::string phaseLine(const std::string& h, float phase) {
    if (phase == 1.0f) return {};
    return format("PHASE %s %.1f\n", h.c_str(), static_cast<double>(phase));
}

std::string nameLine(char kind, int32_t i, const std::string& h, const std::string& name) {
    if (name == h) return {};
    return format("NAME %c%i %s\n", kind, i + 1, name.c_str());
}

// Four decimals of a decibel, or as many as it takes for LEVEL to give back the very gain.
std::string levelLine(const std::string& h, float level) {
    const double db = levelInDb(level);
    return "LEVEL " + h + " " +
           roundTripNumber(
               "%.4f", db, db, level,
               [](double read) { return static_cast<float>(std::pow(10.0, read * 0.05)); }) +
           "\n";
}

// Two decimals, or as many as it takes for POS to give back the very value.
std::string coordinateText(float v) {
    return roundTripNumber("%.2f", v, v, v, [](double read) { return static_cast<float>(read); });
}

// A size or radius the same way: SET_SIZE and SET_ZERO read their number as POS does.
std::string sizeText(float v) {
    return coordinateText(v);
}

// Four decimals of a movement step, or as many as SET_MOVEMENT needs to give it back.
std::string movementText(float v) {
    return roundTripNumber("%.4f", v, v, v, [](double read) { return static_cast<float>(read); });
}

std::string positionLine(const std::string& h, float x, float y) {
    return "POS " + h + " X:" + coordinateText(x) + " y:" + coordinateText(y) + "\n";
}

std::string virtualiseLine(const std::string& h, int32_t channel, int32_t i) {
    if (channel == i) return {};
    return format("VIRTUALISE %s %i\n", h.c_str(), channel + 1);
}

} // namespace

std::string RoomRecord::writePatchSection(int32_t i) const {
    const std::string h = handle('R', i);
    std::string text = format("# ROOM : %i\n", i + 1);
    text += "POS " + h + " X:" + coordinateText(x) + " y:" + coordinateText(y) +
            " w:" + coordinateText(width) + " h:" + coordinateText(height) + "\n";
    text += levelLine(h, level);
    text += rgbLine(h, colourRed, colourGreen, colourBlue);
    text += muteSoloLines(h, mute, solo);
    text += phaseLine(h, phase);
    text += nameLine('R', i, h, name);
    return text + "\n";
}

std::string TargetRecord::writePatchSection(int32_t i) const {
    const std::string h = handle('T', i);
    std::string text = format("# TARGET : T%i\n", i + 1);
    text += positionLine(h, x, y);
    if (!usesGlobalRadiusWhenNotZero(*this))
        text += "GLOBALZ " + h + " FALSE\nSET_ZERO " + h + " " + sizeText(ownRadius) + "\n";
    text += levelLine(h, level);
    text += rgbLine(h, colourRed, colourGreen, colourBlue);
    text += muteSoloLines(h, mute, solo);
    text += phaseLine(h, phase);
    text += virtualiseLine(h, virtualChannel, i);
    if (visible == 0) text += "HIDE " + h + "\n";
    text += nameLine('T', i, h, name);
    return text + "\n";
}

std::string SourceRecord::writePatchSection(int32_t i) const {
    const std::string h = handle('S', i);
    std::string text = format("# SOURCE : S%i\n", i + 1);
    text += positionLine(h, x, y);
    text += "SET_SIZE " + h + " " + sizeText(size) + "\n";
    text += levelLine(h, level);
    text += rgbLine(h, colourRed, colourGreen, colourBlue);
    text += muteSoloLines(h, mute, solo);
    text += phaseLine(h, phase);
    text += virtualiseLine(h, virtualChannel, i);
    if (shown == 0) text += "HIDE " + h + "\n";
    text += nameLine('S', i, h, name);
    return text + "\n";
}

std::string GroupRecord::writePatchSection(int32_t i) const {
    const std::string h = handle('G', i);
    std::string text = format("# GROUP : G%i\n", i + 1);
    text += positionLine(h, x, y);
    if (level != 1.0f) text += levelLine(h, level);
    text += rgbLine(h, colourRed, colourGreen, colourBlue);
    text += muteSoloLines(h, mute, solo);
    text += phaseLine(h, phase);
    if (rotationOn == 1 || rotationSpeed != 0.0f) {
        // SET_ROTATION stores its S: value over 60.
        const double perMinute = static_cast<double>(rotationSpeed * 60.0f);
        text += "SET_ROTATION " + h + " S:" +
                roundTripNumber("%.1f", perMinute, static_cast<double>(rotationSpeed) * 60.0,
                                rotationSpeed,
                                [](double read) { return static_cast<float>(read) / 60.0f; }) +
                (rotationOn == 1 ? " YES\n" : " NO\n");
    }
    if (movementOn == 1 || movementX != 0.0f || movementY != 0.0f)
        text += "SET_MOVEMENT " + h + " X:" + movementText(movementX) +
                " Y:" + movementText(movementY) + (movementOn == 1 ? " YES\n" : " NO\n");
    if (shown == 0) text += "HIDE " + h + "\n";
    text += nameLine('G', i, h, name);
    return text + "\n";
}
