// The draw layer over OpenGL 2.0: each call is the GL call the screens would make directly.
#pragma once

#include "render/draw_layer.h"

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

private:
    UniformLocations where;
};
