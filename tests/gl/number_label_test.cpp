// Numbers on screen: the projection round trip of draw_number, and frames drawn while the scratch
// file cannot be written, cannot be created, is a directory or holds an overlong text.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/privilege.h"
#include "tests/support/test_support.h"
#include "tests/support/comparisons.h"
#include "tests/support/number_checks.h"
#include "text/number_label.h"

namespace {

using glrec::recorder;
using testing_support::scratch_text;
using testing_support::stdout_lines;
using Lines = std::vector<std::string>;
using testing_support::WithoutPrivilege;

class DrawNumber : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  }
};

TEST_F(DrawNumber, DrawsInTheFullScreenOverlayAndRestoresThePerspectiveAndModelview) {
  view.screen_width = 640;  // the round trip uses the full-screen constants, not the view's size
  glPushMatrix();
  const int depth = recorder().modelview_depth;
  recorder().clear_log();
  const Lines lines = stdout_lines([] { draw_number(-12.5f, 10, 20, "blue", 2); });
  const glrec::Recorder& r = recorder();
  EXPECT_EQ(lines, Lines{"5"});
  ASSERT_FALSE(r.calls.empty());
  EXPECT_TRUE(r.calls.front().is("glPushMatrix"));
  EXPECT_TRUE(r.calls.back().is("glPopMatrix"));
  EXPECT_EQ(r.modelview_depth, depth);
  EXPECT_EQ(r.matrix_mode, static_cast<GLenum>(GL_MODELVIEW));
  EXPECT_TRUE(r.errors.empty());

  const auto orthos = r.calls_named("glOrtho");
  ASSERT_EQ(orthos.size(), 1u);
  const double overlay[] = {-1024, 1024, -768, 768, -100, 10};
  for (int k = 0; k < 6; ++k) EXPECT_EQ(orthos[0][k], overlay[k]);
  // The last projection set is the camera's perspective, after the overlay.
  const int ortho = r.find("glOrtho");
  const int perspective = r.find("gluPerspective", ortho);
  ASSERT_GT(perspective, ortho);
  EXPECT_EQ(r.find("gluPerspective", perspective + 1), -1);
  const glrec::Call& p = r.calls[perspective];
  EXPECT_EQ(p[0], 90.0);
  EXPECT_EQ(p[1], 1024 / 768.);
  EXPECT_EQ(p[2], 100.0);
  EXPECT_EQ(p[3], 2600.0);
  EXPECT_EQ(r.calls_named("glViewport").back()[2], 1024.0);
  glPopMatrix();
}

TEST_F(DrawNumber, DrawsTheNumbersCharactersAtItsPositionColourAndSize) {
  ASSERT_TRUE(testing_support::font_draws()) << "the stroke font draws nothing: text is compared with an empty drawing";
  stdout_lines([] { draw_number(-1.5e-5f, -700, 300, "red", 3); });
  const auto drawn = testing_support::drawn_lines();
  EXPECT_TRUE(testing_support::same_drawing(
      drawn, testing_support::reference_drawing({{"-1.5e-05", -700, 300, "red", 3.0f}})));
}

#define SKIP_UNLESS_PERMISSIONS_BIND(guard)                                                         \
  if (!(guard).permissions_bind())                                                                \
  GTEST_SKIP() << "running as root and the effective user cannot be changed: a read-only scratch " \
                  "file cannot be made"

