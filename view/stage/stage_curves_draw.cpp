// Connections on the stage as five-point curves stroked in 50 segments: the cables, the
// feedback sends (in the curve mode, with the level in decibels in the alpha) and the
// side-chain links; each with a moving dot and, for cables and sends, a handle.
#include <array>
#include <cmath>
#include <vector>

#include "app/qx_gui.h"
#include "render/draw_layer.h"
#include "view/stage/curve_geometry.h"
#include "view/stage/stage_items.h"

using namespace stage_items;
namespace cg = curve_geometry;

namespace {

// A square of half-size s about a curve point.
void square(DrawLayer& layer, CurvePoint p, float s) {
    layer.rect(p.x - s, p.y - s, p.x + s, p.y + s);
}

// A dot: square 2.5 then square 1.5 in the same colour, denser at the centre.
void dot(DrawLayer& layer, CurvePoint p) {
    square(layer, p, 2.5f);
    square(layer, p, 1.5f);
}

} // namespace

namespace {

void strokeCurve(DrawLayer& layer, DynamicsCurve& kept, const cg::FivePointCurve& curve,
                 float width) {
    for (int i = 0; i < 5; ++i) kept.points[i] = curve.points[i];
    kept.pointCount = 5;
    float vertices[2 * cg::kStrokeTableVertices];
    cg::strokeVertices(curve, vertices);
    layer.lineWidth(width);
    layer.vertices(Primitive::Lines, vertices, cg::kStrokeTableVertices, cg::kStrokeVertices);
}

cg::FivePointCurve keptCurve(const DynamicsCurve& kept) {
    cg::FivePointCurve c;
    for (int i = 0; i < 5; ++i) c.points[i] = kept.points[i];
    return c;
}

} // namespace

void QX_GUI::drawVerticalCableCurve(float x0, float y0, float x1, float y1, float width) {
    strokeCurve(*drawLayer, cableCurve, cg::verticalCurve(x0, y0, x1, y1), width);
}

void QX_GUI::drawHorizontalCableCurve(float x0, float y0, float x1, float y1, float width) {
    strokeCurve(*drawLayer, cableCurve, cg::horizontalCurve(x0, y0, x1, y1), width);
}

void QX_GUI::drawCablesThunk() {
    drawCables();
}

namespace {

// Shapes of one colour gathered into one draw: a draw costs far more than its few vertices.
class ShapeBatch {
public:
    explicit ShapeBatch(DrawLayer& layer) : layer_(layer) {}
    ~ShapeBatch() { flush(); }
    void use(Primitive primitive, std::array<float, 4> colour) {
        if (primitive != primitive_ || colour != colour_) flush();
        primitive_ = primitive;
        colour_ = colour;
    }
    void add(const float* xy, int32_t vertices) { xy_.insert(xy_.end(), xy, xy + 2 * vertices); }
    void square(CurvePoint p, float s) {
        const float v[12] = {p.x - s, p.y - s, p.x + s, p.y - s, p.x + s, p.y + s,
                             p.x + s, p.y + s, p.x - s, p.y + s, p.x - s, p.y - s};
        add(v, 6);
    }
    void diamond(CurvePoint p, float r) {
        const float v[12] = {p.x - r, p.y,     p.x, p.y - r, p.x,     p.y + r,
                             p.x,     p.y - r, p.x, p.y + r, p.x + r, p.y};
        add(v, 6);
    }
    void flush() {
        const int32_t n = static_cast<int32_t>(xy_.size() / 2);
        if (n == 0) return;
        layer_.colour(colour_[0], colour_[1], colour_[2], colour_[3]);
        layer_.vertices(primitive_, xy_.data(), n, n);
        xy_.clear();
    }

private:
    DrawLayer& layer_;
    Primitive primitive_ = Primitive::Triangles;
    std::array<float, 4> colour_{};
    std::vector<float> xy_;
};

} // namespace

