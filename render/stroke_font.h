// The text renderer: block font and glyph textures.
#pragma once

class StrokeFont {};
