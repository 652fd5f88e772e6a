// Keyboard dispatch and the view controls.
#include "app/keys.h"

#include <cstdlib>

#include "app/view_state.h"
#include "scene/run.h"
#include "scene/scene_store.h"

namespace {

constexpr unsigned char ESCAPE = 27;
constexpr float CAMERA_OFFSET_MAX = 800.0f;  // world units; r acts only below it, so 801 is reachable
constexpr float CAMERA_OFFSET_MIN = -50.0f;  // world units; t acts only above it, so -51 is reachable

struct KeyBinding {
  unsigned char key;  // matched exactly: letters in lower case only
  void (*operation)();
};

// One command per key; at most one row matches.
constexpr KeyBinding KEY_TABLE[] = {
    {ESCAPE, [] { std::exit(0); }},                 // end the process at once
    {'n', add_random_site},                         // a random site into the site buffer
    {'u', [] { move_selection(Axis::y, +1); }},     // up
    {'j', [] { move_selection(Axis::y, -1); }},     // down
    {'y', [] { move_selection(Axis::x, -1); }},     // left
    {'i', [] { move_selection(Axis::x, +1); }},     // right
    {'o', [] { move_selection(Axis::z, -1); }},     // away from the camera
    {'l', [] { move_selection(Axis::z, +1); }},     // towards the camera
    {'z', clear_scene},                             // empty the scene, stop the run
    {'x', build_spline},                            // a spline from the site buffer
    {'a', start_run},                               // start the run
    {'s', toggle_clear_each_frame},                 // colour buffer cleared every frame or not
    {'m', select_next_spline},                      // next spline
    {'h', select_next_site},                        // next site of the selected spline
    {'v', rotate_scene_left},                       // scene angle + 1 degree
    {'b', rotate_scene_right},                      // scene angle - 1 degree
    {'r', increase_camera_offset},                  // camera farther by 3
    {'t', decrease_camera_offset},                  // camera nearer by 3
    {'q', toggle_site_table},                       // site table on or off
    {'d', toggle_trail_mode},                       // run trail on or off
};

}  // namespace

void on_key(unsigned char key, int, int) {
  for (const KeyBinding& binding : KEY_TABLE)
    if (binding.key == key) {
      binding.operation();
      return;
    }
}

// Refused during a run; wraps from the last spline to 0, never back to none. The site index
// stays, so the same site position is selected on the next spline.
void select_next_spline() {
  if (scene.run_active) return;
  if (scene.selected_spline < scene.spline_count - 1)
    ++scene.selected_spline;
  else
    scene.selected_spline = 0;
}

// Only with a spline selected: sites 0 .. sites_per_spline - 1, then -1 for the whole spline.
void select_next_site() {
  if (scene.selected_spline < 0 || scene.selected_spline >= scene.spline_count) return;
  if (scene.selected_site < scene.sites_per_spline - 1)
    ++scene.selected_site;
  else
    scene.selected_site = -1;
}

// On at any time; off only during a run.
void toggle_clear_each_frame() {
  if (!view.clear_each_frame)
    view.clear_each_frame = true;
  else if (scene.run_active)
    view.clear_each_frame = false;
}

// Off at any time; on only during a run.
void toggle_trail_mode() {
  if (view.trail_mode)
    view.trail_mode = false;
  else if (scene.run_active)
    view.trail_mode = true;
}

void toggle_site_table() { view.show_site_table = !view.show_site_table; }

// Unbounded; the frame rotates by whatever angle is reached.
void rotate_scene_left() { view.scene_angle = view.scene_angle + view.rotation_step; }
void rotate_scene_right() { view.scene_angle = view.scene_angle - view.rotation_step; }

// The limits are tested before the step, so the offset may pass them by less than one step.
void increase_camera_offset() {
  if (view.camera_offset < CAMERA_OFFSET_MAX) view.camera_offset = view.camera_offset + view.camera_step;
}
void decrease_camera_offset() {
  if (view.camera_offset > CAMERA_OFFSET_MIN) view.camera_offset = view.camera_offset - view.camera_step;
}
