// One frame under the recording stand-in: clears, lighting, rotation, camera, counter, balance.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/view_state.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    generate_random_scene();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);  // as the reshape callback does before the first frame
    recorder().clear_log();
  }

  // Runs one frame with its console lines swallowed.
  void frame() { testing_support::stdout_lines([] { display(); }); }
};

TEST_F(FrameTest, ClearsColourOnlyWhenTheFlagIsOnAndDepthAlways) {
  for (bool clear : {true, false}) {
    view.clear_each_frame = clear;
    recorder().clear_log();
    frame();
    const auto& calls = recorder().calls;
    ASSERT_TRUE(calls[0].is("glClearColor"));
    EXPECT_EQ(calls[0][0], 0.0);
    EXPECT_EQ(calls[0][3], 1.0);
    const auto clears = recorder().calls_named("glClear");
    ASSERT_EQ(clears.size(), clear ? 2u : 1u);
    if (clear) {
      EXPECT_EQ(clears[0][0], GL_COLOR_BUFFER_BIT);
    }
    EXPECT_EQ(clears.back()[0], GL_DEPTH_BUFFER_BIT);
    EXPECT_TRUE(calls[clear ? 2 : 1].is("glClear"));
  }
}

TEST_F(FrameTest, HidesThePointerAndSetsUpTheLightBeforeTheScene) {
  frame();
  const auto& r = recorder();
  const int cursor = r.find("glutSetCursor");
  const int ambient = r.find("glLightModelfv");
  const int push = r.find("glPushMatrix");
  ASSERT_GE(cursor, 0);
  EXPECT_EQ(r.calls[cursor][0], GLUT_CURSOR_NONE);
  ASSERT_LT(cursor, ambient);
  ASSERT_LT(ambient, push);

  // The lighting block, in its order and with its values.
  const auto& c = r.calls;
  EXPECT_EQ(c[ambient][0], GL_LIGHT_MODEL_AMBIENT);
  EXPECT_EQ(c[ambient][1], 0.5);
  const GLenum enables[] = {GL_LIGHTING, GL_LIGHT0, GL_DEPTH_TEST, GL_COLOR_MATERIAL, GL_BLEND};
  for (int k = 0; k < 5; ++k) {
    ASSERT_TRUE(c[ambient + 1 + k].is("glEnable"));
    EXPECT_EQ(c[ambient + 1 + k][0], enables[k]);
  }
  ASSERT_TRUE(c[ambient + 6].is("glBlendFunc"));
  EXPECT_EQ(c[ambient + 6][0], GL_SRC_ALPHA);
  EXPECT_EQ(c[ambient + 6][1], GL_ONE_MINUS_SRC_ALPHA);
  const auto lights = r.calls_named("glLightfv");
  ASSERT_EQ(lights.size(), 4u);
  EXPECT_EQ(lights[0][1], GL_POSITION);
  EXPECT_EQ(lights[0][4], 100.0);
  EXPECT_EQ(lights[0][5], 1.0);
  EXPECT_EQ(lights[1][1], GL_SPOT_DIRECTION);
  EXPECT_EQ(lights[1][2], -1.0);
  EXPECT_EQ(lights[2][1], GL_DIFFUSE);
  EXPECT_EQ(lights[3][1], GL_SPECULAR);
  const auto shininess = r.calls_named("glMaterialf");
  ASSERT_EQ(shininess.size(), 1u);
  EXPECT_EQ(shininess[0][2], 128.0);
  EXPECT_EQ(r.calls[r.find("glMaterialfv")][1], GL_SPECULAR);
  // The light is placed under the camera, before the scene rotation.
  EXPECT_LT(r.find("glLightfv"), r.find("glRotatef"));
}

TEST_F(FrameTest, RotatesTheSceneAboutTheVerticalAxis) {
  view.scene_angle = 37.0f;
  frame();
  const auto rotations = recorder().calls_named("glRotatef");
  ASSERT_FALSE(rotations.empty());
  EXPECT_EQ(rotations[0][0], 37.0);
  EXPECT_EQ(rotations[0][1], 0.0);
  EXPECT_EQ(rotations[0][2], 1.0);
  EXPECT_EQ(rotations[0][3], 0.0);
}

TEST_F(FrameTest, EndsWithTheCameraThenTheSwap) {
  view.camera_offset = 801.0f;
  view.screen_width = 640;  // the end of the frame uses the view state, not GLUT's reshape size
  frame();
  const auto& calls = recorder().calls;
  ASSERT_TRUE(calls.back().is("glutSwapBuffers"));
  const auto looks = recorder().calls_named("gluLookAt");
  ASSERT_FALSE(looks.empty());
  const glrec::Call& look = looks.back();
  EXPECT_EQ(look[1], 200.0);
  EXPECT_EQ(look[2], 1001.0);
  EXPECT_EQ(look[7], 1.0);
  const auto perspectives = recorder().calls_named("gluPerspective");
  EXPECT_EQ(perspectives.back()[0], 90.0);
  EXPECT_EQ(perspectives.back()[1], 640.0 / 768.0);
  EXPECT_EQ(perspectives.back()[2], 100.0);
  EXPECT_EQ(perspectives.back()[3], 2600.0);
  const auto viewports = recorder().calls_named("glViewport");
  EXPECT_EQ(viewports.back()[2], 640.0);
  EXPECT_EQ(recorder().matrix_mode, static_cast<GLenum>(GL_MODELVIEW));
}

TEST_F(FrameTest, CounterWrapsAfter999) {
  view.frame_counter = 998;
  const int expected[] = {999, 0, 1, 2};
  for (int next : expected) {
    frame();
    EXPECT_EQ(view.frame_counter, next);
  }
}

TEST_F(FrameTest, LeavesBothMatrixStacksWhereTheyWereAndGLBalanced) {
  for (int k = 0; k < 3; ++k) frame();
  const auto& r = recorder();
  EXPECT_EQ(r.modelview_depth, 1);
  EXPECT_EQ(r.projection_depth, 1);
  EXPECT_FALSE(r.in_begin);
  EXPECT_TRUE(r.errors.empty()) << r.errors.front();
  EXPECT_EQ(r.count("glPushMatrix"), r.count("glPopMatrix"));
  EXPECT_EQ(r.count("glBegin"), r.count("glEnd"));
}

TEST(Projection, OverlayIsCentredTwoUnitsPerPixelWithoutDepthOrLight) {
  testing_support::reset_process_state();
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);
  set_overlay_projection(1024, 768);
  const auto& r = recorder();
  EXPECT_EQ(r.enabled.count(GL_DEPTH_TEST), 0u);
  EXPECT_EQ(r.enabled.count(GL_LIGHTING), 0u);
  const auto ortho = r.calls_named("glOrtho");
  ASSERT_EQ(ortho.size(), 1u);
  const double expected[] = {-1024, 1024, -768, 768, -100, 10};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(ortho[0][k], expected[k]);
  EXPECT_EQ(r.matrix_mode, static_cast<GLenum>(GL_MODELVIEW));
  EXPECT_EQ(r.count("glPushMatrix"), 0) << "it saves neither matrix";
}

}  // namespace
