// The FEEDBACK page's mouse: connecting an output channel back into an input channel, the
// channel buttons that open a mix as a wheel, the wheel's buttons and handles, and the level
// drags of a path or the master. Every click raises the feedback-mix send flag.
#include <algorithm>
#include <cmath>

#include "app/qx_gui.h"
#include "view/input/interaction_modes.h"
#include "view/input/key_predicates.h"

namespace {

constexpr int32_t kRows = 64;
constexpr int32_t kHandCursor = 5;

int32_t cellOf(int32_t offset) {
    return static_cast<int32_t>(static_cast<float>(offset) * (1.0f / 9.0f));
}

bool validChannel(int32_t c) {
    return c >= 0 && c < kRows;
}

bool isInputPort(int32_t c) {
    return c >= 7 && c <= 9;
}

bool isOutputPort(int32_t c) {
    return c >= 57 && c <= 59;
}

// The four overlay buttons in the order they are tested, by strict bounds on the offset from
// the window centre.
struct OverlayButton {
    int32_t x0, x1, y0, y1;
};
constexpr OverlayButton kMuteAll{-147, -105, -146, -135};
constexpr OverlayButton kZeroDb{109, 147, -146, -135};
constexpr OverlayButton kReset{-147, -115, 134, 145};
constexpr OverlayButton kNormalise{99, 147, 134, 145};

bool inside(const OverlayButton& b, int32_t dx, int32_t dy) {
    return b.x0 < dx && dx < b.x1 && b.y0 < dy && dy < b.y1;
}

bool insideSquare(int32_t dx, int32_t dy, int32_t half) {
    return -half < dx && dx < half && -half < dy && dy < half;
}

void toggleMuteAll(MixRecord& mix) {
    mix.masterLevel = mix.masterLevel == 0.0f ? 0.5f : 0.0f;
}

} // namespace

// The pointer relative to the window centre, as the overlay tests take it.
void QX_GUI::feedbackOverlayOffset(int32_t& dx, int32_t& dy) const {
    const double hx = static_cast<double>(windowWidth * 0.5f);
    const double hy = static_cast<double>(windowHeight * 0.5f);
    dx = static_cast<int32_t>(std::clamp(interaction.pointerPixelX - hx, -1.0e9, 1.0e9));
    dy = static_cast<int32_t>(std::clamp(interaction.pointerPixelY - hy, -1.0e9, 1.0e9));
}

// Handle k of the shown mix at radius r, relative to the centre; the angles accumulate in
// single precision from 270 degrees.
bool QX_GUI::feedbackHandleHit(int32_t k, float radius, int32_t dx, int32_t dy) const {
    const MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    const float n = static_cast<float>(std::clamp(mix.pinCount, 1, kRows));
    float angle = 270.0f;
    for (int32_t i = 0; i < k; ++i) angle += 360.0f / n;
    const float a = angle * 3.14159265f / 180.0f;
    const float hx = radius * std::sin(a);
    const float hy = -radius * std::cos(a);
    return static_cast<float>(dx - 8) < hx && hx < static_cast<float>(dx + 8) &&
           static_cast<float>(dy - 8) < hy && hy < static_cast<float>(dy + 8);
}

void QX_GUI::recountFeedbackMixes() {
    feedbackPage.activeFeedbackMixCount = 0;
    for (const MixRecord& mix : feedbackMixes)
        if (mix.pinCount > 0) ++feedbackPage.activeFeedbackMixCount;
}

// Both ends chosen: the output channel joins the input channel's mix once, at gain 0.5.
void QX_GUI::connectFeedbackPath() {
    MixRecord& mix = feedbackMixes[pendingCableSource];
    const int32_t t = pendingCableTarget;
    if (mix.routed[t] != 0) {
        setStatusMessage("FEEDBACK PATH ALREADY CONNECTED");
    } else if (mix.pinCount < 0 || mix.pinCount >= kRows) {
        setStatusMessage("FEEDBACK MIX IS FULL");
    } else {
        const int32_t n = mix.pinCount;
        mix.pinNumbers[n] = t;
        mix.gains[n] = 0.5f;
        mix.phases[n] = 1.0f;
        mix.mutes[n] = 0;
        mix.inUse = 0;
        mix.routed[t] = 1;
        mix.pinCount = n + 1;
    }
    pendingCableSource = pendingCableTarget = -1;
}

