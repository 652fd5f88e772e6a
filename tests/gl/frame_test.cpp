// One frame under the recording stand-in: clears, lighting, rotation, camera, counter, balance.
#include <gtest/gtest.h>

#include <vector>

#include "app/frame.h"
#include "app/picture.h"
#include "app/screen.h"
#include "app/view_state.h"
#include "scene/scene_store.h"
#include "tests/support/state_snapshot.h"
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

// Every viewport of a frame is where the picture lands after GLUT reports the window's size, and drawing
// stays inside it; the camera keeps its 4:3 aspect and every stroke and point grows with the picture,
// the 1024 x 768 frame unchanged.
TEST_F(FrameTest, PlacesThePictureWhereTheWindowsSizeLetsAPersonSeeIt) {
  struct Screen {
    const char* label;
    bool game_mode;
    int width, height;
    PixelRect expected;
  } const screens[] = {
      {"1024 x 768 in game mode", true, 1024, 768, {0, 0, 1024, 768}},
      {"1024 x 768 window", false, 1024, 768, {0, 0, 1024, 768}},
      {"game mode on a 1920 x 1080 desktop", true, 1920, 1080, {0, 312, 1024, 768}},
      {"1920 x 1080 window", false, 1920, 1080, {240, 0, 1440, 1080}},
      {"1280 x 1024 window", false, 1280, 1024, {0, 32, 1280, 960}},
      {"the window back at 1024 x 768", false, 1024, 768, {0, 0, 1024, 768}},
  };
  // Every stroke width and point size of a frame, in the order drawn.
  const auto widths = [] {
    std::vector<double> all;
    for (const glrec::Call& c : recorder().calls)
      if (c.is("glLineWidth") || c.is("glPointSize")) all.push_back(c[0]);
    return all;
  };
  for (const Screen& screen : screens) {
    SCOPED_TRACE(screen.label);
    recorder().game_mode_active = screen.game_mode;
    recorder().clear_log();
    reshape_screen(screen.width, screen.height);
    // Where the picture leaves bars, drawing is confined to it after the window is cleared once.
    const bool bars = screen.expected.width != screen.width || screen.expected.height != screen.height;
    EXPECT_EQ(recorder().enabled.count(GL_SCISSOR_TEST), bars ? 1u : 0u);
    EXPECT_EQ(recorder().count("glutSwapBuffers"), bars ? 1 : 0);
    if (bars) {
      const glrec::Call scissor = recorder().calls_named("glScissor").back();
      EXPECT_EQ(scissor[0], screen.expected.x);
      EXPECT_EQ(scissor[1], screen.expected.y);
      EXPECT_EQ(scissor[2], screen.expected.width);
      EXPECT_EQ(scissor[3], screen.expected.height);
    }
    frame();  // the first frame's scene uses the camera the reshape set
    const testing_support::ProcessState before = testing_support::capture_state();
    const PixelRect placed = picture;
    recorder().clear_log();
    frame();
    const auto viewports = recorder().calls_named("glViewport");
    ASSERT_FALSE(viewports.empty());
    for (const glrec::Call& v : viewports) {
      EXPECT_EQ(v[0], screen.expected.x);
      EXPECT_EQ(v[1], screen.expected.y);
      EXPECT_EQ(v[2], screen.expected.width);
      EXPECT_EQ(v[3], screen.expected.height);
    }
    for (const glrec::Call& p : recorder().calls_named("gluPerspective")) EXPECT_EQ(p[1], 1024.0 / 768.0);
    const std::vector<double> scaled = widths();

    // The same frame again at 1024 x 768.
    scene = before.scene_store;
    view = before.view_state;
    run = before.run_state;
    length_offset = before.offset;
    lcg::generator.s = before.generator_state;
    picture = PixelRect{};
    picture_height = SCREEN_HEIGHT;
    recorder().clear_log();
    frame();
    const std::vector<double> unscaled = widths();
    ASSERT_EQ(scaled.size(), unscaled.size());
    ASSERT_GT(scaled.size(), 100u);
    const double scale = screen.expected.height / 768.0;
    for (std::size_t k = 0; k < scaled.size(); ++k)
      ASSERT_NEAR(scaled[k], unscaled[k] * scale, 1e-6 * scaled[k]) << "width " << k;
    picture = placed;
    picture_height = placed.height;
  }
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
