// Additive draws gathered by shape. In the glow mode the shader adds RGB.rgb x RGB.a times a
// factor of METRICS and the vertex, so under additive blending draws of the same vertices,
// primitive, matrix and METRICS add one tint after the other over one shape: they can be drawn
// once with the sum of their tints. Blending adds, so the order of the draws does not change
// the sum (up to the framebuffer's rounding). A draw whose colour lies outside [0, 1] is kept
// apart and drawn as given, as the shader limits each draw's colour on its own.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "render/affine_2d.h"
#include "render/draw_layer.h"

class TintSum {
public:
    struct Shape {
        Primitive primitive = Primitive::Triangles;
        Affine2d matrix = kAffineIdentity;
        std::array<float, 4> metrics{};
        std::vector<float> xy;
    };
    struct Draw {
        Shape shape;
        // (red, green, blue, alpha) to draw with: the summed premultiplied tint and alpha 1,
        // or the one draw's own colour when it is kept apart.
        std::array<float, 4> colour{};
        bool summed = false;
    };

    bool empty() const { return gathered.empty(); }
    // Draws in the order their shapes first came.
    const std::vector<Draw>& draws() const { return gathered; }
    void clear();
    void add(Primitive primitive, const float* xy, int32_t count, const Affine2d& matrix,
             std::array<float, 4> metrics, std::array<float, 4> colour);

private:
    int32_t find(size_t key, Primitive primitive, const float* xy, int32_t count,
                 const Affine2d& matrix, const std::array<float, 4>& metrics) const;

    std::vector<Draw> gathered;
    // Hash of a shape's primitive, matrix, METRICS and vertex count -> indices of its draws.
    std::unordered_multimap<size_t, int32_t> byKey;
};