class ScratchFault : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    generate_random_scene();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
    permit(directory.path(), 0755);  // the unprivileged user must reach "1.txt"
    scratch_failure_reported = false;
  }
  void TearDown() override { permit(directory.path(), 0700); }

  static void permit(const std::string& path, mode_t mode) { ASSERT_EQ(chmod(path.c_str(), mode), 0) << path; }
  static void write_scratch(const std::string& text) { std::ofstream("1.txt", std::ios::binary) << text; }

  struct Conversion {
    Lines lines;
    std::string field;   // the 256 characters
    char terminator;
    bool beyond_intact;  // nothing written past the terminator
  };
  static Conversion convert(float value) {
    struct {
      NumberField field;
      char beyond[64];
    } guarded;
    std::memset(&guarded, '#', sizeof guarded);
    Conversion c;
    c.lines = stdout_lines([&] { number_to_text(value, guarded.field); });
    c.field.assign(guarded.field, NUMBER_FIELD_LENGTH);
    c.terminator = guarded.field[NUMBER_FIELD_LENGTH];
    c.beyond_intact = std::string(guarded.beyond, sizeof guarded.beyond) == std::string(sizeof guarded.beyond, '#');
    return c;
  }
  static std::string padded(const std::string& text) {
    return text + std::string(NUMBER_FIELD_LENGTH - text.size(), ' ');
  }

  // One whole frame: every number of it gives the same console line, and the frame is finished.
  static void expect_frame_lines(const std::string& line) {
    recorder().clear_log();
    const Lines lines = stdout_lines([] { display(); });
    // Four numbers per site table row, two per spline.
    const std::size_t numbers = 4 * run.snapshot_row_count + 2 * scene.spline_count;
    EXPECT_EQ(lines, Lines(numbers, line));
    EXPECT_EQ(recorder().count("glutSwapBuffers"), 1);
    EXPECT_TRUE(recorder().errors.empty());
  }

  // Once the fault is gone the next conversion owes nothing to it.
  static void expect_fresh_conversion() {
    const Conversion c = convert(42.5f);
    EXPECT_EQ(c.lines, Lines{"4"});
    EXPECT_EQ(c.field, padded("42.5"));
    EXPECT_EQ(scratch_text(), "42.5");
  }

  testing_support::ScratchDirectory directory;
};

TEST_F(ScratchFault, ADirectoryOfThatNameLeavesEveryLabelBlankAndSaysWhyOnce) {
  std::filesystem::create_directory("1.txt");
  ::testing::internal::CaptureStderr();
  const Conversion c = convert(12.5f);
  EXPECT_EQ(c.lines, Lines{"0"});
  EXPECT_EQ(c.field, padded(""));
  EXPECT_EQ(c.terminator, '\0');
  for (int frame = 0; frame < 3; ++frame) expect_frame_lines("0");
  std::filesystem::remove("1.txt");
  expect_fresh_conversion();
  std::filesystem::remove("1.txt");
  std::filesystem::create_directory("1.txt");  // failing again later: said once is enough
  expect_frame_lines("0");
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "splines: cannot write the scratch file 1.txt in " + std::filesystem::current_path().string() +
                " (Is a directory); numbers are left blank\n");
  std::filesystem::remove("1.txt");
}

TEST_F(ScratchFault, AReadOnlyFileShowsItsOlderText) {
  write_scratch("-98.7654");
  permit("1.txt", 0444);
  {
    WithoutPrivilege guard;
    SKIP_UNLESS_PERMISSIONS_BIND(guard);
    ::testing::internal::CaptureStderr();
    const Conversion c = convert(3.0f);
    EXPECT_EQ(c.lines, Lines{"8"});
    EXPECT_EQ(c.field, padded("-98.7654"));
    EXPECT_EQ(scratch_text(), "-98.7654");
    expect_frame_lines("8");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(),
              "splines: cannot write the scratch file 1.txt in " + std::filesystem::current_path().string() +
                  " (Permission denied); numbers show the older text it holds\n");
  }
  permit("1.txt", 0644);
  expect_fresh_conversion();
}

TEST_F(ScratchFault, AFileThatCannotBeCreatedLeavesEveryLabelBlank) {
  permit(directory.path(), 0555);
  {
    WithoutPrivilege guard;
    SKIP_UNLESS_PERMISSIONS_BIND(guard);
    const Conversion c = convert(3.0f);
    EXPECT_EQ(c.lines, Lines{"0"});
    EXPECT_EQ(c.field, padded(""));
    EXPECT_FALSE(std::filesystem::exists("1.txt"));
    expect_frame_lines("0");
  }
  permit(directory.path(), 0755);
  expect_fresh_conversion();
}

TEST_F(ScratchFault, AnOverlongFileIsCutAtTheField) {
  std::string text;
  for (int k = 0; k < 300; ++k) text += static_cast<char>('0' + k % 10);
  write_scratch(text);
  permit("1.txt", 0444);
  {
    WithoutPrivilege guard;
    SKIP_UNLESS_PERMISSIONS_BIND(guard);
    const Conversion c = convert(3.0f);
    EXPECT_EQ(c.lines, Lines{"256"});  // the characters stored, not those in the file
    EXPECT_EQ(c.field, text.substr(0, NUMBER_FIELD_LENGTH));
    EXPECT_EQ(c.terminator, '\0');
    EXPECT_TRUE(c.beyond_intact);
    expect_frame_lines("256");
  }
  permit("1.txt", 0644);
  expect_fresh_conversion();
}

}  // namespace
