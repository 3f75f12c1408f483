#include "render/smooth_lines.h"

#include <algorithm>
#include <cmath>

void appendSmoothLineQuads(const float* xy, int32_t vertexCount, float width,
                           std::vector<float>& out) {
    std::vector<float> noColours;
    appendSmoothLineQuads(xy, nullptr, vertexCount, width, out, noColours);
}

void appendSmoothLineQuads(const float* xy, const float* rgba, int32_t vertexCount, float width,
                           std::vector<float>& out, std::vector<float>& colours) {
    const float half = 0.5f * width;
    const float reach = half + 1.0f;
    // Corners at (across, along) = (+-reach, +-(half length + 1)) from the segment's middle.
    const float acrossSign[6] = {1, -1, 1, 1, -1, -1};
    const float alongSign[6] = {-1, -1, 1, 1, -1, 1};
    out.reserve(out.size() + static_cast<size_t>(std::max(vertexCount / 2, 0)) * 36);
    for (int32_t i = 0; i + 1 < vertexCount; i += 2) {
        const float x0 = xy[2 * i], y0 = xy[2 * i + 1];
        const float x1 = xy[2 * i + 2], y1 = xy[2 * i + 3];
        const float length = std::sqrt((x1 - x0) * (x1 - x0) + (y1 - y0) * (y1 - y0));
        if (!(length > 0.0f) || !std::isfinite(length)) continue;
        const float ux = (x1 - x0) / length, uy = (y1 - y0) / length;
        const float halfLength = 0.5f * length, along = halfLength + 1.0f;
        const float cx = 0.5f * (x0 + x1), cy = 0.5f * (y0 + y1);
        const size_t at = out.size();
        out.resize(at + 36);
        float* v = out.data() + at;
        for (int c = 0; c < 6; ++c, v += 6) {
            const float a = acrossSign[c] * reach, l = alongSign[c] * along;
            v[0] = cx - uy * a + ux * l;
            v[1] = cy + ux * a + uy * l;
            v[2] = a;
            v[3] = -half;
            v[4] = l;
            v[5] = halfLength;
        }
        if (rgba) {
            const size_t c0 = colours.size();
            colours.resize(c0 + 24);
            for (int c = 0; c < 6; ++c)
                std::copy(rgba + 4 * i, rgba + 4 * i + 4, &colours[c0 + 4 * c]);
        }
    }
}
