// The few primitives the screens draw with, behind one small interface: colour and the other
// uniforms of the interface program, vertex arrays, block-font text, the transform stack and
// the blend function. The GL version draws; the recording version logs for tests.
#pragma once

#include <cstdint>

class StrokeFont;

enum class Primitive { Triangles, TriangleStrip, TriangleFan, Lines, LineStrip, LineLoop, Points };

class DrawLayer {
public:
    virtual ~DrawLayer() = default;

    // The frame: clear colour and depth; pixel projection (origin top left, y down), which
    // also resets the transform stack's current matrix.
    virtual void clear() = 0;
    virtual void pixelProjection(int32_t width, int32_t height) = 0;

    // The interface program and its uniforms.
    virtual void useProgram(unsigned program) = 0;
    virtual void colour(float red, float green, float blue, float alpha) = 0;
    virtual void mode(int32_t value) = 0;
    virtual void metrics(float x, float y, float z, float w) = 0;
    virtual void stage(int32_t value) = 0;
    virtual void level(float value) = 0;
    virtual void height(float value) = 0;

    // `count` vertices (x, y pairs) from a table that holds `tableVertices` of them.
    virtual void vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                          int32_t count) = 0;
    // A filled rectangle as two triangles: (x0,y0) (x1,y0) (x1,y1) and (x1,y1) (x0,y1) (x0,y0).
    void rect(float x0, float y0, float x1, float y1) {
        const float v[12] = {x0, y0, x1, y0, x1, y1, x1, y1, x0, y1, x0, y0};
        vertices(Primitive::Triangles, v, 6, 6);
    }

    // Text in the block font, anchored at (x, y) by the font's alignment modes.
    virtual void text(const StrokeFont& font, const char* text, int32_t scale, float x,
                      float y) = 0;

    // The transform stack (every transform lives on the current matrix).
    virtual void pushMatrix() = 0;
    virtual void popMatrix() = 0;
    virtual void translate(float x, float y) = 0;
    virtual void scale(float x, float y) = 0;
    virtual void rotate(float degrees) = 0;

    // Blending: the standard source-alpha function, or additive (glows).
    virtual void blendStandard() = 0;
    virtual void blendAdditive() = 0;
    virtual void lineWidth(float width) = 0;

    // Hands every draw made so far to the renderer: the frame calls it before the buffers swap,
    // and code that touches GL directly calls it first.
    virtual void flush() = 0;
};
