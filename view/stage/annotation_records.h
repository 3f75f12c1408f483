// Stage annotations: free texts, rectangles and buttons that macro files place on the screen,
// and the notes that are part of the patch and travel to the DSP side.
#pragma once

#include <cstdint>
#include <string>

struct AnnotationColour {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
};

struct AnnotationText {
    float x = 0.0f;
    float y = 0.0f;
    float extra[2] = {-1.0f, -1.0f};
    int32_t alignment = 0; // 0 left, 1 centre, 2 right
    float size = 1.0f;
    AnnotationColour ink;
    AnnotationColour secondColour;
    std::string text;
};

struct AnnotationButton {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    std::string label;
    std::string command;
    AnnotationColour colour;
    uint8_t hover = 0; // lit while the pointer is over the button
};

struct AnnotationRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    AnnotationColour fill;
    AnnotationColour line;
};

// One of the two annotation sets (the stage set and the MACROS panel set).
struct AnnotationSet {
    static constexpr int kCapacity = 256;
    AnnotationText texts[kCapacity];
    int32_t textCount = 0;
    AnnotationButton buttons[kCapacity];
    int32_t buttonCount = 0;
    AnnotationRect rects[kCapacity];
    int32_t rectCount = 0;
};

// One note; the notes pin carries count x 320 bytes in this field order (little-endian).
struct NoteRecord {
    static constexpr int32_t kEncodedSize = 320;
    static constexpr int kTextBytes = 256;

    float x = 0.0f; // left edge after centring
    float y = 0.0f; // top edge after centring
    float width = 0.0f;
    float height = 0.0f;
    int32_t alignment = 0; // 0 left, 1 centred, 2 right
    float size = 0.0f;     // a whole number
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 0.0f;
    uint8_t reserved40[12] = {};
    int32_t state = 0;
    char text[kTextBytes] = {}; // NUL-terminated
    int32_t textLength = 0;
    uint8_t boxed = 0;
    uint8_t reserved317[3] = {};
};

// The annotations as the stage and the MACROS panel hold them: the anchor, the button layer,
// the colours, the two sets and the note being edited.
struct AnnotationState {
    float annotationAnchorX = 0.0f; // added to TEXT, RECT and BUTTON; POSITION_PANEL_AT too
    float annotationAnchorY = 0.0f;
    int32_t annotationButtonLayer = 1; // 1 on top in window pixels, 0 with the stage
    uint8_t annotationInMacro = 0;     // TEXT, RECT and BUTTON fill the MACROS panel set
    AnnotationColour paintColour;
    AnnotationColour inkColour;
    AnnotationSet stageAnnotations;
    AnnotationSet macroAnnotations;
    struct NoteEditState {
        uint8_t editing = 0;
        int32_t index = -1;
        std::string texts[3];
    } noteEdit;
};
