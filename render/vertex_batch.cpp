#include "render/vertex_batch.h"

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

void VertexBatch::add(const float* vertices, int32_t index, const Affine2d& m) {
    float x = 0.0f;
    float y = 0.0f;
    affineApply(m, vertices[2 * index], vertices[2 * index + 1], x, y);
    xy.push_back(x);
    xy.push_back(y);
}

void VertexBatch::append(Primitive primitive, const float* v, int32_t n, const Affine2d& m,
                         const Rgba& colour) {
    const std::size_t first = xy.size() / 2;
    switch (primitive) {
    case Primitive::Triangles:
        for (int32_t i = 0; i + 2 < n; i += 3) {
            add(v, i, m);
            add(v, i + 1, m);
            add(v, i + 2, m);
        }
        break;
    case Primitive::TriangleStrip:
        // Odd triangles swap their first two vertices to keep the strip's winding.
        for (int32_t i = 0; i + 2 < n; ++i) {
            add(v, i % 2 ? i + 1 : i, m);
            add(v, i % 2 ? i : i + 1, m);
            add(v, i + 2, m);
        }
        break;
    case Primitive::TriangleFan:
        for (int32_t i = 1; i + 1 < n; ++i) {
            add(v, 0, m);
            add(v, i, m);
            add(v, i + 1, m);
        }
        break;
    case Primitive::Lines:
        for (int32_t i = 0; i + 1 < n; i += 2) {
            add(v, i, m);
            add(v, i + 1, m);
        }
        break;
    case Primitive::LineStrip:
    case Primitive::LineLoop:
        for (int32_t i = 0; i + 1 < n; ++i) {
            add(v, i, m);
            add(v, i + 1, m);
        }
        if (primitive == Primitive::LineLoop && n > 1) {
            add(v, n - 1, m);
            add(v, 0, m);
        }
        break;
    case Primitive::Points:
        for (int32_t i = 0; i < n; ++i) add(v, i, m);
        break;
    }
    for (std::size_t k = first; k < xy.size() / 2; ++k)
        rgba.insert(rgba.end(), colour.begin(), colour.end());
}

void VertexBatch::appendTriangles(const std::vector<float>& triangles, const Affine2d& m,
                                  const Rgba& colour) {
    const int32_t n = static_cast<int32_t>(triangles.size() / 2);
    append(Primitive::Triangles, triangles.data(), n, m, colour);
}
