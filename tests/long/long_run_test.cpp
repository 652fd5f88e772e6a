// Long runs of the start scene under the recording stand-in: however many frames are drawn, the
// heap in use stays where it stood after a warm-up and the solid shapes' two display lists are the
// only ones ever generated. SPLINES_LONG_RUN_FRAMES sets the number of frames measured.
#include <gtest/gtest.h>
#include <malloc.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <string>

#include "app/frame.h"
#include "scene/scene_store.h"
#include "tests/support/quiet_stdout.h"
#include "tests/support/test_support.h"

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SPLINES_UNDER_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SPLINES_UNDER_ASAN 1
#endif
#ifdef SPLINES_UNDER_ASAN
#include <sanitizer/allocator_interface.h>
#endif

namespace {

using glrec::recorder;

constexpr long WARM_UP_FRAMES = 1000;  // every lazily made buffer and recorder entry exists after these
constexpr long DEFAULT_FRAMES = 100000;

// Bytes of heap in use: glibc's count of allocated chunks, or the sanitizer's own allocator's,
// which glibc's count does not see.
std::size_t heap_in_use() {
#ifdef SPLINES_UNDER_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// Frames of the measured run: SPLINES_LONG_RUN_FRAMES when set, else 100,000.
long measured_frames() {
  const char* text = std::getenv("SPLINES_LONG_RUN_FRAMES");
  return text != nullptr ? std::strtol(text, nullptr, 10) : DEFAULT_FRAMES;
}

TEST(LongRun, StartSceneFramesKeepTheHeapFlatAndGenerateTwoDisplayLists) {
  testing_support::reset_process_state();
  recorder().record_calls = false;
  recorder().record_primitives = false;
  generate_random_scene();
  // A site selected as well, so that every frame draws the sphere beside the axes' cones.
  scene.selected_spline = 1;
  scene.selected_site = 3;
  const long frames = measured_frames();
  testing_support::ScratchDirectory directory(testing_support::memory_backed_directory());

  std::size_t before = 0, after = 0;
  const auto start = std::chrono::steady_clock::now();
  {
    testing_support::QuietStdout quiet;
    for (long k = 0; k < WARM_UP_FRAMES; ++k) display();
    before = heap_in_use();
    for (long k = 0; k < frames; ++k) display();
    after = heap_in_use();
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  recorder().record_calls = true;
  recorder().record_primitives = true;

  std::cerr << frames << " frames after " << WARM_UP_FRAMES << " of warm-up in " << seconds
            << " s; heap in use " << before << " bytes before, " << after << " after\n";
  RecordProperty("heap_before", std::to_string(before));
  RecordProperty("heap_after", std::to_string(after));
  EXPECT_EQ(after, before) << "heap growth over " << frames << " frames";
  EXPECT_EQ(recorder().count("glGenLists"), 2) << "the sphere's and the cone's lists, once";
  EXPECT_EQ(recorder().count("glutSwapBuffers"), WARM_UP_FRAMES + frames);
  EXPECT_EQ(recorder().count("glBegin"), recorder().count("glEnd"));
  EXPECT_EQ(recorder().modelview_depth, 1);
  EXPECT_EQ(recorder().projection_depth, 1);
  EXPECT_EQ(recorder().live_quadrics, 0);
  EXPECT_TRUE(recorder().errors.empty()) << recorder().errors.front();
}

}  // namespace
