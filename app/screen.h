// Opening the screen the viewer draws on: the one start-up step that differs by platform.
#pragma once

// Game mode first; where the display cannot change modes (GLUT then opens no window), a window of the
// same size made full screen, with one line on stderr that says why. False where no window opened.
bool open_screen();
