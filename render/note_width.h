// The width of a stage note: its text in the block font at the note's size, the clock and date
// notes as wide as the longest time they show. The NOTE verb and the text entry both measure so.
#pragma once

#include "render/stroke_font.h"

float noteWidth(const StrokeFont& font, const char* text, float size);
