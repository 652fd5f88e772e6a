// The glyph table of the stroke font, one row per character, labelled with its code.
#include "text/glyph_table.h"

#include <stdexcept>

namespace {

constexpr GlyphShape glyph(int code, std::initializer_list<GlyphPoint> points) {
  GlyphShape shape{};
  shape.code = code;
  if (points.size() > MAX_GLYPH_POINTS) throw std::length_error("glyph longer than MAX_GLYPH_POINTS");
  for (const GlyphPoint& p : points) shape.points[shape.length++] = p;
  return shape;
}

// A shape drawn over another one, its own strokes at the thin width.
constexpr GlyphShape thin_over(int code, int base, std::initializer_list<GlyphPoint> points) {
  GlyphShape shape = glyph(code, points);
  shape.drawn_over = base;
  shape.thin = true;
  return shape;
}

}  // namespace

// In "0", "2", "3", "5", "6", "8", "9", "&" and "S" a stroke ends at b = 0 and the bottom bar that
// follows starts at b = W: the small step between them belongs to the shapes.
constexpr GlyphShape GLYPH_SHAPES[GLYPH_SHAPE_COUNT] = {
    glyph(33, {{0, 10}, {0, 3}, UP, {0.5, 1}, {0.5, W}, {-0.5, W}, {-0.5, 1}, {0.5, 1}}),  // !
    glyph(34, {{2, 10}, {1, 7}, UP, {0, 10}, {-1, 7}}),  // double quote
    glyph(35, {{3, 10}, {2, 0}, UP, {0, 10}, {-1, 0}, UP, {-2, 7}, {4, 7}, UP, {-2, 3}, {4, 3}}),  // #
    thin_over(36, 'S', {{0, 11}, {0, -1}, UP, {2, 11}, {2, -1}}),  // $
    glyph(37, {{-1, 9}, {0, 9}, {0, 8}, {-1, 8}, {-1, 9}, UP, {4, 10}, {-2, 0}, UP, {2, 1}, {3, 1}, {3, 2}, {2, 2}, {2, 1}}),  // %
    glyph(38, {{3, 10}, {0, 10}, {-2, 8}, {-2, 6}, {3, 0}, UP, {3, 10}, {-2, 3}, {-2, 2}, {0, 0}, UP, {0, W}, {1, W}, {3, 5}}),  // &
    glyph(39, {{1, 10}, {0, 7}}),  // apostrophe
    glyph(40, {{4, 10}, {2, 8}, {2, 2}, {4, 0}}),  // (
    glyph(41, {{-3, 10}, {-1, 8}, {-1, 2}, {-3, 0}}),  // )
    glyph(42, {{1, 2}, {1, 8}, UP, {-2, 5}, {4, 5}, UP, {-1, 6.5}, {3.3, 3}, UP, {-1, 3.5}, {3.2, 6.8}}),  // *
    glyph(43, {{1, 2}, {1, 8}, UP, {-2, 5}, {4, 5}}),  // +
    glyph(44, {{1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, UP, {1, 1}, {0, -2}}),  // ,
    glyph(45, {{-2, 5}, {3, 5}}),  // -
    glyph(46, {{1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}}),  // .
    glyph(47, {{2, 10}, {-1, 0}}),  // /
    glyph(48, {{-2, 8}, {-2, 2}, {-1, 0}, UP, {-1, W}, {3, W}, {4, 2}, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}, {4, 2}}),  // 0
    glyph(49, {{2, 10}, {2, 0}, UP, {2, 10}, {0, 6}}),  // 1
    glyph(50, {{3, 7}, {-1, 0}, UP, {-1, W}, {3, W}, UP, {3, 7}, {3, 8}, {2, 10}, {0, 10}, {-1, 8}, {-1, 6}}),  // 2
    glyph(51, {{3, 10}, {-2, 10}, UP, {3, 10}, {0, 6}, {1, 6}, {3, 4}, {3, 2}, {1, 0}, UP, {1, W}, {-2, W}}),  // 3
    glyph(52, {{3, 8}, {3, 0}, UP, {0, 10}, {-2, 4}, {3, 4}}),  // 4
    glyph(53, {{3, 10}, {-2, 10}, {-2, 6}, {1, 6}, {3, 5}, {3, 2}, {1, 0}, UP, {1, W}, {-1, W}, {-2, 2}}),  // 5
    glyph(54, {{-1, 6}, {1, 6}, {3, 5}, {3, 2}, {1, 0}, UP, {1, W}, {-1, W}, {-2, 2}, {-2, 4}, {-1, 6}, {1, 10}, {3, 10}}),  // 6
    glyph(55, {{-2, 10}, {3, 10}, {-1, 0}}),  // 7
    glyph(56, {{-1, 6}, {2, 6}, {3, 4}, {3, 2}, {2, 0}, UP, {2, W}, {-1, W}, {-2, 2}, {-2, 4}, {-1, 6}, {-2, 7}, {-2, 9}, {-1, 10}, {2, 10}, {3, 9}, {3, 7}, {2, 6}}),  // 8
    glyph(57, {{-1, 5}, {2, 5}, UP, {-1, 5}, {-2, 6}, {-2, 9}, {-1, 10}, {2, 10}, {3, 9}, {3, 6}, {2, 5}, UP, {3, 6}, {3, 3}, {1, 0}, UP, {1, W}, {-1, W}}),  // 9
    glyph(58, {{1, 6}, {1, 5}, {0, 5}, {0, 6}, {1, 6}, UP, {1, 1}, {1, 2}, {0, 2}, {0, 1}, {1, 1}}),  // :
    glyph(59, {{1, 5}, {1, 6}, {0, 6}, {0, 5}, {1, 5}, UP, {1, 2}, {1, 1}, {0, 1}, {0, 2}, {1, 2}, UP, {1, 1}, {0, -2}}),  // ;
    glyph(60, {{3, 8}, {-1, 5}, {3, 2}}),  // <
    glyph(61, {{-3, 3}, {4, 3}, UP, {-3, 7}, {4, 7}}),  // =
    glyph(62, {{-1, 8}, {3, 5}, {-1, 2}}),  // >
    glyph(63, {{-2, 6}, {-2, 8}, {0, 10}, {2, 10}, {4, 8}, {4, 6}, {0.5, 5}, {0.5, 2}, UP, {1, 1}, {1, W}, {0, W}, {0, 1}, {1, 1}}),  // ?
    glyph(64, {{3, W}, {-2, W}, UP, {-2, 0}, {-2, 10}, {3, 10}, {3, 3}, {0, 3}, {0, 7}, {2, 7}}),  // @
    glyph(65, {{1, 10}, {-3, 0}, UP, {1, 10}, {5, 0}, UP, {-1, 5}, {3, 5}}),  // A
    glyph(66, {{-2, 10}, {-2, 0}, UP, {-2, 10}, {3, 10}, {3.5, 9}, {3.5, 7}, {3, 6}, {-2, 6}, UP, {-2, 5.5}, {3.5, 5.5}, {4.5, 4}, {4.5, 1}, {3.5, W}, {-2, W}}),  // B
    glyph(67, {{-2, 8}, {-2, 2}, UP, {-2, 8}, {0, 10}, {3, 10}, {4, 8}, UP, {-2, 2}, {0, W}, {3, W}, {4, 2}}),  // C
    glyph(68, {{-1.5, 10}, {-1.5, 0}, UP, {-2, 10}, {0, 10}, {3, 10}, {4, 8}, UP, {-2, W}, {0, W}, {3, W}, {4, 2}, {4, 8}}),  // D
    glyph(69, {{-2, 0}, {-2, 10}, {4, 10}, UP, {-2, 5.5}, {3, 5.5}, UP, {-2, W}, {4, W}}),  // E
    glyph(70, {{-2, 0}, {-2, 10}, {4, 10}, UP, {-2, 5}, {3, 5}}),  // F
    glyph(71, {{-2, 8}, {-2, 2}, UP, {-2, 8}, {0, 10}, {3, 10}, {4, 8}, UP, {-2, 2}, {0, W}, {3, W}, {4, 2}, {4, 4}, UP, {2, 4}, {4, 4}}),  // G
    glyph(72, {{-2, 0}, {-2, 10}, UP, {4, 0}, {4, 10}, UP, {-2, 5.5}, {4, 5.5}}),  // H
    glyph(73, {{1, 0}, {1, 10}, UP, {-0.5, W}, {2.5, W}, UP, {-0.5, 10}, {2.5, 10}}),  // I
    glyph(74, {{3, 10}, {1, 10}, UP, {3, 2}, {3, 10}, UP, {3, 2}, {2, W}, {0, W}, {-1, 2}, {-1, 3}}),  // J
    glyph(75, {{-2, 0}, {-2, 10}, UP, {-2, 4.5}, {3.5, 10}, UP, {-2, 5.5}, {3.5, 0}}),  // K
    glyph(76, {{-2, 0}, {-2, 10}, UP, {-2, W}, {3.5, W}, {3.5, 2}}),  // L
    glyph(77, {{-2, 0}, {-2, 10}, UP, {4, 0}, {4, 10}, {1, 3}, UP, {-2, 10}, {1, 3}}),  // M
    glyph(78, {{-2, 0}, {-2, 10}, UP, {4, 0}, {4, 10}, UP, {-2, 10}, {4, W}}),  // N
    glyph(79, {{4, 2}, {4, 8}, UP, {4, 2}, {3, W}, {-1, W}, {-2, 2}, {-2, 8}, UP, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}}),  // O
    glyph(80, {{-2, 10}, {-2, 0}, UP, {-2, 10}, {3.5, 10}, {4, 8.5}, {4, 6.5}, {3.5, 5}, {-2, 5}}),  // P
    glyph(81, {{4, 2}, {4, 8}, UP, {4, 2}, {3, W}, {-1, W}, {-2, 2}, {-2, 8}, UP, {4, 8}, {3, 10}, {-1, 10}, {-2, 8}, UP, {2, 3}, {4.8, 0}}),  // Q
    glyph(82, {{-2, 10}, {-2, 0}, UP, {-2, 10}, {3.5, 10}, {4, 9}, {4, 7}, {3.5, 6}, {-2, 6}, UP, {4, 0}, {0, 6}}),  // R
    glyph(83, {{-2, 6}, {-2, 8}, {0, 10}, {3, 10}, {3.5, 9}, UP, {-2, 6}, {3.5, 4}, {3.5, 2}, {0.5, 0}, UP, {0.5, W}, {-1.5, W}, {-2, 1}, {-2, 2}}),  // S
    glyph(84, {{1, 0}, {1, 10}, UP, {-1.5, 10}, {4.5, 10}, UP, {-1.5, 10}, {-1.5, 9}, UP, {4.5, 10}, {4.5, 9}}),  // T
    glyph(85, {{3.5, 0}, {3.5, 10}, UP, {3.5, 1}, {2, W}, {-0.7, W}, {-1.5, 2}, {-1.5, 10}}),  // U
    glyph(86, {{3.5, 10}, {1, 0}, UP, {-1.5, 10}, {1, 0}, UP, {-0.5, 10}, {-2.5, 10}, UP, {2.5, 10}, {4.5, 10}}),  // V
    glyph(87, {{4, 10}, {3, 0}, {1, 5}, UP, {-2, 10}, {-1, 0}, UP, {1, 5}, {-1, 0}, UP, {-3, 10}, {-1, 10}, UP, {3, 10}, {5, 10}}),  // W
    glyph(88, {{-2, 10}, {4, 0}, UP, {4, 10}, {-2, 0}}),  // X
    glyph(89, {{-2, 10}, {1, 4}, UP, {4, 10}, {1, 4}, UP, {1, 0}, {1, 4}, UP, {0, W}, {2, W}}),  // Y
    glyph(90, {{4, 10}, {-2, 0}, UP, {4, 10}, {-2, 10}, UP, {-2, W}, {4, W}}),  // Z
    glyph(91, {{2, 0}, {2, 10}, {4, 10}, UP, {2, W}, {4, W}}),  // [
    glyph(92, {{2, 0}, {-1, 10}}),  // backslash
    glyph(93, {{-1, 0}, {-1, 10}, {-3, 10}, UP, {-1, W}, {-3, W}}),  // ]
    glyph(94, {{-2, 8}, {0, 10}, {2, 8}}),  // ^
    glyph(95, {{-3, W}, {4, W}}),  // _
    glyph(96, {{-2, 10}, {0, 8}}),  // `
    glyph(123, {{1, 5}, {2, 6}, {2, 10}, {4, 10}, UP, {1, 5}, {2, 4}, {2, 0}, UP, {2, W}, {4, W}}),  // {
    glyph(124, {{1, 10}, {1, 0}}),  // |
    glyph(125, {{1, 5}, {0, 6}, {0, 10}, {-2, 10}, UP, {1, 5}, {0, 4}, {0, 0}, UP, {0, W}, {-2, W}}),  // }
    glyph(126, {{-2, 4}, {-1, 5}, {0, 5}, {1, 4}, {2, 4}, {3, 5}}),  // ~
};

