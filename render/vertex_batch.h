// Vertices of consecutive draws gathered into one array of independent primitives: strips and
// fans become triangles, strips and loops of lines become line pairs, each vertex taken
// through a matrix on the way in and given the colour of its draw.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "render/affine_2d.h"
#include "render/draw_layer.h"

enum class BatchClass { None, Triangles, Lines, Points };

using Rgba = std::array<float, 4>;

BatchClass batchClassOf(Primitive primitive);

class VertexBatch {
public:
    BatchClass batchClass() const { return kind; }
    bool empty() const { return xy.empty(); }
    int32_t vertexCount() const { return static_cast<int32_t>(xy.size() / 2); }
    const float* data() const { return xy.data(); }
    // Four floats (red, green, blue, alpha) per vertex.
    const float* colours() const { return rgba.data(); }
    // Starts an empty batch of this class.
    void reset(BatchClass batchClass);
    // Appends the primitive's `count` vertices, as independent primitives of the batch's class;
    // a trailing incomplete primitive is dropped as GL drops it.
    void append(Primitive primitive, const float* vertices, int32_t count, const Affine2d& m,
                const Rgba& colour);
    // Appends complete triangles (three vertices each) already in the batch's coordinates.
    void appendTriangles(const std::vector<float>& triangles, const Affine2d& m,
                         const Rgba& colour);

private:
    BatchClass kind = BatchClass::None;
    std::vector<float> xy;
    std::vector<float> rgba;
};
