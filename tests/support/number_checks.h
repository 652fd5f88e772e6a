// Helpers of the number, length and overlay tests: the scratch file, stream formatting, lengths
// summed apart from the code under test, and the stroke font's own drawing of texts to compare with.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "scene/scene_store.h"
#include "tests/support/gl_recorder.h"
#include "text/stroke_font.h"

namespace testing_support {

// The whole scratch file of the working directory; empty when it cannot be read.
inline std::string scratch_text() {
  std::ifstream in("1.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The text a fresh stream makes of the value: the reference the console counts are checked against.
inline std::string stream_text(float value) {
  std::ostringstream out;
  out << value;
  return out.str();
}

// The length of spline i from site 1 on, summed in double straight from the table.
inline double reference_length(int i) {
  double sum = 0.0;
  for (int j = 1; j + 1 < scene.sites_per_spline; ++j) {
    const Site& a = scene.spline_table[i][j];
    const Site& b = scene.spline_table[i][j + 1];
    sum += std::sqrt(std::pow(double(a.x) - b.x, 2) + std::pow(double(a.y) - b.y, 2) + std::pow(double(a.z) - b.z, 2));
  }
  return sum;
}

// The console line of each text: its number of characters.
inline std::vector<std::string> counts_of(const std::vector<std::string>& texts) {
  std::vector<std::string> counts;
  for (const std::string& t : texts) counts.push_back(std::to_string(t.size()));
  return counts;
}

// The line segments drawn since the last clear_log.
inline std::vector<glrec::Primitive> drawn_lines() {
  std::vector<glrec::Primitive> out;
  for (const glrec::Primitive* p : glrec::recorder().primitives_of(GL_LINES)) out.push_back(*p);
  return out;
}

// One expected text: what draw_text is to be called with.
struct ExpectedText {
  std::string text;
  int x, y;
  const char* colour;
  float size;
};

// The stroke font's own drawing of the texts, in order; clears the recorder's log before and after.
inline std::vector<glrec::Primitive> reference_drawing(const std::vector<ExpectedText>& texts) {
  glrec::recorder().clear_log();
  for (const ExpectedText& t : texts) StrokeFont{}.draw_text(t.text.c_str(), t.x, t.y, t.colour, t.size);
  std::vector<glrec::Primitive> out = drawn_lines();
  glrec::recorder().clear_log();
  return out;
}

// Whether the stroke font draws anything at all; leaves the recorder's log cleared.
inline bool font_draws() { return !reference_drawing({{"0", 0, 0, "white", 2.0f}}).empty(); }

}  // namespace testing_support
