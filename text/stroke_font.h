// The system's vector font: 68 glyph shapes of straight segments, eleven colour names.
#pragma once

struct Rgb {
  float r, g, b;  // handed to OpenGL as they are; components above 1 are deliberate
};

class StrokeFont {
 public:
  // The colour of a name, compared exactly (case counts); unknown names give white.
  Rgb colour_by_name(const char* name) const;

  // Draws text on one line from anchor (x, y); every character takes a cell of 10 * size,
  // truncated toward zero. The size is clamped to 2 .. 30 (not a number: 2).
  void draw_text(const char* text, int x, int y, const char* colour, float size) const;

  // Draws one character at (x, y) with the size as given; outside 33 .. 126 draws nothing.
  void draw_glyph(char ch, int x, int y, const char* colour, float size) const;
};
