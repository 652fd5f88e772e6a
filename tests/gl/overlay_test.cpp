// The overlay panels and the length columns under the recording stand-in: which texts are drawn
// where, the console lines of a whole start-scene frame, and the matrix balance.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "measure/length.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"
#include "tests/support/comparisons.h"
#include "tests/support/number_checks.h"
#include "text/overlay.h"

namespace {

using glrec::recorder;
using testing_support::ExpectedText;
using testing_support::reference_length;
using testing_support::stdout_lines;
using testing_support::stream_text;
using Lines = std::vector<std::string>;

class Overlay : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::reset_process_state();
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
    recorder().clear_log();
  }

  static void expect_overlay_projections(long count) {
    const auto orthos = recorder().calls_named("glOrtho");
    ASSERT_EQ(static_cast<long>(orthos.size()), count);
    for (const glrec::Call& o : orthos) {
      EXPECT_EQ(o[0], -1024.0);
      EXPECT_EQ(o[1], 1024.0);
      EXPECT_EQ(o[2], -768.0);
      EXPECT_EQ(o[3], 768.0);
    }
  }
  static void expect_balanced() {
    EXPECT_EQ(recorder().modelview_depth, 1);
    EXPECT_EQ(recorder().projection_depth, 1);
    EXPECT_EQ(recorder().count("glPushMatrix"), recorder().count("glPopMatrix"));
    EXPECT_TRUE(recorder().errors.empty());
  }
};

struct TickerFrame {
  int frame;
  bool exit_hint;
  const char* help_line;
};

constexpr const char* FIRST_LINE = "Y,U,I,J,O,L - To move the whole splain or the single site";
constexpr TickerFrame TICKER_FRAMES[] = {
    {0, false, FIRST_LINE},
    {9, false, FIRST_LINE},
    {10, true, FIRST_LINE},
    {19, true, FIRST_LINE},
    {109, false, FIRST_LINE},
    {110, true, "H - Select new site"},
    {909, false, "Z - To purify buffer"},
    {910, true, "X - build splain by current sites"},
    {999, true, "X - build splain by current sites"},
};

TEST_F(Overlay, HelpTickerBlinksTheExitHintAndChangesItsLineEveryHundredFrames) {
  ASSERT_TRUE(testing_support::font_draws()) << "the stroke font draws nothing: text is compared with an empty drawing";
  for (const TickerFrame& f : TICKER_FRAMES) {
    SCOPED_TRACE(f.frame);
    recorder().clear_log();
    EXPECT_TRUE(stdout_lines([&] { draw_help_ticker(f.frame); }).empty());
    expect_overlay_projections(1);
    EXPECT_EQ(recorder().count("gluPerspective"), 0);  // the frame sets the camera afterwards
    expect_balanced();
    const auto drawn = testing_support::drawn_lines();

    std::vector<ExpectedText> expected;
    if (f.exit_hint) expected.push_back({"Press ESC to exit", 100, 700, "red", 5.0f});
    expected.push_back({f.help_line, -1000, -700, "red", 3.0f});
    EXPECT_TRUE(testing_support::same_drawing(drawn, testing_support::reference_drawing(expected)));
  }
}

TEST_F(Overlay, SiteTableDrawsOneRowPerRunPoint) {
  run.snapshot_row_count = 3;
  run.run_points[0] = {-123.4567f, 0.5f, 1e7f};
  run.run_points[1] = {0.0f, 0.0f, 0.0f};
  run.run_points[2] = {1.1f, -2.0f, 0.00001234f};
  run.run_points[3] = {9.0f, 9.0f, 9.0f};  // beyond the rows in use

  const Lines lines = stdout_lines([] { draw_site_table(); });
  // Row number, x, y, z of every row: "0" "-123.457" "0.5" "1e+07", "1" "0" "0" "0", "2" "1.1" "-2" "1.234e-05".
  EXPECT_EQ(lines, (Lines{"1", "8", "3", "5", "1", "1", "1", "1", "1", "3", "2", "9"}));
  expect_overlay_projections(3 + 3 * 4);  // one per row for the label, one per number
  expect_balanced();

  ASSERT_TRUE(testing_support::font_draws()) << "the stroke font draws nothing: text is compared with an empty drawing";
  recorder().clear_log();
  stdout_lines([] { draw_site_table(); });
  const auto drawn = testing_support::drawn_lines();
  std::vector<ExpectedText> expected;
  for (int r = 0; r < 3; ++r) {
    const int y = 700 - 40 * r;
    const Site& p = run.run_points[r];
    expected.push_back({"SITE NUMBER   :", -1000, y, "white", 2.0f});
    expected.push_back({stream_text(static_cast<float>(r)), -760, y, "white", 2.0f});
    expected.push_back({stream_text(p.x), -700, y, "red", 2.0f});
    expected.push_back({stream_text(p.y), -500, y, "green", 2.0f});
    expected.push_back({stream_text(p.z), -300, y, "blue", 2.0f});
  }
  EXPECT_TRUE(testing_support::same_drawing(drawn, testing_support::reference_drawing(expected)));
}

TEST_F(Overlay, SiteTableWithoutRowsDrawsNothing) {
  run.run_points[0] = {1.0f, 2.0f, 3.0f};
  EXPECT_TRUE(stdout_lines([] { draw_site_table(); }).empty());
  EXPECT_TRUE(recorder().calls.empty());
}

std::string green_text(int i) {
  return stream_text(static_cast<float>(reference_length(i) + length_offset * (1 + 0.1 * i)));
}
std::string red_text(int i) { return stream_text(static_cast<float>(0.0011 * reference_length(i))); }

TEST_F(Overlay, LengthColumnsStandAtTheRightOneRowPerSpline) {
  ASSERT_TRUE(testing_support::font_draws()) << "the stroke font draws nothing: text is compared with an empty drawing";
  generate_random_scene();
  stdout_lines([] {
    draw_length_column_green();
    draw_length_column_red();
  });
  expect_balanced();
  const auto drawn = testing_support::drawn_lines();
  std::vector<ExpectedText> expected;
  for (int i = 0; i < scene.spline_count; ++i) expected.push_back({green_text(i), 700, -300 - 30 * i, "green", 2.0f});
  for (int i = 0; i < scene.spline_count; ++i) expected.push_back({red_text(i), 950, -300 - 30 * i, "red", 2.0f});
  EXPECT_TRUE(testing_support::same_drawing(drawn, testing_support::reference_drawing(expected)));
}

TEST_F(Overlay, StartSceneFrameCountsEveryNumberInDrawingOrder) {
  generate_random_scene();
  const Lines lines = stdout_lines([] { display(); });
  ASSERT_EQ(run.snapshot_row_count, 12);

  // The run points are those the frame's run step left; nothing changes them after the table.
  std::vector<std::string> texts;
  for (int r = 0; r < run.snapshot_row_count; ++r) {
    const Site& p = run.run_points[r];
    for (float value : {static_cast<float>(r), p.x, p.y, p.z}) texts.push_back(stream_text(value));
  }
  for (int i = 0; i < scene.spline_count; ++i) texts.push_back(green_text(i));
  for (int i = 0; i < scene.spline_count; ++i) texts.push_back(red_text(i));
  ASSERT_EQ(texts.size(), 48u + 7u + 7u);
  EXPECT_EQ(lines, testing_support::counts_of(texts));
  EXPECT_EQ(testing_support::scratch_text(), texts.back());  // the last number of the frame stays on disk
}

}  // namespace
