// The closed spline with its position-only factors computed once stores, bit for bit, the segments
// of the elimination that recomputes them on every call.
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

#include "scene/closed_spline.h"
#include "tests/support/comparisons.h"
#include "tests/support/literal_reference.h"

namespace {

// Both solves on the same values into segment arrays prefilled alike; true when every byte of all
// MAX_SITES segments agrees, the untouched ones beyond n included.
::testing::AssertionResult same_solves(const std::vector<float>& values) {
  const int n = static_cast<int>(values.size()) - 1;
  Cubic fast[MAX_SITES], literal[MAX_SITES];
  for (int k = 0; k < MAX_SITES; ++k) fast[k] = literal[k] = Cubic(-7.0f, 7.0f, -7.0f, 7.0f);
  closed_spline(n, values.data(), fast);
  literal::closed_spline(n, values.data(), literal);
  return testing_support::same_segments(fast, literal, MAX_SITES) << " (fast against literal, n = " << n << ")";
}

TEST(ClosedSplineFactors, SameBitsAsTheLiteralSweepForEveryLength) {
  std::mt19937 engine(7031);
  // Whole-number sites as the editor makes them, fractional run points, and wide magnitudes.
  std::uniform_int_distribution<int> whole(-650, 648);
  std::uniform_real_distribution<float> fraction(-900.0f, 900.0f);
  std::uniform_real_distribution<float> exponent(-40.0f, 38.0f);
  for (int count = 1; count <= MAX_SITES; ++count)
    for (int trial = 0; trial < 12; ++trial) {
      std::vector<float> values(static_cast<std::size_t>(count));
      for (float& v : values)
        v = trial % 3 == 0 ? static_cast<float>(whole(engine))
            : trial % 3 == 1 ? fraction(engine)
                             : (engine() & 1 ? -1.0f : 1.0f) * std::pow(10.0f, exponent(engine));
      ASSERT_TRUE(same_solves(values)) << "trial " << trial;
    }
}

TEST(ClosedSplineFactors, SameBitsOnValuesThatOverflowOrAreNotNumbers) {
  const float inf = std::numeric_limits<float>::infinity();
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float big = std::numeric_limits<float>::max();
  const float tiny = std::numeric_limits<float>::denorm_min();
  const std::vector<std::vector<float>> cases = {
      {big, -big, big},  {inf, 0.0f},          {1.0f, nan, 2.0f, 3.0f}, {-0.0f, 0.0f, -0.0f},
      {tiny, -tiny, tiny, 0.0f}, {-inf, inf, 1.0f, 2.0f, 3.0f},
  };
  for (const auto& values : cases) EXPECT_TRUE(same_solves(values));
  // Long curves with one odd value at the start, in the middle and at the end.
  for (float odd : {inf, nan, big, tiny})
    for (int where : {0, 50, 99}) {
      std::vector<float> values(100, 3.0f);
      for (int k = 0; k < 100; ++k) values[static_cast<std::size_t>(k)] = static_cast<float>(k % 7) * 11.5f;
      values[static_cast<std::size_t>(where)] = odd;
      EXPECT_TRUE(same_solves(values)) << odd << " at " << where;
    }
}

}  // namespace
