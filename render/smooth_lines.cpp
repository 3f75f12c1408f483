#include "render/smooth_lines.h"

#include <cmath>

void appendSmoothLineQuads(const float* xy, int32_t vertexCount, float width,
                           std::vector<float>& out) {
    const float half = 0.5f * width;
    const float reach = half + 1.0f;
    for (int32_t i = 0; i + 1 < vertexCount; i += 2) {
        const float x0 = xy[2 * i], y0 = xy[2 * i + 1];
        const float x1 = xy[2 * i + 2], y1 = xy[2 * i + 3];
        const float length = std::hypot(x1 - x0, y1 - y0);
        if (!(length > 0.0f) || !std::isfinite(length)) continue;
        const float ux = (x1 - x0) / length, uy = (y1 - y0) / length;
        const float halfLength = 0.5f * length, along = halfLength + 1.0f;
        const float cx = 0.5f * (x0 + x1), cy = 0.5f * (y0 + y1);
        // Corners at (across, along) = (+-reach, +-along) from the segment's middle.
        const float corner[4][2] = {
            {reach, -along}, {-reach, -along}, {reach, along}, {-reach, along}};
        for (int c : {0, 1, 2, 2, 1, 3}) {
            const float a = corner[c][0], l = corner[c][1];
            const float v[6] = {
                cx - uy * a + ux * l, cy + ux * a + uy * l, a, -half, l, halfLength};
            out.insert(out.end(), v, v + 6);
        }
    }
}
