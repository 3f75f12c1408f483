#include "render/note_width.h"

#include <cstring>

namespace {

const char* widthSample(const char* text) {
    if (std::strcmp(text, "_DATE_") == 0) return "88.88.8888";
    if (std::strcmp(text, "_CLOCK_") == 0) return "88.88";
    return text;
}

} // namespace

// Measured at scale 1, then scaled: any size gives a width, none overflows.
float noteWidth(const StrokeFont& font, const char* text, float size) {
    return static_cast<float>(font.textWidth(widthSample(text), 1)) * size;
}
