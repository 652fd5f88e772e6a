// Length estimates: the distance in double, the polyline from site 1 on summed in float, and the
// numbers the green and red columns hand to the scratch file.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "measure/length.h"
#include "scene/scene_store.h"
#include "tests/support/test_support.h"
#include "tests/support/number_checks.h"

namespace {

using testing_support::scratch_text;
using testing_support::reference_length;
using testing_support::stdout_lines;
using testing_support::stream_text;
using Lines = std::vector<std::string>;

struct Distance {
  const char* label;
  float a[3], b[3];
  float expected;
};

constexpr Distance DISTANCES[] = {
    {"3-4-5 triangle", {0, 0, 0}, {3, 4, 0}, 5.0f},
    {"same point", {1, 2, 3}, {1, 2, 3}, 0.0f},
    {"all three axes", {-1, -2, -2}, {0, 0, 0}, 3.0f},
    {"squares beyond float range", {1e20f, 0, 0}, {0, 0, 0}, 1e20f},
    {"squares below float range", {3e-25f, 0, 0}, {0, 4e-25f, 0}, 5e-25f},
};

TEST(PointDistance, SquaresAndSumsInDouble) {
  for (const Distance& d : DISTANCES) {
    SCOPED_TRACE(d.label);
    EXPECT_FLOAT_EQ(point_distance(d.a[0], d.a[1], d.a[2], d.b[0], d.b[1], d.b[2]), d.expected);
    EXPECT_FLOAT_EQ(point_distance(d.b[0], d.b[1], d.b[2], d.a[0], d.a[1], d.a[2]), d.expected);
  }
}

class Lengths : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::reset_process_state(); }

  // Spline i with the given sites; every spline of the table has as many.
  static void set_spline(int i, std::initializer_list<Site> sites) {
    int j = 0;
    for (const Site& s : sites) scene.spline_table[i][j++] = s;
    scene.sites_per_spline = j;
    if (scene.spline_count <= i) scene.spline_count = i + 1;
  }
  static void set_square(int i) { set_spline(i, {{0, 0, 0}, {100, 0, 0}, {100, 100, 0}, {0, 100, 0}}); }

  struct Label {
    std::string text;  // what the scratch file held
    Lines lines;       // the column's console lines
  };
  // The column drawn down to the row; the row's number is the last one through the scratch file.
  static Label column_label(void (*column)(), int row) {
    const int count = scene.spline_count;
    scene.spline_count = row + 1;
    Label label;
    label.lines = stdout_lines(column);
    label.text = scratch_text();
    scene.spline_count = count;
    return label;
  }
};

TEST_F(Lengths, SquareCountsOnlyTheSegmentsFromSiteOne) {
  set_square(0);
  EXPECT_EQ(polyline_length(0), 200.0f);  // (1, 2) and (2, 3); not (0, 1), not the closing one

  const Label green = column_label(draw_length_column_green, 0);
  EXPECT_EQ(green.text, "223.505");
  EXPECT_EQ(green.lines, Lines{"7"});
  const Label red = column_label(draw_length_column_red, 0);
  const float red_value = static_cast<float>(((200 * 0.1) + 200) * 0.1 * 0.01f);
  EXPECT_EQ(red.text, stream_text(red_value));
  EXPECT_EQ(red.text, "0.22");
  EXPECT_EQ(red.lines, Lines{"4"});
}

TEST_F(Lengths, OneOrTwoSitesHaveNoLength) {
  for (int sites : {1, 2}) {
    SCOPED_TRACE(sites);
    set_spline(0, {{10, 20, 30}, {-40, 50, 60}});
    scene.sites_per_spline = sites;
    EXPECT_EQ(polyline_length(0), 0.0f);
    EXPECT_EQ(column_label(draw_length_column_green, 0).text, "23.5052");  // the offset alone
    const Label red = column_label(draw_length_column_red, 0);
    EXPECT_EQ(red.text, "0");
    EXPECT_EQ(red.lines, Lines{"1"});
  }
}