int32_t QX_GUI::feedbackPageLButtonDown(WPARAM, int32_t x, int32_t y) {
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    interaction.stageInteractionMode = kModeIdle;
    const int32_t c = cellOf(x - interaction.pageGridX - 67);
    const int32_t r = cellOf(y - interaction.pageGridY - 67);
    interaction.pageHoverColumn = c;
    interaction.pageHoverRow = r;
    if (validChannel(r)) feedbackClickRow(c, r);
    recountFeedbackMixes();
    if (validChannel(feedbackPage.shownFeedbackChannel) && feedbackPage.feedbackChannelShown == 1) {
        int32_t dx = 0;
        int32_t dy = 0;
        feedbackOverlayOffset(dx, dy);
        if (!feedbackOverlayClick(dx, dy) && feedbackPage.feedbackChannelShown != 0)
            feedbackCentreBox(dx, dy);
    }
    raiseSendFlag(kSendFeedbackMixes);
    return 0;
}

// Channel buttons and ports of row r.
void QX_GUI::feedbackClickRow(int32_t c, int32_t r) {
    if ((c == 5 || c == 6) && feedbackMixes[r].pinCount > 0) {
        if (feedbackPage.feedbackChannelShown == 0) {
            feedbackPage.shownFeedbackChannel = r;
            feedbackPage.feedbackChannelShown = 1;
            setStatusMessage("SHOW FEEDBACK CHANNEL !");
        } else if (feedbackPage.shownFeedbackChannel != r) {
            feedbackPage.shownFeedbackChannel = r;
        } else {
            feedbackPage.feedbackChannelShown = 0;
            setStatusMessage("HIDE FEEDBACK CHANNEL !");
        }
    } else if (isInputPort(c)) {
        pendingCableSource = r;
        if (pendingCableTarget != -1) connectFeedbackPath();
    } else if (isOutputPort(c)) {
        pendingCableTarget = r;
        if (pendingCableSource != -1) connectFeedbackPath();
    }
}

// The buttons, the centre with A, and the handles of the open wheel. True when the click is
// done.
bool QX_GUI::feedbackOverlayClick(int32_t dx, int32_t dy) {
    MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    if (inside(kMuteAll, dx, dy)) toggleMuteAll(mix);
    if (inside(kZeroDb, dx, dy)) {
        mix.masterLevel = 1.0f;
        const int32_t n = std::clamp(mix.pinCount, 0, kRows);
        for (int32_t k = 0; k < n; ++k) mix.gains[k] = 1.0f;
    }
    if (inside(kReset, dx, dy)) {
        std::fill(std::begin(mix.routed), std::end(mix.routed), uint8_t{0});
        mix.pinCount = 0;
    }
    if (inside(kNormalise, dx, dy)) {
        const int32_t n = std::clamp(mix.pinCount, 0, kRows);
        for (int32_t k = 0; k < n; ++k) mix.gains[k] = 1.0f / static_cast<float>(n);
        mix.masterLevel = 1.0f;
    }
    if (insideSquare(dx, dy, 17) && isKeyDownCode('A')) toggleMuteAll(mix);
    return feedbackWheelHandles(dx, dy);
}

bool QX_GUI::feedbackWheelHandles(int32_t dx, int32_t dy) {
    MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    for (int32_t k = 0; k < std::clamp(mix.pinCount, 0, kRows); ++k) {
        if (feedbackHandleHit(k, 66.0f, dx, dy)) {
            mix.phases[k] = -mix.phases[k];
            return true;
        }
        if (feedbackHandleHit(k, 96.0f, dx, dy)) {
            mix.mutes[k] = mix.mutes[k] == 0 ? 1 : 0;
            return true;
        }
        if (!feedbackHandleHit(k, 132.0f, dx, dy)) continue;
        if (isKeyDownCode('Z')) {
            mix.gains[k] = 1.0f;
            return true;
        }
        if (isKeyDownCode('X')) {
            mix.gains[k] = 0.0f;
            if (validChannel(mix.pinNumbers[k])) mix.routed[mix.pinNumbers[k]] = 0;
            compactFeedbackMix(feedbackPage.shownFeedbackChannel);
            return true;
        }
        if (isKeyDownCode(VK_CONTROL)) {
            feedbackPage.feedbackDragSlot = k;
            interaction.stageInteractionMode = kModeFeedbackPathLevel;
            interaction.dragStartValue = mix.gains[k];
            interaction.dragStartPixelX = static_cast<float>(interaction.pointerPixelX);
            interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
        }
    }
    return false;
}

