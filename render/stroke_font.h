// The text renderer: a built-in block font of filled unit cells drawn as GL triangles in the
// current colour, and the glyph textures of the system font rendered through FreeType.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

struct FT_LibraryRec_;
struct FT_FaceRec_;
struct FT_GlyphSlotRec_;

// One glyph of the block font: GL_TRIANGLES vertices in grid units, x right and y down from
// the glyph origin; rows 0 to 4 are the body.
struct GlyphRecord {
    int32_t verticalAdvance = 0;
    int32_t horizontalAdvance = 0;
    int32_t floatCount = 0;
    float vertices[150] = {};
};

// The text program and its locations, as the font and the object keep them.
struct TextShaderBinding {
    int32_t program = 0;
    int32_t texLocation = -1;
    int32_t colorLocation = -1;
    int32_t coordLocation = -1;

    void bind(int32_t textProgram);
};

class StrokeFont {
public:
    static constexpr int kGlyphs = 128;
    static constexpr int kLinePitch = 7;

    StrokeFont();

    void buildGlyphs();
    // Turns every glyph over (y := 5 - y). The table is written top-down already, so the
    // build does not call it.
    void flipGlyphs();

    void alignLeft() { setModes(0, -1); }
    void alignCentre() { setModes(1, -1); }
    void alignRight() { setModes(2, -1); }
    void alignVerticalCentre() { setModes(-1, 1); }
    void alignVerticalBottom() { setModes(-1, 2); }
    void setModes(int32_t horizontal, int32_t vertical) {
        horizontalMode = horizontal;
        verticalMode = vertical;
    }

    // Draws text anchored at pixel (x, y) on the current matrix, which it leaves as it found
    // it. Scale 0 counts as 1.
    void drawText(const char* text, int32_t scale, float x, float y) const;
    void drawTextUnscaled(const char* text, float x, float y) const { drawText(text, 1, x, y); }
    // Width in pixels of the first non-empty line, the last spacing column included.
    int32_t textWidth(const char* text, int32_t scale) const;

    // The glyph of a character; codes outside 0..127 are a glyph without ink or room.
    const GlyphRecord& glyph(char c) const;

    // ---- FreeType glyph textures -------------------------------------------------------
    void loadFace(std::string path, float pixelSize, float secondSize, float scaleX, float scaleY,
                  int32_t textProgram);
    void buildGlyphTextures();
    void rebuildGlyphTexture(signed char character, int32_t textureIndex);
    void release();

    std::string fontPath;
    int32_t horizontalMode = 0;
    int32_t verticalMode = 0;
    GlyphRecord glyphs[kGlyphs];

    float pixelSize = 14.0f;
    float secondSize = 14.0f;
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
    FT_GlyphSlotRec_* glyphSlot = nullptr;
    float textureQuad[kGlyphs][4] = {};
    float advanceX[kGlyphs] = {};
    float advanceY[kGlyphs] = {};
    float usedWidth[kGlyphs] = {};
    float usedHeight[kGlyphs] = {};
    TextShaderBinding textBinding;
    // Copies share the texture names (a copy duplicates the list's owner, not the list).
    std::shared_ptr<unsigned[]> textureNames;
    float scaleX = 0.0f;
    float scaleY = 0.0f;

private:
    void storeGlyphTexture(int32_t code, int32_t textureIndex);
};

// Power-of-two texture sizes and the luminance-alpha pairs of one glyph bitmap: exposed so the
// packing can be checked without a GL context.
int32_t nextPowerOfTwo(int32_t value);
void packGlyphBitmap(const unsigned char* bitmap, int32_t width, int32_t rows, int32_t pitch,
                     int32_t textureWidth, int32_t textureHeight, unsigned char* pairs);

// Narrow text to 16-bit wide text, byte by byte, as message boxes take it.
void widenMessageText(std::u16string& wide, const std::string& text);
