// The generator, the start scene and the editing commands with their refusals.
#include <gtest/gtest.h>

#include <cstring>

#include "app/view_state.h"
#include "scene/random.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/comparisons.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::reset_process_state;

class SceneTest : public ::testing::Test {
 protected:
  void SetUp() override { reset_process_state(); }
};

bool same_scene(const SceneStore& a, const SceneStore& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Generator, FollowsTheLinearCongruentialRecurrence) {
  lcg::generator = lcg::Generator{};
  EXPECT_EQ(lcg::rand(), 41);  // the first value of every process
  std::uint32_t s = 214013u + 2531011u;
  for (int i = 0; i < 1000; ++i) {
    s = s * 214013u + 2531011u;
    const int value = lcg::rand();
    ASSERT_EQ(value, static_cast<int>((s >> 16) & 32767u)) << "draw " << i + 2;
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST(LengthOffset, IsDrawnFromTheFirstValueBeforeMain) {
  lcg::generator = lcg::Generator{};
  EXPECT_EQ(draw_length_offset(), 23.505161f);
  EXPECT_EQ(draw_length_offset(), static_cast<float>(23.0 + (18467 % 1000) * 0.012321));
}

TEST_F(SceneTest, StartSceneHasSevenSplinesOfTwelveSites) {
  EXPECT_EQ(length_offset, 23.505161f);
  generate_random_scene();
  EXPECT_EQ(scene.spline_count, 7);
  EXPECT_EQ(scene.sites_per_spline, 12);
  // Spline 0 has the centre (0, -331, -176).
  testing_support::expect_point(scene.spline_table[0][0], -72, -223, -64);
  testing_support::expect_point(scene.spline_table[0][1], 14, -476, -81);
  for (int i = 0; i < scene.spline_count; ++i)
    for (int j = 0; j < scene.sites_per_spline; ++j) {
      const Site& s = scene.spline_table[i][j];
      EXPECT_TRUE(s.x >= -650 && s.x <= 648 && s.y >= -650 && s.y <= 648 && s.z >= -450 && s.z <= 448);
    }
  testing_support::expect_point(scene.spline_table[7][0], 0, 0, 0);  // rows beyond the count untouched
  EXPECT_TRUE(scene.run_active);
  EXPECT_EQ(run.run_param, 0.0f);
  EXPECT_EQ(run.run_segment, 0);
}

TEST_F(SceneTest, AddRandomSiteIsRefusedDuringTheRunAndWhenTheBufferIsComplete) {
  generate_random_scene();
  const std::uint32_t state = lcg::generator.s;
  add_random_site();
  EXPECT_EQ(scene.site_buffer_count, 0);
  EXPECT_EQ(lcg::generator.s, state) << "a refused key draws nothing";

  clear_scene();
  for (int k = 0; k < 5; ++k) add_random_site();  // no length fixed: no limit but the buffer
  EXPECT_EQ(scene.site_buffer_count, 5);
  for (int k = 0; k < 5; ++k) {
    const Site& s = scene.site_buffer[k];
    EXPECT_TRUE(s.x >= -150 && s.x <= 149 && s.y >= -150 && s.y <= 149 && s.z >= -150 && s.z <= 149);
  }
}

TEST_F(SceneTest, NewSitesTakeThreeDrawsInTheOrderXYZ) {
  scene.run_active = false;
  lcg::generator.s = 12345;
  const lcg::Generator copy = lcg::generator;
  const int rx = lcg::rand(), ry = lcg::rand(), rz = lcg::rand();
  lcg::generator = copy;
  add_random_site();
  testing_support::expect_point(scene.site_buffer[0], rx % 300 - 150, ry % 300 - 150, rz % 300 - 150);
}

TEST_F(SceneTest, RoadFromClearToTwoSplinesFixesTheLength) {
  generate_random_scene();
  view.clear_each_frame = false;
  clear_scene();
  EXPECT_EQ(scene.spline_count, 0);
  EXPECT_EQ(scene.sites_per_spline, 0);
  EXPECT_FALSE(scene.run_active);
  EXPECT_FALSE(view.show_site_table);
  EXPECT_FALSE(view.trail_mode);
  EXPECT_FALSE(view.clear_each_frame) << "clearing of the colour buffer stays as it was";
  testing_support::expect_point(scene.spline_table[3][5], 0, 0, 0);

  for (int k = 0; k < 3; ++k) add_random_site();
  build_spline();
  EXPECT_EQ(scene.spline_count, 1);
  EXPECT_EQ(scene.sites_per_spline, 3);
  EXPECT_EQ(scene.site_buffer_count, 0);

  add_random_site();
  add_random_site();
  build_spline();  // two sites of three: refused, buffer kept
  EXPECT_EQ(scene.spline_count, 1);
  EXPECT_EQ(scene.site_buffer_count, 2);
  add_random_site();
  add_random_site();  // refused: the buffer holds sites_per_spline sites
  EXPECT_EQ(scene.site_buffer_count, 3);
  const Site last = scene.site_buffer[2];
  build_spline();
  EXPECT_EQ(scene.spline_count, 2);
  testing_support::expect_point(scene.spline_table[1][2], last.x, last.y, last.z);

  build_spline();  // empty buffer
  EXPECT_EQ(scene.spline_count, 2);
}

TEST_F(SceneTest, ClearDrawsANewOffsetAndKeepsTheRunPosition) {
  generate_random_scene();
  run.run_param = 0.5f;
  run.run_segment = 3;
  lcg::Generator before = lcg::generator;
  const int r = lcg::rand();
  lcg::generator = before;
  clear_scene();
  EXPECT_EQ(length_offset, static_cast<float>(23.0 + (r % 1000) * 0.012321));
  EXPECT_EQ(run.run_param, 0.5f);
  EXPECT_EQ(run.run_segment, 3);
  EXPECT_EQ(scene.selected_spline, -1);
  EXPECT_EQ(scene.selected_site, -1);
}

TEST_F(SceneTest, TableAndBufferLimitsAreRefusedSilently) {
  clear_scene();
  for (int k = 0; k < MAX_SITES + 5; ++k) add_random_site();
  EXPECT_EQ(scene.site_buffer_count, MAX_SITES);
  const std::uint32_t state = lcg::generator.s;
  add_random_site();
  EXPECT_EQ(lcg::generator.s, state);
  build_spline();
  EXPECT_EQ(scene.sites_per_spline, MAX_SITES);
  for (int i = 1; i < MAX_SPLINES + 3; ++i) {
    for (int k = 0; k < MAX_SITES; ++k) add_random_site();
    build_spline();
  }
  EXPECT_EQ(scene.spline_count, MAX_SPLINES);
  EXPECT_EQ(scene.site_buffer_count, MAX_SITES) << "the 101st spline stays in the buffer";
}

TEST_F(SceneTest, MoveSelectionMovesTheWholeSplineOrOneSite) {
  generate_random_scene();
  scene.run_active = false;
  struct Key {
    Axis axis;
    int direction;
    float dx, dy, dz;
  };
  const Key keys[] = {
      {Axis::y, +1, 0, 1, 0},  {Axis::y, -1, 0, -1, 0}, {Axis::x, -1, -1, 0, 0},
      {Axis::x, +1, 1, 0, 0},  {Axis::z, -1, 0, 0, -1}, {Axis::z, +1, 0, 0, 1},
  };
  for (const Key& key : keys) {
    for (int site : {-1, 2}) {
      scene.selected_spline = 4;
      scene.selected_site = site;
      const SceneStore before = scene;
      move_selection(key.axis, key.direction);
      const float step = site == -1 ? 10.0f : 1.0f;
      for (int i = 0; i < MAX_SPLINES; ++i)
        for (int j = 0; j < MAX_SITES; ++j) {
          const bool moves = i == 4 && j < scene.sites_per_spline && (site == -1 || j == site);
          const Site& a = before.spline_table[i][j];
          const Site& b = scene.spline_table[i][j];
          ASSERT_EQ(b.x, moves ? a.x + step * key.dx : a.x) << i << "," << j;
          ASSERT_EQ(b.y, moves ? a.y + step * key.dy : a.y) << i << "," << j;
          ASSERT_EQ(b.z, moves ? a.z + step * key.dz : a.z) << i << "," << j;
        }
    }
  }
}

TEST_F(SceneTest, MoveSelectionWithoutASelectedSplineChangesNothing) {
  generate_random_scene();
  for (int selected : {-1, 7, 50}) {
    scene.selected_spline = selected;
    const SceneStore before = scene;
    move_selection(Axis::x, 1);
    EXPECT_TRUE(same_scene(before, scene)) << "selected_spline " << selected;
  }
}

TEST_F(SceneTest, StartRunNeedsTwoSplinesAndNoRunning) {
  clear_scene();
  add_random_site();
  build_spline();
  scene.selected_spline = 0;
  run.run_param = 0.25f;
  run.run_segment = 1;
  start_run();  // one spline: refused
  EXPECT_FALSE(scene.run_active);
  EXPECT_EQ(scene.selected_spline, 0);
  EXPECT_EQ(run.run_param, 0.25f);
  add_random_site();
  build_spline();
  start_run();
  EXPECT_TRUE(scene.run_active);
  EXPECT_EQ(scene.selected_spline, -1);
  EXPECT_EQ(run.run_param, 0.0f);
  EXPECT_EQ(run.run_segment, 0);
  run.run_param = 0.5f;
  start_run();  // already running: refused
  EXPECT_EQ(run.run_param, 0.5f);
}

}  // namespace
