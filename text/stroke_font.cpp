// The stroke font.
#include "text/stroke_font.h"

Rgb StrokeFont::colour_by_name(const char*) const { return {1.0f, 1.0f, 1.0f}; }
void StrokeFont::draw_text(const char*, int, int, const char*, float) const {}
void StrokeFont::draw_glyph(char, int, int, const char*, float) const {}
