// Packed colours (0x00BBGGRR, red in the low byte), their float components, and the
// hue-saturation-lightness conversion used for generated colours.
#pragma once

#include <cstdint>

// Each byte of the packed colour times 1/255, red from the low byte.
void unpackColour(float& red, float& green, float& blue, uint32_t packed);
// red + (green << 8) + (blue << 16), each a byte value.
uint32_t packColour(int32_t red, int32_t green, int32_t blue);
// Hue, saturation and lightness in 0..1 to a packed colour, channels rounded half away from 0.
uint32_t hslToRgb(float hue, float saturation, float lightness);
// left < x < right and top < y < bottom: the edges are outside.
bool pointStrictlyInRect(float left, float top, float right, float bottom, float x, float y);
