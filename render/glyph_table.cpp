// The block font's glyph table: each glyph as its five body rows ("#" inked), cells beyond
// the body, and triangles, all in the final grid (x right, y down). Runs of cells become one
// rectangle, by rows or by columns, whichever takes fewer vertices.
#include "render/stroke_font.h"

#include <cstring>
#include <vector>

namespace {

struct Cell {
    int x, y;
};
struct Triangle {
    float x0, y0, x1, y1, x2, y2;
};
struct GlyphSource {
    char code;
    int advance;
    const char* rows[5];
    std::vector<Cell> extraCells;
    std::vector<Triangle> triangles;
};

const std::vector<GlyphSource>& glyphSources() {
    static const std::vector<GlyphSource> sources = {
        {' ', 3, {"", "", "", "", ""}, {}, {}},
        {'!', 2, {"#", "#", "#", ".", "."}, {}, {{0, 4, 1, 4, 1, 5}}},
        {'"', 4, {"#.#", "#.#", "...", "...", "..."}, {}, {}},
        {'\'', 2, {"#", "#", ".", ".", "."}, {}, {}},
        {'(', 3, {"..", "#.", "#.", "#.", ".."}, {}, {{1, 0, 2, 0, 2, 1}, {1, 5, 2, 4, 2, 5}}},
        {')', 3, {"..", ".#", ".#", ".#", ".."}, {}, {{0, 0, 1, 0, 1, 1}, {0, 5, 1, 4, 1, 5}}},
        {'+', 4, {"...", ".#.", "###", ".#.", "..."}, {}, {}},
        {',', 2, {".", ".", ".", ".", "#"}, {{-1, 5}}, {}},
        {'-', 4, {"...", "...", "###", "...", "..."}, {}, {}},
        {'.', 2, {".", ".", ".", ".", "#"}, {}, {}},
        {'/', 6, {"....#", "...#.", "..#..", ".#...", "#...."}, {}, {}},
        {'2', 5, {".##.", "#..#", "..#.", ".#..", "####"}, {}, {}},
        {'3', 5, {".##.", "#..#", "..#.", "#..#", ".##."}, {}, {}},
        {'4', 4, {"#.#", "#.#", "###", "..#", "..#"}, {}, {}},
        {'5', 4, {"###", "#..", "###", "..#", "###"}, {}, {}},
        {'6', 4, {"###", "#..", "###", "#.#", "###"}, {}, {}},
        {'7', 4, {"###", "..#", "..#", "..#", "..#"}, {}, {}},
        {'8', 5, {".##.", "#..#", ".##.", "#..#", ".##."}, {}, {}},
        {'9', 4, {"###", "#.#", "###", "..#", "###"}, {}, {}},
        {':', 2, {".", "#", ".", "#", "."}, {}, {}},
        {'<', 4, {"..#", ".#.", "#..", ".#.", "..#"}, {}, {}},
        {'=', 7, {"......", ".####.", "......", ".####.", "......"}, {}, {}},
        {'>', 4, {"#..", ".#.", "..#", ".#.", "#.."}, {}, {}},
        {'A', 5, {".##.", "#..#", "####", "#..#", "#..#"}, {}, {}},
        {'B', 5, {"###.", "#..#", "###.", "#..#", "###."}, {}, {}},
        {'C', 5, {".##.", "#..#", "#...", "#..#", ".##."}, {}, {}},
        {'D', 5, {"###.", "#..#", "#..#", "#..#", "###."}, {}, {}},
        {'E', 4, {"###", "#..", "##.", "#..", "###"}, {}, {}},
        {'F', 4, {"###", "#..", "##.", "#..", "#.."}, {}, {}},
        {'G', 5, {".###", "#...", "#.##", "#..#", ".##."}, {}, {}},
        {'H', 5, {"#..#", "#..#", "####", "#..#", "#..#"}, {}, {}},
        {'I', 2, {"#", "#", "#", "#", "#"}, {}, {}},
        {'J', 5, {"...#", "...#", "...#", "#..#", ".##."}, {}, {}},
        {'K', 5, {"#..#", "#.#.", "##..", "#.#.", "#..#"}, {}, {}},
        {'L', 4, {"#..", "#..", "#..", "#..", "###"}, {}, {}},
        {'M', 6, {"#...#", "##.##", "#.#.#", "#...#", "#...#"}, {}, {}},
        {'N', 6, {"#...#", "##..#", "#.#.#", "#..##", "#...#"}, {}, {}},
        {'O', 5, {".##.", "#..#", "#..#", "#..#", ".##."}, {}, {}},
        {'P', 5, {"###.", "#..#", "###.", "#...", "#..."}, {}, {}},
        {'Q', 5, {".##.", "#..#", "#..#", "#..#", ".##."}, {{3, 5}}, {}},
        {'R', 5, {"###.", "#..#", "###.", "#.#.", "#..#"}, {}, {}},
        {'S', 5, {".###", "#...", ".##.", "...#", "###."}, {}, {}},
        {'T', 4, {"###", ".#.", ".#.", ".#.", ".#."}, {}, {}},
        {'U', 5, {"#..#", "#..#", "#..#", "#..#", ".##."}, {}, {}},
        {'V', 6, {"#...#", "##.##", ".#.#.", ".#.#.", "..#.."}, {}, {}},
        {'W', 6, {"#...#", "#.#.#", "#.#.#", "#.#.#", ".#.#."}, {}, {}},
        {'X', 6, {"#...#", ".#.#.", "..#..", ".#.#.", "#...#"}, {}, {}},
        {'Y', 6, {"#...#", ".#.#.", "..#..", "..#..", "..#.."}, {}, {}},
        {'Z', 5, {"####", "...#", "..#.", ".#..", "####"}, {}, {}},
        {'[', 3, {"#.", "#.", "#.", "#.", "#."}, {}, {{2, 0, 2, 1, 0, 0}, {2, 4, 2, 5, 0, 5}}},
        {'\\', 6, {"#....", ".#...", "..#..", "...#.", "....#"}, {}, {}},
        {']', 3, {".#", ".#", ".#", ".#", ".#"}, {}, {{0, 1, 0, 0, 2, 0}, {0, 5, 0, 4, 2, 5}}},
        {'_', 5, {"....", "....", "....", "....", "####"}, {}, {}},
        {'{',
         4,
         {"", "", "", "", ""},
         {},
         {{1, 2, 1, 0, 3, 1},
          {3, 1, 3, 0, 1, 1},
          {1, 5, 1, 3, 3, 4},
          {3, 5, 2, 3, 1, 5},
          {0, 3, 1, 2, 1, 3}}},
        {'|', 2, {"#", "#", "#", "#", "#"}, {{0, -1}, {0, 5}}, {}},
        {'}',
         4,
         {"", "", "", "", ""},
         {},
         {{2, 2, 2, 0, 0, 1},
          {0, 1, 0, 0, 2, 1},
          {2, 5, 2, 3, 0, 4},
          {0, 5, 1, 3, 2, 5},
          {2, 3, 3, 2, 3, 3}}},
    };
    return sources;
}

struct Rect {
    int x0, y0, x1, y1;
};

bool inked(const GlyphSource& g, int x, int y) {
    if (y < 0 || y > 4) return false;
    const char* row = g.rows[y];
    return x >= 0 && x < static_cast<int>(std::strlen(row)) && row[x] == '#';
}

std::vector<Rect> runs(const GlyphSource& g, bool byRows) {
    std::vector<Rect> out;
    const int width = g.advance;
    const int outer = byRows ? 5 : width;
    const int inner = byRows ? width : 5;
    for (int o = 0; o < outer; ++o) {
        int start = -1;
        for (int i = 0; i <= inner; ++i) {
            const bool on = i < inner && (byRows ? inked(g, i, o) : inked(g, o, i));
            if (on && start < 0) start = i;
            if (!on && start >= 0) {
                out.push_back(byRows ? Rect{start, o, i, o + 1} : Rect{o, start, o + 1, i});
                start = -1;
            }
        }
    }
    return out;
}

void addTriangle(GlyphRecord& r, float x0, float y0, float x1, float y1, float x2, float y2) {
    if (r.floatCount + 6 > 150) return;
    float* v = r.vertices + r.floatCount;
    v[0] = x0, v[1] = y0, v[2] = x1, v[3] = y1, v[4] = x2, v[5] = y2;
    r.floatCount += 6;
}

void addRect(GlyphRecord& r, const Rect& q) {
    const float x0 = static_cast<float>(q.x0), y0 = static_cast<float>(q.y0);
    const float x1 = static_cast<float>(q.x1), y1 = static_cast<float>(q.y1);
    addTriangle(r, x0, y0, x1, y0, x1, y1);
    addTriangle(r, x1, y1, x0, y1, x0, y0);
}

} // namespace

