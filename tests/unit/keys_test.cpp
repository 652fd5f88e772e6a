// Key dispatch and the view controls: every key of the table, every other byte, guards, cycles, limits.
#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/keys.h"
#include "app/view_state.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/state_snapshot.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::capture_state;
using testing_support::ProcessState;
using testing_support::state_differences;

const std::string COMMAND_KEYS = "nujyiolzxasmhvbrtqd";  // with Escape, every key that acts

void press(unsigned char key) { on_key(key, 123, 456); }  // the pointer position plays no part

// Two splines of four sites, spline 1 selected as a whole, two sites waiting in the buffer,
// run off, clearing on, trail off, site table on.
void editing_state() {
  testing_support::reset_process_state();
  for (int i = 0; i < 2; ++i)
    for (int j = 0; j < 4; ++j) scene.spline_table[i][j] = Site{10.0f * i + j, 2.0f * j - i, 3.0f - j};
  scene.spline_count = 2;
  scene.sites_per_spline = 4;
  scene.site_buffer[0] = Site{1, 2, 3};
  scene.site_buffer[1] = Site{4, 5, 6};
  scene.site_buffer_count = 2;
  scene.selected_spline = 1;
  scene.selected_site = -1;
  view.trail_mode = false;
}

void full_buffer_state() {
  editing_state();
  scene.site_buffer[2] = Site{7, 8, 9};
  scene.site_buffer[3] = Site{-1, -2, -3};
  scene.site_buffer_count = 4;
}

void site_selected_state() {
  editing_state();
  scene.selected_site = 2;
}

void running_state() {
  editing_state();
  start_run();
  run.run_param = 0.37f;
  run.run_segment = 1;
}

void running_trail_off_state() {
  running_state();
  view.trail_mode = false;
}

std::string describe(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += name + " ";
  return text.empty() ? "(nothing)" : text;
}

// The keys that dispatch to the editing commands and the run: the whole state after the key is
// the whole state after the operation called directly, and the operation did act.
struct DispatchCase {
  unsigned char key;
  void (*setup)();
  std::function<void()> operation;
};

TEST(KeyDispatch, EditingAndRunKeysCallTheirOperation) {
  const DispatchCase cases[] = {
      {'n', editing_state, add_random_site},
      {'u', editing_state, [] { move_selection(Axis::y, +1); }},
      {'j', editing_state, [] { move_selection(Axis::y, -1); }},
      {'y', editing_state, [] { move_selection(Axis::x, -1); }},
      {'i', editing_state, [] { move_selection(Axis::x, +1); }},
      {'o', editing_state, [] { move_selection(Axis::z, -1); }},
      {'l', editing_state, [] { move_selection(Axis::z, +1); }},
      {'u', site_selected_state, [] { move_selection(Axis::y, +1); }},
      {'l', site_selected_state, [] { move_selection(Axis::z, +1); }},
      {'z', running_state, clear_scene},
      {'x', full_buffer_state, build_spline},
      {'a', editing_state, start_run},
  };
  for (const DispatchCase& c : cases) {
    SCOPED_TRACE(std::string("key ") + char(c.key));
    c.setup();
    const ProcessState before = capture_state();
    c.operation();
    const ProcessState expected = capture_state();
    ASSERT_FALSE(state_differences(before, expected).empty()) << "the setup must let the command act";

    c.setup();
    press(c.key);
    EXPECT_TRUE(state_differences(expected, capture_state()).empty())
        << "differs in " << describe(state_differences(expected, capture_state()));
  }
}

// The view keys: exactly the one member changes, to exactly this value.
struct ViewCase {
  unsigned char key;
  void (*setup)();
  const char* member;
  void (*expect)(ProcessState&);  // applies the key's effect to the state before
};

TEST(KeyDispatch, ViewKeysChangeTheirOneMemberAndNothingElse) {
  const ViewCase cases[] = {
      {'s', running_state, "clear_each_frame", [](ProcessState& s) { s.view_state.clear_each_frame = false; }},
      {'m', editing_state, "selected_spline", [](ProcessState& s) { s.scene_store.selected_spline = 0; }},
      {'h', editing_state, "selected_site", [](ProcessState& s) { s.scene_store.selected_site = 0; }},
      {'v', editing_state, "scene_angle", [](ProcessState& s) { s.view_state.scene_angle = -19.0f; }},
      {'b', editing_state, "scene_angle", [](ProcessState& s) { s.view_state.scene_angle = -21.0f; }},
      {'r', editing_state, "camera_offset", [](ProcessState& s) { s.view_state.camera_offset = 753.0f; }},
      {'t', editing_state, "camera_offset", [](ProcessState& s) { s.view_state.camera_offset = 747.0f; }},
      {'q', editing_state, "show_site_table", [](ProcessState& s) { s.view_state.show_site_table = false; }},
      {'d', running_trail_off_state, "trail_mode", [](ProcessState& s) { s.view_state.trail_mode = true; }},
  };
  for (const ViewCase& c : cases) {
    SCOPED_TRACE(std::string("key ") + char(c.key));
    c.setup();
    ProcessState expected = capture_state();
    const ProcessState before = expected;
    c.expect(expected);
    press(c.key);
    const ProcessState after = capture_state();
    EXPECT_EQ(state_differences(before, after), std::vector<std::string>{c.member});
    EXPECT_TRUE(state_differences(expected, after).empty()) << describe(state_differences(expected, after));
  }
}