TEST_F(Lengths, ThreeSitesCountOnlyTheSegmentFromOneToTwo) {
  set_spline(0, {{0, 0, 0}, {10, 0, 0}, {10, 0, 30}});
  EXPECT_EQ(polyline_length(0), 30.0f);
}

TEST_F(Lengths, ReadsTheRowAskedFor) {
  set_spline(0, {{0, 0, 0}, {0, 0, 0}, {0, 0, 1}, {0, 0, 3}});
  set_square(3);
  EXPECT_EQ(polyline_length(0), 3.0f);
  EXPECT_EQ(polyline_length(3), 200.0f);
}

TEST_F(Lengths, SumsInFloatAfterEverySegment) {
  // One long segment, then five of 1 each: in float each 1 is lost against 1e8 (spacing 8),
  // where a sum in double would end at 100000005 and round to 100000008.
  set_spline(0, {{0, 0, 0}, {0, 0, 0}, {1e8f, 0, 0}, {1e8f, 1, 0}, {1e8f, 2, 0}, {1e8f, 3, 0}, {1e8f, 4, 0},
                 {1e8f, 5, 0}});
  EXPECT_EQ(polyline_length(0), 1e8f);
}

TEST_F(Lengths, MovingSiteZeroChangesNeitherColumn) {
  set_square(0);
  const std::string green = column_label(draw_length_column_green, 0).text;
  const std::string red = column_label(draw_length_column_red, 0).text;
  scene.spline_table[0][0] = {137, -211, 95};
  EXPECT_EQ(polyline_length(0), 200.0f);
  EXPECT_EQ(column_label(draw_length_column_green, 0).text, green);
  EXPECT_EQ(column_label(draw_length_column_red, 0).text, red);
  scene.spline_table[0][2] = {137, -211, 95};  // a counted site does change both
  EXPECT_NE(column_label(draw_length_column_green, 0).text, green);
  EXPECT_NE(column_label(draw_length_column_red, 0).text, red);
}

TEST_F(Lengths, IdenticalSplinesDifferInGreenByTheOffsetPerRow) {
  for (int i = 0; i < 6; ++i) set_spline(i, {{0, 0, 0}, {5, 5, 5}, {15, 5, 5}, {15, 5, 105}});
  scene.spline_table[3][2] = {-300, 7, 1};  // rows between differ; only 0 and 5 are compared
  const double green_0 = std::stod(column_label(draw_length_column_green, 0).text);
  const double green_5 = std::stod(column_label(draw_length_column_green, 5).text);
  EXPECT_NEAR(green_5 - green_0, 0.5 * length_offset, 1e-3);  // both texts to three decimals
  EXPECT_EQ(column_label(draw_length_column_red, 0).text, column_label(draw_length_column_red, 5).text);
}

TEST_F(Lengths, EmptyTableDrawsNoNumbers) {
  EXPECT_TRUE(stdout_lines([] {
                draw_length_column_green();
                draw_length_column_red();
              }).empty());
}

TEST_F(Lengths, StartSceneColumnsFollowTheOffsetAndTheLength) {
  generate_random_scene();
  ASSERT_EQ(length_offset, 23.505161f);
  ASSERT_EQ(scene.spline_count, 7);
  for (int i = 0; i < scene.spline_count; ++i) {
    SCOPED_TRACE(i);
    const double length = reference_length(i);
    const Label green = column_label(draw_length_column_green, i);
    const Label red = column_label(draw_length_column_red, i);
    EXPECT_EQ(green.text, stream_text(static_cast<float>(length + 23.505161 * (1 + 0.1 * i))));
    EXPECT_EQ(red.text, stream_text(static_cast<float>(0.0011 * length)));
    EXPECT_EQ(green.lines.size(), static_cast<std::size_t>(i + 1));
    EXPECT_EQ(green.lines.back(), std::to_string(green.text.size()));
    EXPECT_EQ(red.lines.back(), std::to_string(red.text.size()));
  }
}

}  // namespace
