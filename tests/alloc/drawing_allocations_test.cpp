// The spline, run, font and number paths and whole frames allocate nothing on the heap: they run
// thousands of times a frame and must leave nothing behind. Drawn into the null GL.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/view_state.h"
#include "scene/closed_spline.h"
#include "scene/render.h"
#include "scene/random.h"
#include "scene/run.h"
#include "tests/support/allocation_counter.h"
#include "tests/support/literal_reference.h"
#include "tests/support/test_support.h"
#include "text/number_label.h"
#include "text/stroke_font.h"

namespace {

using testing_support::allocations_during;

// Keeps a pointer observable so that an allocation cannot be optimised away.
void* volatile escaped = nullptr;

class DrawingAllocations : public ::testing::Test {
 protected:
  void SetUp() override {
    lcg::generator = lcg::Generator{};
    scene = SceneStore{};
    view = ViewState{};
    run = RunState{};
  }

  // Runs f once, for what a first run sets up for good (the solid shapes' display lists), then
  // counts a second run.
  template <typename F>
  static long allocations_after_first_run(F&& f) {
    f();
    return allocations_during(f);
  }
};

TEST_F(DrawingAllocations, TheCounterSeesMallocAndNew) {
  EXPECT_GE(allocations_during([] {
              escaped = std::malloc(24);
              std::free(escaped);
            }),
            1);
  EXPECT_GE(allocations_during([] {
              int* p = new int(7);
              escaped = p;
              delete p;
            }),
            1);
  // The stream-by-stream conversion allocates its file buffers: the kind of fault counted here.
  testing_support::ScratchDirectory directory;
  long streams = 0;
  testing_support::stdout_lines([&] {
    streams = allocations_during([] {
      NumberField field;
      literal::number_to_text(1.5f, field);
    });
  });
  EXPECT_GE(streams, 1);
}

TEST_F(DrawingAllocations, ClosedSplineForEveryLength) {
  float values[MAX_SITES];
  for (int k = 0; k < MAX_SITES; ++k) values[k] = static_cast<float>(k * 37 % 101) - 50.0f;
  Cubic segments[MAX_SITES];
  EXPECT_EQ(allocations_after_first_run([&] {
              for (int n = 0; n < MAX_SITES; ++n) closed_spline(n, values, segments);
            }),
            0);
}

TEST_F(DrawingAllocations, RunStepTrailAndCurves) {
  reference_frame::build_table(20, 30);
  take_run_snapshot();
  float xs[MAX_SITES], ys[MAX_SITES], zs[MAX_SITES];
  for (int k = 0; k < MAX_SITES; ++k) {
    xs[k] = static_cast<float>(k);
    ys[k] = static_cast<float>(k * k % 17);
    zs[k] = -static_cast<float>(k);
  }
  EXPECT_EQ(allocations_after_first_run([&] {
              for (int count = 0; count <= MAX_SITES; ++count) draw_closed_spline(xs, ys, zs, count);
              draw_splines(scene.spline_table, true);
              run_step(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
                       static_cast<float>(run.snapshot_row_count), run.run_param, run.run_segment);
              draw_run_trail(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
                             static_cast<float>(run.snapshot_row_count));
              draw_splines(run.run_snapshot, false);
            }),
            0);
}

TEST_F(DrawingAllocations, StrokeFontEveryCharacterColourAndSize) {
  std::string text;
  for (int code = 1; code < 128; ++code) text += static_cast<char>(code);
  const char* colours[] = {"red", "green", "blue", "lightblue", "yellow", "gray",
                           "darkgray", "orange", "violet", "pink", "white", "no such colour"};
  EXPECT_EQ(allocations_after_first_run([&] {
              const StrokeFont font;
              for (const char* colour : colours)
                for (float size : {1.0f, 2.0f, 5.0f, 31.0f}) font.draw_text(text.c_str(), -1000, 0, colour, size);
            }),
            0);
}

TEST_F(DrawingAllocations, NumbersThroughTheScratchFile) {
  testing_support::ScratchDirectory directory;
  long counted = -1;
  testing_support::stdout_lines([&] {
    counted = allocations_after_first_run([] {
      for (float value : {0.0f, -123.4567f, 1234567.0f, 23.505161f}) draw_number(value, 700, -300, "green", 2);
    });
  });
  EXPECT_EQ(counted, 0);
}

TEST_F(DrawingAllocations, WholeFramesOfTheStartSceneAndOfALargeTable) {
  generate_random_scene();
  long start = -1, large = -1;
  testing_support::stdout_lines([&] {
    start = allocations_after_first_run([] { display(); });
    reference_frame::build_table(40, 40);
    large = allocations_after_first_run([] { display(); });
  });
  EXPECT_EQ(start, 0);
  EXPECT_EQ(large, 0);
}

}  // namespace