TEST(KeyDispatch, EveryOtherByteChangesNothing) {
  int ignored = 0;
  for (void (*setup)() : {editing_state, running_state, full_buffer_state}) {
    for (int k = 0; k < 256; ++k) {
      const auto key = static_cast<unsigned char>(k);
      if (key == 27 || COMMAND_KEYS.find(static_cast<char>(key)) != std::string::npos) continue;
      setup();
      const ProcessState before = capture_state();
      press(key);
      ASSERT_TRUE(state_differences(before, capture_state()).empty())
          << "byte " << k << " changed " << describe(state_differences(before, capture_state()));
      ++ignored;
    }
  }
  EXPECT_EQ(ignored, 3 * (256 - 20));  // upper case, digits, space, control and high bytes among them
}

TEST(KeyDispatch, RefusedOrWithoutEffectDuringARun) {
  for (unsigned char key : {'n', 'm', 'a', 'h', 'u', 'j', 'y', 'i', 'o', 'l'}) {
    running_state();
    const ProcessState before = capture_state();
    press(key);
    EXPECT_TRUE(state_differences(before, capture_state()).empty())
        << "key " << key << " changed " << describe(state_differences(before, capture_state()));
  }
}

// Clearing: on at any time, off only during a run. Trail: off at any time, on only during a run.
TEST(KeyDispatch, ClearingAndTrailGuardsBothWays) {
  struct Case {
    unsigned char key;
    bool running;
    bool before;
    bool after;
  };
  const Case cases[] = {
      {'s', false, true, true},  {'s', false, false, true}, {'s', true, true, false},  {'s', true, false, true},
      {'d', false, true, false}, {'d', false, false, false}, {'d', true, false, true}, {'d', true, true, false},
  };
  for (const Case& c : cases) {
    c.running ? running_state() : editing_state();
    bool& flag = c.key == 's' ? view.clear_each_frame : view.trail_mode;
    flag = c.before;
    press(c.key);
    EXPECT_EQ(flag, c.after) << "key " << c.key << " running " << c.running << " from " << c.before;
  }
}

TEST(KeyDispatch, NextSplineCyclesAndWrapsToSplineZeroKeepingTheSite) {
  editing_state();
  scene.spline_count = 3;
  scene.selected_spline = -1;
  scene.selected_site = 2;
  for (int expected : {0, 1, 2, 0, 1, 2, 0}) {
    press('m');
    EXPECT_EQ(scene.selected_spline, expected);
    EXPECT_EQ(scene.selected_site, 2);
  }
  // With no splines the selection becomes 0, which still names nothing; h then does nothing.
  testing_support::reset_process_state();
  press('m');
  EXPECT_EQ(scene.selected_spline, 0);
  press('m');
  EXPECT_EQ(scene.selected_spline, 0);
  press('h');
  EXPECT_EQ(scene.selected_site, -1);
}

TEST(KeyDispatch, NextSiteWalksTheSitesThenBackToTheWholeSpline) {
  editing_state();
  scene.selected_spline = -1;
  press('h');
  EXPECT_EQ(scene.selected_site, -1) << "no spline selected";
  press('m');
  for (int expected : {0, 1, 2, 3, -1, 0, 1}) {
    press('h');
    EXPECT_EQ(scene.selected_site, expected);
  }
  EXPECT_EQ(scene.selected_spline, 0);
}

TEST(KeyDispatch, CameraLimitsAreTestedBeforeTheStep) {
  struct Case {
    unsigned char key;
    int presses;
    float reached;
  };
  for (const Case& c : {Case{'r', 17, 801.0f}, Case{'t', 267, -51.0f}}) {
    testing_support::reset_process_state();
    for (int k = 0; k < c.presses - 1; ++k) press(c.key);
    EXPECT_NE(view.camera_offset, c.reached);
    press(c.key);
    EXPECT_EQ(view.camera_offset, c.reached);
    for (int k = 0; k < 5; ++k) press(c.key);
    EXPECT_EQ(view.camera_offset, c.reached) << "further presses do nothing";
  }
  // On the limit itself the key no longer acts; one step inside it still does.
  struct Edge {
    unsigned char key;
    float from;
    float to;
  };
  for (const Edge& e : {Edge{'r', 800.0f, 800.0f}, Edge{'r', 799.5f, 802.5f}, Edge{'t', -50.0f, -50.0f},
                        Edge{'t', -49.5f, -52.5f}}) {
    view.camera_offset = e.from;
    press(e.key);
    EXPECT_EQ(view.camera_offset, e.to) << e.key << " from " << e.from;
  }
}

TEST(KeyDispatch, RotationHasNoLimit) {
  testing_support::reset_process_state();
  for (int k = 0; k < 400; ++k) press('v');
  EXPECT_EQ(view.scene_angle, 380.0f);
  for (int k = 0; k < 800; ++k) press('b');
  EXPECT_EQ(view.scene_angle, -420.0f);
}

TEST(KeyDispatchDeathTest, EscapeEndsTheProcessWithStatusZero) {
  testing_support::reset_process_state();
  EXPECT_EXIT(press(27), ::testing::ExitedWithCode(0), "");
}

}  // namespace
