#include "render/gl_draw_layer.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>

#include "render/shader_programs.h"
#include "render/smooth_lines.h"
#include "render/stroke_font.h"
#include "render/text_triangles.h"
#include "render/unit_disc.h"

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

// Whatever program the layer bound in its place, the interface program is bound again: code
// after the frame, and the next frame's first useProgram, find it current.
void GlDrawLayer::forgetGlState() {
    if (flatBound && program.known) glUseProgram(static_cast<unsigned>(program.value[0]));
    flatBound = false;
    for (Known* k : {&program, &blend, &width}) k->known = false;
    uniforms.forgetHeld();
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
    const std::array<float, 4> id = {static_cast<float>(value), 0.0f, 0.0f, 0.0f};
    if (program.same(id) && !flatBound) return;
    drawBatch();
    program.known = true;
    program.value = id;
    glUseProgram(value);
    flatBound = false;
    // Uniforms belong to the program.
    uniforms.forgetHeld();
    bindProgramForMode();
}

bool GlDrawLayer::flatDraws() const {
    return currentMode == 0 && program.known && where.flatProgram && *where.flatProgram != 0 &&
           location(where.flatColour) >= 0;
}

void GlDrawLayer::bindProgramForMode() {
    const bool flat = flatDraws();
    if (flat == flatBound) return;
    drawBatch();
    // The interface program holds mode 0 while the flat one draws in its place.
    if (flat && uniforms.stale(Uniform::Mode)) send(Uniform::Mode, uniforms.wanted(Uniform::Mode));
    glUseProgram(flat ? *where.flatProgram : static_cast<unsigned>(program.value[0]));
    flatBound = flat;
    if (flat) {
        const Rgba& c = currentColour;
        glVertexAttrib4f(static_cast<GLuint>(*where.flatColour), c[0], c[1], c[2], c[3]);
        return;
    }
    sendStale();
}

// While glows are summed, colour and METRICS belong to the sums; they reach the program when
// the sums are drawn.
void GlDrawLayer::setUniform(Uniform u, const UniformValue& value) {
    uniforms.want(u, value);
    if (flatBound || !uniforms.stale(u)) return;
    if (summingGlows() && (u == Uniform::Rgb || u == Uniform::Metrics)) return;
    drawBatch();
    send(u, value);
}

void GlDrawLayer::sendStale() {
    if (flatBound || !program.known) return;
    for (int u = 0; u < kUniformCount; ++u)
        send(static_cast<Uniform>(u), uniforms.wanted(static_cast<Uniform>(u)));
}

void GlDrawLayer::send(Uniform u, const UniformValue& v) {
    if (uniforms.holds(u, v)) return;
    switch (u) {
    case Uniform::Rgb:
        glUniform4f(location(where.rgb), v[0], v[1], v[2], v[3]);
        break;
    case Uniform::Mode:
        glUniform1i(location(where.mode), static_cast<GLint>(v[0]));
        break;
    case Uniform::Metrics:
        glUniform4f(location(where.metrics), v[0], v[1], v[2], v[3]);
        break;
    case Uniform::Stage:
        glUniform1i(location(where.stage), static_cast<GLint>(v[0]));
        break;
    case Uniform::Level:
        glUniform1f(location(where.level), v[0]);
        break;
    case Uniform::Height:
        glUniform1f(location(where.height), v[0]);
        break;
    }
    uniforms.sent(u, v);
}

// Batched draws take the colour per vertex; code that draws with GL directly finds it in the
// bound program's input at once: the flat program's current colour, or RGB.
void GlDrawLayer::colour(float red, float green, float blue, float alpha) {
    currentColour = {red, green, blue, alpha};
    setUniform(Uniform::Rgb, currentColour);
    if (flatBound)
        glVertexAttrib4f(static_cast<GLuint>(*where.flatColour), red, green, blue, alpha);
}

// Leaving mode 0 for the interface program's modes, or coming back, changes the program; the
// interface program is told its mode first, so it holds mode 0 while the flat one draws.
void GlDrawLayer::mode(int32_t value) {
    currentMode = value;
    setUniform(Uniform::Mode, {static_cast<float>(value), 0.0f, 0.0f, 0.0f});
    bindProgramForMode();
}

void GlDrawLayer::metrics(float x, float y, float z, float w) {
    setUniform(Uniform::Metrics, {x, y, z, w});
}

void GlDrawLayer::stage(int32_t value) {
    setUniform(Uniform::Stage, {static_cast<float>(value), 0.0f, 0.0f, 0.0f});
}

void GlDrawLayer::level(float value) {
    setUniform(Uniform::Level, {value, 0.0f, 0.0f, 0.0f});
}

