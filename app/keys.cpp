// Keyboard dispatch.
#include "app/keys.h"

void on_key(unsigned char, int, int) {}
void select_next_spline() {}
void select_next_site() {}
void toggle_clear_each_frame() {}
void toggle_trail_mode() {}
void toggle_site_table() {}
void rotate_scene_left() {}
void rotate_scene_right() {}
void increase_camera_offset() {}
void decrease_camera_offset() {}
