// The 4:3 picture placed in whatever window or video mode the screen gives, and shown there.
#include "app/picture.h"

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

PixelRect picture;

PixelRect place_picture(int window_width, int window_height, int shown_width, int shown_height) {
  // A window of no size (minimised, say) gets a picture of one pixel: a viewport stays valid.
  window_height = std::max(1, window_height);
  const int shown_w = std::max(1, std::min(shown_width, window_width));
  const int shown_h = std::max(1, std::min(shown_height, window_height));
  PixelRect placed;
  // The largest 4:3 rectangle in the shown part: its full height where the part is wider than 4:3,
  // its full width where it is narrower. 64-bit products: no screen overflows them.
  if (static_cast<long long>(shown_w) * SCREEN_HEIGHT >= static_cast<long long>(shown_h) * SCREEN_WIDTH) {
    placed.height = shown_h;
    placed.width = static_cast<int>(std::lround(static_cast<double>(shown_h) * SCREEN_WIDTH / SCREEN_HEIGHT));
  } else {
    placed.width = shown_w;
    placed.height = static_cast<int>(std::lround(static_cast<double>(shown_w) * SCREEN_HEIGHT / SCREEN_WIDTH));
  }
  placed.width = std::max(1, std::min(placed.width, shown_w));
  placed.height = std::max(1, std::min(placed.height, shown_h));
  placed.x = (shown_w - placed.width) / 2;
  const int top = (shown_h - placed.height) / 2;  // rows above the picture, counted from the top
  placed.y = window_height - top - placed.height;
  return placed;
}

PixelRect picture_viewport(const PixelRect& placed, int width, int height) {
  // Exact for the full 1024 x 768 drawing: the product is a multiple of the divisor.
  PixelRect viewport = placed;
  viewport.width = static_cast<int>(std::lround(static_cast<double>(width) * placed.width / SCREEN_WIDTH));
  viewport.height = static_cast<int>(std::lround(static_cast<double>(height) * placed.height / SCREEN_HEIGHT));
  return viewport;
}

void show_picture(const PixelRect& placed, int window_width, int window_height) {
  picture = placed;
  picture_height = placed.height;
  glDisable(GL_SCISSOR_TEST);
  if (placed.x == 0 && placed.y == 0 && placed.width == window_width && placed.height == window_height)
    return;
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glutSwapBuffers();
  glClear(GL_COLOR_BUFFER_BIT);
  glScissor(placed.x, placed.y, placed.width, placed.height);
  glEnable(GL_SCISSOR_TEST);
}
