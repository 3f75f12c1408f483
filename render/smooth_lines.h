// Smoothed lines as triangles. Each segment of a GL_LINES list becomes a rectangle that
// reaches one pixel past the line on every side; every vertex carries (x, y, distance across
// the line, minus half the line's width, distance along it from its middle, half its length),
// and the interface program fades the colour from full half a pixel inside each edge and end
// to none half a pixel outside. It draws what GL's line smoothing draws, without the
// renderer's slow per-line path.
#pragma once

#include <cstdint>
#include <vector>

// Appends two triangles (six vertices of six floats) per segment of `vertexCount` line
// vertices (x, y pairs, in pixels); a segment of zero length and a trailing lone vertex give
// nothing.
void appendSmoothLineQuads(const float* xy, int32_t vertexCount, float width,
                           std::vector<float>& out);
// The same, and when `rgba` (four floats per line vertex) is given, the colour of each
// segment's first vertex once per triangle vertex into `colours`.
void appendSmoothLineQuads(const float* xy, const float* rgba, int32_t vertexCount, float width,
                           std::vector<float>& out, std::vector<float>& colours);