// Every cable as a curve from its target to its source; their strokes first, then the moving
// dots, the handles and the state marks on top (each gathered by colour into few draws).
void QX_GUI::drawCables() {
    const int32_t count = liveCount(cableCount, kMaxCables);
    struct Drawn {
        std::array<float, 4> colour;
        const CableRecord* cable;
        cg::FivePointCurve curve;
        int32_t index;
    };
    std::vector<Drawn> drawn;
    drawn.reserve(static_cast<size_t>(count));
    for (int32_t c = 0; c < count; ++c) {
        const CableRecord& cable = cables[c];
        if (!isSource(*this, cable.source) || !isTarget(*this, cable.target)) continue;
        const SourceRecord& s = sources[cable.source];
        const TargetRecord& t = targets[cable.target];
        float A = t.visible == 0 ? 0.1f : 0.5f - (1.0f - (s.shown ? 1.0f : 0.0f)) * 0.4f;
        if (cable.solo == 0 && anyCableSoloed == 1) A *= 0.25f;
        float r = 1, g = 1, b = 1;
        if (cable.phase == -1.0f) r = 0, g = 1, b = 1;
        if (cable.level == 0.0f) {
            r = 1, g = 0.5f, b = 0;
        } else {
            if (cable.mute == 1) r = 1, g = 1, b = 0;
            if (cable.solo == 1) {
                if (cable.phase == -1.0f)
                    r = 1, g = 0.5f, b = 1;
                else
                    r = 1, g = 0, b = 0;
            }
        }
        drawn.push_back({{r, g, b, A}, &cable, cg::cableCurve(s.x, s.y, t.x, t.y), c});
    }
    drawLayer->lineWidth(1.0f);
    {
        ShapeBatch strokes(*drawLayer);
        float vertices[2 * cg::kStrokeTableVertices];
        for (const Drawn& d : drawn) {
            cg::strokeVertices(d.curve, vertices);
            strokes.use(Primitive::Lines, d.colour);
            strokes.add(vertices, cg::kStrokeVertices);
        }
    }
    if (!drawn.empty()) {
        for (int i = 0; i < 5; ++i) cableCurve.points[i] = drawn.back().curve.points[i];
        cableCurve.pointCount = 5;
    }
    ShapeBatch shapes(*drawLayer);
    for (const Drawn& d : drawn) {
        const CableRecord& cable = *d.cable;
        const bool flowing = (anyCableSoloed == 0 && cable.level != 0.0f && cable.mute == 0) ||
                             (anyCableSoloed == 1 && cable.solo == 1);
        if (!flowing) continue;
        const CurvePoint p = d.curve.at(cg::dotPosition(d.index, count, stage.curvePhase));
        shapes.use(Primitive::Triangles, d.colour);
        shapes.square(p, 2.5f);
        shapes.square(p, 1.5f);
    }
    for (int layer = 0; layer < 2; ++layer)
        for (const Drawn& d : drawn) {
            const CurvePoint h = cg::cableHandle(d.curve);
            shapes.use(Primitive::Triangles,
                       layer == 0 ? d.colour : std::array<float, 4>{0.0f, 0.0f, 0.0f, 1.0f});
            if (d.cable->useGroups == 0)
                shapes.diamond(h, layer == 0 ? 6.0f : 5.0f);
            else
                shapes.square(h, layer == 0 ? 3.5f : 2.5f);
        }
    for (const Drawn& d : drawn) {
        const CableRecord& cable = *d.cable;
        const CurvePoint h = cg::cableHandle(d.curve);
        const float A2 = 2.0f * d.colour[3];
        if (cable.phase == -1.0f) {
            shapes.use(Primitive::Triangles, {0.0f, 1.0f, 1.0f, A2});
            shapes.square(h, 1.5f);
        }
        if (cable.mute == 1) {
            shapes.use(Primitive::Triangles, {1.0f, 1.0f, 0.0f, A2});
            shapes.square(h, 1.5f);
        }
        if (cable.level != 0.0f && cable.solo == 1) {
            shapes.use(Primitive::Triangles, {1.0f, 0.0f, 0.0f, A2});
            shapes.square(h, 1.5f);
        }
    }
    shapes.flush();
    // The half-made cable, from its end to the pointer or between its two ends.
    const bool source = isSource(*this, pendingCableSource);
    const bool target = isTarget(*this, pendingCableTarget);
    if (!source && !target) return;
    if (GetAsyncKeyState('E'))
        drawLayer->colour(1.0f, 1.0f, 0.0f, 0.7f);
    else
        drawLayer->colour(0.0f, 1.0f, 0.0f, 0.7f);
    const float px = stage.pointerStageX, py = stage.pointerStageY;
    if (target) {
        const TargetRecord& t = targets[pendingCableTarget];
        const float x0 = source ? sources[pendingCableSource].x : px;
        const float y0 = source ? sources[pendingCableSource].y : py;
        drawVerticalCableCurve(x0, y0, t.x, t.y, 1.0f);
    }
    if (source) {
        const SourceRecord& s = sources[pendingCableSource];
        const float x1 = target ? targets[pendingCableTarget].x : px;
        const float y1 = target ? targets[pendingCableTarget].y : py;
        drawVerticalCableCurve(s.x, s.y, x1, y1, 1.0f);
    }
}

