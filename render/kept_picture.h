// A copy of the window's back buffer in a texture of the current GL context (through an
// offscreen framebuffer), put back pixel for pixel by drawing it over rectangles.
#pragma once

#include <cstdint>

class KeptPicture {
public:
    // Copies the whole back buffer of a window of this size; false when the context offers no
    // framebuffer objects.
    bool capture(uintptr_t context, int32_t width, int32_t height);
    // Whether the copy was taken in this context at this size.
    bool holds(uintptr_t context, int32_t width, int32_t height) const {
        return framebuffer != 0 && context == madeIn && width == pixelsWide && height == pixelsHigh;
    }
    unsigned texture() const { return colour; }
    // Copies a rectangle (GL window coordinates) of the copy back into the back buffer.
    void restore(int32_t x, int32_t y, int32_t width, int32_t height) const;
    // Drops the copy (its names are freed when their context is current).
    void drop();

private:
    unsigned framebuffer = 0, colour = 0;
    uintptr_t madeIn = 0;
    int32_t pixelsWide = 0, pixelsHigh = 0;
};
