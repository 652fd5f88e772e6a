// Comparison helpers shared by the test files: points, colours and recorded primitives, compared
// exactly (the faster paths and the references compute bit for bit the same values).
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <string>

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

}  // namespace testing_support
