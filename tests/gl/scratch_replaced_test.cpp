// Frames drawn while another program changes "1.txt" between them, or removes the working
// directory: labels may go blank or show what the file holds, but every frame is drawn whole, with
// one console line per number, and the labels come back once the file is usable again.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"
#include "text/number_label.h"

namespace {

namespace fs = std::filesystem;
using glrec::recorder;
using testing_support::stdout_lines;
using Lines = std::vector<std::string>;

constexpr int FRAMES = 3;  // frame 0 as usual, the change, frame 1, the change undone, frame 2

// The console lines of FRAMES frames of the start scene; before frame k, between_frames(k) runs.
// Every frame must be complete and leave GL balanced.
std::vector<Lines> start_scene_frames(const std::function<void(int)>& between_frames) {
  testing_support::reset_process_state();
  generate_random_scene();
  set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  std::vector<Lines> frames;
  for (int k = 0; k < FRAMES; ++k) {
    between_frames(k);
    recorder().clear_log();
    frames.push_back(stdout_lines([] { display(); }));
    EXPECT_EQ(recorder().count("glutSwapBuffers"), 1) << "frame " << k;
    EXPECT_EQ(recorder().count("glBegin"), recorder().count("glEnd")) << "frame " << k;
    EXPECT_EQ(recorder().modelview_depth, 1) << "frame " << k;
    EXPECT_EQ(recorder().projection_depth, 1) << "frame " << k;
    EXPECT_TRUE(recorder().errors.empty()) << "frame " << k << ": " << recorder().errors.front();
  }
  return frames;
}

// Four numbers per site table row and two per spline: the start scene's 62.
std::size_t start_scene_numbers() { return 4 * 12 + 2 * 7; }

void remove_scratch() {
  std::error_code ignored;
  fs::remove_all("1.txt", ignored);
}

std::string file_text(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Replacement {
  const char* what;
  std::function<void()> replace;  // another program's doing, between two frames
  // The console line of every number drawn while it stands; empty: the same lines as undisturbed.
  std::function<std::string()> line;
};

const Replacement REPLACEMENTS[] = {
    {"a new file renamed over it",
     [] {
       std::ofstream("1.txt.new") << "-98765.4 from elsewhere";
       fs::rename("1.txt.new", "1.txt");
     },
     nullptr},
    {"a directory", [] { remove_scratch(); fs::create_directory("1.txt"); }, [] { return std::string("0"); }},
    {"a link into a directory that does not exist",
     [] { remove_scratch(); fs::create_symlink("no/such/directory/1.txt", "1.txt"); },
     [] { return std::string("0"); }},
    // Writes to it fail; what it reads is the kernel's text, cut at the field.
    {"a link to a file nobody can write",
     [] { remove_scratch(); fs::create_symlink("/proc/version", "1.txt"); },
     [] { return std::to_string(std::min<std::size_t>(file_text("/proc/version").size(), NUMBER_FIELD_LENGTH)); }},
    // Writes vanish and reads never end: every number reads a full field of zero bytes.
    {"a link to a device that never ends",
     [] { remove_scratch(); fs::create_symlink("/dev/zero", "1.txt"); },
     [] { return std::to_string(NUMBER_FIELD_LENGTH); }},
};

TEST(ScratchReplaced, BetweenFramesEveryFrameIsDrawnWithOneLinePerNumber) {
  const std::vector<Lines> undisturbed = start_scene_frames([](int) {});
  ASSERT_EQ(undisturbed[1].size(), start_scene_numbers());
  for (const Replacement& r : REPLACEMENTS) {
    SCOPED_TRACE(r.what);
    testing_support::ScratchDirectory directory;
    const std::vector<Lines> frames = start_scene_frames([&](int k) {
      if (k == 1) r.replace();
      if (k == 2) remove_scratch();
    });
    EXPECT_EQ(frames[0], undisturbed[0]);
    EXPECT_EQ(frames[1], r.line ? Lines(start_scene_numbers(), r.line()) : undisturbed[1]);
    EXPECT_EQ(frames[2], undisturbed[2]) << "the labels come back with a usable file";
  }
}

// Before the pipe was refused, opening it blocked until another process opened its other end,
// which nobody does: the frame never ended. The frames run in a child that an alarm ends if one
// blocks; its exit status tells whether every frame was whole with every label blank.
TEST(ScratchReplaced, ANamedPipeLeavesEveryLabelBlankInsteadOfBlockingTheFrame) {
  testing_support::ScratchDirectory directory;
  ASSERT_EQ(mkfifo("1.txt", 0600), 0);
  std::cout.flush();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    constexpr unsigned BLOCKED_SECONDS = 10;
    alarm(BLOCKED_SECONDS);
    const std::vector<Lines> frames = start_scene_frames([](int) {});
    const bool blank = std::all_of(frames.begin(), frames.end(),
                                   [](const Lines& lines) { return lines == Lines(start_scene_numbers(), "0"); });
    _exit(::testing::Test::HasFailure() ? 1 : blank ? 0 : 3);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_FALSE(WIFSIGNALED(status)) << "a frame blocked on the pipe (signal " << WTERMSIG(status) << ")";
  EXPECT_NE(WEXITSTATUS(status), 1) << "a frame was incomplete";
  EXPECT_NE(WEXITSTATUS(status), 3) << "a label was not blank";
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::is_fifo("1.txt")) << "the pipe is left as it stands";
}

// The working directory disappears under the running viewer: nothing can be created or read any
// more, so every label is blank, and no "1.txt" turns up anywhere else.
TEST(ScratchReplaced, ARemovedWorkingDirectoryLeavesEveryLabelBlank) {
  const std::vector<Lines> undisturbed = start_scene_frames([](int) {});
  testing_support::ScratchDirectory parent;
  fs::create_directory("viewer");
  const std::string viewer = parent.path() + "/viewer";
  ASSERT_EQ(chdir(viewer.c_str()), 0);
  const std::vector<Lines> frames = start_scene_frames([&](int k) {
    if (k == 1) {
      EXPECT_EQ(fs::remove_all(viewer), 2u) << "the directory and its 1.txt";
    }
  });
  EXPECT_EQ(frames[0], undisturbed[0]);
  EXPECT_EQ(frames[1], Lines(start_scene_numbers(), "0"));
  EXPECT_EQ(frames[2], Lines(start_scene_numbers(), "0"));
  EXPECT_FALSE(fs::exists(parent.path() + "/1.txt"));
  EXPECT_FALSE(fs::exists(viewer));
}

}  // namespace