// The master in the centre box: Z sets unity, Ctrl starts its drag.
void QX_GUI::feedbackCentreBox(int32_t dx, int32_t dy) {
    if (!insideSquare(dx, dy, 15)) return;
    MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    if (isKeyDownCode('Z')) {
        mix.masterLevel = 1.0f;
    } else if (isKeyDownCode(VK_CONTROL)) {
        interaction.stageInteractionMode = kModeFeedbackMasterLevel;
        feedbackPage.feedbackDragSlot = -1;
        interaction.dragStartValue = mix.masterLevel;
        interaction.dragStartPixelX = static_cast<float>(interaction.pointerPixelX);
        interaction.dragStartPixelY = static_cast<float>(interaction.pointerPixelY);
    }
}

int32_t QX_GUI::feedbackPageMouseMove(WPARAM, int32_t x, int32_t y) {
    interaction.pointerPixelX = x;
    interaction.pointerPixelY = y;
    const int32_t c = cellOf(x - interaction.pageGridX - 67);
    const int32_t r = cellOf(y - interaction.pageGridY - 67);
    interaction.pageHoverColumn = c;
    interaction.pageHoverRow = r;
    bool hand = false;
    if (validChannel(r))
        hand = ((c == 5 || c == 6) && feedbackMixes[r].pinCount > 0) || c == 7 || c == 8 ||
               isOutputPort(c);
    if (feedbackPage.feedbackChannelShown == 1 && validChannel(feedbackPage.shownFeedbackChannel)) {
        int32_t dx = 0;
        int32_t dy = 0;
        feedbackOverlayOffset(dx, dy);
        hand = hand || inside(kMuteAll, dx, dy) || inside(kZeroDb, dx, dy) ||
               inside(kReset, dx, dy) || inside(kNormalise, dx, dy) || insideSquare(dx, dy, 17);
        const int32_t n =
            std::clamp(feedbackMixes[feedbackPage.shownFeedbackChannel].pinCount, 0, kRows);
        for (int32_t k = 0; k < n && !hand; ++k)
            for (float radius : {66.0f, 96.0f, 132.0f})
                hand = hand || feedbackHandleHit(k, radius, dx, dy);
    }
    if (hand) SetCursor(cursors[kHandCursor]);
    if (interaction.stageInteractionMode == kModeFeedbackPathLevel ||
        interaction.stageInteractionMode == kModeFeedbackMasterLevel)
        feedbackLevelDrag(y);
    return 0;
}

void QX_GUI::feedbackLevelDrag(int32_t y) {
    if (!validChannel(feedbackPage.shownFeedbackChannel)) return;
    MixRecord& mix = feedbackMixes[feedbackPage.shownFeedbackChannel];
    interaction.dragFineFactor = isKeyDownCode(VK_SHIFT) ? 4.0f : 1.0f;
    const float level = dragLevelFrom(interaction.dragStartValue,
                                      interaction.dragStartPixelY - static_cast<float>(y));
    if (interaction.stageInteractionMode == kModeFeedbackMasterLevel) {
        mix.masterLevel = level;
    } else if (feedbackPage.feedbackDragSlot >= 0 &&
               feedbackPage.feedbackDragSlot < std::clamp(mix.pinCount, 0, kRows)) {
        mix.gains[feedbackPage.feedbackDragSlot] = level;
    }
    raiseSendFlag(kSendFeedbackMixes);
}

int32_t QX_GUI::feedbackPageRButtonDown(WPARAM, int32_t x, int32_t y) {
    const int32_t c = cellOf(x - interaction.pageGridX - 67);
    const int32_t r = cellOf(y - interaction.pageGridY - 67);
    interaction.pageHoverColumn = c;
    interaction.pageHoverRow = r;
    if (validChannel(r)) {
        if (isInputPort(c)) {
            feedbackMixes[r].pinCount = 0;
            std::fill(std::begin(feedbackMixes[r].routed), std::end(feedbackMixes[r].routed),
                      uint8_t{0});
            compactFeedbackMix(r); // the cleared slots hold no pins of before
            raiseSendFlag(kSendFeedbackMixes);
        } else if (isOutputPort(c)) {
            for (int32_t s = 0; s < kRows; ++s) {
                if (feedbackMixes[s].routed[r] == 0) continue;
                feedbackMixes[s].routed[r] = 0;
                compactFeedbackMix(s);
            }
            raiseSendFlag(kSendFeedbackMixes);
        }
        recountFeedbackMixes();
    }
    pendingCableSource = pendingCableTarget = -1;
    return 0;
}

int32_t QX_GUI::feedbackPageLButtonUp(WPARAM, int32_t, int32_t) {
    interaction.stageInteractionMode = kModeIdle;
    ReleaseCapture();
    return 0;
}
