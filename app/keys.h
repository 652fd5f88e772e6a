// Keyboard dispatch and the view controls.
#pragma once

// GLUT's keyboard callback: one command per lower-case key, Escape ends the process with status 0.
// The pointer position is ignored.
void on_key(unsigned char key, int x, int y);

void select_next_spline();      // m
void select_next_site();        // h
void toggle_clear_each_frame(); // s
void toggle_trail_mode();       // d
void toggle_site_table();       // q
void rotate_scene_left();       // v
void rotate_scene_right();      // b
void increase_camera_offset();  // r
void decrease_camera_offset();  // t
