// Where the 1024 x 768 picture lands: whole and 4:3 in the part of the window the monitor shows,
// centred there, touching two opposite sides; exactly the window at 1024 x 768.
#include <gtest/gtest.h>

#include <cstdlib>

#include "app/picture.h"

namespace {

struct Placement {
  const char* label;
  int window_width, window_height, shown_width, shown_height;
  PixelRect expected;  // x and y from the window's lower left corner
};

constexpr Placement PLACEMENTS[] = {
    {"1024 x 768, either path", 1024, 768, 1024, 768, {0, 0, 1024, 768}},
    {"game mode on a 1920 x 1080 desktop", 1920, 1080, 1024, 768, {0, 312, 1024, 768}},
    {"game mode on a 1280 x 1024 desktop", 1280, 1024, 1024, 768, {0, 256, 1024, 768}},
    {"game mode on a 2560 x 1440 desktop", 2560, 1440, 1024, 768, {0, 672, 1024, 768}},
    {"window 1920 x 1080", 1920, 1080, 1920, 1080, {240, 0, 1440, 1080}},
    {"window 1280 x 1024", 1280, 1024, 1280, 1024, {0, 32, 1280, 960}},
    {"window 1920 x 1200", 1920, 1200, 1920, 1200, {160, 0, 1600, 1200}},
    {"window 2560 x 1440", 2560, 1440, 2560, 1440, {320, 0, 1920, 1440}},
    {"window 3840 x 2160", 3840, 2160, 3840, 2160, {480, 0, 2880, 2160}},
    {"window 1600 x 1200", 1600, 1200, 1600, 1200, {0, 0, 1600, 1200}},
    {"window smaller, 800 x 600", 800, 600, 800, 600, {0, 0, 800, 600}},
    {"a mode larger than its window", 800, 600, 1024, 768, {0, 0, 800, 600}},
    {"an empty window", 0, 0, 0, 0, {0, 0, 1, 1}},
};

TEST(PlacePicture, KnownScreens) {
  for (const Placement& p : PLACEMENTS) {
    SCOPED_TRACE(p.label);
    const PixelRect r = place_picture(p.window_width, p.window_height, p.shown_width, p.shown_height);
    EXPECT_EQ(r.x, p.expected.x);
    EXPECT_EQ(r.y, p.expected.y);
    EXPECT_EQ(r.width, p.expected.width);
    EXPECT_EQ(r.height, p.expected.height);
  }
}

TEST(PlacePicture, WholeCentredAndFourToThreeInEveryShownPart) {
  std::srand(11);
  for (int k = 0; k < 2000; ++k) {
    const int window_width = 1 + std::rand() % 5000, window_height = 1 + std::rand() % 3000;
    const bool game_mode = k % 2 == 1;
    const int shown_width = game_mode ? 1 + std::rand() % window_width : window_width;
    const int shown_height = game_mode ? 1 + std::rand() % window_height : window_height;
    SCOPED_TRACE(::testing::Message() << window_width << " x " << window_height << " showing "
                                      << shown_width << " x " << shown_height);
    const PixelRect r = place_picture(window_width, window_height, shown_width, shown_height);
    const int top = window_height - r.y - r.height;  // rows above the picture
    // Inside the shown part, touching two opposite sides, centred between the other two.
    ASSERT_GE(r.x, 0);
    ASSERT_GE(top, 0);
    ASSERT_LE(r.x + r.width, shown_width);
    ASSERT_LE(top + r.height, shown_height);
    ASSERT_TRUE(r.width == shown_width || r.height == shown_height);
    EXPECT_LE(std::abs(shown_width - r.width - 2 * r.x), 1);
    EXPECT_LE(std::abs(shown_height - r.height - 2 * top), 1);
    // 4:3 to the pixel.
    EXPECT_LE(std::abs(3 * r.width - 4 * r.height), 4);
  }
}

TEST(PictureViewport, ScalesPartsOfThePictureAndKeepsTheWhole) {
  const PixelRect wide{240, 0, 1440, 1080};
  const PixelRect whole = picture_viewport(wide, 1024, 768);
  EXPECT_EQ(whole.x, 240);
  EXPECT_EQ(whole.width, 1440);
  EXPECT_EQ(whole.height, 1080);
  const PixelRect part = picture_viewport(wide, 640, 384);
  EXPECT_EQ(part.x, 240);
  EXPECT_EQ(part.y, 0);
  EXPECT_EQ(part.width, 900);
  EXPECT_EQ(part.height, 540);
  const PixelRect unscaled = picture_viewport(PixelRect{}, 640, 768);
  EXPECT_EQ(unscaled.width, 640);
  EXPECT_EQ(unscaled.height, 768);
}

TEST(PicturePixels, GrowWithThePictureAndStayExactAt1024x768) {
  const int before = picture_height;
  picture_height = SCREEN_HEIGHT;
  for (float w : {1.0f, 5.0f, 7.0f, 2.0f / 3.0f + 1.0f, 30.0f / 3.0f + 1.0f}) EXPECT_EQ(picture_pixels(w), w);
  picture_height = place_picture(1920, 1080, 1920, 1080).height;
  EXPECT_FLOAT_EQ(picture_pixels(5.0f), 5.0f * 1080 / 768);
  picture_height = place_picture(3840, 2160, 3840, 2160).height;
  EXPECT_FLOAT_EQ(picture_pixels(1.0f), 2160.0f / 768);
  picture_height = before;
}

}  // namespace
