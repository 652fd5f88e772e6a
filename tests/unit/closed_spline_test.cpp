// The closed spline: worked examples, and properties against an independent dense solve.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "scene/closed_spline.h"
#include "tests/support/comparisons.h"

namespace {

using testing_support::expect_cubic;

std::vector<Cubic> solve(const std::vector<float>& values) {
  std::vector<Cubic> segments(100, Cubic(-7, -7, -7, -7));
  closed_spline(static_cast<int>(values.size()) - 1, values.data(), segments.data());
  return segments;
}

TEST(ClosedSpline, TwoValuesRunStraightThereAndBack) {
  const auto s = solve({2.0f, 7.0f});
  expect_cubic(s[0], 2, 0, 15, -10, 0);
  expect_cubic(s[1], 7, 0, -15, 10, 0);
}

TEST(ClosedSpline, ConstantValuesGiveConstantSegments) {
  const auto s = solve(std::vector<float>(17, 4.5f));
  for (int k = 0; k < 17; ++k) expect_cubic(s[k], 4.5f, 0, 0, 0, 0);
}

TEST(ClosedSpline, WorkedExamples) {
  const auto three = solve({0, 3, 6});
  expect_cubic(three[0], 0, -3, 9, -3, 1e-5f);
  EXPECT_NEAR(three[1].b, 6, 1e-5);
  EXPECT_NEAR(three[2].b, -3, 1e-5);

  const auto four = solve({0, 10, 0, -10});
  EXPECT_NEAR(four[0].b, 15, 1e-5);
  EXPECT_LT(std::fabs(four[1].b), 1e-6);
  EXPECT_NEAR(four[2].b, -15, 1e-5);
  EXPECT_LT(std::fabs(four[3].b), 1e-6);
}

TEST(ClosedSpline, OnePointIsOneConstantSegmentAndTouchesNothingElse) {
  std::vector<Cubic> segments(3, Cubic(-7, -7, -7, -7));
  const float value = 12.5f;
  closed_spline(0, &value, segments.data());
  expect_cubic(segments[0], 12.5f, 0, 0, 0, 0);
  expect_cubic(segments[1], -7, -7, -7, -7, 0);
}

TEST(ClosedSpline, LeavesSegmentsBeyondNUntouched) {
  const auto s = solve({1, 5, -3, 8});
  for (int k = 4; k < 100; ++k) ASSERT_EQ(s[k].a, -7.0f);
}

// The periodic system 4 D[k] + D[k-1] + D[k+1] = 3 (v[k+1] - v[k-1]) by Gaussian elimination in
// double on the full matrix, independent of the sweep under test.
std::vector<double> dense_derivatives(const std::vector<float>& v) {
  const int m = static_cast<int>(v.size());
  std::vector<std::vector<double>> a(m, std::vector<double>(m + 1, 0.0));
  for (int k = 0; k < m; ++k) {
    a[k][k] += 4;
    a[k][(k + m - 1) % m] += 1;
    a[k][(k + 1) % m] += 1;
    a[k][m] = 3.0 * (double(v[(k + 1) % m]) - v[(k + m - 1) % m]);
  }
  for (int col = 0; col < m; ++col) {
    int pivot = col;
    for (int r = col + 1; r < m; ++r)
      if (std::fabs(a[r][col]) > std::fabs(a[pivot][col])) pivot = r;
    std::swap(a[col], a[pivot]);
    for (int r = 0; r < m; ++r) {
      if (r == col) continue;
      const double factor = a[r][col] / a[col][col];
      for (int c = col; c <= m; ++c) a[r][c] -= factor * a[col][c];
    }
  }
  std::vector<double> d(m);
  for (int k = 0; k < m; ++k) d[k] = a[k][m] / a[k][k];
  return d;
}

TEST(ClosedSpline, MatchesADenseSolveAndJoinsSmoothlyForEveryLength) {
  std::mt19937 engine(20261208);
  std::uniform_int_distribution<int> coordinate(-650, 648);
  for (int count = 2; count <= 100; ++count) {
    for (int trial = 0; trial < 10; ++trial) {
      std::vector<float> v(count);
      for (float& x : v) x = static_cast<float>(coordinate(engine));
      const auto s = solve(v);
      const auto expected = dense_derivatives(v);
      const int n = count - 1;
      for (int k = 0; k <= n; ++k) {
        const int next = k < n ? k + 1 : 0;
        const Cubic& c = s[k];
        const Cubic& after = s[next];
        SCOPED_TRACE(::testing::Message() << "count " << count << " trial " << trial << " segment " << k);
        ASSERT_EQ(cubic_eval(c, 0.0f), v[k]);
        ASSERT_NEAR(cubic_eval(c, 1.0f), v[next], 1e-3);
        ASSERT_NEAR(c.b, expected[k], 1e-3);
        // First and second derivative continuous across the join to the next segment.
        ASSERT_NEAR(double(c.b) + 2.0 * c.c + 3.0 * c.d, after.b, 2e-3);
        ASSERT_NEAR(2.0 * c.c + 6.0 * c.d, 2.0 * after.c, 4e-3);
      }
    }
  }
}

TEST(CubicEval, UsesHornerOrderInDouble) {
  const Cubic c(1.0f, 0.1f, 0.2f, 0.3f);
  const float u = 0.7f;
  const double t = u;
  EXPECT_EQ(cubic_eval(c, u), ((double(0.3f) * t + double(0.2f)) * t + double(0.1f)) * t + double(1.0f));
}

}  // namespace
