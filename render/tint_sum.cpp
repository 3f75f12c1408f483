#include "render/tint_sum.h"

#include <algorithm>
#include <functional>

namespace {

bool inUnitRange(const std::array<float, 4>& colour) {
    return std::all_of(colour.begin(), colour.end(),
                       [](float c) { return c >= 0.0f && c <= 1.0f; });
}

// Equal values hash alike: adding 0 turns -0 into +0.
void mix(size_t& h, float v) {
    h ^= std::hash<float>{}(v + 0.0f) + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2);
}

size_t shapeKey(Primitive primitive, int32_t count, const Affine2d& matrix,
                const std::array<float, 4>& metrics) {
    size_t h = std::hash<int32_t>{}(static_cast<int32_t>(primitive) * 100003 + count);
    for (float v : matrix) mix(h, v);
    for (float v : metrics) mix(h, v);
    return h;
}

} // namespace

void TintSum::clear() {
    gathered.clear();
    byKey.clear();
}

int32_t TintSum::find(size_t key, Primitive primitive, const float* xy, int32_t count,
                      const Affine2d& matrix, const std::array<float, 4>& metrics) const {
    const auto range = byKey.equal_range(key);
    for (auto it = range.first; it != range.second; ++it) {
        const Shape& s = gathered[it->second].shape;
        if (s.primitive == primitive && s.matrix == matrix && s.metrics == metrics &&
            s.xy.size() == static_cast<size_t>(2 * count) &&
            std::equal(s.xy.begin(), s.xy.end(), xy))
            return it->second;
    }
    return -1;
}

void TintSum::add(Primitive primitive, const float* xy, int32_t count, const Affine2d& matrix,
                  std::array<float, 4> metrics, std::array<float, 4> colour) {
    if (!xy || count <= 0) return;
    const bool summable = inUnitRange(colour);
    const size_t key = shapeKey(primitive, count, matrix, metrics);
    if (summable) {
        const int32_t at = find(key, primitive, xy, count, matrix, metrics);
        if (at >= 0) {
            for (int i = 0; i < 3; ++i) gathered[at].colour[i] += colour[i] * colour[3];
            return;
        }
    }
    Draw draw;
    draw.shape = {primitive, matrix, metrics, std::vector<float>(xy, xy + 2 * count)};
    draw.summed = summable;
    draw.colour = summable ? std::array<float, 4>{colour[0] * colour[3], colour[1] * colour[3],
                                                  colour[2] * colour[3], 1.0f}
                           : colour;
    gathered.push_back(std::move(draw));
    if (summable) byKey.emplace(key, static_cast<int32_t>(gathered.size() - 1));
}
