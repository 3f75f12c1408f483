#include "render/gl_draw_layer.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "render/shader_programs.h"
#include "render/smooth_lines.h"
#include "render/stroke_font.h"
#include "render/text_triangles.h"

namespace {

GLenum glPrimitive(BatchClass batchClass) {
    switch (batchClass) {
    case BatchClass::Lines:
        return GL_LINES;
    case BatchClass::Points:
        return GL_POINTS;
    case BatchClass::None:
    case BatchClass::Triangles:
        break;
    }
    return GL_TRIANGLES;
}

int32_t location(const int32_t* at) {
    return at ? *at : -1;
}

} // namespace

bool GlDrawLayer::changes(Known& state, std::array<float, 4> value) {
    if (state.same(value)) return false;
    drawBatch();
    state.known = true;
    state.value = value;
    return true;
}

void GlDrawLayer::forgetGlState() {
    for (Known* k : {&program, &rgb, &modeValue, &metricsValue, &stageValue, &levelValue,
                     &heightValue, &blend, &width})
        k->known = false;
}

void GlDrawLayer::clear() {
    drawBatch();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The projection takes pixels; the modelview matrix stays identity while the layer transforms.
void GlDrawLayer::pixelProjection(int32_t pixelsWide, int32_t pixelsHigh) {
    drawBatch();
    if (pixelsWide <= 0 || pixelsHigh <= 0) return;
    setPixelProjection(pixelsWide, pixelsHigh);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glMatrix = kAffineIdentity;
    glMatrixKnown = true;
    stack.back() = kAffineIdentity;
    forgetGlState();
}

void GlDrawLayer::useProgram(unsigned value) {
    if (!changes(program, {static_cast<float>(value), 0.0f, 0.0f, 0.0f})) return;
    glUseProgram(value);
    // Uniforms belong to the program.
    for (Known* k : {&rgb, &modeValue, &metricsValue, &stageValue, &levelValue, &heightValue})
        k->known = false;
}

void GlDrawLayer::setUniform(Known& state, const int32_t* at, std::array<float, 4> value) {
    if (state.same(value)) return;
    state.known = true;
    state.value = value;
    glUniform4f(location(at), value[0], value[1], value[2], value[3]);
}

void GlDrawLayer::colour(float red, float green, float blue, float alpha) {
    wantedRgb = {red, green, blue, alpha};
    if (summingGlows()) {
        glowUniformsHeld = true;
        return;
    }
    if (changes(rgb, wantedRgb)) glUniform4f(location(where.rgb), red, green, blue, alpha);
}

void GlDrawLayer::mode(int32_t value) {
    if (!changes(modeValue, {static_cast<float>(value), 0.0f, 0.0f, 0.0f})) return;
    currentMode = value;
    glUniform1i(location(where.mode), value);
}

void GlDrawLayer::metrics(float x, float y, float z, float w) {
    wantedMetrics = {x, y, z, w};
    if (summingGlows()) {
        glowUniformsHeld = true;
        return;
    }
    if (changes(metricsValue, wantedMetrics)) glUniform4f(location(where.metrics), x, y, z, w);
}

void GlDrawLayer::stage(int32_t value) {
    if (changes(stageValue, {static_cast<float>(value), 0.0f, 0.0f, 0.0f}))
        glUniform1i(location(where.stage), value);
}

void GlDrawLayer::level(float value) {
    if (changes(levelValue, {value, 0.0f, 0.0f, 0.0f})) glUniform1f(location(where.level), value);
}

void GlDrawLayer::height(float value) {
    if (changes(heightValue, {value, 0.0f, 0.0f, 0.0f})) glUniform1f(location(where.height), value);
}

// Modes 1 and 2 place the glow and the disc around METRICS from the vertex as given, so their
// vertices go to GL untransformed, under the matrix.
bool GlDrawLayer::modeReadsVertices() const {
    return currentMode == 1 || currentMode == 2;
}

void GlDrawLayer::prepareBatch(BatchClass batchClass) {
    const bool objectSpace = modeReadsVertices();
    const bool fits = batch.batchClass() == batchClass && objectSpace == batchInObjectSpace &&
                      (!objectSpace || batchMatrix == stack.back());
    if (fits) return;
    drawBatch();
    batch.reset(batchClass);
    batchInObjectSpace = objectSpace;
    batchMatrix = stack.back();
}

bool GlDrawLayer::summingGlows() const {
    return currentMode == 1 && blend.same({1.0f, 0.0f, 0.0f, 0.0f});
}

// Each summed shape in its own colour and METRICS; then GL's colour and METRICS are the ones
// last given, for the draws that follow.
void GlDrawLayer::drawGlows() {
    drawVertexBatch();
    for (const TintSum::Draw& glow : glows.draws()) {
        setUniform(rgb, where.rgb, glow.colour);
        setUniform(metricsValue, where.metrics, glow.shape.metrics);
        const int32_t n = static_cast<int32_t>(glow.shape.xy.size() / 2);
        batch.reset(batchClassOf(glow.shape.primitive));
        batchInObjectSpace = true;
        batchMatrix = glow.shape.matrix;
        batch.append(glow.shape.primitive, glow.shape.xy.data(), n, kAffineIdentity);
        drawVertexBatch();
    }
    glows.clear();
    setUniform(rgb, where.rgb, wantedRgb);
    setUniform(metricsValue, where.metrics, wantedMetrics);
    glowUniformsHeld = false;
}

void GlDrawLayer::drawBatch() {
    if (glowUniformsHeld || !glows.empty()) drawGlows();
    drawVertexBatch();
}

// The line width GL would draw a smoothed line at: the one in force, within GL's range.
float GlDrawLayer::smoothLineWidth() {
    float w = width.known ? width.value[0] : 1.0f;
    if (!width.known) glGetFloatv(GL_LINE_WIDTH, &w);
    if (!smoothWidthRangeKnown) {
        glGetFloatv(GL_SMOOTH_LINE_WIDTH_RANGE, smoothWidthRange);
        smoothWidthRangeKnown = true;
    }
    w = std::min(std::max(w, smoothWidthRange[0]), smoothWidthRange[1]);
    return w > 0.0f ? w : 1.0f;
}

// Smoothed lines in window pixels go as triangles that the program fades at their edges.
bool GlDrawLayer::drawSmoothLines() {
    if (batch.batchClass() != BatchClass::Lines || batchInObjectSpace ||
        !glIsEnabled(GL_LINE_SMOOTH))
        return false;
    lineQuads.clear();
    appendSmoothLineQuads(batch.data(), batch.vertexCount(), smoothLineWidth(), lineQuads);
    loadGlMatrix(kAffineIdentity);
    if (!lineQuads.empty()) {
        const GLsizei stride = 6 * sizeof(float);
        glVertexPointer(4, GL_FLOAT, stride, lineQuads.data());
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, lineQuads.data() + 4);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(lineQuads.size() / 6));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    batch.reset(batch.batchClass());
    return true;
}

