// The stroke font's 68 shapes as data: strokes of points in units of the glyph size.
#pragma once

#include <initializer_list>

// One point (a, b) of a stroke: the vertex (x + a*s, y + b*s, 0) about the anchor (x, y) at glyph
// size s; a grows to the right, b upward. Every a and b is a whole number, a half, or one of 0.7,
// 3.2, 3.3, 4.8 and 6.8, held in double because the vertex is computed in double.
struct GlyphPoint {
  double a;
  double b;
};

// Marker for b: the raised baseline y + s/3 + 1, the baseline lifted by the stroke width. Its 1 is
// one drawing unit, not a multiple of s, so it cannot be written as a plain b.
constexpr double W = 1000.0;

// Marker point between two strokes: the pen lifts, and the next point starts a new stroke.
constexpr GlyphPoint UP{-1000.0, -1000.0};

constexpr bool is_pen_up(const GlyphPoint& p) { return p.a == UP.a && p.b == UP.b; }

constexpr int MAX_GLYPH_POINTS = 18;  // points and pen lifts of the longest shape ("8" and "9")

// One shape. Its strokes P1-P2-..-Pn are drawn as the separate segments P1P2, P2P3, .. in order.
struct GlyphShape {
  int code = 0;        // the character, 33 .. 96 or 123 .. 126
  int drawn_over = 0;  // code of a shape drawn first at the regular width, 0 for none
  bool thin = false;   // strokes at width s/6 + 1 instead of s/3 + 1
  int length = 0;      // entries of points in use, pen lifts included
  GlyphPoint points[MAX_GLYPH_POINTS] = {};
};

constexpr int GLYPH_SHAPE_COUNT = 68;  // 32 punctuation and symbols, 10 digits, 26 capitals

// Every shape, in code order.
extern const GlyphShape GLYPH_SHAPES[GLYPH_SHAPE_COUNT];

// The shape of a code with one of its own, else nullptr (lower case letters have none).
const GlyphShape* glyph_shape(int code);

// The segments of a shape in table order: f(first end, second end) once per segment.
template <typename F>
void for_each_segment(const GlyphShape& shape, F&& f) {
  for (int k = 1; k < shape.length; ++k) {
    const GlyphPoint& from = shape.points[k - 1];
    const GlyphPoint& to = shape.points[k];
    if (!is_pen_up(from) && !is_pen_up(to)) f(from, to);
  }
}
