// Start-up: the GLUT sequence, the fallback window, the callbacks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/desktop.h"
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
    recorder().desktop = Desktop{};
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
  EXPECT_EQ(r.count("settle_window"), 0) << "game mode's window is left to GLUT";
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
  EXPECT_EQ(r.settled_monitor, -1) << "the whole screen, its one monitor";
  EXPECT_LT(r.find("glutCreateWindow"), r.find("glutMainLoop"));
  const auto sizes = r.calls_named("glutInitWindowSize");
  EXPECT_EQ(sizes.back()[0], 1024.0);
  EXPECT_EQ(sizes.back()[1], 768.0);
  EXPECT_EQ(err, "splines: game mode 1024x768:256@72 not available (failed to change screen settings), "
                 "using a full-screen window\n");
  EXPECT_EQ(r.warning_func, nullptr) << "GLUT's own warnings are shown again after the attempt";
}

// Desktops where game mode would not be real: the window covers one monitor, chosen primary first,
// then under the pointer, then the first; without a window manager it is sized to that monitor and
// not made full screen (which would cover every monitor).
TEST_F(StartupTest, OpensTheFullScreenWindowOnOneMonitorWhereGameModeWouldNotBeReal) {
  const Monitor left{0, 0, 1920, 1080, false}, right{1920, 0, 1280, 1024, false};
  Monitor right_primary = right;
  right_primary.primary = true;
  struct Case {
    const char* name;
    bool xwayland, window_manager;
    std::vector<Monitor> monitors;
    int pointer_x;
    const char* reason;
    int monitor;  // expected, -1 for the whole screen
  } cases[] = {
      {"Xwayland, one monitor", true, true, {left}, -1, "on Xwayland", -1},
      {"primary right, no wm", false, false, {left, right_primary}, 10, "on a screen of 2 monitors", 1},
      {"pointer on the right", false, true, {left, right}, 2000, "on a screen of 2 monitors", 1},
      {"pointer unknown", false, false, {left, right}, -1, "on a screen of 2 monitors", 0},
      {"Xwayland, 3 monitors", true, true, {left, right, right_primary}, -1, "on Xwayland", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing_support::reset_process_state();
    Desktop& d = recorder().desktop;
    d = Desktop{};
    d.xwayland = c.xwayland;
    d.window_manager = c.window_manager;
    d.monitor_count = static_cast<int>(c.monitors.size());
    for (int i = 0; i < d.monitor_count; ++i) d.monitors[i] = c.monitors[static_cast<std::size_t>(i)];
    d.pointer_x = c.pointer_x;
    d.pointer_y = c.pointer_x < 0 ? -1 : 500;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(start(), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              std::string("splines: game mode 1024x768:256@72 not used ") + c.reason + ", using a full-screen window\n");
    const auto& r = recorder();
    EXPECT_EQ(r.count("glutEnterGameMode"), 0);
    EXPECT_EQ(r.count("glutCreateWindow"), 1);
    EXPECT_EQ(r.settled_monitor, c.monitor);
    EXPECT_LT(r.find("glutCreateWindow"), r.find("settle_window"));
    const Monitor expected = c.monitor < 0 ? Monitor{0, 0, 1024, 768} : c.monitors[static_cast<std::size_t>(c.monitor)];
    const auto size = r.calls_named("glutInitWindowSize").back(), place = r.calls_named("glutInitWindowPosition").back();
    EXPECT_EQ(size[0], expected.width);
    EXPECT_EQ(size[1], expected.height);
    EXPECT_EQ(place[0], expected.x);
    EXPECT_EQ(place[1], expected.y);
    EXPECT_EQ(r.count("glutFullScreen"), c.window_manager || c.monitor < 0 ? 1 : 0);
  }
}

TEST_F(StartupTest, MainLoopDrawsFramesThroughTheIdleCallback) {
  recorder().main_loop_frames = 5;
  testing_support::stdout_lines([&] { start(); });
  EXPECT_EQ(recorder().count("glutSwapBuffers"), 5);
  EXPECT_EQ(view.frame_counter, 5);
}

}  // namespace
