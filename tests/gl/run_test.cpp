// The run: snapshot, timing of segments and wrap, the run curve's points and colour, the trail.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "app/view_state.h"
#include "scene/closed_spline.h"
#include "scene/random.h"
#include "scene/render.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/frame_scene.h"
#include "tests/support/state_snapshot.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;
using testing_support::recorded_frame;
using testing_support::same_colour;
using testing_support::same_vertices;
using testing_support::scene_loops;

constexpr float LAST_PARAM = 0.99999934f;  // the last parameter of a segment, summed in float

// The generator's recurrence, run on a copy of the state.
struct Lcg {
  std::uint32_t s;
  int next() {
    s = s * 214013u + 2531011u;
    return static_cast<int>((s >> 16) & 32767u);
  }
  float channel() { return static_cast<float>(next() % 100) / 33.0f; }
};

class RunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
    recorder().clear_log();
  }

  // A table of random, non-integral sites.
  void random_table(int splines, int sites, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> coordinate(-600.0f, 600.0f);
    for (int i = 0; i < splines; ++i)
      for (int j = 0; j < sites; ++j)
        scene.spline_table[i][j] = Site{coordinate(gen), coordinate(gen), coordinate(gen)};
    scene.spline_count = splines;
    scene.sites_per_spline = sites;
  }

  // The run's part of a frame: snapshot, then one run step.
  static void step() {
    take_run_snapshot();
    run_step(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
             static_cast<float>(run.snapshot_row_count), run.run_param, run.run_segment);
  }

  // The loop draw_closed_spline draws through the sites of spline i. Call it before taking
  // pointers into the recorder: it draws into the log and takes its primitive back out.
  static glrec::Primitive spline_loop(int i) {
    float xs[MAX_SITES], ys[MAX_SITES], zs[MAX_SITES];
    for (int j = 0; j < scene.sites_per_spline; ++j) {
      xs[j] = scene.spline_table[i][j].x;
      ys[j] = scene.spline_table[i][j].y;
      zs[j] = scene.spline_table[i][j].z;
    }
    const std::size_t first = recorder().primitives.size();
    draw_closed_spline(xs, ys, zs, scene.sites_per_spline);
    glrec::Primitive loop = recorder().primitives.at(first);
    recorder().primitives.resize(first);
    return loop;
  }

  static void expect_run_points_on_spline(int i) {
    for (int r = 0; r < scene.sites_per_spline; ++r) {
      EXPECT_EQ(run.run_points[r].x, scene.spline_table[i][r].x) << "spline " << i << " site " << r;
      EXPECT_EQ(run.run_points[r].y, scene.spline_table[i][r].y) << "spline " << i << " site " << r;
      EXPECT_EQ(run.run_points[r].z, scene.spline_table[i][r].z) << "spline " << i << " site " << r;
    }
  }
};

TEST_F(RunTest, SnapshotIsTheWholeTableTransposedEveryFrame) {
  random_table(3, 5, 1);
  scene.spline_table[70][90] = Site{1.5f, 2.5f, 3.5f};  // outside the counts, still copied
  take_run_snapshot();
  for (int i = 0; i < MAX_SPLINES; ++i)
    for (int j = 0; j < MAX_SITES; ++j) {
      const Site& from = scene.spline_table[i][j];
      const Site& to = run.run_snapshot[j][i];
      ASSERT_TRUE(from.x == to.x && from.y == to.y && from.z == to.z) << "spline " << i << " site " << j;
    }
  EXPECT_EQ(run.snapshot_row_length, 3);
  EXPECT_EQ(run.snapshot_row_count, 5);

  // Rewritten in full the next time, run or no run.
  clear_scene();
  take_run_snapshot();
  EXPECT_EQ(run.run_snapshot[90][70].x, 0.0f);
  EXPECT_EQ(run.snapshot_row_length, 0);
  EXPECT_EQ(run.snapshot_row_count, 0);
}

TEST_F(RunTest, ASegmentLastsExactly101FramesAndACycle101PerSpline) {
  random_table(3, 4, 2);
  start_run();
  for (int segment = 0; segment < 3; ++segment) {
    EXPECT_EQ(run.run_param, 0.0f);
    for (int frame = 0; frame < 101; ++frame) {
      ASSERT_EQ(run.run_segment, segment);
      ASSERT_LT(run.run_param, 1.0f);
      if (frame == 100) {
        EXPECT_EQ(run.run_param, LAST_PARAM) << "the last parameter before the wrap";
      }
      step();
    }
  }
  EXPECT_EQ(run.run_param, 0.0f);
  EXPECT_EQ(run.run_segment, 0) << "303 frames bring three splines back to the start";
}

