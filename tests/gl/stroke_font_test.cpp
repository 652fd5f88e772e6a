// The stroke font under the recording stand-in: layout, clamps, truncation, lower case, colours.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "tests/support/comparisons.h"
#include "tests/support/test_support.h"
#include "text/stroke_font.h"

namespace {

using glrec::recorder;
using glrec::Primitive;
using testing_support::same_primitive;

class StrokeFontTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::reset_process_state(); }

  // The primitives that f draws, from a clean log.
  template <typename F>
  std::vector<Primitive> drawn(F&& f) {
    recorder().clear_log();
    f();
    return recorder().primitives;
  }
  std::vector<Primitive> glyph(char ch, int x, int y, float size, const char* colour = "white") {
    return drawn([&] { font.draw_glyph(ch, x, y, colour, size); });
  }

  StrokeFont font;
};

TEST_F(StrokeFontTest, TwoLettersStandOneCellApartOnOneBaseline) {
  const auto text = drawn([&] { font.draw_text("AB", 100, -40, "red", 5.0f); });
  ASSERT_EQ(text.size(), 2u);
  // "A" begins with its apex (1, 10), "B" with the top of its stem (-2, 10).
  EXPECT_EQ(text[0].vertices[0].x, 100 + 1 * 5.0);
  EXPECT_EQ(text[0].vertices[0].y, -40 + 10 * 5.0);
  EXPECT_EQ(text[1].vertices[0].x, 150 + -2 * 5.0);
  EXPECT_EQ(text[1].vertices[0].y, -40 + 10 * 5.0);
  for (const Primitive& p : text) {
    EXPECT_EQ(p.mode, static_cast<GLenum>(GL_LINES));
    EXPECT_EQ(p.line_width, 5.0f / 3.0f + 1.0f);
    EXPECT_EQ(p.colour_at_begin, (std::array<double, 4>{1, 0, 0, 1}));
    for (const glrec::Vertex& v : p.vertices) EXPECT_EQ(v.z, 0.0);
  }
  EXPECT_TRUE(same_primitive(text[0], glyph('A', 100, -40, 5.0f, "red")[0])) << "A";
  EXPECT_TRUE(same_primitive(text[1], glyph('B', 150, -40, 5.0f, "red")[0])) << "B";
}

TEST_F(StrokeFontTest, EveryGlyphSetsColourThenWidthAroundOneLinePair) {
  const auto p = glyph('K', 0, 0, 3.0f);
  const auto& calls = recorder().calls;
  ASSERT_EQ(p.size(), 1u);
  ASSERT_GE(calls.size(), 4u);
  EXPECT_TRUE(calls[0].is("glColor3d"));
  EXPECT_TRUE(calls[1].is("glLineWidth"));
  EXPECT_TRUE(calls[2].is("glBegin"));
  EXPECT_TRUE(calls.back().is("glEnd"));
  EXPECT_EQ(recorder().count("glVertex3d"), 6);  // three separate segments
}

TEST_F(StrokeFontTest, DrawTextClampsTheSizeToTwoThroughThirty) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    float size, used;
  } cases[] = {{1.0f, 2.0f}, {2.0f, 2.0f}, {30.0f, 30.0f}, {45.0f, 30.0f},
               {nan, 2.0f},  {-inf, 2.0f}, {inf, 30.0f},   {17.5f, 17.5f}};
  for (const Case& c : cases) {
    const std::string what = "size " + std::to_string(c.size);
    const auto text = drawn([&] { font.draw_text("AB", 10, 20, "green", c.size); });
    ASSERT_EQ(text.size(), 2u) << what;
    EXPECT_TRUE(same_primitive(text[0], glyph('A', 10, 20, c.used, "green")[0])) << what + " A";
    EXPECT_TRUE(same_primitive(text[1], glyph('B', 10 + static_cast<int>(10 * c.used), 20, c.used, "green")[0]))
        << what + " B";
  }
}

TEST_F(StrokeFontTest, CellsAreComputedInDoubleAndTruncatedTowardZero) {
  struct Case {
    int x;
    int second, third;
  } cases[] = {{100, 122, 145}, {-1000, -977, -955}, {-10, 12, 35}};
  for (const Case& c : cases) {
    const auto text = drawn([&] { font.draw_text("III", c.x, 0, "white", 2.25f); });
    ASSERT_EQ(text.size(), 3u);
    // "I" begins with its stem at a = 1.
    EXPECT_EQ(text[0].vertices[0].x, c.x + 2.25) << c.x;
    EXPECT_EQ(text[1].vertices[0].x, c.second + 2.25) << c.x;
    EXPECT_EQ(text[2].vertices[0].x, c.third + 2.25) << c.x;
  }
}

