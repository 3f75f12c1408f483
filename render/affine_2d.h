// A 2D affine matrix as the layers keep their transform stack: x' = a x + c y + e,
// y' = b x + d y + f, stored {a, b, c, d, e, f}.
#pragma once

#include <array>

using Affine2d = std::array<float, 6>;

constexpr Affine2d kAffineIdentity = {1, 0, 0, 1, 0, 0};

// m times n, so n applies to points first, as GL's matrix calls compose.
inline Affine2d affineProduct(const Affine2d& m, const Affine2d& n) {
    return {m[0] * n[0] + m[2] * n[1],        m[1] * n[0] + m[3] * n[1],
            m[0] * n[2] + m[2] * n[3],        m[1] * n[2] + m[3] * n[3],
            m[0] * n[4] + m[2] * n[5] + m[4], m[1] * n[4] + m[3] * n[5] + m[5]};
}

inline void affineApply(const Affine2d& m, float x, float y, float& outX, float& outY) {
    outX = m[0] * x + m[2] * y + m[4];
    outY = m[1] * x + m[3] * y + m[5];
}
