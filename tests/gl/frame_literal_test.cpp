// Whole frames: the library's display issues, call for call and bit for bit, the GL calls of the frame
// assembled from the literal steps, prints the same console lines, leaves the same "1.txt" and the
// same process state; the graphics floor the benchmarks compare with draws the very same calls.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/keys.h"
#include "tests/support/comparisons.h"
#include "tests/support/literal_reference.h"
#include "tests/support/number_checks.h"
#include "tests/support/state_snapshot.h"
#include "tests/support/test_support.h"

namespace {

using glrec::recorder;
using testing_support::ProcessState;
using testing_support::same_calls;

struct FrameRecord {
  std::vector<glrec::Call> calls;
  std::vector<std::string> lines;
  std::string file;
  ProcessState after;
};

void restore(const ProcessState& s) {
  scene = s.scene_store;
  view = s.view_state;
  run = s.run_state;
  length_offset = s.offset;
  lcg::generator.s = s.generator_state;
}

FrameRecord record_frame(const std::function<void()>& draw) {
  recorder().clear_log();
  FrameRecord r;
  r.lines = testing_support::stdout_lines(draw);
  r.calls = recorder().calls;
  r.file = testing_support::scratch_text();
  r.after = testing_support::capture_state();
  return r;
}

// A few frames from the current state: each drawn by the library, then again from the same state by
// the literal frame and by the floor.
void expect_frames_match_literal(int frames) {
  // The solid shapes are compiled into display lists on first use and replayed after: one frame
  // first, so that every frame compared replays them.
  const ProcessState start = testing_support::capture_state();
  record_frame(display);
  restore(start);
  for (int frame = 0; frame < frames; ++frame) {
    SCOPED_TRACE(::testing::Message() << "frame " << frame);
    const ProcessState before = testing_support::capture_state();
    const FrameRecord product = record_frame(display);
    restore(before);
    const FrameRecord literal = record_frame([] { reference_frame::display(reference_frame::LITERAL); });
    restore(before);
    const FrameRecord floor = record_frame([] { reference_frame::display(reference_frame::FLOOR); });

    EXPECT_GT(product.calls.size(), 100u);
    EXPECT_TRUE(same_calls(product.calls, literal.calls));
    EXPECT_TRUE(same_calls(product.calls, floor.calls));
    EXPECT_EQ(product.lines, literal.lines);
    EXPECT_TRUE(floor.lines.empty());
    EXPECT_EQ(product.file, literal.file);
    EXPECT_EQ(testing_support::state_differences(product.after, literal.after), std::vector<std::string>{});
    EXPECT_EQ(testing_support::state_differences(product.after, floor.after), std::vector<std::string>{});
    restore(product.after);
  }
}

class FrameLiteral : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  }
};

TEST_F(FrameLiteral, StartScene) {
  generate_random_scene();
  expect_frames_match_literal(3);
}

TEST_F(FrameLiteral, TablesBuiltByTheScenesCommands) {
  for (const auto& [splines, sites] : {std::pair{12, 24}, {2, 1}, {5, 2}, {30, 17}}) {
    SCOPED_TRACE(::testing::Message() << splines << " x " << sites);
    reference_frame::build_table(splines, sites);
    ASSERT_EQ(scene.spline_count, splines);
    ASSERT_EQ(view.trail_mode, true);
    expect_frames_match_literal(2);
  }
}

TEST_F(FrameLiteral, EditingWithASelectedSiteAndABuffer) {
  reference_frame::build_table(3, 5);
  on_key('z', 0, 0);  // stops the run: selection and buffer become possible
  for (const char* keys : {"nnnnnx", "nnnnnx", "nnnnnx", "nnn", "mhhuy"}) {
    for (const char* k = keys; *k; ++k) on_key(static_cast<unsigned char>(*k), 0, 0);
    expect_frames_match_literal(1);
  }
  on_key('a', 0, 0);  // a run that starts on an edited table
  expect_frames_match_literal(2);
}

TEST_F(FrameLiteral, ARunNearTheEndOfASegment) {
  reference_frame::build_table(4, 6);
  run.run_param = 0.98f;
  run.run_segment = 3;  // the last spline, wrapping back to the first
  expect_frames_match_literal(3);
}

}  // namespace
