// The block font's table, its measuring, the glyph-texture packing and the shader file reader.
#include "qxplatform/test_hooks.h"
#include "render/shader_programs.h"
#include "render/stroke_font.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <unistd.h>

namespace {

// The cells a glyph inks, found by sampling the centre of every cell of rows -1 to 5.
std::set<std::pair<int, int>> inkedCells(const GlyphRecord& g) {
    std::set<std::pair<int, int>> cells;
    auto inside = [](float px, float py, const float* t) {
        auto cross = [](float ax, float ay, float bx, float by, float cx, float cy) {
            return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
        };
        float d0 = cross(t[0], t[1], t[2], t[3], px, py);
        float d1 = cross(t[2], t[3], t[4], t[5], px, py);
        float d2 = cross(t[4], t[5], t[0], t[1], px, py);
        bool negative = d0 < 0 || d1 < 0 || d2 < 0;
        bool positive = d0 > 0 || d1 > 0 || d2 > 0;
        return !(negative && positive);
    };
    for (int y = -1; y <= 5; ++y)
        for (int x = -1; x <= 7; ++x)
            for (int i = 0; i + 6 <= g.floatCount; i += 6)
                if (inside(x + 0.5f, y + 0.5f, g.vertices + i)) cells.insert({x, y});
    return cells;
}

std::set<std::pair<int, int>> cellsOf(std::initializer_list<const char*> rows) {
    std::set<std::pair<int, int>> cells;
    int y = 0;
    for (const char* row : rows) {
        for (int x = 0; row[x]; ++x)
            if (row[x] == '#') cells.insert({x, y});
        ++y;
    }
    return cells;
}

TEST(BlockFont, GlyphsInkTheCellsOfTheirRows) {
    StrokeFont font;
    struct Case {
        char c;
        int advance;
        std::set<std::pair<int, int>> cells;
    };
    std::vector<Case> cases = {
        {'A', 5, cellsOf({".##.", "#..#", "####", "#..#", "#..#"})},
        {'B', 5, cellsOf({"###.", "#..#", "###.", "#..#", "###."})},
        {'M', 6, cellsOf({"#...#", "##.##", "#.#.#", "#...#", "#...#"})},
        {'W', 6, cellsOf({"#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."})},
        {'2', 5, cellsOf({".##.", "#..#", "..#.", ".#..", "####"})},
        {'=', 7, cellsOf({"......", ".####.", "......", ".####.", "......"})},
        {'0', 5, cellsOf({".##.", "#..#", "#..#", "#..#", ".##."})},
        {'k', 5, cellsOf({"#..#", "#.#.", "##..", "#.#.", "#..#"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.c));
        EXPECT_EQ(font.glyph(c.c).horizontalAdvance, c.advance);
        EXPECT_EQ(font.glyph(c.c).verticalAdvance, 6);
        EXPECT_EQ(inkedCells(font.glyph(c.c)), c.cells);
    }
}

TEST(BlockFont, InkBeyondTheBody) {
    StrokeFont font;
    auto q = cellsOf({".##.", "#..#", "#..#", "#..#", ".##."});
    q.insert({3, 5});
    EXPECT_EQ(inkedCells(font.glyph('Q')), q);
    EXPECT_EQ(inkedCells(font.glyph(',')), (std::set<std::pair<int, int>>{{0, 4}, {-1, 5}}));
    auto bar = inkedCells(font.glyph('|'));
    EXPECT_TRUE(bar.count({0, -1}) && bar.count({0, 5}));
}

TEST(BlockFont, EveryGlyphFitsItsVertexArray) {
    StrokeFont font;
    for (int c = 0; c < 128; ++c) {
        EXPECT_LE(font.glyphs[c].floatCount, 150) << c;
        EXPECT_EQ(font.glyphs[c].floatCount % 6, 0) << c;
    }
}

TEST(BlockFont, CharactersWithoutInkTakeNoRoomAndHighCodesAreSafe) {
    StrokeFont font;
    for (char c : std::string("#$%&*;?@^`~")) {
        EXPECT_EQ(font.glyph(c).horizontalAdvance, 0) << c;
        EXPECT_EQ(font.glyph(c).floatCount, 0) << c;
    }
    EXPECT_EQ(font.glyph(static_cast<char>(200)).horizontalAdvance, 0);
    EXPECT_EQ(font.textWidth("A\xC9"
                             "B",
                             1),
              10);
    EXPECT_EQ(font.glyph(' ').horizontalAdvance, 3);
    EXPECT_EQ(font.glyph(' ').verticalAdvance, 0);
}

TEST(BlockFont, MeasuresTheFirstNonEmptyLine) {
    StrokeFont font;
    struct Case {
        const char* text;
        int scale;
        int width;
    };
    const Case cases[] = {
        {"AB", 1, 10},        {"AB", 2, 20}, {"#?@", 1, 0},
        {" ", 1, 3},          {"", 1, 0},    {"\n\n", 1, 0},
        {"\n\nI\nWWW", 1, 2}, {"AB", 0, 0},  {"VELTRAMONDIS", 1, 57},
    };
    for (const Case& c : cases) EXPECT_EQ(font.textWidth(c.text, c.scale), c.width) << c.text;
}

TEST(BlockFont, AlignmentSettersSetBothModes) {
    StrokeFont font;
    font.alignCentre();
    EXPECT_EQ(font.horizontalMode, 1);
    EXPECT_EQ(font.verticalMode, -1);
    font.alignVerticalBottom();
    EXPECT_EQ(font.horizontalMode, -1);
    EXPECT_EQ(font.verticalMode, 2);
    StrokeFont copy = font;
    EXPECT_EQ(copy.horizontalMode, -1);
    EXPECT_EQ(copy.glyph('A').floatCount, font.glyph('A').floatCount);
}

TEST(GlyphTextures, SizesArePowersOfTwoAndBytesArePairs) {
    EXPECT_EQ(nextPowerOfTwo(0), 1);
    EXPECT_EQ(nextPowerOfTwo(1), 1);
    EXPECT_EQ(nextPowerOfTwo(9), 16);
    EXPECT_EQ(nextPowerOfTwo(13), 16);
    EXPECT_EQ(nextPowerOfTwo(16), 16);
    // A 3 x 2 bitmap with a row pitch of 4 into a 4 x 2 texture.
    const unsigned char bitmap[] = {1, 2, 3, 99, 4, 5, 6, 99};
    unsigned char pairs[16];
    packGlyphBitmap(bitmap, 3, 2, 4, 4, 2, pairs);
    const unsigned char expected[] = {1, 1, 2, 2, 3, 3, 0, 0, 4, 4, 5, 5, 6, 6, 0, 0};
    EXPECT_EQ(std::string(pairs, pairs + 16), std::string(expected, expected + 16));
    unsigned char empty[2] = {7, 7};
    packGlyphBitmap(nullptr, 0, 0, 0, 1, 1, empty);
    EXPECT_EQ(empty[0], 0);
    EXPECT_EQ(empty[1], 0);
}

TEST(GlyphTextures, MissingFontsAreReportedWithTheirTexts) {
    qxplatform::setMessageBoxesQuiet(true);
    qxplatform::clearMessageBoxes();
    StrokeFont font;
    font.loadFace("", 14.0f, 14.0f, 2.0f / 1376, 2.0f / 800, 0);
    font.loadFace("/no/such/font.ttf", 14.0f, 14.0f, 2.0f / 1376, 2.0f / 800, 0);
    auto boxes = qxplatform::recentMessageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].caption, "Ah, yeh, now ... that's not good.");
    EXPECT_EQ(boxes[0].text.rfind("FreeType Could not locate the desired font.\n\n", 0), 0u);
    EXPECT_EQ(boxes[0].text.substr(boxes[0].text.size() - 38),
              "If in-doubt consult the plugin vendor.");
    EXPECT_EQ(boxes[1].text.rfind("FreeType Could not open the desired font.", 0), 0u);
    EXPECT_NE(boxes[1].text.find("the missing font is : \n\n/no/such/font.ttf"), std::string::npos);
    EXPECT_EQ(font.fontPath, "/no/such/font.ttf");
}

TEST(ShaderFiles, ReadWholeWithoutAddingOrDroppingCharacters) {
    char folder[] = "/tmp/qx_shaderXXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::string path = std::string(folder) + "/a.vert";
    std::string empty = std::string(folder) + "/empty.vert";
    FILE* f = std::fopen(path.c_str(), "w");
    std::fputs("abc", f);
    std::fclose(f);
    std::fclose(std::fopen(empty.c_str(), "w"));
    char* text = readShaderFile(std::u16string(path.begin(), path.end()));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "abc");
    delete[] text;
    text = readShaderFile(std::u16string(empty.begin(), empty.end()));
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text, "");
    delete[] text;

    qxplatform::setMessageBoxesQuiet(true);
    qxplatform::clearMessageBoxes();
    std::string missing = std::string(folder) + "/missing.frag";
    EXPECT_EQ(readShaderFile(std::u16string(missing.begin(), missing.end())), nullptr);
    auto boxes = qxplatform::recentMessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "ERROR");
    EXPECT_EQ(boxes[0].text, "Can't open file '" + missing + "' for reading\n");
    std::remove(path.c_str());
    std::remove(empty.c_str());
    rmdir(folder);
}

} // namespace
