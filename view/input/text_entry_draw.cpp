// The modal text-entry box: the typed text in a white field with a blinking caret, a frame
// that turns red while a confirmation is pending, and the title and prompt.
#include "app/qx_gui.h"
#include "render/draw_layer.h"

void QX_GUI::drawTextEntryBox() {
    std::string t = textEntry.textEntryText;
    if (!t.empty() && t[0] == ' ') t.erase(0, 1);
    const int32_t w = textEntry.textEntryAutoWidth ? (t.empty() ? 10 : font.textWidth(t.c_str(), 2))
                                                   : textEntry.textEntryWidth;
    const int32_t b = textEntry.textEntryBorder;
    const int32_t h = textEntry.textEntryHeight;
    const int32_t ax = textEntry.textEntryX;
    const int32_t ay = textEntry.textEntryY;
    const int32_t W = w + 2 * b;
    const int32_t x0 = static_cast<int32_t>(ax - W * 0.5);
    const int32_t y0 = static_cast<int32_t>(ay - h * 0.5);
    if (pendingConfirm)
        drawLayer->colour(1.0f, 0.0f, 0.0f, 1.0f);
    else
        drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
    drawLayer->rect(static_cast<float>(x0 - b), static_cast<float>(y0 - b),
                    static_cast<float>(x0 + W + b), static_cast<float>(y0 + h + b));
    drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    drawLayer->rect(static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(x0 + W),
                    static_cast<float>(y0 + h));
    if (interaction.cursorBlinkCounter < 10) t += "|";
    if (textEntry.textEntryFresh) {
        drawLayer->colour(0.0f, 0.5f, 0.5f, 1.0f);
        drawLayer->rect(static_cast<float>(x0 + 1), static_cast<float>(y0 + 1),
                        static_cast<float>(x0 + W - 1), static_cast<float>(y0 + h - 1));
        drawLayer->colour(1.0f, 1.0f, 1.0f, 1.0f);
    } else {
        drawLayer->colour(0.0f, 0.0f, 0.0f, 1.0f);
    }
    font.setModes(0, -1);
    drawLayer->text(font, t.c_str(), 2, static_cast<float>(ax + b - W / 2),
                    static_cast<float>(ay - 5));
    font.setModes(1, -1);
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.8f);
    drawLayer->text(font, textEntry.textEntryTitle.c_str(), 2, static_cast<float>(ax),
                    static_cast<float>(ay <= 25 ? ay + 15 : ay - 25));
    drawLayer->colour(1.0f, 1.0f, 1.0f, 0.5f);
    drawLayer->text(font, textEntry.textEntryPrompt.c_str(), 2, static_cast<float>(ax),
                    static_cast<float>(ay <= 25 ? ay + 30 : ay + 15));
}
