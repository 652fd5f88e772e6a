// View state of the frame loop (camera, rotation, frame counter, display flags) and the two projections.
#pragma once

#include "scene/picture_size.h"  // SCREEN_WIDTH, SCREEN_HEIGHT
constexpr const char* GAME_MODE_STRING = "1024x768:256@72";
// The same mode at the display's own colour depth: GLUT for Windows reads the 256 above as bits per
// pixel, which no display offers, where GLUT for X11 ignores it. Tried where the first one fails.
constexpr const char* GAME_MODE_ANY_DEPTH = "1024x768@72";

struct ViewState {
  int screen_width = SCREEN_WIDTH;    // width handed to set_perspective at the end of every frame
  int screen_height = SCREEN_HEIGHT;  // height handed to set_perspective at the end of every frame
  float camera_offset = 750.0f;       // eye at z = 200 + camera_offset; -51 .. 801 through keys r, t
  float camera_step = 3.0f;           // change of camera_offset per key r or t
  float scene_angle = -20.0f;         // degrees about the vertical axis; keys v, b; unbounded
  float rotation_step = 1.0f;         // degrees per key v or b
  int frame_counter = 0;              // 0 .. 999, one per frame; drives the help ticker
  bool clear_each_frame = true;       // clear the colour buffer at the start of every frame
  bool trail_mode = true;             // draw the run's intermediate curves
  bool show_site_table = true;        // draw the site table overlay
};

extern ViewState view;

// Viewport width x height in pixels of the 1024 x 768 picture, at the picture's lower left corner
// wherever the picture lies in the window (app/picture.h); 90 degree perspective, near 100, far
// 2600; eye (0, 200, 200 + offset) looking at the origin with y up. Leaves the modelview matrix
// selected. The reshape callback (app/screen.h) calls it after placing the picture.
void set_perspective(int width, int height);

// Screen text: x from -width to width, y from -height to height, origin at the centre;
// depth testing and lighting off. Saves neither matrix.
void set_overlay_projection(int width, int height);
