// The size of the picture and the one scale it is drawn at on the screen: what line widths and point
// sizes need to keep their weight on a larger screen. Depends on nothing else of the program.
#pragma once

constexpr int SCREEN_WIDTH = 1024;  // pixels, the full-screen mode
constexpr int SCREEN_HEIGHT = 768;  // pixels

// Rows of the screen that the picture's SCREEN_HEIGHT rows take; SCREEN_HEIGHT until the screen
// places the picture (app/picture.h sets it).
extern int picture_height;

// A line width or point size given in pixels of the 1024 x 768 picture, in pixels of the screen: it
// grows with the picture, so that the strokes keep their weight beside the letters and curves they
// draw. Exactly the width given where the picture is 1024 x 768.
float picture_pixels(float pixels);