TEST_F(StrokeFontTest, LowerCaseIsTheCapitalAtSevenTenthsOnTheSameAnchor) {
  const float reduced = static_cast<float>(2.0f * 0.7);  // 1.4f, below the clamp and kept
  ASSERT_EQ(reduced, 1.4f);
  const auto text = drawn([&] { font.draw_text("ale", 0, 100, "blue", 2.0f); });
  ASSERT_EQ(text.size(), 3u);
  EXPECT_TRUE(same_primitive(text[0], glyph('A', 0, 100, 1.4f, "blue")[0])) << "a";
  EXPECT_TRUE(same_primitive(text[1], glyph('L', 20, 100, 1.4f, "blue")[0])) << "l";
  EXPECT_TRUE(same_primitive(text[2], glyph('E', 40, 100, 1.4f, "blue")[0])) << "e";
  EXPECT_EQ(text[0].line_width, 1.4f / 3.0f + 1.0f);
  EXPECT_EQ(text[0].vertices[0].x, 0 + 1 * double{1.4f});
  EXPECT_EQ(text[0].vertices[0].y, 100 + 10 * double{1.4f});
  // "L" ends with its foot (-2, w)-(3.5, w)-(3.5, 2): the baseline raised by the reduced width.
  const double raised = 100 + double{1.4f} / 3.0 + 1.0;
  const auto& l = text[1].vertices;
  ASSERT_EQ(l.size(), 6u);
  EXPECT_EQ(l[2].x, 20 - 2 * double{1.4f});
  EXPECT_EQ(l[2].y, raised);
  EXPECT_EQ(l[3].y, raised);
  EXPECT_EQ(l[5].y, 100 + 2 * double{1.4f});

  // The reduced size is the product in double, rounded once: at 9 it is 6.3000002f, not 9 * 0.7f.
  const float nine_reduced = static_cast<float>(9.0 * 0.7);
  ASSERT_NE(nine_reduced, 9.0f * 0.7f);
  const auto e = drawn([&] { font.draw_text("e", 0, 0, "white", 9.0f); });
  EXPECT_TRUE(same_primitive(e[0], glyph('E', 0, 0, nine_reduced)[0])) << "e at 9";

  // "Hello": the capital at full size, the rest reduced, all on one baseline and a full cell each.
  const auto hello = drawn([&] { font.draw_text("Hello", 0, 0, "white", 10.0f); });
  ASSERT_EQ(hello.size(), 5u);
  const char capitals[] = "HELLO";
  for (int k = 0; k < 5; ++k)
    EXPECT_TRUE(same_primitive(hello[k], glyph(capitals[k], 100 * k, 0, k == 0 ? 10.0f : 7.0f)[0])) << capitals[k];
}

TEST_F(StrokeFontTest, CharactersOutside33To126DrawNothingButTakeACell) {
  const char blanks[] = {' ', '\t', '\n', '\x01', '\x7f', '\x80', '\xa0', '\xff'};
  for (char blank : blanks) {
    const int code = static_cast<unsigned char>(blank);
    EXPECT_TRUE(glyph(blank, 0, 0, 5.0f).empty()) << code;
    EXPECT_TRUE(recorder().calls.empty()) << code << ": no GL call at all";

    const char text[] = {'I', blank, 'I', '\0'};
    const auto drawn_text = drawn([&] { font.draw_text(text, 0, 0, "white", 5.0f); });
    ASSERT_EQ(drawn_text.size(), 2u) << code;
    EXPECT_EQ(drawn_text[1].vertices[0].x, 100 + 5.0) << code << ": the blank kept its cell";
  }
  for (const char* text : {"", "    ", " \t\n"}) {
    drawn([&] { font.draw_text(text, 0, 0, "white", 5.0f); });
    EXPECT_TRUE(recorder().calls.empty()) << '"' << text << '"';
  }
}

