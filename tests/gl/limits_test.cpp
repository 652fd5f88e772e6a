// The scene at its limits, built through the keys: a full table of 100 splines of 100 sites draws a
// whole frame with the trail and the site table on, and refuses a 101st site and a 101st spline;
// splines of one and two sites draw, run and measure without fault.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/keys.h"
#include "app/view_state.h"
#include "measure/length.h"
#include "scene/random.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"

namespace {

using glrec::Primitive;
using glrec::recorder;
using testing_support::stdout_lines;
using Lines = std::vector<std::string>;

class Limits : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    generate_random_scene();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  }
  void TearDown() override {
    recorder().record_calls = true;
    recorder().record_primitives = true;
  }

  // Hundreds of frames, each rewriting "1.txt" for every number: kept off the disk.
  testing_support::ScratchDirectory directory{testing_support::memory_backed_directory()};

  static void press(const std::string& keys) {
    for (char key : keys) on_key(static_cast<unsigned char>(key), 0, 0);
  }

  // After the clear command: splines of the given number of sites, then the run with trail and table.
  static void build_running_table(int splines, int sites) {
    press("z");
    for (int i = 0; i < splines; ++i) press(std::string(static_cast<std::size_t>(sites), 'n') + "x");
    press("adq");
    ASSERT_EQ(scene.spline_count, splines);
    ASSERT_EQ(scene.sites_per_spline, sites);
    ASSERT_TRUE(scene.run_active && view.trail_mode && view.show_site_table);
  }

  // One frame with primitives recorded; its console lines.
  static Lines frame() {
    recorder().clear_log();
    return stdout_lines([] { display(); });
  }

  // The frame was whole: one swap, every bracket closed, both stacks back, nothing GL rejects.
  static void expect_whole_frame(const std::string& what) {
    const glrec::Recorder& r = recorder();
    EXPECT_EQ(r.count("glutSwapBuffers"), 1) << what;
    EXPECT_EQ(r.count("glBegin"), r.count("glEnd")) << what;
    EXPECT_EQ(r.count("glPushMatrix"), r.count("glPopMatrix")) << what;
    EXPECT_EQ(r.modelview_depth, 1) << what;
    EXPECT_EQ(r.projection_depth, 1) << what;
    EXPECT_FALSE(r.in_begin) << what;
    EXPECT_TRUE(r.errors.empty()) << what << ": " << r.errors.front();
  }

  // The frame's closed curves in drawing order: the splines, the run curve, the trail's
  // intermediate curves, the cross curves. Every one a loop of 1 + 10 points vertices.
  struct LoopCounts {
    std::size_t splines, run, trail, cross;
  };
  static void expect_loops(const LoopCounts& expected, int sites, int splines, const std::string& what) {
    const auto loops = recorder().primitives_of(GL_LINE_LOOP);
    ASSERT_EQ(loops.size(), expected.splines + expected.run + expected.trail + expected.cross) << what;
    std::size_t k = 0;
    auto expect_vertices = [&](std::size_t count, int points, const char* kind) {
      for (std::size_t end = k + count; k < end; ++k)
        EXPECT_EQ(loops[k]->vertices.size(), static_cast<std::size_t>(1 + 10 * points)) << what << ": " << kind;
    };
    expect_vertices(expected.splines, sites, "spline");
    expect_vertices(expected.run, sites, "run curve");
    expect_vertices(expected.trail, sites, "intermediate curve");
    expect_vertices(expected.cross, splines, "cross curve");
  }
};

TEST_F(Limits, AFullTableWithTrailAndSiteTableDrawsAWholeFrameAndRefusesMore) {
  press("z");
  press(std::string(MAX_SITES, 'n'));
  const std::uint32_t generator = lcg::generator.s;
  press("n");
  EXPECT_EQ(scene.site_buffer_count, MAX_SITES) << "the 101st site is refused";
  EXPECT_EQ(lcg::generator.s, generator) << "and draws no random value";
  press("x");
  for (int i = 1; i < MAX_SPLINES; ++i) press(std::string(MAX_SITES, 'n') + "x");
  ASSERT_EQ(scene.spline_count, MAX_SPLINES);
  press(std::string(MAX_SITES, 'n') + "x");
  EXPECT_EQ(scene.spline_count, MAX_SPLINES) << "the 101st spline is refused";
  EXPECT_EQ(scene.site_buffer_count, MAX_SITES) << "and its sites stay in the buffer";
  press("adq");
  ASSERT_TRUE(scene.run_active && view.trail_mode && view.show_site_table);

  // A million vertices: their calls are only counted.
  recorder().record_calls = false;
  const Lines lines = frame();
  expect_whole_frame("full table");
  EXPECT_EQ(lines.size(), 2u * MAX_SPLINES + 4u * MAX_SITES) << "two numbers per spline, four per site row";
  expect_loops({MAX_SPLINES, 1, 10 * MAX_SPLINES, MAX_SITES}, MAX_SITES, MAX_SPLINES, "full table");
  EXPECT_EQ(recorder().primitives_of(GL_POINTS).size(), static_cast<std::size_t>(MAX_SPLINES * MAX_SITES + MAX_SITES))
      << "every site, and the full buffer";
  for (int r = 0; r < MAX_SITES; ++r) EXPECT_EQ(run.run_points[r].x, run.run_snapshot[r][0].x) << r;
}

// One site: every curve through it stays on it. Two sites: a segment traced out and back. The
// polyline from site 1 on has no segment, so every length is 0 and every red label "0".
TEST_F(Limits, SplinesOfOneAndTwoSitesDrawRunAndMeasure) {
  constexpr int SPLINES = 3;
  for (int sites : {1, 2}) {
    const std::string what = std::to_string(sites) + " site(s)";
    build_running_table(SPLINES, sites);
    const Lines lines = frame();
    expect_whole_frame(what);
    expect_loops({SPLINES, 1, 10 * SPLINES, static_cast<std::size_t>(sites)}, sites, SPLINES, what);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(2 * SPLINES + 4 * sites)) << what;
    for (int i = 0; i < SPLINES; ++i) {
      EXPECT_EQ(polyline_length(i), 0.0f) << what << ", spline " << i;
      EXPECT_EQ(lines[4 * sites + SPLINES + i], "1") << what << ": the red label of spline " << i << " is \"0\"";
    }
    if (sites == 1) {
      const auto loops = recorder().primitives_of(GL_LINE_LOOP);
      for (int i = 0; i < SPLINES; ++i) {
        const Site& site = scene.spline_table[i][0];
        for (const auto& v : loops[static_cast<std::size_t>(i)]->vertices) {
          EXPECT_EQ(v.x, site.x) << "spline " << i;
          EXPECT_EQ(v.y, site.y) << "spline " << i;
          EXPECT_EQ(v.z, site.z) << "spline " << i;
        }
      }
    }

    // Through more than a whole cycle of the run: every frame whole, the run points finite.
    for (int k = 0; k < 101 * SPLINES + 10; ++k) {
      frame();
      expect_whole_frame(what + ", frame " + std::to_string(k));
      for (int r = 0; r < sites; ++r)
        ASSERT_TRUE(std::isfinite(run.run_points[r].x) && std::isfinite(run.run_points[r].y) &&
                    std::isfinite(run.run_points[r].z))
            << what << ", frame " << k;
    }
    EXPECT_EQ(run.run_segment, 0) << what << ": the run came round to spline 0";
  }
}

}  // namespace
