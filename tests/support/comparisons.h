// Comparison helpers shared by the test files: points, colours, recorded primitives and calls, and
// spline segments, compared exactly (the faster paths and the references compute bit for bit the same
// values) unless a tolerance is given.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <vector>

#include "scene/closed_spline.h"
#include "tests/support/gl_recorder.h"

namespace testing_support {

// A point with members x, y, z (a recorded vertex, a site) exactly at (x, y, z).
template <class Point>
void expect_point(const Point& p, double x, double y, double z, const std::string& what = "") {
  EXPECT_EQ(p.x, x) << what;
  EXPECT_EQ(p.y, y) << what;
  EXPECT_EQ(p.z, z) << what;
}

inline bool same_colour(const std::array<double, 4>& colour, double r, double g, double b) {
  return colour[0] == r && colour[1] == g && colour[2] == b;
}

// Vertex for vertex, bit for bit.
inline bool same_vertices(const glrec::Primitive& a, const glrec::Primitive& b) {
  if (a.vertices.size() != b.vertices.size()) return false;
  for (std::size_t k = 0; k < a.vertices.size(); ++k)
    if (a.vertices[k].x != b.vertices[k].x || a.vertices[k].y != b.vertices[k].y ||
        a.vertices[k].z != b.vertices[k].z)
      return false;
  return true;
}

// Same mode, line width, colour at glBegin and vertices.
inline ::testing::AssertionResult same_primitive(const glrec::Primitive& a, const glrec::Primitive& b) {
  if (a.mode == b.mode && a.line_width == b.line_width && a.colour_at_begin == b.colour_at_begin && same_vertices(a, b))
    return ::testing::AssertionSuccess();
  const auto describe = [](const glrec::Primitive& p) {
    const glrec::Vertex first = p.vertices.empty() ? glrec::Vertex{} : p.vertices[0];
    return ::testing::Message() << "mode " << p.mode << ", width " << p.line_width << ", colour ("
                                << p.colour_at_begin[0] << ", " << p.colour_at_begin[1] << ", " << p.colour_at_begin[2]
                                << "), " << p.vertices.size() << " vertices from (" << first.x << ", " << first.y
                                << ", " << first.z << ")";
  };
  return ::testing::AssertionFailure() << describe(a) << " against " << describe(b);
}

// The same primitives in the same order.
inline ::testing::AssertionResult same_drawing(const std::vector<glrec::Primitive>& actual,
                                               const std::vector<glrec::Primitive>& expected) {
  if (actual.size() != expected.size())
    return ::testing::AssertionFailure() << actual.size() << " primitives drawn, " << expected.size() << " expected";
  for (std::size_t k = 0; k < actual.size(); ++k)
    if (const auto same = same_primitive(actual[k], expected[k]); !same)
      return ::testing::AssertionFailure() << "primitive " << k << ": " << same.message();
  return ::testing::AssertionSuccess();
}

// The same calls, names and arguments, in the same order.
inline ::testing::AssertionResult same_calls(const std::vector<glrec::Call>& a, const std::vector<glrec::Call>& b) {
  if (a.size() != b.size()) return ::testing::AssertionFailure() << a.size() << " calls against " << b.size();
  for (std::size_t k = 0; k < a.size(); ++k) {
    bool same = std::strcmp(a[k].name, b[k].name) == 0 && a[k].argc == b[k].argc;
    for (int i = 0; same && i < a[k].argc; ++i) same = a[k][i] == b[k][i];
    if (!same) return ::testing::AssertionFailure() << "call " << k << ": " << a[k].name << " against " << b[k].name;
  }
  return ::testing::AssertionSuccess();
}

// A segment's coefficients within the tolerance of a + b u + c u^2 + d u^3.
inline void expect_cubic(const Cubic& s, float a, float b, float c, float d, float tolerance) {
  EXPECT_NEAR(s.a, a, tolerance);
  EXPECT_NEAR(s.b, b, tolerance);
  EXPECT_NEAR(s.c, c, tolerance);
  EXPECT_NEAR(s.d, d, tolerance);
}

// The first count segments of two arrays, byte for byte.
inline ::testing::AssertionResult same_segments(const Cubic* a, const Cubic* b, int count) {
  for (int k = 0; k < count; ++k)
    if (std::memcmp(&a[k], &b[k], sizeof(Cubic)) != 0)
      return ::testing::AssertionFailure() << "segment " << k << " is (" << a[k].a << ", " << a[k].b << ", " << a[k].c
                                           << ", " << a[k].d << ") against (" << b[k].a << ", " << b[k].b << ", "
                                           << b[k].c << ", " << b[k].d << ")";
  return ::testing::AssertionSuccess();
}

}  // namespace testing_support
