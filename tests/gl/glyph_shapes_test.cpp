// Guards against typing mistakes in the glyph table, through the drawing: every printable character
// draws its count of segments, within the font's extent.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tests/support/test_support.h"
#include "text/glyph_table.h"
#include "text/stroke_font.h"

namespace {

using glrec::recorder;

// Segments per shape, counted from the strokes as the shapes are described (points minus one per
// stroke, summed); "$" counts its own two bars only.
const std::map<char, int> SEGMENTS = {
    {'!', 5},  {'"', 2},  {'#', 4},  {'$', 2},  {'%', 9},  {'&', 9},  {'\'', 1}, {'(', 3},
    {')', 3},  {'*', 4},  {'+', 2},  {',', 5},  {'-', 1},  {'.', 4},  {'/', 1},  {'0', 9},
    {'1', 2},  {'2', 7},  {'3', 7},  {'4', 3},  {'5', 8},  {'6', 10}, {'7', 2},  {'8', 15},
    {'9', 11}, {':', 8},  {';', 9},  {'<', 2},  {'=', 2},  {'>', 2},  {'?', 11}, {'@', 7},
    {'A', 3},  {'B', 11}, {'C', 7},  {'D', 8},  {'E', 4},  {'F', 3},  {'G', 9},  {'H', 3},
    {'I', 3},  {'J', 6},  {'K', 3},  {'L', 3},  {'M', 4},  {'N', 3},  {'O', 8},  {'P', 6},
    {'Q', 9},  {'R', 7},  {'S', 10}, {'T', 4},  {'U', 5},  {'V', 4},  {'W', 6},  {'X', 2},
    {'Y', 4},  {'Z', 3},  {'[', 3},  {'\\', 1}, {']', 3},  {'^', 2},  {'_', 1},  {'`', 1},
    {'{', 6},  {'|', 1},  {'}', 6},  {'~', 5},
};

// The shape a character is drawn with: lower case letters use their capitals.
char shape_of(int code) { return static_cast<char>(code >= 'a' && code <= 'z' ? code - 32 : code); }

class GlyphShapesTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::reset_process_state(); }

  // Draws one character at the origin with size 1 (lower case: 0.7), so a vertex reads (a, b).
  void draw(int code) {
    recorder().clear_log();
    font.draw_glyph(static_cast<char>(code), 0, 0, "white", 1.0f);
  }

  StrokeFont font;
};

TEST_F(GlyphShapesTest, EveryPrintableCharacterDrawsItsSegmentCount) {
  ASSERT_EQ(SEGMENTS.size(), 68u);
  for (int code = 33; code <= 126; ++code) {
    draw(code);
    const auto& r = recorder();
    int expected = SEGMENTS.at(shape_of(code));
    if (code == '$') expected += SEGMENTS.at('S');
    long vertices = 0;
    for (const auto& p : r.primitives) {
      EXPECT_EQ(p.mode, static_cast<GLenum>(GL_LINES)) << char(code);
      vertices += static_cast<long>(p.vertices.size());
    }
    EXPECT_EQ(r.primitives.size(), code == '$' ? 2u : 1u) << char(code);
    EXPECT_EQ(vertices, 2L * expected) << "character " << char(code) << " (" << code << ")";
    EXPECT_TRUE(r.errors.empty()) << char(code);
  }
}

TEST_F(GlyphShapesTest, EveryShapeLiesWithinTheFontsExtent) {
  int capitals_and_digits_in_core_box = 0;
  for (int code = 33; code <= 126; ++code) {
    draw(code);
    const double scale = code >= 'a' && code <= 'z' ? double{static_cast<float>(0.7)} : 1.0;
    bool in_core = true;
    for (const auto& p : recorder().primitives)
      for (const auto& v : p.vertices) {
        const double a = v.x / scale, b = v.y / scale;
        EXPECT_TRUE(a >= -3 && a <= 5 && b >= -2 && b <= 11)
            << "character " << char(code) << " reaches (" << a << ", " << b << ")";
        // The raised baseline at size 1 lies at b = 4/3, inside the core box.
        in_core = in_core && a >= -2 && a <= 4 && b >= 0 && b <= 10;
      }
    const bool capital_or_digit = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9');
    if (capital_or_digit && in_core) ++capitals_and_digits_in_core_box;
  }
  // Capitals and digits mostly keep to -2 .. 4 by 0 .. 10; a few reach out ("A", "W", "Q", ...).
  EXPECT_GE(capitals_and_digits_in_core_box, 28) << "of 36";
  EXPECT_LT(capitals_and_digits_in_core_box, 36) << "\"A\" and \"W\" are 8 wide";
}

}  // namespace
