// The system font's glyphs rendered through FreeType into one texture per character. No
// drawing samples them; they are built at start-up as the text program's companions.
#include "render/stroke_font.h"

#include <GL/glew.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <vector>

#include "qxplatform/wgl.h"

namespace {

const char* const kFontNotLocated =
    "FreeType Could not locate the desired font.\n\nPlugin will likely crash.\n\nShelter "
    "somewhere and then try again once you've installed the plugin's required fonts.\n\nIf "
    "in-doubt consult the plugin vendor.";
const char* const kFontNotOpened =
    "FreeType Could not open the desired font.\n\nPlugin will likely crash.\n\nShelter "
    "somewhere and then try again once you've installed the plugin's required fonts.\n\nIf "
    "in-doubt consult the plugin vendor - the missing font is : \n\n";

} // namespace

int32_t nextPowerOfTwo(int32_t value) {
    int32_t p = 1;
    while (p < value) p <<= 1;
    return p;
}

void packGlyphBitmap(const unsigned char* bitmap, int32_t width, int32_t rows, int32_t pitch,
                     int32_t textureWidth, int32_t textureHeight, unsigned char* pairs) {
    for (int32_t j = 0; j < textureHeight; ++j) {
        for (int32_t i = 0; i < textureWidth; ++i) {
            const unsigned char v = (i < width && j < rows && bitmap) ? bitmap[i + j * pitch] : 0;
            pairs[2 * (i + j * textureWidth)] = v;
            pairs[2 * (i + j * textureWidth) + 1] = v;
        }
    }
}

void widenMessageText(std::u16string& wide, const std::string& text) {
    wide.clear();
    for (unsigned char c : text) wide += static_cast<char16_t>(c);
}

void TextShaderBinding::bind(int32_t textProgram) {
    program = textProgram;
    texLocation = glGetUniformLocation(static_cast<GLuint>(program), "tex");
    coordLocation = glGetAttribLocation(static_cast<GLuint>(program), "coord");
    colorLocation = glGetUniformLocation(static_cast<GLuint>(program), "color");
}

void StrokeFont::loadFace(std::string path, float size, float second, float sx, float sy,
                          int32_t textProgram) {
    fontPath = std::move(path);
    pixelSize = size;
    secondSize = second;
    scaleX = sx;
    scaleY = sy;
    FT_Library lib = nullptr;
    FT_Face opened = nullptr;
    bool ok = FT_Init_FreeType(&lib) == 0;
    library = lib;
    if (ok) ok = FT_New_Face(lib, fontPath.c_str(), 0, &opened) == 0;
    if (!ok) {
        std::string text = fontPath.empty() ? std::string(kFontNotLocated) + fontPath
                                            : std::string(kFontNotOpened) + fontPath;
        std::u16string wide;
        widenMessageText(wide, text);
        MessageBoxW(nullptr, wide.c_str(), u"Ah, yeh, now ... that's not good.",
                    MB_ICONEXCLAMATION);
        if (lib) FT_Done_FreeType(lib);
        library = nullptr;
        return;
    }
    face = opened;
    FT_Set_Pixel_Sizes(opened, 0, static_cast<FT_UInt>(pixelSize));
    glyphSlot = opened->glyph;
    buildGlyphTextures();
    textBinding.bind(textProgram);
}

void StrokeFont::buildGlyphTextures() {
    if (!face) return;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    textureNames = std::shared_ptr<unsigned[]>(new unsigned[kGlyphs]());
    glGenTextures(kGlyphs, textureNames.get());
    // Rows of one-pixel-wide bitmaps are not 4-byte aligned.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int32_t c = 0; c < kGlyphs; ++c) storeGlyphTexture(c, c);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    face = nullptr;
    library = nullptr;
    glyphSlot = nullptr;
}

void StrokeFont::rebuildGlyphTexture(signed char character, int32_t textureIndex) {
    if (!face || !textureNames || textureIndex < 0 || textureIndex >= kGlyphs) return;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    storeGlyphTexture(character, textureIndex);
}

void StrokeFont::storeGlyphTexture(int32_t code, int32_t index) {
    FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER);
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    glBindTexture(GL_TEXTURE_2D, textureNames[index]);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const int32_t width = static_cast<int32_t>(bitmap.width);
    const int32_t rows = static_cast<int32_t>(bitmap.rows);
    const int32_t tw = nextPowerOfTwo(width);
    const int32_t th = nextPowerOfTwo(rows);
    std::vector<unsigned char> pairs(static_cast<size_t>(tw) * th * 2);
    packGlyphBitmap(bitmap.buffer, width, rows, bitmap.pitch, tw, th, pairs.data());
    glTexImage2D(GL_TEXTURE_2D, 0, GL_ALPHA, tw, th, 0, GL_LUMINANCE_ALPHA, GL_UNSIGNED_BYTE,
                 pairs.data());
    const int32_t slot = code >= 0 && code < kGlyphs ? index : 0;
    textureQuad[slot][0] = static_cast<float>(face->glyph->bitmap_left) * scaleX;
    textureQuad[slot][1] = static_cast<float>(face->glyph->bitmap_top) * scaleY;
    textureQuad[slot][2] = static_cast<float>(tw) * scaleX;
    textureQuad[slot][3] = static_cast<float>(th) * scaleY;
    advanceX[slot] = static_cast<float>(face->glyph->advance.x >> 6) * scaleX;
    advanceY[slot] = static_cast<float>(face->glyph->advance.y >> 6) * scaleY;
    usedWidth[slot] = static_cast<float>(width) / static_cast<float>(tw);
    usedHeight[slot] = static_cast<float>(rows) / static_cast<float>(th);
}

void StrokeFont::release() {
    // Every copy shares the names: once deleted they are zeroed, so a later release of
    // another copy deletes nothing that a newer texture may have been given.
    if (textureNames && wglGetCurrentContext()) {
        glDeleteTextures(kGlyphs, textureNames.get());
        for (int32_t i = 0; i < kGlyphs; ++i) textureNames[i] = 0;
    }
    fontPath.clear();
}
