// The stroke font: colour names, text layout and the drawing of glyph shapes from the glyph table.
#include "text/stroke_font.h"

#include <GL/gl.h>

#include <cstring>

#include "scene/picture_size.h"
#include "text/glyph_table.h"

namespace {

constexpr float MIN_SIZE = 2.0f;        // draw_text clamps its size to MIN_SIZE .. MAX_SIZE
constexpr float MAX_SIZE = 30.0f;
constexpr double CELL = 10.0;           // advance per character, in units of the size
constexpr double LOWER_CASE_SCALE = 0.7;  // a lower case letter is its capital at this share of the size
constexpr int FIRST_DRAWN = 33;         // "!": codes below draw nothing
constexpr int LAST_DRAWN = 126;         // "~": codes above draw nothing

struct NamedColour {
  const char* name;
  Rgb rgb;
};

// Searched in this order. Components above 1 are deliberate: they are handed to OpenGL as they
// stand and clamped only on screen ("lightblue" shows as cyan).
constexpr NamedColour COLOURS[] = {
    {"red", {1.0f, 0.0f, 0.0f}},
    {"green", {0.0f, 1.0f, 0.0f}},
    {"blue", {0.0f, 0.0f, 1.0f}},
    {"lightblue", {0.0f, 2.0f, 2.0f}},
    {"yellow", {1.0f, 1.0f, 0.0f}},
    {"gray", {0.8f, 0.8f, 0.8f}},
    {"darkgray", {0.5f, 0.5f, 0.5f}},
    {"orange", {1.25f, 0.51f, 0.14f}},
    {"violet", {0.64f, 0.0f, 1.275f}},
    {"pink", {1.275f, 0.0f, 0.64f}},
    {"white", {1.0f, 1.0f, 1.0f}},
};
constexpr Rgb UNKNOWN_COLOUR{1.0f, 1.0f, 1.0f};  // white

// Stroke widths in pixels of the 1024 x 768 picture, in single precision as OpenGL takes them.
float regular_width(float s) { return s / 3.0f + 1.0f; }
float thin_width(float s) { return s / 6.0f + 1.0f; }

// The vertex of a glyph point about the anchor (x, y) at size s, in double.
void emit(const GlyphPoint& p, int x, int y, float s) {
  const double size = s;
  const double vx = x + p.a * size;
  const double vy = p.b == W ? y + size / 3.0 + 1.0 : y + p.b * size;
  glVertex3d(vx, vy, 0.0);
}

// One shape: colour, width, one GL_LINES pair of its segments (a shape drawn over another draws
// that one first, complete with its own colour and width).
void draw_shape(const StrokeFont& font, const GlyphShape& shape, int x, int y, const char* colour,
                float s) {
  const Rgb c = font.colour_by_name(colour);
  glColor3d(c.r, c.g, c.b);
  if (shape.drawn_over != 0) draw_shape(font, *glyph_shape(shape.drawn_over), x, y, colour, s);
  glLineWidth(picture_pixels(shape.thin ? thin_width(s) : regular_width(s)));
  glBegin(GL_LINES);
    for_each_segment(shape, [&](const GlyphPoint& from, const GlyphPoint& to) {
      emit(from, x, y, s);
      emit(to, x, y, s);
    });
  glEnd();
}

}  // namespace

Rgb StrokeFont::colour_by_name(const char* name) const {
  if (name == nullptr) return UNKNOWN_COLOUR;
  for (const NamedColour& entry : COLOURS)
    if (std::strcmp(entry.name, name) == 0) return entry.rgb;
  return UNKNOWN_COLOUR;
}

void StrokeFont::draw_text(const char* text, int x, int y, const char* colour, float size) const {
  if (text == nullptr) return;
  if (!(size >= MIN_SIZE)) size = MIN_SIZE;  // not a number too
  if (size > MAX_SIZE) size = MAX_SIZE;
  for (int k = 0; text[k] != '\0'; ++k) {
    // Cells in double, truncated toward zero: 100 + 22.5 gives 122, -1000 + 22.5 gives -977.
    const int cell_x = static_cast<int>(CELL * size * k + x);
    draw_glyph(text[k], cell_x, y, colour, size);
  }
}

void StrokeFont::draw_glyph(char ch, int x, int y, const char* colour, float size) const {
  int code = static_cast<signed char>(ch);
  if (code < FIRST_DRAWN || code > LAST_DRAWN) return;
  float s = size;
  if (code >= 'a' && code <= 'z') {
    code -= 'a' - 'A';
    s = static_cast<float>(size * LOWER_CASE_SCALE);
  }
  draw_shape(*this, *glyph_shape(code), x, y, colour, s);
}
