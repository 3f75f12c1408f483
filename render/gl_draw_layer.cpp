#include "render/gl_draw_layer.h"

#include <GL/glew.h>

#include <algorithm>

#include "render/shader_programs.h"
#include "render/stroke_font.h"

namespace {

GLenum glPrimitive(Primitive primitive) {
    switch (primitive) {
    case Primitive::Triangles:
        return GL_TRIANGLES;
    case Primitive::TriangleStrip:
        return GL_TRIANGLE_STRIP;
    case Primitive::TriangleFan:
        return GL_TRIANGLE_FAN;
    case Primitive::Lines:
        return GL_LINES;
    case Primitive::LineStrip:
        return GL_LINE_STRIP;
    case Primitive::LineLoop:
        return GL_LINE_LOOP;
    case Primitive::Points:
        return GL_POINTS;
    }
    return GL_TRIANGLES;
}

int32_t location(const int32_t* at) {
    return at ? *at : -1;
}

} // namespace

void GlDrawLayer::clear() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void GlDrawLayer::pixelProjection(int32_t width, int32_t height) {
    setPixelProjection(width, height);
}

void GlDrawLayer::useProgram(unsigned program) {
    glUseProgram(program);
}

void GlDrawLayer::colour(float red, float green, float blue, float alpha) {
    glUniform4f(location(where.rgb), red, green, blue, alpha);
}

void GlDrawLayer::mode(int32_t value) {
    glUniform1i(location(where.mode), value);
}

void GlDrawLayer::metrics(float x, float y, float z, float w) {
    glUniform4f(location(where.metrics), x, y, z, w);
}

void GlDrawLayer::stage(int32_t value) {
    glUniform1i(location(where.stage), value);
}

void GlDrawLayer::level(float value) {
    glUniform1f(location(where.level), value);
}

void GlDrawLayer::height(float value) {
    glUniform1f(location(where.height), value);
}

// A draw never reads past its table: the count is cut to the table's size.
void GlDrawLayer::vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                           int32_t count) {
    const int32_t n = std::min(count, tableVertices);
    if (!xy || n <= 0) return;
    glVertexPointer(2, GL_FLOAT, 0, xy);
    glDrawArrays(glPrimitive(primitive), 0, n);
}

void GlDrawLayer::text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) {
    font.drawText(text, scale, x, y);
}

void GlDrawLayer::pushMatrix() {
    glPushMatrix();
}

void GlDrawLayer::popMatrix() {
    glPopMatrix();
}

void GlDrawLayer::translate(float x, float y) {
    glTranslatef(x, y, 0.0f);
}

void GlDrawLayer::scale(float x, float y) {
    glScalef(x, y, 1.0f);
}

void GlDrawLayer::rotate(float degrees) {
    glRotatef(degrees, 0.0f, 0.0f, 1.0f);
}

void GlDrawLayer::blendStandard() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void GlDrawLayer::blendAdditive() {
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void GlDrawLayer::lineWidth(float width) {
    glLineWidth(width);
}