namespace {

constexpr int CODES = 128;

struct GlyphIndex {
  int row[CODES];  // row of GLYPH_SHAPES per code, -1 for none
};

constexpr GlyphIndex build_index() {
  GlyphIndex index{};
  for (int& r : index.row) r = -1;
  for (int k = 0; k < GLYPH_SHAPE_COUNT; ++k) index.row[GLYPH_SHAPES[k].code] = k;
  return index;
}

constexpr GlyphIndex GLYPH_INDEX = build_index();

constexpr bool rows_in_code_order() {
  for (int k = 1; k < GLYPH_SHAPE_COUNT; ++k)
    if (GLYPH_SHAPES[k].code <= GLYPH_SHAPES[k - 1].code) return false;
  return true;
}

// Every code from 33 to 126 but the lower case letters has a shape of its own.
constexpr bool covers_all_but_lower_case() {
  for (int code = 33; code <= 126; ++code)
    if ((GLYPH_INDEX.row[code] >= 0) == (code >= 'a' && code <= 'z')) return false;
  return true;
}

static_assert(rows_in_code_order(), "glyph rows out of code order");
static_assert(covers_all_but_lower_case(), "glyph table misses a code or holds a lower case letter");

}  // namespace

const GlyphShape* glyph_shape(int code) {
  if (code < 0 || code >= CODES) return nullptr;
  const int row = GLYPH_INDEX.row[code];
  return row < 0 ? nullptr : &GLYPH_SHAPES[row];
}