void GlDrawLayer::height(float value) {
    setUniform(Uniform::Height, {value, 0.0f, 0.0f, 0.0f});
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

// Each summed shape in its own colour and METRICS; then the program gets the colour and
// METRICS last asked for, for the draws that follow.
void GlDrawLayer::drawGlows() {
    drawVertexBatch();
    for (const TintSum::Draw& glow : glows.draws()) {
        send(Uniform::Rgb, glow.colour);
        send(Uniform::Metrics, glow.shape.metrics);
        const int32_t n = static_cast<int32_t>(glow.shape.xy.size() / 2);
        batch.reset(batchClassOf(glow.shape.primitive));
        batchInObjectSpace = true;
        batchMatrix = glow.shape.matrix;
        batch.append(glow.shape.primitive, glow.shape.xy.data(), n, kAffineIdentity, glow.colour);
        drawVertexBatch();
    }
    glows.clear();
}

// After the batch, the program takes what was asked for meanwhile: colour and METRICS held
// back while glows were summed.
void GlDrawLayer::drawBatch() {
    if (!glows.empty()) drawGlows();
    drawVertexBatch();
    sendStale();
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

void GlDrawLayer::enableFlatColours(const float* rgba) {
    const GLuint colours = static_cast<GLuint>(*where.flatColour);
    glEnableVertexAttribArray(colours);
    glVertexAttribPointer(colours, 4, GL_FLOAT, GL_FALSE, 0, rgba);
}

// A draw from an array leaves the attribute's current value undefined.
void GlDrawLayer::disableFlatColours() {
    const GLuint colours = static_cast<GLuint>(*where.flatColour);
    glDisableVertexAttribArray(colours);
    const Rgba& c = currentColour;
    glVertexAttrib4f(colours, c[0], c[1], c[2], c[3]);
}

// Smoothed lines in window pixels go as triangles that the bound program fades at their edges;
// under the flat program each triangle takes its line's colour.
bool GlDrawLayer::drawSmoothLines() {
    if (batch.batchClass() != BatchClass::Lines || batchInObjectSpace ||
        !glIsEnabled(GL_LINE_SMOOTH))
        return false;
    lineQuads.clear();
    lineColours.clear();
    appendSmoothLineQuads(batch.data(), flatBound ? batch.colours() : nullptr, batch.vertexCount(),
                          smoothLineWidth(), lineQuads, lineColours);
    loadGlMatrix(kAffineIdentity);
    if (!lineQuads.empty()) {
        const GLsizei stride = 6 * sizeof(float);
        glVertexPointer(4, GL_FLOAT, stride, lineQuads.data());
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glTexCoordPointer(2, GL_FLOAT, stride, lineQuads.data() + 4);
        if (flatBound) enableFlatColours(lineColours.data());
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(lineQuads.size() / 6));
        handOn(static_cast<int32_t>(lineQuads.size() / 6));
        if (flatBound) disableFlatColours();
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    batch.reset(batch.batchClass());
    return true;
}

// The flat program takes each vertex's colour; the interface program's is in RGB.
void GlDrawLayer::drawVertexBatch() {
    if (batch.empty() || drawSmoothLines()) return;
    loadGlMatrix(batchInObjectSpace ? batchMatrix : kAffineIdentity);
    glVertexPointer(2, GL_FLOAT, 0, batch.data());
    if (flatBound) enableFlatColours(batch.colours());
    glDrawArrays(glPrimitive(batch.batchClass()), 0, batch.vertexCount());
    handOn(batch.vertexCount());
    if (flatBound) disableFlatColours();
    batch.reset(batch.batchClass());
}

// A software renderer rasterises what it was handed while the rest of the frame is built, so
// a frame of many vertices goes to it in parts instead of all at the end.
void GlDrawLayer::handOn(int32_t drawnVertices) {
    verticesSinceHandOn += drawnVertices;
    if (verticesSinceHandOn < kVerticesPerHandOn) return;
    glFlush();
    verticesSinceHandOn = 0;
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
    int32_t n = std::min(count, tableVertices);
    if (!xy || n <= 0) return;
    if (currentMode == 1 && primitive == Primitive::Triangles && isUnitDisc(xy, n)) {
        xy = kUnitDiscSquare;
        n = 6;
    }
    if (summingGlows()) {
        drawVertexBatch();
        glows.add(primitive, xy, n, stack.back(), uniforms.wanted(Uniform::Metrics),
                  uniforms.wanted(Uniform::Rgb));
        return;
    }
    prepareBatch(batchClassOf(primitive));
    batch.append(primitive, xy, n, batchInObjectSpace ? kAffineIdentity : stack.back(),
                 currentColour);
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
    batch.appendTriangles(textScratch, stack.back(), currentColour);
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
