#include "render/stroke_font.h"

#include <GL/glew.h>

#include <vector>

namespace {

const GlyphRecord& emptyGlyph() {
    static const GlyphRecord empty;
    return empty;
}

// The text's lines; runs of newlines and leading or trailing newlines give no line.
std::vector<std::string> splitLines(const char* text) {
    std::vector<std::string> lines;
    std::string current;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n') {
            if (!current.empty()) lines.push_back(current);
            current.clear();
        } else {
            current += *p;
        }
    }
    if (!current.empty()) lines.push_back(current);
    return lines;
}

} // namespace

StrokeFont::StrokeFont() {
    buildGlyphs();
}

const GlyphRecord& StrokeFont::glyph(char c) const {
    const int code = static_cast<signed char>(c);
    return code >= 0 && code < kGlyphs ? glyphs[code] : emptyGlyph();
}

int32_t StrokeFont::textWidth(const char* text, int32_t scale) const {
    if (!text) return 0;
    std::vector<std::string> lines = splitLines(text);
    if (lines.empty()) return 0;
    int32_t width = 0;
    for (char c : lines[0]) width += glyph(c).horizontalAdvance;
    return width * scale;
}

void StrokeFont::drawText(const char* text, int32_t scale, float x, float y) const {
    if (!text) return;
    const float s = static_cast<float>(scale == 0 ? 1 : scale);
    std::vector<std::string> lines = splitLines(text);
    // The matrix is saved and restored whole, so the caller's transform comes back exactly
    // whatever the modes did.
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(s, s, 1.0f);
    for (const std::string& line : lines) {
        int32_t width = 0;
        int32_t height = 0;
        for (char c : line) {
            width += glyph(c).horizontalAdvance;
            height += glyph(c).verticalAdvance;
        }
        float offset = 0.0f;
        if (horizontalMode == 1)
            offset = static_cast<float>(static_cast<int32_t>((width - 1) * -0.5));
        if (horizontalMode == 2) offset = static_cast<float>(1 - width);
        glTranslatef(offset, 0.0f, 0.0f);
        if (horizontalMode != -1) {
            for (char c : line) {
                const GlyphRecord& g = glyph(c);
                if (g.floatCount > 0) {
                    glVertexPointer(2, GL_FLOAT, 0, g.vertices);
                    glDrawArrays(GL_TRIANGLES, 0, g.floatCount / 2);
                }
                glTranslatef(static_cast<float>(g.horizontalAdvance), 0.0f, 0.0f);
            }
            glTranslatef(static_cast<float>(-width), static_cast<float>(kLinePitch), 0.0f);
        } else if (verticalMode == 0 || verticalMode == 2) {
            const float start = verticalMode == 2 ? static_cast<float>(-height) : 0.0f;
            glTranslatef(0.0f, start, 0.0f);
            for (char c : line) {
                const GlyphRecord& g = glyph(c);
                if (g.floatCount > 0) {
                    glVertexPointer(2, GL_FLOAT, 0, g.vertices);
                    glDrawArrays(GL_TRIANGLES, 0, g.floatCount / 2);
                }
                glTranslatef(0.0f, static_cast<float>(g.verticalAdvance), 0.0f);
            }
            glTranslatef(0.0f, static_cast<float>(kLinePitch - height) - start, 0.0f);
        }
        glTranslatef(-offset, 0.0f, 0.0f);
    }
    glPopMatrix();
}
