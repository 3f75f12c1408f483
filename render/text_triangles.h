// The block font's glyph triangles of a whole text, laid out as StrokeFont::drawText lays them
// (alignment modes, line pitch, scale), in the pixel coordinates of the current matrix.
#pragma once

#include <cstdint>
#include <vector>

class StrokeFont;

// Appends GL_TRIANGLES vertices (x, y pairs) of `text` anchored at (x, y); scale 0 counts as 1.
void appendTextTriangles(const StrokeFont& font, const char* text, int32_t scale, float x, float y,
                         std::vector<float>& out);
