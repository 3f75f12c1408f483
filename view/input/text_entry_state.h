// The modal text entry, filled by openTextEntry: keys reach it while textEntryKeysOn is set;
// textEntryId is the action its commit runs. The keys and the commit write it; the drawing
// reads it.
#pragma once

#include <cstdint>
#include <string>

struct TextEntryState {
    uint8_t textEntryKeysOn = 0;
    int32_t textEntryX = 0; // box anchor, window pixels
    int32_t textEntryY = 0;
    int32_t textEntryWidth = 0;
    int32_t textEntryHeight = 0;
    std::string textEntryText;
    int32_t textEntryMaxLength = 0;
    int32_t textEntryKind = 0;
    std::string textEntryTitle;
    std::string textEntryPrompt;
    uint8_t textEntryFresh = 0;    // the first key replaces the text
    float textEntryAnchorX = 0.0f; // the stage point the entry was opened for (a new note)
    float textEntryAnchorY = 0.0f;
    int32_t textEntryId = -1;
    // The box: its border in pixels, and whether its width follows the text.
    int32_t textEntryBorder = 2;
    uint8_t textEntryAutoWidth = 1;
    // The caption and prompt an entry starts with.
    std::string entryCaption = "TITLE";
    std::string entryPrompt = "HINT HERE";
};
