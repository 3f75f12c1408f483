#include "render/text_triangles.h"

#include "render/stroke_font.h"

namespace {

struct Pen {
    const StrokeFont& font;
    float s;
    float x;
    float y;
    std::vector<float>& out;

    // One glyph with its origin at (gx, gy) in glyph units: its whole triangles, as GL draws
    // them.
    void glyph(const GlyphRecord& g, int32_t gx, int32_t gy) const {
        const int32_t floats = g.floatCount / 6 * 6;
        for (int32_t i = 0; i < floats; i += 2) {
            out.push_back(x + s * (static_cast<float>(gx) + g.vertices[i]));
            out.push_back(y + s * (static_cast<float>(gy) + g.vertices[i + 1]));
        }
    }

    // One line whose top left is (left, top); returns where the next line starts.
    int32_t line(const char* begin, const char* end, int32_t top) const {
        int32_t width = 0;
        int32_t height = 0;
        for (const char* p = begin; p != end; ++p) {
            width += font.glyph(*p).horizontalAdvance;
            height += font.glyph(*p).verticalAdvance;
        }
        int32_t offset = 0;
        if (font.horizontalMode == 1) offset = static_cast<int32_t>((width - 1) * -0.5);
        if (font.horizontalMode == 2) offset = 1 - width;
        if (font.horizontalMode != -1) {
            int32_t at = offset;
            for (const char* p = begin; p != end; ++p) {
                glyph(font.glyph(*p), at, top);
                at += font.glyph(*p).horizontalAdvance;
            }
            return top + StrokeFont::kLinePitch;
        }
        if (font.verticalMode == 0 || font.verticalMode == 2) {
            int32_t at = top + (font.verticalMode == 2 ? -height : 0);
            for (const char* p = begin; p != end; ++p) {
                glyph(font.glyph(*p), 0, at);
                at += font.glyph(*p).verticalAdvance;
            }
            return top + StrokeFont::kLinePitch;
        }
        return top;
    }
};

} // namespace

void appendTextTriangles(const StrokeFont& font, const char* text, int32_t scale, float x, float y,
                         std::vector<float>& out) {
    if (!text) return;
    const Pen pen{font, static_cast<float>(scale == 0 ? 1 : scale), x, y, out};
    int32_t top = 0;
    // Runs of newlines, and leading or trailing ones, give no line.
    const char* begin = text;
    for (const char* p = text;; ++p) {
        if (*p == '\n' || *p == '\0') {
            if (p != begin) top = pen.line(begin, p, top);
            if (*p == '\0') break;
            begin = p + 1;
        }
    }
}
