// The frame: one complete picture per call, drawn back to back as GLUT's display and idle callback.
#pragma once

// Draws one frame: the scene under the camera and rotation, the run, the overlay panels; then
// restores the camera, advances frame_counter (0 .. 999) and swaps the buffers.
void display();

// Takes the mouse pointer off the screen; called at start-up and in every frame.
void hide_pointer();
