// Where the 1024 x 768 picture lands on a screen of another size: whole, at its own 4:3 shape, as large
// as the part of the window a person sees allows, centred in that part. Platform-neutral.
#pragma once

#include "scene/picture_size.h"

// A rectangle of window pixels as GL counts them: x from the left edge, y up from the bottom edge.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = SCREEN_WIDTH;
  int height = SCREEN_HEIGHT;
};

// The picture's place in a window of window_width x window_height of which the monitor shows
// shown_width x shown_height at the top left: all of it for an ordinary window; the video mode's size
// for game mode's window, which spans the whole desktop while the monitor shows the mode from its top
// left corner. A shown part larger than the window counts as the window.
PixelRect place_picture(int window_width, int window_height, int shown_width, int shown_height);

// The viewport of a width x height drawing (in pixels of the 1024 x 768 picture) at the lower left
// corner of the placed picture: for 1024 x 768 the picture itself.
PixelRect picture_viewport(const PixelRect& placed, int width, int height);

// Makes placed the picture of a window_width x window_height window. Where it leaves bars, the whole
// window is cleared to black once, in both buffers, and drawing is confined to the picture from then
// on: wide strokes at its edges would otherwise spill into the bars, and the bars cost no more clearing.
// Strokes and points are scaled by its height from then on (picture_pixels).
void show_picture(const PixelRect& placed, int window_width, int window_height);

// Where the picture lies in the window now; 1024 x 768 at the lower left until GLUT reports a size.
extern PixelRect picture;
