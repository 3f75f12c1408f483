// Annotation verbs: texts, rectangles and buttons on the stage or in the MACROS panel, the
// paint and ink colours, notes, and the dispatcher's anchor and layer verbs.
#include <cmath>
#include <cstring>

#include "app/qx_gui.h"
#include "command/text_utils.h"
#include "render/note_width.h"

namespace {

// The text between the first double quote of the raw line and the next one (or the end of
// the line); the whole line when it holds no double quote.
std::string quotedText(const std::string& raw, bool* quoted = nullptr) {
    const size_t open = raw.find('"');
    if (quoted) *quoted = open != std::string::npos;
    if (open == std::string::npos) return raw;
    const size_t close = raw.find('"', open + 1);
    return raw.substr(open + 1, close == std::string::npos ? std::string::npos : close - open - 1);
}

bool holds(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

void takeColour(const CliObject& command, AnnotationColour& colour) {
    colour.red = command.named(kKeyRed);
    colour.green = command.named(kKeyGreen);
    colour.blue = command.named(kKeyBlue);
    if (command.has(kKeyL)) colour.alpha = command.named(kKeyL);
}

} // namespace

int32_t QX_GUI::cmdPaint(CliObject command) {
    takeColour(command, annotations.paintColour);
    return 0;
}

int32_t QX_GUI::cmdInk(CliObject command) {
    takeColour(command, annotations.inkColour);
    return 0;
}

int32_t QX_GUI::cmdRect(CliObject command) {
    AnnotationSet& set =
        annotations.annotationInMacro ? annotations.macroAnnotations : annotations.stageAnnotations;
    if (set.rectCount >= AnnotationSet::kCapacity) {
        console.pendingError = "RECT - NO ROOM FOR MORE RECTANGLES (256)";
        return 1;
    }
    AnnotationRect& rect = set.rects[set.rectCount++];
    rect.x = command.named(kKeyX) + annotations.annotationAnchorX;
    rect.y = command.named(kKeyY) + annotations.annotationAnchorY;
    rect.width = command.named(kKeyW);
    rect.height = command.named(kKeyH);
    rect.fill = annotations.paintColour;
    rect.line = annotations.inkColour;
    return 0;
}

int32_t QX_GUI::cmdText(CliObject command) {
    AnnotationSet& set =
        annotations.annotationInMacro ? annotations.macroAnnotations : annotations.stageAnnotations;
    if (set.textCount >= AnnotationSet::kCapacity) {
        console.pendingError = "TEXT - NO ROOM FOR MORE TEXTS (256)";
        return 1;
    }
    AnnotationText& text = set.texts[set.textCount++];
    const std::string& line = command.commandString;
    if (holds(line, "_LEFT_")) text.alignment = 0;
    if (holds(line, "_CENTRE_")) text.alignment = 1;
    if (holds(line, "_RIGHT_")) text.alignment = 2;
    text.ink = annotations.inkColour;
    text.x = annotations.annotationAnchorX + (command.has(kKeyX) ? command.named(kKeyX) : 0.0f);
    text.y = annotations.annotationAnchorY + (command.has(kKeyY) ? command.named(kKeyY) : 0.0f);
    text.text = quotedText(rawCommandText);
    if (command.has(kKeyS)) text.size = command.named(kKeyS);
    return 0;
}

int32_t QX_GUI::cmdButton(CliObject command) {
    AnnotationSet& set =
        annotations.annotationInMacro ? annotations.macroAnnotations : annotations.stageAnnotations;
    if (set.buttonCount >= AnnotationSet::kCapacity) {
        console.pendingError = "BUTTON - NO ROOM FOR MORE BUTTONS (256)";
        return 1;
    }
    AnnotationButton& button = set.buttons[set.buttonCount++];
    button.x = annotations.annotationAnchorX + (command.has(kKeyX) ? command.named(kKeyX) : 0.0f);
    button.y = annotations.annotationAnchorY + (command.has(kKeyY) ? command.named(kKeyY) : 0.0f);
    if (command.has(kKeyW)) button.width = command.named(kKeyW);
    if (command.has(kKeyH)) button.height = command.named(kKeyH);
    button.colour = annotations.paintColour;
    bool quoted = false;
    const std::string text = quotedText(rawCommandText, &quoted);
    button.command = quoted && !text.empty() ? text : "EMPTY_BUTTON_COMMAND";
    return 0;
}

int32_t QX_GUI::cmdNote(CliObject command) {
    if (noteCount >= 256) {
        console.pendingError = "NOTE - NO ROOM FOR MORE NOTES (256)";
        return 1;
    }
    std::string text = quotedText(rawCommandText);
    if (holdsCommentMark(text)) {
        console.pendingError = kNoteCommentMarkRefused;
        return 1;
    }
    NoteRecord& note = notes[noteCount];
    note.x = command.named(kKeyX);
    note.y = command.named(kKeyY);
    note.size = std::trunc(command.named(kKeyS));
    note.red = command.named(kKeyRed);
    note.green = command.named(kKeyGreen);
    note.blue = command.named(kKeyBlue);
    note.alpha = command.named(kKeyL);
    // The text field holds 255 characters and its terminating NUL.
    if (text.size() > NoteRecord::kTextBytes - 1) text.resize(NoteRecord::kTextBytes - 1);
    std::memset(note.text, 0, sizeof note.text);
    std::memcpy(note.text, text.data(), text.size());
    note.textLength = static_cast<int32_t>(text.size());
    note.width = noteWidth(font, note.text, note.size);
    note.alignment = 1;
    note.height = note.size * 5.0f;
    note.x = note.x - note.width / 2.0f;
    note.y = note.y - note.height / 2.0f;
    ++noteCount;
    raiseSendFlag(kSendNotes);
    commitModelChange();
    return 0;
}

int32_t QX_GUI::cmdDrawOnTop(CliObject) {
    annotations.annotationButtonLayer = 1;
    annotations.stageAnnotations.buttonCount = annotations.stageAnnotations.textCount =
        annotations.stageAnnotations.rectCount = 0;
    return 0;
}

int32_t QX_GUI::cmdDrawWithStage(CliObject) {
    annotations.annotationButtonLayer = 0;
    annotations.stageAnnotations.buttonCount = annotations.stageAnnotations.textCount =
        annotations.stageAnnotations.rectCount = 0;
    return 0;
}

int32_t QX_GUI::cmdDrawInMacro(CliObject) {
    annotations.macroAnnotations.buttonCount = annotations.macroAnnotations.textCount =
        annotations.macroAnnotations.rectCount = 0;
    annotations.annotationInMacro = 1;
    return 0;
}

int32_t QX_GUI::cmdAnchorAt(CliObject command) {
    if (command.has(kKeyX)) annotations.annotationAnchorX = command.named(kKeyX);
    if (command.has(kKeyY)) annotations.annotationAnchorY = command.named(kKeyY);
    const std::string& line = command.commandString;
    const bool onTop = annotations.annotationButtonLayer == 1;
    if (holds(line, "WINDOW_TOP"))
        annotations.annotationAnchorY = onTop ? 0.0f : windowHeight * -0.5f;
    if (onTop) {
        if (holds(line, "WINDOW_LEFT")) annotations.annotationAnchorX = 0.0f;
        if (holds(line, "WINDOW_RIGHT")) annotations.annotationAnchorX = windowWidth;
        if (holds(line, "WINDOW_BOTTOM")) annotations.annotationAnchorY = windowHeight;
        if (holds(line, "WINDOW_CENTRE")) annotations.annotationAnchorX = windowWidth * 0.5f;
        if (holds(line, "WINDOW_MIDDLE")) annotations.annotationAnchorY = windowHeight * 0.5f;
    }
    return 0;
}

int32_t QX_GUI::cmdAnchorMove(CliObject command, float sign) {
    if (command.has(kKeyX)) annotations.annotationAnchorX += sign * command.named(kKeyX);
    if (command.has(kKeyY)) annotations.annotationAnchorY += sign * command.named(kKeyY);
    return 0;
}
