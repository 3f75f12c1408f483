#include "model/colour.h"

#include <cmath>

#include "model/checked_number.h"
#include "model/stage_records.h"

void unpackColour(float& red, float& green, float& blue, uint32_t packed) {
    red = static_cast<float>(packed & 0xFF) * kColourByteScale;
    green = static_cast<float>((packed >> 8) & 0xFF) * kColourByteScale;
    blue = static_cast<float>((packed >> 16) & 0xFF) * kColourByteScale;
}

uint32_t packColour(int32_t red, int32_t green, int32_t blue) {
    return static_cast<uint32_t>(red) + (static_cast<uint32_t>(green) << 8) +
           (static_cast<uint32_t>(blue) << 16);
}

namespace {

float hueChannel(float p, float q, float t) {
    if (t < 0.0f) t += 1.0f;
    if (t > 1.0f) t -= 1.0f;
    if (t < 1.0f / 6.0f) return p + (q - p) * 6.0f * t;
    if (t < 0.5f) return q;
    if (t < 2.0f / 3.0f) return p + (q - p) * (2.0f / 3.0f - t) * 6.0f;
    return p;
}

int32_t toByte(float channel) {
    return saturatingInt(std::round(channel * 255.0f));
}

} // namespace

uint32_t hslToRgb(float hue, float saturation, float lightness) {
    const float q = lightness < 0.5f ? lightness * (1.0f + saturation)
                                     : lightness + saturation - lightness * saturation;
    const float p = 2.0f * lightness - q;
    const int32_t red = toByte(hueChannel(p, q, hue + 1.0f / 3.0f));
    const int32_t green = toByte(hueChannel(p, q, hue));
    const int32_t blue = toByte(hueChannel(p, q, hue - 1.0f / 3.0f));
    return packColour(red, green, blue);
}

bool pointStrictlyInRect(float left, float top, float right, float bottom, float x, float y) {
    return left < x && x < right && top < y && y < bottom;
}
