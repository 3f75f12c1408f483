#include "render/unit_disc.h"

#include <cmath>
#include <cstring>

const float kUnitDiscSquare[12] = {-100, -100, 100,  -100, 100,  100,
                                   100,  100,  -100, 100,  -100, -100};

void fillUnitDisc(float* xy) {
    const double step = 2.0 * M_PI / 72.0;
    for (int k = 0; k < 72; ++k) {
        float* t = xy + k * 6;
        t[0] = 0.0f;
        t[1] = 0.0f;
        t[2] = static_cast<float>(100.0 * std::cos(k * step));
        t[3] = static_cast<float>(100.0 * std::sin(k * step));
        t[4] = static_cast<float>(100.0 * std::cos((k + 1) * step));
        t[5] = static_cast<float>(100.0 * std::sin((k + 1) * step));
    }
}

bool isUnitDisc(const float* xy, int32_t count) {
    static const struct Table {
        float xy[2 * kUnitDiscVertices];
        Table() { fillUnitDisc(xy); }
    } disc;
    // Every glow asks, so the bytes are compared at once.
    return count == kUnitDiscVertices && std::memcmp(xy, disc.xy, sizeof disc.xy) == 0;
}
