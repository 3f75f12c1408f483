// The radius-100 disc the disc and glow modes place and scale: 72 wedges from the centre, as
// triangles (216 vertices), and the square around it that a glow may draw in its place.
#pragma once

#include <cstdint>

constexpr int32_t kUnitDiscVertices = 216;

// Writes the 72 wedges, 2 x 216 floats.
void fillUnitDisc(float* xy);

// Whether these vertices are the 72 wedges as fillUnitDisc writes them.
bool isUnitDisc(const float* xy, int32_t count);

// The square (-100, -100) to (100, 100) as two triangles. The glow mode discards every fragment
// outside the radius-100 circle and fades to nothing at it, so over the square it draws the
// pixels of the 72 wedges; the software rasteriser shades two triangles far faster than 72
// slivers that meet in the centre.
extern const float kUnitDiscSquare[12];
