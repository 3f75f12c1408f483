#include "render/vertex_batch.h"

#include <algorithm>
#include <cstddef>

BatchClass batchClassOf(Primitive primitive) {
    switch (primitive) {
    case Primitive::Triangles:
    case Primitive::TriangleStrip:
    case Primitive::TriangleFan:
        return BatchClass::Triangles;
    case Primitive::Lines:
    case Primitive::LineStrip:
    case Primitive::LineLoop:
        return BatchClass::Lines;
    case Primitive::Points:
        return BatchClass::Points;
    }
    return BatchClass::Triangles;
}

void VertexBatch::reset(BatchClass batchClass) {
    kind = batchClass;
    xy.clear();
    rgba.clear();
}

namespace {

// How many vertices n vertices of the primitive become as independent primitives.
int32_t batchedVertexCount(Primitive primitive, int32_t n) {
    switch (primitive) {
    case Primitive::Triangles:
        return n / 3 * 3;
    case Primitive::TriangleStrip:
    case Primitive::TriangleFan:
        return n > 2 ? 3 * (n - 2) : 0;
    case Primitive::Lines:
        return n / 2 * 2;
    case Primitive::LineStrip:
        return n > 1 ? 2 * (n - 1) : 0;
    case Primitive::LineLoop:
        return n > 1 ? 2 * n : 0;
    case Primitive::Points:
        return n > 0 ? n : 0;
    }
    return 0;
}

} // namespace

// The batch grows once per draw and the vertices are written in place.
void VertexBatch::append(Primitive primitive, const float* v, int32_t n, const Affine2d& m,
                         const Rgba& colour) {
    const int32_t count = batchedVertexCount(primitive, n);
    if (count <= 0) return;
    const std::size_t first = xy.size() / 2;
    xy.resize(xy.size() + 2 * static_cast<std::size_t>(count));
    float* out = xy.data() + 2 * first;
    const auto put = [&](int32_t i) {
        affineApply(m, v[2 * i], v[2 * i + 1], out[0], out[1]);
        out += 2;
    };
    switch (primitive) {
    case Primitive::Triangles:
        for (int32_t i = 0; i + 2 < n; i += 3) {
            put(i);
            put(i + 1);
            put(i + 2);
        }
        break;
    case Primitive::TriangleStrip:
        // Odd triangles swap their first two vertices to keep the strip's winding.
        for (int32_t i = 0; i + 2 < n; ++i) {
            put(i % 2 ? i + 1 : i);
            put(i % 2 ? i : i + 1);
            put(i + 2);
        }
        break;
    case Primitive::TriangleFan:
        for (int32_t i = 1; i + 1 < n; ++i) {
            put(0);
            put(i);
            put(i + 1);
        }
        break;
    case Primitive::Lines:
        for (int32_t i = 0; i + 1 < n; i += 2) {
            put(i);
            put(i + 1);
        }
        break;
    case Primitive::LineStrip:
    case Primitive::LineLoop:
        for (int32_t i = 0; i + 1 < n; ++i) {
            put(i);
            put(i + 1);
        }
        if (primitive == Primitive::LineLoop) {
            put(n - 1);
            put(0);
        }
        break;
    case Primitive::Points:
        for (int32_t i = 0; i < n; ++i) put(i);
        break;
    }
    rgba.resize(rgba.size() + 4 * static_cast<std::size_t>(count));
    for (float* c = rgba.data() + 4 * first; c != rgba.data() + rgba.size(); c += 4)
        std::copy(colour.begin(), colour.end(), c);
}

void VertexBatch::appendTriangles(const std::vector<float>& triangles, const Affine2d& m,
                                  const Rgba& colour) {
    const int32_t n = static_cast<int32_t>(triangles.size() / 2);
    append(Primitive::Triangles, triangles.data(), n, m, colour);
}