void QX_GUI::drawSourceTargetCurves() {
    drawLayer->mode(12);
    const int32_t targetsLive = liveCount(targetCount, kMaxTargets);
    for (int32_t si = 0; si < liveCount(sourceCount, kMaxSources); ++si) {
        const SourceRecord& s = sources[si];
        const int32_t channel = s.virtualChannel;
        if (!s.shown || channel < 0 || channel >= kChannels) continue;
        const MixRecord& mix = feedbackMixes[channel];
        const int32_t pins = liveCount(mix.pinCount, 64);
        for (int32_t k = 0; k < pins; ++k) {
            const int32_t p = mix.pinNumbers[k];
            const float L = gainToDb(mix.gains[k] * mix.masterLevel * targetFirstMeter(*this, p));
            const bool muted = mix.mutes[k] != 0;
            for (int32_t ti = 0; ti < targetsLive; ++ti) {
                const TargetRecord& t = targets[ti];
                if (t.virtualChannel != p || t.visible != 1) continue;
                if (!muted) {
                    drawLayer->mode(12);
                    drawLayer->colour(1.0f, 0.0f, 0.0f, L);
                } else {
                    drawLayer->mode(0);
                    drawLayer->colour(1.0f, 1.0f, 0.0f, 0.5f);
                }
                if (cg::cableIsVertical(s.x, s.y, t.x, t.y))
                    drawHorizontalCableCurve(s.x, s.y, t.x, t.y, 1.0f);
                else
                    drawVerticalCableCurve(s.x, s.y, t.x, t.y, 1.0f);
                const cg::FivePointCurve curve = keptCurve(cableCurve);
                if (!muted)
                    dot(*drawLayer,
                        curve.at(cg::dotPosition(ti, targetsLive, 2.0f * stage.curvePhase)));
                const CurvePoint handle = cg::feedbackHandle(curve);
                drawLayer->mode(0);
                if (mix.phases[k] == -1.0f)
                    drawLayer->colour(0.0f, 1.0f, 1.0f, 1.0f);
                else if (!muted)
                    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
                else
                    drawLayer->colour(1.0f, 1.0f, 0.0f, 1.0f);
                square(*drawLayer, handle, 2.5f);
                drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
                square(*drawLayer, handle, 1.5f);
            }
        }
    }
    drawLayer->mode(0);
}

void QX_GUI::drawSourceLinkCurves() {
    const int32_t sourcesLive = liveCount(sourceCount, kChannels);
    const int32_t targetsLive = liveCount(targetCount, kChannels);
    // A link drawn twice, wide in the item's colour and narrow in black over it.
    auto link = [this](float x0, float y0, float x1, float y1, float r, float g, float b,
                       bool darkerWhenHorizontal) {
        drawLayer->colour(r, g, b, 0.5f);
        const bool vertical = cg::cableIsVertical(x0, y0, x1, y1);
        if (vertical)
            drawVerticalCableCurve(x0, y0, x1, y1, 4.0f);
        else
            drawHorizontalCableCurve(x0, y0, x1, y1, 4.0f);
        drawLayer->colour(0.0f, 0.0f, 0.0f, !vertical && darkerWhenHorizontal ? 1.0f : 0.5f);
        if (vertical)
            drawVerticalCableCurve(x0, y0, x1, y1, 2.0f);
        else
            drawHorizontalCableCurve(x0, y0, x1, y1, 2.0f);
    };
    for (int32_t si = 0; si < sourcesLive; ++si) {
        const int32_t c = inputDynamics[si].channelIndex;
        if (c == si || !isSource(*this, c)) continue;
        const SourceRecord &s = sources[si], &key = sources[c];
        link(s.x, s.y, key.x, key.y, key.colourRed, key.colourGreen, key.colourBlue, true);
        drawLayer->colour(key.colourRed, key.colourGreen, key.colourBlue, 0.5f);
        dot(*drawLayer,
            keptCurve(cableCurve).at(cg::dotPosition(si, sourcesLive, stage.curvePhase)));
    }
    for (int32_t ti = 0; ti < targetsLive; ++ti) {
        const DynamicsRecord& d = outputDynamics[ti];
        const int32_t c = d.channelIndex;
        float x, y, r, g, b;
        if (d.direction == kKindSource && isSource(*this, c)) {
            const SourceRecord& key = sources[c];
            x = key.x, y = key.y, r = key.colourRed, g = key.colourGreen, b = key.colourBlue;
        } else if (d.direction == kKindTarget && c != ti && isTarget(*this, c)) {
            const TargetRecord& key = targets[c];
            x = key.x, y = key.y, r = key.colourRed, g = key.colourGreen, b = key.colourBlue;
        } else {
            continue;
        }
        const TargetRecord& t = targets[ti];
        link(t.x, t.y, x, y, r, g, b, false);
        drawLayer->colour(r, g, b, 0.5f);
        dot(*drawLayer,
            keptCurve(cableCurve).at(cg::dotPosition(ti, targetsLive, stage.curvePhase)));
    }
}
