// The draw layer for tests: it logs every call with the state it was drawn in (colour, mode,
// metrics, blend) and its coordinates taken through the transform stack to window pixels, and
// refuses a draw whose vertex count exceeds its table.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "render/draw_layer.h"

struct RecordedDraw {
    enum class Kind { Clear, Vertices, Text };
    Kind kind = Kind::Clear;
    Primitive primitive = Primitive::Triangles;
    std::vector<float> xy; // window pixels, after the transform stack
    std::string text;
    int32_t scale = 1;
    int32_t horizontalMode = 0;
    int32_t verticalMode = 0;
    std::array<float, 4> colour{};
    int32_t mode = 0;
    std::array<float, 4> metrics{};
    int32_t stage = 0;
    bool additive = false;

    int32_t vertexCount() const { return static_cast<int32_t>(xy.size() / 2); }
    // The smallest rectangle around the vertices (x0, y0, x1, y1).
    std::array<float, 4> bounds() const;
    bool coversPoint(float x, float y) const;
};

class RecordingDrawLayer : public DrawLayer {
public:
    RecordingDrawLayer();

    void clear() override;
    void pixelProjection(int32_t width, int32_t height) override;
    void useProgram(unsigned) override {}
    void colour(float red, float green, float blue, float alpha) override;
    void mode(int32_t value) override { state.mode = value; }
    void metrics(float x, float y, float z, float w) override { state.metrics = {x, y, z, w}; }
    void stage(int32_t value) override { state.stage = value; }
    void level(float) override {}
    void height(float) override {}
    void vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                  int32_t count) override;
    void text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(float x, float y) override;
    void scale(float x, float y) override;
    void rotate(float degrees) override;
    void blendStandard() override { state.additive = false; }
    void blendAdditive() override { state.additive = true; }
    void lineWidth(float) override {}
    void flush() override { drawsAtLastFlush = draws.size(); }

    // What was drawn, in order, and the draws refused (one line each).
    std::vector<RecordedDraw> draws;
    std::vector<std::string> failures;
    // How many draws there were when flush() was last called.
    size_t drawsAtLastFlush = 0;

    // The first text draw of exactly this text, or null.
    const RecordedDraw* findText(const std::string& text) const;
    // Every text drawn, in order.
    std::vector<std::string> texts() const;
    int32_t matrixDepth() const { return static_cast<int32_t>(stack.size()) - 1; }

private:
    using Affine = std::array<float, 6>; // x' = a x + c y + e, y' = b x + d y + f
    void apply(float& x, float& y) const;
    void multiply(const Affine& m);

    std::vector<Affine> stack;
    RecordedDraw state;
};
