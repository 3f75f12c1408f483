// The draw layer over OpenGL 2.0. Consecutive draws that share the program's uniforms, the
// blend function, the line width and the kind of primitive go to GL as one draw: the layer
// keeps its own transform stack and takes vertices through it on the CPU, gathers them into
// one client-side array, and draws that array when any of that state changes, before text it
// cannot gather, and at flush(). The GL projection stays the pixel projection.
// Flat draws (mode 0) go through a small flat program in place of the interface program, with
// their colour on each vertex, so a change of colour alone does not split a batch. Uniforms
// asked for meanwhile reach the interface program when its modes draw again. Glows (mode 1
// under additive blending) of one shape are summed into one draw of the summed tint while
// only the colour and METRICS change between them (see TintSum); those two uniforms wait in
// the same cache until the sums are drawn. Every 10,000 vertices or so the layer flushes GL,
// so a software renderer rasterises the first part of a heavy frame while the rest is built.
// Smoothed lines are drawn as triangles faded at their edges (see appendSmoothLineQuads), by
// whichever program draws the mode. A glow of the unit disc goes as the disc's square (see
// kUnitDiscSquare).
#pragma once

#include <array>
#include <vector>

#include "render/affine_2d.h"
#include "render/draw_layer.h"
#include "render/tint_sum.h"
#include "render/uniform_cache.h"
#include "render/vertex_batch.h"

// Where the interface program's uniforms are, and the flat program and its colour attribute;
// the object fills them when it builds the programs. Without the flat program (0) flat draws
// use the interface program and its RGB uniform.
struct ProgramLocations {
    const int32_t* rgb = nullptr;
    const int32_t* mode = nullptr;
    const int32_t* metrics = nullptr;
    const int32_t* stage = nullptr;
    const int32_t* level = nullptr;
    const int32_t* height = nullptr;
    const unsigned* flatProgram = nullptr;
    const int32_t* flatColour = nullptr;
};

class GlDrawLayer : public DrawLayer {
public:
    explicit GlDrawLayer(ProgramLocations locations) : where(locations) {}

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
    bool drawSmoothLines();
    float smoothLineWidth();
    // Sets one piece of state: the batch drawn in the old value goes first.
    bool changes(Known& state, std::array<float, 4> value);
    // Asks for a uniform of the interface program; while that program is bound, a new value
    // is sent at once, after the batch drawn in the old one (colour and METRICS wait while
    // glows are summed).
    void setUniform(Uniform u, const UniformValue& value);
    // Gives the interface program this value, unless it holds it already.
    void send(Uniform u, const UniformValue& value);
    // Sends the interface program, when bound, every wanted value it does not hold.
    void sendStale();
    // Points the flat program's colour attribute at an array, four floats per vertex.
    void enableFlatColours(const float* rgba);
    void disableFlatColours();
    // Binds the program the current mode draws with, sending the interface program the
    // uniforms that went stale while it was not bound.
    void bindProgramForMode();
    // Whether the current mode draws with the flat program.
    bool flatDraws() const;
    // Makes room in the batch for draws of this class (and, for modes whose shader reads the
    // untransformed vertex, of the current matrix).
    void prepareBatch(BatchClass batchClass);
    // The modes whose shader places or shades by the vertex as given, before the matrix.
    bool modeReadsVertices() const;
    // GL's modelview matrix becomes m (the layer keeps it identity while it transforms).
    void loadGlMatrix(const Affine2d& m);
    // Counts the vertices of a draw; past kVerticesPerHandOn since the last time, GL is flushed.
    void handOn(int32_t drawnVertices);
    static constexpr int32_t kVerticesPerHandOn = 10000;
    void multiply(const Affine2d& m);
    void forgetGlState();

    ProgramLocations where;
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
    std::vector<float> lineColours;
    TintSum glows;
    int32_t verticesSinceHandOn = 0;

    int32_t currentMode = 0;
    Rgba currentColour{};
    // The interface program as last given, and whether the flat program is bound in its place.
    Known program;
    bool flatBound = false;
    UniformCache uniforms;
    Known blend, width;
};
