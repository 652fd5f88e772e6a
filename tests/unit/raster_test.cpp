// The browser's rasteriser against pixel sets worked out by hand: a wide and a thin line, two
// triangles sharing an edge, and the depth test.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "web/raster.h"

namespace {

constexpr int SIZE = 16;  // a 16 x 16 raster: window coordinates of 1/16 steps map to clip ones exactly
constexpr std::uint32_t BLACK = 0xff000000u;

using Pixels = std::set<std::pair<int, int>>;

// A vertex at window coordinates (x, y) and depth z of the SIZE x SIZE viewport, with w = 1.
ClipVertex at(float x, float y, float r, float g = 0, float b = 0, float z = 0.5f) {
  return {2 * x / SIZE - 1, 2 * y / SIZE - 1, 2 * z - 1, 1, r, g, b, 1};
}

Raster blank() {
  Raster raster;
  raster.open(SIZE, SIZE);
  return raster;
}

Pixels drawn(const Raster& raster) {
  Pixels pixels;
  for (int y = 0; y < SIZE; ++y)
    for (int x = 0; x < SIZE; ++x)
      if (raster.pixel(x, y) != BLACK) pixels.insert({x, y});
  return pixels;
}

TEST(Raster, LinesCoverTheirWidthAcrossTheMajorAxisFromStartToBeforeTheEnd) {
  // x-major, slope 1/2, 2 pixels wide: the columns whose centres lie in [1.3, 9.3), each with the
  // pixel holding y - 0.5 and the one above it.
  Raster wide = blank();
  wide.line(at(1.3f, 2.1f, 1), at(9.3f, 6.1f, 1), 2.0f);
  Pixels expected;
  const int lowest[] = {1, 2, 2, 3, 3, 4, 4, 5};  // floor(y - 0.5) at the centres x = 1.5 .. 8.5
  for (int i = 0; i < 8; ++i) expected.insert({{1 + i, lowest[i]}, {1 + i, lowest[i] + 1}});
  EXPECT_EQ(drawn(wide), expected);

  // The same line transposed, y-major and thin, drawn from its upper end: one pixel a row, the rows
  // whose centres lie in (1.3, 9.3].
  Raster thin = blank();
  thin.line(at(6.1f, 9.3f, 1), at(2.1f, 1.3f, 1), 1.0f);
  expected.clear();
  const int column[] = {2, 2, 3, 3, 4, 4, 5, 5};  // floor(x) at the centres y = 1.5 .. 8.5
  for (int i = 0; i < 8; ++i) expected.insert({column[i], 1 + i});
  EXPECT_EQ(drawn(thin), expected);

  // Wholly left of the raster, drawn leftwards: nothing, not even at the edge.
  Raster outside = blank();
  outside.line(at(-1.0f, 3.3f, 1), at(-6.0f, 4.1f, 1), 2.0f);
  EXPECT_EQ(drawn(outside), Pixels());
}

TEST(Raster, TrianglesSharingAnEdgeDrawEachPixelOnceByTheTopLeftRule) {
  // A square from pixel centre (1.5, 1.5) to (5.5, 5.5) cut along its diagonal: its left and top
  // edges are in, its right and bottom ones out, the centres on the diagonal in one triangle only.
  // Added blending shows a pixel drawn twice.
  Raster raster = blank();
  raster.blend = true;
  raster.blend_source = raster.blend_destination = BlendFactor::ONE;
  raster.triangle(at(1.5f, 1.5f, 0.25f), at(5.5f, 1.5f, 0.25f), at(5.5f, 5.5f, 0.25f));
  raster.triangle(at(1.5f, 1.5f, 0.25f), at(1.5f, 5.5f, 0.25f), at(5.5f, 5.5f, 0.25f));  // clockwise
  Pixels expected;
  for (int x = 1; x <= 4; ++x)
    for (int y = 2; y <= 5; ++y) expected.insert({x, y});
  EXPECT_EQ(drawn(raster), expected);
  for (const auto& [x, y] : expected) EXPECT_EQ(raster.pixel(x, y), BLACK | 64u) << x << ", " << y;
}

TEST(Raster, TheDepthTestKeepsTheNearerFragment) {
  Raster raster = blank();
  raster.depth_test = true;
  raster.point(at(3.5f, 3.5f, 1, 0, 0, 0.5f), 1.0f);  // red
  raster.point(at(3.5f, 3.5f, 0, 1, 0, 0.7f), 1.0f);  // green, farther: rejected
  EXPECT_EQ(raster.pixel(3, 3), BLACK | 0xffu);
  raster.point(at(3.5f, 3.5f, 0, 1, 0, 0.5f), 1.0f);  // green, as near: rejected by GL_LESS
  EXPECT_EQ(raster.pixel(3, 3), BLACK | 0xffu);
  raster.depth_function = DepthFunction::LEQUAL;
  raster.point(at(3.5f, 3.5f, 0, 1, 0, 0.5f), 1.0f);  // and kept by GL_LEQUAL
  EXPECT_EQ(raster.pixel(3, 3), BLACK | 0xff00u);
  raster.clear(false, true);
  raster.point(at(3.5f, 3.5f, 0, 0, 1, 0.9f), 1.0f);  // blue, after the depth buffer's clear
  EXPECT_EQ(raster.pixel(3, 3), BLACK | 0xff0000u);
}

}  // namespace