void GlDrawLayer::drawVertexBatch() {
    if (batch.empty() || drawSmoothLines()) return;
    loadGlMatrix(batchInObjectSpace ? batchMatrix : kAffineIdentity);
    glVertexPointer(2, GL_FLOAT, 0, batch.data());
    glDrawArrays(glPrimitive(batch.batchClass()), 0, batch.vertexCount());
    batch.reset(batch.batchClass());
}

void GlDrawLayer::loadGlMatrix(const Affine2d& m) {
    if (glMatrixKnown && glMatrix == m) return;
    const float columns[16] = {m[0], m[1], 0, 0, m[2], m[3], 0, 0, 0, 0, 1, 0, m[4], m[5], 0, 1};
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixf(columns);
    glMatrix = m;
    glMatrixKnown = true;
}

// A draw never reads past its table: the count is cut to the table's size.
void GlDrawLayer::vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                           int32_t count) {
    const int32_t n = std::min(count, tableVertices);
    if (!xy || n <= 0) return;
    if (summingGlows()) {
        drawVertexBatch();
        glowUniformsHeld = true;
        glows.add(primitive, xy, n, stack.back(), wantedMetrics, wantedRgb);
        return;
    }
    prepareBatch(batchClassOf(primitive));
    batch.append(primitive, xy, n, batchInObjectSpace ? kAffineIdentity : stack.back());
}

void GlDrawLayer::text(const StrokeFont& font, const char* text, int32_t scale, float x, float y) {
    if (!text) return;
    if (modeReadsVertices()) {
        // The glyphs' own coordinates reach the shader only when the font draws them itself.
        flush();
        font.drawText(text, scale, x, y);
        return;
    }
    textScratch.clear();
    appendTextTriangles(font, text, scale, x, y, textScratch);
    if (textScratch.empty()) return;
    prepareBatch(BatchClass::Triangles);
    batch.appendTriangles(textScratch, stack.back());
}

void GlDrawLayer::pushMatrix() {
    stack.push_back(stack.back());
}

void GlDrawLayer::popMatrix() {
    if (stack.size() > 1) stack.pop_back();
}

void GlDrawLayer::multiply(const Affine2d& m) {
    stack.back() = affineProduct(stack.back(), m);
}

void GlDrawLayer::translate(float x, float y) {
    multiply({1, 0, 0, 1, x, y});
}

void GlDrawLayer::scale(float x, float y) {
    multiply({x, 0, 0, y, 0, 0});
}

void GlDrawLayer::rotate(float degrees) {
    const float r = degrees * 3.14159265358979f / 180.0f;
    multiply({std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0});
}

void GlDrawLayer::blendStandard() {
    if (changes(blend, {0.0f, 0.0f, 0.0f, 0.0f})) glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void GlDrawLayer::blendAdditive() {
    if (changes(blend, {1.0f, 0.0f, 0.0f, 0.0f})) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void GlDrawLayer::lineWidth(float value) {
    if (changes(width, {value, 0.0f, 0.0f, 0.0f})) glLineWidth(value);
}

// Everything gathered reaches GL, and GL's matrix is the layer's current one, for code that
// draws with GL directly.
void GlDrawLayer::flush() {
    drawBatch();
    loadGlMatrix(stack.back());
}
