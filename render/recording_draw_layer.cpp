#include "render/recording_draw_layer.h"

#include <algorithm>
#include <cmath>

#include "render/stroke_font.h"

namespace {

constexpr std::array<float, 6> kIdentity = {1, 0, 0, 1, 0, 0};

} // namespace

std::array<float, 4> RecordedDraw::bounds() const {
    if (xy.size() < 2) return {0, 0, 0, 0};
    std::array<float, 4> b = {xy[0], xy[1], xy[0], xy[1]};
    for (size_t i = 0; i + 1 < xy.size(); i += 2) {
        b[0] = std::min(b[0], xy[i]);
        b[1] = std::min(b[1], xy[i + 1]);
        b[2] = std::max(b[2], xy[i]);
        b[3] = std::max(b[3], xy[i + 1]);
    }
    return b;
}

bool RecordedDraw::coversPoint(float x, float y) const {
    const std::array<float, 4> b = bounds();
    return kind == Kind::Vertices && x >= b[0] && x <= b[2] && y >= b[1] && y <= b[3];
}

RecordingDrawLayer::RecordingDrawLayer() : stack{kIdentity} {}

void RecordingDrawLayer::clear() {
    RecordedDraw d = state;
    d.kind = RecordedDraw::Kind::Clear;
    draws.push_back(d);
}

void RecordingDrawLayer::pixelProjection(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return;
    stack.back() = kIdentity;
}

void RecordingDrawLayer::colour(float red, float green, float blue, float alpha) {
    state.colour = {red, green, blue, alpha};
}

void RecordingDrawLayer::vertices(Primitive primitive, const float* xy, int32_t tableVertices,
                                  int32_t count) {
    if (count > tableVertices) {
        failures.push_back("draw of " + std::to_string(count) + " vertices from a table of " +
                           std::to_string(tableVertices));
        return;
    }
    RecordedDraw d = state;
    d.kind = RecordedDraw::Kind::Vertices;
    d.primitive = primitive;
    for (int32_t i = 0; i < count; ++i) {
        float x = xy[2 * i];
        float y = xy[2 * i + 1];
        apply(x, y);
        d.xy.push_back(x);
        d.xy.push_back(y);
    }
    draws.push_back(std::move(d));
}

void RecordingDrawLayer::text(const StrokeFont& font, const char* text, int32_t scale, float x,
                              float y) {
    if (!text) return;
    RecordedDraw d = state;
    d.kind = RecordedDraw::Kind::Text;
    d.text = text;
    d.scale = scale;
    d.horizontalMode = font.horizontalMode;
    d.verticalMode = font.verticalMode;
    apply(x, y);
    d.xy = {x, y};
    draws.push_back(std::move(d));
}

void RecordingDrawLayer::pushMatrix() {
    stack.push_back(stack.back());
}

void RecordingDrawLayer::popMatrix() {
    if (stack.size() > 1) {
        stack.pop_back();
    } else {
        failures.push_back("matrix stack popped while empty");
    }
}

void RecordingDrawLayer::translate(float x, float y) {
    multiply({1, 0, 0, 1, x, y});
}

void RecordingDrawLayer::scale(float x, float y) {
    multiply({x, 0, 0, y, 0, 0});
}

void RecordingDrawLayer::rotate(float degrees) {
    const float r = degrees * 3.14159265358979f / 180.0f;
    multiply({std::cos(r), std::sin(r), -std::sin(r), std::cos(r), 0, 0});
}

// The current matrix times m, so m applies to vertices first, as GL's matrix calls do.
void RecordingDrawLayer::multiply(const Affine& m) {
    const Affine a = stack.back();
    stack.back() = {a[0] * m[0] + a[2] * m[1],        a[1] * m[0] + a[3] * m[1],
                    a[0] * m[2] + a[2] * m[3],        a[1] * m[2] + a[3] * m[3],
                    a[0] * m[4] + a[2] * m[5] + a[4], a[1] * m[4] + a[3] * m[5] + a[5]};
}

void RecordingDrawLayer::apply(float& x, float& y) const {
    const Affine& a = stack.back();
    const float nx = a[0] * x + a[2] * y + a[4];
    const float ny = a[1] * x + a[3] * y + a[5];
    x = nx;
    y = ny;
}

const RecordedDraw* RecordingDrawLayer::findText(const std::string& text) const {
    for (const RecordedDraw& d : draws)
        if (d.kind == RecordedDraw::Kind::Text && d.text == text) return &d;
    return nullptr;
}

std::vector<std::string> RecordingDrawLayer::texts() const {
    std::vector<std::string> out;
    for (const RecordedDraw& d : draws)
        if (d.kind == RecordedDraw::Kind::Text) out.push_back(d.text);
    return out;
}
