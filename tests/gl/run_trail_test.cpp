// The trail with each cross curve's segments computed once per frame issues exactly the calls of
// the literal form that recomputes every cross curve for every intermediate curve.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "scene/closed_spline.h"
#include "scene/render.h"
#include "scene/run.h"
#include "tests/support/comparisons.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;

// The trail as literally stated: for each segment and each of the ten parameters, every cross
// curve is gathered and its three splines solved again before the one point is taken.
void literal_trail(const RunSnapshot& snapshot, int sites, int rows) {
  for (int s = 0; s < sites; ++s)
    for (float u = 0.0f; u < 1.0f; u = static_cast<float>(u + 0.1)) {
      float px[MAX_SITES], py[MAX_SITES], pz[MAX_SITES];
      for (int r = 0; r < rows; ++r) {
        float xs[MAX_SPLINES], ys[MAX_SPLINES], zs[MAX_SPLINES];
        for (int k = 0; k < sites; ++k) {
          xs[k] = snapshot[r][k].x;
          ys[k] = snapshot[r][k].y;
          zs[k] = snapshot[r][k].z;
        }
        Cubic cx[MAX_SPLINES], cy[MAX_SPLINES], cz[MAX_SPLINES];
        closed_spline(sites - 1, xs, cx);
        closed_spline(sites - 1, ys, cy);
        closed_spline(sites - 1, zs, cz);
        px[r] = static_cast<float>(cubic_eval(cx[s], u));
        py[r] = static_cast<float>(cubic_eval(cy[s], u));
        pz[r] = static_cast<float>(cubic_eval(cz[s], u));
      }
      glColor3d(0, 0, 5);
      draw_closed_spline(px, py, pz, rows);
    }
}

std::vector<glrec::Call> calls_of(void (*draw)(int, int), int sites, int rows) {
  recorder().clear_log();
  draw(sites, rows);
  return recorder().calls;
}

TEST(RunTrail, SameCallsAsTheLiteralRecomputationOnRandomScenes) {
  testing_support::reset_process_state();
  std::mt19937 gen(20240611);
  std::uniform_int_distribution<int> splines(1, 14), sites(1, 16);
  std::uniform_real_distribution<float> coordinate(-800.0f, 800.0f);
  long vertices = 0;
  for (int trial = 0; trial < 60; ++trial) {
    const int p = trial == 0 ? 1 : trial == 1 ? 2 : splines(gen);
    const int r = trial == 2 ? 1 : sites(gen);
    for (auto& row : run.run_snapshot)
      for (Site& site : row) site = Site{coordinate(gen), coordinate(gen), coordinate(gen)};
    const auto fast = calls_of([](int n, int m) { draw_run_trail(run.run_snapshot, float(n), float(m)); }, p, r);
    const auto literal = calls_of([](int n, int m) { literal_trail(run.run_snapshot, n, m); }, p, r);
    ASSERT_TRUE(testing_support::same_calls(fast, literal)) << p << " splines x " << r << " sites";
    ASSERT_EQ(recorder().count("glBegin"), 10 * p);
    vertices += recorder().count("glVertex3d");
  }
  EXPECT_GT(vertices, 60 * 10 * 11);  // at least one loop of 11 vertices per curve compared
}

}  // namespace
