// Where the MATRIX page's parts stand. The page is placed at (pageGridX, pageGridY); its grid of
// cells starts kMatrixGridInset pixels further right and down, each cell kMatrixCellSize pixels
// square. A click is read as the cell (column, row) under it; the columns left of the grid
// (negative) and right of it hold the rows' switches, names, channel markers and pick boxes.
#pragma once

#include <cstdint>

constexpr int32_t kMatrixGridInset = 67;
constexpr int32_t kMatrixCellSize = 9;
constexpr int32_t kMatrixGridEnd = kMatrixGridInset + 64 * kMatrixCellSize; // past the last cell

// A closed range of columns (or of pixels, where said).
struct MatrixSpan {
    int32_t first, last;
    bool holds(int32_t v) const { return v >= first && v <= last; }
};

constexpr MatrixSpan kMatrixSourceSwitchColumns{-9, 0};
constexpr MatrixSpan kMatrixSourceNamePixels{-76, -23}; // from the grid's left edge
constexpr MatrixSpan kMatrixTargetNameColumns{69, 76};
constexpr int32_t kMatrixInputMarkerColumn = -27;
constexpr MatrixSpan kMatrixOutputMarkerColumns{94, 95};

// The halves of a virtual-channel reassignment.
constexpr MatrixSpan kMatrixSourcePickColumns{-12, -7};
constexpr MatrixSpan kMatrixInputChannelPickColumns{-26, -24};
constexpr MatrixSpan kMatrixOutputChannelPickColumns{91, 93};
constexpr MatrixSpan kMatrixTargetPickColumns{75, 77};

// The left edges of the name entries, in pixels from the page's origin.
constexpr int32_t kMatrixSourceNameEntryX = 12;
constexpr int32_t kMatrixTargetNameEntryX = 725;
