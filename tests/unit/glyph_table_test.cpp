// The glyph table as data: coordinate values, stroke structure, the one shape drawn over another.
#include <gtest/gtest.h>

#include <cmath>

#include "text/glyph_table.h"

namespace {

TEST(GlyphTable, CoordinatesAreWholeHalvesOrTheFewListedValues) {
  const double listed[] = {0.7, 3.2, 3.3, 4.8, 6.8};
  auto allowed = [&](double v) {
    if (std::floor(2 * v) == 2 * v) return true;
    for (double l : listed)
      if (std::fabs(v) == l) return true;
    return false;
  };
  for (const GlyphShape& shape : GLYPH_SHAPES)
    for (int k = 0; k < shape.length; ++k) {
      const GlyphPoint& p = shape.points[k];
      if (is_pen_up(p)) continue;
      EXPECT_TRUE(allowed(p.a)) << "code " << shape.code << " point " << k << " a = " << p.a;
      EXPECT_TRUE(p.b == W || allowed(p.b)) << "code " << shape.code << " point " << k << " b = " << p.b;
    }
}

TEST(GlyphTable, EveryStrokeHasAtLeastTwoPoints) {
  for (const GlyphShape& shape : GLYPH_SHAPES) {
    int run = 0;
    for (int k = 0; k <= shape.length; ++k) {
      if (k == shape.length || is_pen_up(shape.points[k])) {
        EXPECT_GE(run, 2) << "code " << shape.code << " has a stroke of " << run << " points before " << k;
        run = 0;
      } else {
        ++run;
      }
    }
  }
}

TEST(GlyphTable, OnlyTheDollarIsDrawnOverAnotherShape) {
  for (const GlyphShape& shape : GLYPH_SHAPES) {
    EXPECT_EQ(shape.drawn_over, shape.code == '$' ? 'S' : 0) << shape.code;
    EXPECT_EQ(shape.thin, shape.code == '$') << shape.code;
  }
  EXPECT_EQ(glyph_shape('a'), nullptr);
  EXPECT_EQ(glyph_shape(' '), nullptr);
  EXPECT_EQ(glyph_shape(200), nullptr);
  EXPECT_EQ(glyph_shape('~')->code, '~');
}

}  // namespace
