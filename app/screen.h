// The screen the viewer draws on, where it differs by platform: opening it, and placing the picture in
// it whenever its size changes.
#pragma once

// Game mode first where it is real (app/desktop.h); where the display cannot change modes (GLUT then
// opens no window) or the mode would not be real, a window made full screen on one monitor, with one
// line on stderr that says why. False where no window opened.
bool open_screen();

// GLUT's reshape callback: places the 1024 x 768 picture in the part of the width x height window that
// the monitor shows (app/picture.h), then sets the camera for it.
void reshape_screen(int width, int height);