TEST_F(StrokeFontTest, DollarIsTheSThenTwoThinBarsLeavingTheThinWidth) {
  const float s = 6.0f;
  const auto dollar = glyph('$', 50, 10, s, "yellow");
  ASSERT_EQ(dollar.size(), 2u);
  EXPECT_TRUE(same_primitive(dollar[0], glyph('S', 50, 10, s, "yellow")[0])) << "the S";
  EXPECT_EQ(dollar[0].line_width, s / 3.0f + 1.0f);
  EXPECT_EQ(dollar[1].line_width, s / 6.0f + 1.0f);
  EXPECT_EQ(dollar[1].colour_at_begin, (std::array<double, 4>{1, 1, 0, 1}));
  const double bars[][2] = {{50, 10 + 11 * s}, {50, 10 - s}, {50 + 2 * s, 10 + 11 * s}, {50 + 2 * s, 10 - s}};
  ASSERT_EQ(dollar[1].vertices.size(), 4u);
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(dollar[1].vertices[k].x, bars[k][0]);
    EXPECT_EQ(dollar[1].vertices[k].y, bars[k][1]);
  }
  glyph('$', 0, 0, s);
  EXPECT_EQ(recorder().line_width, s / 6.0f + 1.0f) << "the width the bars leave behind";
  EXPECT_EQ(recorder().count("glBegin"), 2);
}

TEST_F(StrokeFontTest, ColourNamesResolveExactlyAndUnknownNamesAreWhite) {
  struct Case {
    const char* name;
    Rgb rgb;
  } cases[] = {
      {"red", {1, 0, 0}},          {"green", {0, 1, 0}},         {"blue", {0, 0, 1}},
      {"lightblue", {0, 2, 2}},    {"yellow", {1, 1, 0}},        {"gray", {0.8f, 0.8f, 0.8f}},
      {"darkgray", {0.5f, 0.5f, 0.5f}}, {"orange", {1.25f, 0.51f, 0.14f}}, {"violet", {0.64f, 0, 1.275f}},
      {"pink", {1.275f, 0, 0.64f}}, {"white", {1, 1, 1}},         {"Red", {1, 1, 1}},
      {"purple", {1, 1, 1}},       {"", {1, 1, 1}},              {"red ", {1, 1, 1}},
      {"lightblu", {1, 1, 1}},
  };
  for (const Case& c : cases) {
    const Rgb got = font.colour_by_name(c.name);
    EXPECT_EQ(got.r, c.rgb.r) << '"' << c.name << '"';
    EXPECT_EQ(got.g, c.rgb.g) << '"' << c.name << '"';
    EXPECT_EQ(got.b, c.rgb.b) << '"' << c.name << '"';
  }
  // Handed to OpenGL unclamped, and left as the current colour.
  drawn([&] { font.draw_text("=", 0, 0, "lightblue", 3.0f); });
  const auto colours = recorder().calls_named("glColor3d");
  ASSERT_EQ(colours.size(), 1u);
  EXPECT_EQ(colours[0][1], 2.0);
  EXPECT_EQ(colours[0][2], 2.0);
  EXPECT_EQ(recorder().colour, (std::array<double, 4>{0, 2, 2, 1}));
}

TEST_F(StrokeFontTest, AColourNameIsComparedByTextNotByAddress) {
  std::string name = "re";
  name += 'd';
  char buffer[8] = {'g', 'r', 'e', 'e', 'n', '\0'};
  const auto red = drawn([&] { font.draw_text("X", 0, 0, name.c_str(), 4.0f); });
  ASSERT_EQ(red.size(), 1u);
  EXPECT_EQ(red[0].colour_at_begin, (std::array<double, 4>{1, 0, 0, 1}));
  const auto green = drawn([&] { font.draw_text("X", 0, 0, buffer, 4.0f); });
  EXPECT_EQ(green[0].colour_at_begin, (std::array<double, 4>{0, 1, 0, 1}));
}

TEST_F(StrokeFontTest, TouchesOnlyColourAndLineWidth) {
  std::string all;
  for (int code = 0; code < 256; ++code)
    if (code != 0) all += static_cast<char>(code);
  drawn([&] { font.draw_text(all.c_str(), -1000, 0, "orange", 2.0f); });
  for (const auto& [name, count] : recorder().counts) {
    const bool allowed = name == "glColor3d" || name == "glLineWidth" || name == "glBegin" ||
                         name == "glEnd" || name == "glVertex3d";
    EXPECT_TRUE(allowed) << name << " x" << count;
  }
  EXPECT_EQ(recorder().count("glBegin"), 94 + 1) << "one pair per character, two for $";
  EXPECT_TRUE(recorder().errors.empty());
}

}  // namespace