TEST_F(RunTest, AtParameterZeroTheRunCurveIsTheSpline) {
  random_table(4, 6, 3);
  start_run();
  for (int s = 0; s < 4; ++s) {
    run.run_param = 0.0f;
    run.run_segment = s;
    const glrec::Primitive spline = spline_loop(s);
    recorder().clear_log();
    step();
    expect_run_points_on_spline(s);
    const auto loops = recorder().primitives_of(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0]->vertices.size(), 61u);
    EXPECT_TRUE(same_vertices(*loops[0], spline)) << "run curve over spline " << s;
  }
}

TEST_F(RunTest, AfterTheLastSplineTheRunChangesBackIntoSplineZero) {
  random_table(3, 5, 4);
  start_run();
  run.run_segment = 2;
  run.run_param = LAST_PARAM;
  step();
  for (int r = 0; r < 5; ++r) {
    const Site& site = scene.spline_table[0][r];
    EXPECT_NEAR(run.run_points[r].x, site.x, 0.05) << "site " << r;
    EXPECT_NEAR(run.run_points[r].y, site.y, 0.05) << "site " << r;
    EXPECT_NEAR(run.run_points[r].z, site.z, 0.05) << "site " << r;
  }
  EXPECT_EQ(run.run_segment, 0);
  EXPECT_EQ(run.run_param, 0.0f);
  step();
  expect_run_points_on_spline(0);
}

TEST_F(RunTest, RefusedStartResetsNothing) {
  struct Case {
    const char* label;
    int splines;
    bool running;
  };
  for (const Case& c : {Case{"no spline", 0, false}, Case{"one spline", 1, false}, Case{"running", 3, true}}) {
    testing_support::reset_process_state();
    random_table(c.splines, 4, 5);
    scene.run_active = c.running;
    run.run_param = 0.42f;
    run.run_segment = 1;
    scene.selected_spline = 0;
    scene.selected_site = 2;
    const auto before = testing_support::capture_state();
    start_run();
    EXPECT_TRUE(testing_support::state_differences(before, testing_support::capture_state()).empty())
        << c.label;
  }
}

TEST_F(RunTest, ASplineBuiltDuringTheRunJoinsTheCycleFromTheNextFrame) {
  random_table(2, 4, 6);
  start_run();
  run.run_segment = 1;
  run.run_param = LAST_PARAM;
  // The buffer filled as the editing commands would have before the run (n is refused now).
  for (int j = 0; j < 4; ++j) scene.site_buffer[j] = Site{5.0f * j, 7.0f - j, 0.25f * j};
  scene.site_buffer_count = 4;
  build_spline();
  ASSERT_EQ(scene.spline_count, 3);
  ASSERT_TRUE(scene.run_active);

  step();
  EXPECT_EQ(run.run_segment, 2) << "the wrap now comes after the third spline";
  step();
  expect_run_points_on_spline(2);
  for (int frame = 0; frame < 100; ++frame) step();
  EXPECT_EQ(run.run_segment, 0);
}

TEST_F(RunTest, TrailDrawsTenCurvesPerSegmentThenTheCrossCurvesAllInBlue) {
  random_table(3, 5, 7);
  start_run();
  ASSERT_TRUE(view.trail_mode);
  recorded_frame();
  const auto loops = scene_loops();
  ASSERT_EQ(loops.size(), 3u + 1u + 30u + 5u) << "splines, run curve, intermediate curves, cross curves";
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(same_colour(loops[i]->colour_at_begin, 1, 1, 1));
    EXPECT_EQ(loops[i]->vertices.size(), 51u);
  }
  EXPECT_EQ(loops[3]->vertices.size(), 51u);
  for (std::size_t k = 4; k < loops.size(); ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(loops[k]->vertices.size(), k < 34 ? 51u : 31u);
    for (const glrec::Vertex& v : loops[k]->vertices) ASSERT_TRUE(same_colour(v.colour, 0, 0, 5));
  }
  // The first intermediate curve of every segment lies on its spline.
  for (int s = 0; s < 3; ++s) EXPECT_TRUE(same_vertices(*loops[4 + 10 * s], *loops[s])) << "segment " << s;
  // The trail neither reads nor changes the run's position.
  EXPECT_EQ(run.run_param, 0.01f);
  EXPECT_EQ(run.run_segment, 0);
}

