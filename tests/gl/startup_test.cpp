// Start-up: the GLUT sequence, the fallback window, the callbacks.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/keys.h"
#include "app/screen.h"
#include "app/startup.h"
#include "app/view_state.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::reset_process_state(); }
  void TearDown() override {
    recorder().game_mode_works = true;
    recorder().main_loop_frames = 0;
  }
  int start() {
    char name[] = "splines";
    char* argv[] = {name, nullptr};
    return start_viewer(1, argv);
  }
};

TEST_F(StartupTest, EntersGameModeAndRegistersTheCallbacksInOrder) {
  EXPECT_EQ(start(), 0);
  const auto& r = recorder();
  EXPECT_EQ(r.game_mode_string, "1024x768:256@72");
  EXPECT_EQ(r.calls_named("glutInitDisplayMode")[0][0], GLUT_DOUBLE | GLUT_DEPTH);
  EXPECT_EQ(r.count("glutCreateWindow"), 0) << "game mode gives the window";
  EXPECT_EQ(r.cursor, GLUT_CURSOR_NONE);
  const char* order[] = {"glutInit", "glutInitWindowSize", "glutInitDisplayMode", "glutGameModeString",
                         "glutEnterGameMode", "glutSetCursor", "glutIdleFunc", "glutDisplayFunc",
                         "glutReshapeFunc", "glutKeyboardFunc", "glutMainLoop"};
  int at = -1;
  for (const char* name : order) {
    const int next = r.find(name, at + 1);
    ASSERT_GT(next, at) << name;
    at = next;
  }
  EXPECT_EQ(r.idle_func, &display);
  EXPECT_EQ(r.display_func, &display);
  EXPECT_EQ(r.reshape_func, &reshape_screen);
  EXPECT_EQ(r.keyboard_func, &on_key);
  EXPECT_EQ(scene.spline_count, 7);
  EXPECT_TRUE(scene.run_active);
}

TEST_F(StartupTest, FallsBackOnAFullScreenWindowWhenGameModeFails) {
  recorder().game_mode_works = false;
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(start(), 0);
  const std::string err = ::testing::internal::GetCapturedStderr();
  const auto& r = recorder();
  EXPECT_EQ(r.count("glutEnterGameMode"), 2) << "the same mode again at the display's own depth";
  EXPECT_EQ(r.game_mode_string, "1024x768@72");
  EXPECT_EQ(r.count("glutCreateWindow"), 1);
  EXPECT_EQ(r.count("glutFullScreen"), 1);
  EXPECT_LT(r.find("glutCreateWindow"), r.find("glutMainLoop"));
  const auto sizes = r.calls_named("glutInitWindowSize");
  EXPECT_EQ(sizes.back()[0], 1024.0);
  EXPECT_EQ(sizes.back()[1], 768.0);
  EXPECT_EQ(err, "splines: game mode 1024x768:256@72 not available (failed to change screen settings), "
                 "using a full-screen window\n");
  EXPECT_EQ(r.warning_func, nullptr) << "GLUT's own warnings are shown again after the attempt";
}

TEST_F(StartupTest, MainLoopDrawsFramesThroughTheIdleCallback) {
  recorder().main_loop_frames = 5;
  testing_support::stdout_lines([&] { start(); });
  EXPECT_EQ(recorder().count("glutSwapBuffers"), 5);
  EXPECT_EQ(view.frame_counter, 5);
}

}  // namespace
