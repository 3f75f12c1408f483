// The draw layer over OpenGL 2.0. Consecutive draws that share the program's uniforms, the
// blend function, the line width and the kind of primitive go to GL as one draw: the layer
// keeps its own transform stack and takes vertices through it on the CPU, gathers them into
// one client-side array, and draws that array when any of that state changes, before text it
// cannot gather, and at flush(). The GL projection stays the pixel projection. Glows (mode 1
// under additive blending) of one shape are summed into one draw of the summed tint while
// only the colour and METRICS change between them (see TintSum). Smoothed lines are drawn as
// triangles faded at their edges (see appendSmoothLineQuads).
#pragma once

#include <array>
#include <vector>

#include "render/affine_2d.h"
#include "render/draw_layer.h"
#include "render/tint_sum.h"
#include "render/vertex_batch.h"

// Where the interface program's uniforms are; the object fills them when it builds the program.
struct UniformLocations {
    const int32_t* rgb = nullptr;
    const int32_t* mode = nullptr;
    const int32_t* metrics = nullptr;
    const int32_t* stage = nullptr;
    const int32_t* level = nullptr;
    const int32_t* height = nullptr;
};

class GlDrawLayer : public DrawLayer {
public:
    explicit GlDrawLayer(UniformLocations locations) : where(locations) {}

    void clear() override;
    void pixelProjection(int32_t width, int32_t height) override;
    void useProgram(unsigned program) override;
    void colour(float red, float green, float blue, float alpha) override;
    void mode(int32_t value) override;
    void metrics(float x, float y, float z, float w) override;
    void stage(int32_t value) override;
    void level(float value) override;
    void height(float value) override;
    void vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                  int32_t count) override;
    void text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) override;
    void pushMatrix() override;
    void popMatrix() override;
    void translate(float x, float y) override;
    void scale(float x, float y) override;
    void rotate(float degrees) override;
    void blendStandard() override;
    void blendAdditive() override;
    void lineWidth(float width) override;
    void flush() override;

private:
    // The GL state a batch is drawn in, as last given to GL; `known` is false until the layer
    // has set it in this frame (GL keeps what the frame before left, or the saved attributes).
    struct Known {
        bool known = false;
        std::array<float, 4> value{};
        bool same(std::array<float, 4> v) const { return known && value == v; }
    };

    // Draws the summed glows, then the gathered vertices, and starts an empty batch.
    void drawBatch();
    void drawVertexBatch();
    // Glows are being summed: mode 1 under additive blending. Colour and METRICS then go to
    // the summed draws, and reach GL when the sums are drawn.
    bool summingGlows() const;
    void drawGlows();
    void setUniform(Known& state, const int32_t* at, std::array<float, 4> value);
    bool drawSmoothLines();
    float smoothLineWidth();
    // Sets one piece of state: the batch drawn in the old value goes first.
    bool changes(Known& state, std::array<float, 4> value);
    // Makes room in the batch for draws of this class (and, for modes whose shader reads the
    // untransformed vertex, of the current matrix).
    void prepareBatch(BatchClass batchClass);
    // The modes whose shader places or shades by the vertex as given, before the matrix.
    bool modeReadsVertices() const;
    // GL's modelview matrix becomes m (the layer keeps it identity while it transforms).
    void loadGlMatrix(const Affine2d& m);
    void multiply(const Affine2d& m);
    void forgetGlState();

    UniformLocations where;
    std::vector<Affine2d> stack{kAffineIdentity};
    VertexBatch batch;
    bool batchInObjectSpace = false;
    Affine2d batchMatrix = kAffineIdentity;
    Affine2d glMatrix = kAffineIdentity;
    bool glMatrixKnown = false;
    std::vector<float> textScratch;
    std::vector<float> lineQuads;
    bool smoothWidthRangeKnown = false;
    float smoothWidthRange[2] = {1.0f, 1.0f};
    TintSum glows;
    bool glowUniformsHeld = false;
    std::array<float, 4> wantedRgb{}, wantedMetrics{};

    int32_t currentMode = 0;
    Known program, rgb, modeValue, metricsValue, stageValue, levelValue, heightValue, blend, width;
};