TEST_F(RunTest, WithTrailModeOffNothingOfTheSnapshotIsDrawn) {
  random_table(3, 5, 8);
  start_run();
  view.trail_mode = false;
  recorded_frame();
  const auto loops = scene_loops();
  ASSERT_EQ(loops.size(), 4u) << "the three splines and the run curve";
  for (const glrec::Primitive& p : recorder().primitives)
    for (const glrec::Vertex& v : p.vertices) ASSERT_FALSE(same_colour(v.colour, 0, 0, 5));
  EXPECT_EQ(run.snapshot_row_count, 5) << "the snapshot is still taken";
  EXPECT_EQ(run.snapshot_row_length, 3);
}

TEST_F(RunTest, RunColourTakesThreeGeneratorValuesPerFrame) {
  generate_random_scene();
  view.trail_mode = false;
  Lcg expected{lcg::generator.s};
  for (int frame = 0; frame < 7; ++frame) {
    recorded_frame();
    const float red = expected.channel(), green = expected.channel(), blue = expected.channel();
    const auto loops = scene_loops();
    ASSERT_EQ(loops.size(), static_cast<std::size_t>(scene.spline_count) + 1);
    EXPECT_TRUE(same_colour(loops.back()->colour_at_begin, red, green, blue))
        << "frame " << frame << ": " << loops.back()->colour_at_begin[0] << " " << red;
    ASSERT_EQ(lcg::generator.s, expected.s) << "frame " << frame;
  }
  // A run that is off draws no colour.
  clear_scene();
  const std::uint32_t state = lcg::generator.s;
  for (int frame = 0; frame < 3; ++frame) recorded_frame();
  EXPECT_EQ(lcg::generator.s, state);
}

TEST_F(RunTest, OffRunStepDrawsAndAdvancesNothing) {
  random_table(3, 5, 9);
  run.run_param = 0.5f;
  step();
  EXPECT_EQ(recorder().count("glBegin"), 0);
  EXPECT_EQ(recorder().count("glColor3d"), 0);
  EXPECT_EQ(run.run_param, 0.5f);
}

// Degenerate tables: no splines or no sites draw nothing; one spline gives one-point cross curves.
TEST_F(RunTest, EmptyAndSinglePointCrossCurves) {
  random_table(3, 5, 10);
  start_run();
  take_run_snapshot();
  for (auto [sites, rows] : {std::pair{0.0f, 5.0f}, std::pair{3.0f, 0.0f}, std::pair{0.0f, 0.0f}}) {
    recorder().clear_log();
    draw_run_trail(run.run_snapshot, sites, rows);
    run_step(run.run_snapshot, sites, rows, run.run_param, run.run_segment);
    EXPECT_EQ(recorder().count("glBegin"), 0) << sites << " x " << rows;
  }

  // One spline: the run stays on it whatever the parameter, and each intermediate curve is it.
  run.run_segment = 0;
  run.run_param = 0.73f;
  recorder().clear_log();
  run_step(run.run_snapshot, 1.0f, 5.0f, run.run_param, run.run_segment);
  expect_run_points_on_spline(0);
  const glrec::Primitive spline = spline_loop(0);
  recorder().clear_log();
  draw_run_trail(run.run_snapshot, 1.0f, 5.0f);
  const auto loops = recorder().primitives_of(GL_LINE_LOOP);
  ASSERT_EQ(loops.size(), 10u);
  for (const glrec::Primitive* loop : loops) EXPECT_TRUE(same_vertices(*loop, spline));
}

// Unreachable through the keys (the table only shrinks by clear, which stops the run), but a
// segment beyond the table must not be evaluated: the cycle restarts at spline 0.
TEST_F(RunTest, ASegmentBeyondTheTableRestartsAtSplineZero) {
  random_table(3, 5, 11);
  start_run();
  run.run_segment = 7;
  step();
  expect_run_points_on_spline(0);
  EXPECT_EQ(run.run_segment, 0);
  EXPECT_EQ(run.run_param, 0.01f);
}

}  // namespace
