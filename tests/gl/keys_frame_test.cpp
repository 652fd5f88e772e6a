// Keys seen through the frames that follow them: the camera's one-frame delay, and one key's road
// from the clear command through two built splines to a started run.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/keys.h"
#include "app/view_state.h"
#include "scene/random.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/frame_scene.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;
using testing_support::recorded_frame;
using testing_support::same_colour;
using testing_support::same_vertices;
using testing_support::scene_loops;
using testing_support::scene_primitives;

class KeysFrameTest : public ::testing::Test {
 protected:
  // As at start-up: the random scene with its run, the reshape callback, a first frame.
  void SetUp() override {
    testing_support::reset_process_state();
    generate_random_scene();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
    recorded_frame();
  }

  static void press(unsigned char key) { on_key(key, 0, 0); }
  static void press(const char* keys) {
    for (; *keys; ++keys) press(static_cast<unsigned char>(*keys));
  }

  // Index of the scene's closing glPopMatrix in the log of the last frame.
  static int end_of_scene() {
    const auto& calls = recorder().calls;
    int depth = 0;
    for (int i = recorder().find("glRotatef") + 1; i < static_cast<int>(calls.size()); ++i) {
      if (calls[i].is("glPushMatrix")) ++depth;
      if (calls[i].is("glPopMatrix") && depth-- == 0) return i;
    }
    return -1;
  }
};

TEST_F(KeysFrameTest, ACameraChangeShowsInTheSecondFrameAfterTheKey) {
  ASSERT_EQ(recorder().calls_named("gluLookAt").back()[2], 950.0) << "frame k ends with the old camera";
  press('r');
  recorded_frame();  // frame k + 1: its scene is drawn under the camera frame k set at its end
  const auto looks = recorder().calls_named("gluLookAt");
  ASSERT_FALSE(looks.empty());
  EXPECT_GT(recorder().find("gluLookAt"), end_of_scene()) << "set only after the scene";
  EXPECT_EQ(looks.back()[2], 953.0) << "the camera of frame k + 2";
  // The rotation, by contrast, is applied at the start of the very next frame.
  press('v');
  recorded_frame();
  EXPECT_EQ(recorder().calls_named("glRotatef")[0][0], -19.0);
}

TEST_F(KeysFrameTest, OneKeysRoadFromClearToARunningPairOfSplines) {
  // z: an empty table, the run stopped, trail and site table off; nothing of it is drawn.
  press('z');
  ASSERT_FALSE(scene.run_active);
  ASSERT_FALSE(view.trail_mode);
  ASSERT_FALSE(view.show_site_table);
  std::uint32_t generator = lcg::generator.s;
  recorded_frame();
  EXPECT_TRUE(scene_loops().empty());
  EXPECT_EQ(lcg::generator.s, generator) << "no run colour drawn";

  // n n n: three sites wait in the buffer; still no curve.
  press("nnn");
  ASSERT_EQ(scene.site_buffer_count, 3);
  recorded_frame();
  EXPECT_TRUE(scene_loops().empty());

  // x: one white loop of 31 vertices starting on the first site.
  press('x');
  ASSERT_EQ(scene.spline_count, 1);
  ASSERT_EQ(scene.sites_per_spline, 3);
  for (int frame = 0; frame < 2; ++frame) {
    recorded_frame();
    const auto loops = scene_loops();
    ASSERT_EQ(loops.size(), 1u);
    EXPECT_EQ(loops[0]->vertices.size(), 31u);
    EXPECT_TRUE(same_colour(loops[0]->colour_at_begin, 1, 1, 1));
    const Site& first = scene.spline_table[0][0];
    EXPECT_EQ(loops[0]->vertices[0].x, first.x);
    EXPECT_EQ(loops[0]->vertices[0].y, first.y);
    EXPECT_EQ(loops[0]->vertices[0].z, first.z);
  }

  // a is refused with a single spline.
  press('a');
  EXPECT_FALSE(scene.run_active);

  // n n n x: the second spline; two white loops.
  press("nnnx");
  ASSERT_EQ(scene.spline_count, 2);
  recorded_frame();
  auto loops = scene_loops();
  ASSERT_EQ(loops.size(), 2u);
  for (const glrec::Primitive* loop : loops) {
    EXPECT_EQ(loop->vertices.size(), 31u);
    EXPECT_TRUE(same_colour(loop->colour_at_begin, 1, 1, 1));
  }

  // a: the run starts; every frame adds a run curve of 31 vertices in a new colour, starting
  // over spline 0 and moving towards spline 1.
  press('a');
  ASSERT_TRUE(scene.run_active);
  glrec::Primitive previous;
  for (int frame = 0; frame < 4; ++frame) {
    recorded_frame();
    loops = scene_loops();
    ASSERT_EQ(loops.size(), 3u) << "frame " << frame;
    const glrec::Primitive& run_curve = *loops[2];
    EXPECT_EQ(run_curve.vertices.size(), 31u);
    EXPECT_FALSE(same_colour(run_curve.colour_at_begin, 1, 1, 1));
    if (frame == 0) {
      EXPECT_TRUE(same_vertices(run_curve, *loops[0])) << "the run starts over spline 0";
    } else {
      EXPECT_FALSE(same_vertices(run_curve, previous)) << "frame " << frame << " did not move";
    }
    previous = run_curve;
  }
  EXPECT_EQ(run.run_segment, 0);
  EXPECT_EQ(run.run_param, 0.04f);
}

// The site points of the road, once draw_sites draws them: three green points on the buffer.
TEST_F(KeysFrameTest, SitesOfTheBufferShowAsGreenPoints) {
  press("znnn");
  recorded_frame();
  std::vector<const glrec::Vertex*> points;
  for (const glrec::Primitive* p : scene_primitives())
    if (p->mode == GL_POINTS)
      for (const glrec::Vertex& v : p->vertices) points.push_back(&v);
  ASSERT_EQ(points.size(), 3u);
  for (int k = 0; k < 3; ++k) {
    EXPECT_TRUE(same_colour(points[k]->colour, 0, 1, 0));
    EXPECT_EQ(points[k]->x, scene.site_buffer[k].x);
    EXPECT_EQ(points[k]->y, scene.site_buffer[k].y);
    EXPECT_EQ(points[k]->z, scene.site_buffer[k].z);
  }
}

}  // namespace