void StrokeFont::buildGlyphs() {
    for (GlyphRecord& g : glyphs) g = GlyphRecord{};
    for (const GlyphSource& source : glyphSources()) {
        GlyphRecord& r = glyphs[static_cast<unsigned char>(source.code)];
        r.horizontalAdvance = source.advance;
        std::vector<Rect> byRows = runs(source, true);
        std::vector<Rect> byColumns = runs(source, false);
        for (const Rect& q : byColumns.size() < byRows.size() ? byColumns : byRows) addRect(r, q);
        for (const Cell& c : source.extraCells) addRect(r, Rect{c.x, c.y, c.x + 1, c.y + 1});
        for (const Triangle& t : source.triangles)
            addTriangle(r, t.x0, t.y0, t.x1, t.y1, t.x2, t.y2);
    }
    glyphs['0'] = glyphs['O'];
    glyphs['1'] = glyphs['I'];
    for (char c = 'a'; c <= 'z'; ++c) glyphs[static_cast<int>(c)] = glyphs[c - 'a' + 'A'];
    for (GlyphRecord& g : glyphs) g.verticalAdvance = g.floatCount > 0 ? 6 : 0;
}

void StrokeFont::flipGlyphs() {
    for (GlyphRecord& g : glyphs) {
        for (int i = 1; i < g.floatCount; i += 2) g.vertices[i] = 5.0f - g.vertices[i];
        g.verticalAdvance = g.floatCount > 0 ? 6 : 0;
    }
}
