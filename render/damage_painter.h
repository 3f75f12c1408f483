// Paints only what changed. Design:
// - The screens compose every frame as before, into a FrameRecord in place of the GL layer.
//   The record hashes each part of each draw into the damage tiles (16-pixel squares); a tile
//   whose ordered hashes differ from the frame before is damaged. A still frame costs little:
//   a vertex table drawn again unchanged right after (the disc under every glow) is not copied
//   or hashed again,
//   and the leading draws equal to the frame before's are taken over in one piece, their tiles
//   from a copy kept where that run ended the frame before.
// - The kept image is the window's back buffer: in this mode it is never swapped, the damaged
//   rectangles are copied to the window (the platform's partial present), so the back buffer
//   always holds the last frame.
// - A damaged frame replays only the draws (and of long draws, the parts) that touch a damaged
//   tile, in a few passes each cut to the damage of one part of the window, and masked to the
//   damaged tiles by the depth buffer: every draw lands at depth 0.5 under a less-or-equal test, so
//   a depth of 0 outside the damage stops it there, and the frame's clear becomes a clear of colour
//   and depth 1 inside each damaged rectangle. The pixels inside are those of a full repaint: the
//   same draws, in the same order, in the same state; the draws left out touch none of them.
//   Where every pass's rectangle is all damage (the usual idle frame), the scissors alone bound
//   it and the mask is left as it is. The replay sends only the state the kept draws are drawn
//   in, not every change of state between the draws it leaves out.
// - A whole repaint (every draw, nothing masked) is made for the first frame, a new size,
//   surface or page, lost window contents, a frame that draws before it clears, and when the
//   damage covers more than `wholeShare` of the window.
// - Moving parts over still ones: when the first draw that changes is the same two frames
//   running (the cable dots move every tick, after the cables) and the draws before it are
//   many (kKeptVertices), a whole repaint keeps a copy
//   of the picture as it stood before that draw. While the draws before it stay the same, a
//   damaged frame puts that copy back in place of the clear and draws only from that draw on:
//   the still layers under the moving parts are not drawn again.
// - Nothing changed: nothing is drawn and nothing presented.
#pragma once

#include <cstdint>
#include <vector>

#include "render/damage_tiles.h"
#include "render/frame_record.h"
#include "render/kept_picture.h"

// On unless the environment's QX_DAMAGE_PAINTING is "0" (for tests and measurements).
bool damagePaintingByDefault();

// What a frame is drawn on and for: a change of any of it repaints the whole window.
struct PaintSurface {
    uintptr_t context = 0; // the GL context (a new one holds no image)
    int32_t width = 0, height = 0;
    int32_t page = 0;
    uint32_t exposures = 0; // times the window's shown contents were lost
    bool operator!=(const PaintSurface& o) const {
        return context != o.context || width != o.width || height != o.height || page != o.page ||
               exposures != o.exposures;
    }
};

struct PaintStats {
    uint64_t frames = 0, wholeFrames = 0, partialFrames = 0, unchangedFrames = 0;
    // Partial frames drawn over the kept picture of the still draws before the changes, and
    // those whose damage filled each pass's rectangle (drawn without the depth mask), and of
    // these the ones drawn over the mask a masked frame left (their rectangles add to it).
    uint64_t framesOverKeptPicture = 0, framesWithoutMask = 0, unmaskedAfterMasked = 0;
    double lastDamagedShare = 0.0;
    size_t lastDraws = 0, lastDrawsReplayed = 0;
};

class DamagePainter {
public:
    // The share of the window above which a whole repaint is cheaper than a masked one.
    static constexpr double kWholeShare = 0.6;
    // Up to this many damaged rectangles are cleared one by one, more in one draw.
    static constexpr size_t kFewRects = 16;
    // The still draws are kept as a picture when they hold at least this many vertices: fewer
    // are drawn again faster than the picture is put back.
    static constexpr size_t kKeptVertices = 20000;

    // Starts a frame on this surface: the screens draw into the returned layer.
    DrawLayer& begin(const PaintSurface& surface);
    // Draws the frame into the current GL context's back buffer through `gl` and returns the
    // rectangles to present (window pixels, origin top left; they hold every changed pixel);
    // empty when nothing changed.
    std::vector<PixelRect> paint(DrawLayer& gl);
    // Draws the last frame again, whole, and returns the window's rectangle to present: what
    // a full repaint of the same frame shows.
    std::vector<PixelRect> repaintLastFrame(DrawLayer& gl);
    // The back buffer no longer holds the last frame (swapped, or drawn by someone else): the
    // next frame is whole.
    void forget();

    const PaintStats& stats() const { return counts; }

private:
    std::vector<PixelRect> paintWhole(DrawLayer& gl, bool keepStill);
    void maskToDamage();
    void clearDamage(const std::vector<PixelRect>& rects, const DamageArea& area, bool kept);
    void noteDepthNotZero(const std::vector<PixelRect>& rects, bool masked);
    enum class Fill { DepthOnly, ClearColour, KeptPicture };
    void fillRects(const std::vector<PixelRect>& rects, const PixelRect* within, float depth,
                   Fill fill);
    // How many leading draws of this frame the kept picture shows (0: it cannot be used).
    size_t keptDrawsUsable() const;

    FrameRecord record;
    DamageTiles tiles;
    PaintSurface surface, lastSurface;
    bool keptImage = false;
    // With maskReady, depth is 0 everywhere but in these rectangles (those of the damaged frames
    // since the last mask); without, anywhere.
    bool maskReady = false;
    std::vector<PixelRect> lastRects;
    PaintStats counts;
    // The kept picture of the still draws: how many, and their hash.
    KeptPicture kept;
    size_t keptDraws = 0;
    uint64_t keptHash = 0;
    size_t lastFirstChanged = SIZE_MAX;
    std::vector<float> corners, textureCorners;
};
