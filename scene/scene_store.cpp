// The spline table and its editing commands; every refusal is silent and changes nothing.
#include "scene/scene_store.h"

#include "app/view_state.h"
#include "scene/random.h"
#include "scene/run.h"

SceneStore scene;

float draw_length_offset() {
  const int r = lcg::rand();
  return static_cast<float>(23.0 + (r % 1000) * 0.012321);
}

// Dynamic initialisation before main: the offset takes the first value of the generator.
float length_offset = draw_length_offset();

namespace {

// A whole number from the generator, r % range + low, stored as float.
float random_coordinate(int range, int low) {
  return static_cast<float>(lcg::rand() % range + low);
}

}  // namespace

void generate_random_scene() {
  const int sites = lcg::rand() % 20 + 5;
  const int splines = lcg::rand() % 10 + 3;
  for (int i = 0; i < splines; ++i) {
    const int cx = lcg::rand() % 1000 - 500;
    const int cy = lcg::rand() % 1000 - 500;
    const int cz = lcg::rand() % 600 - 300;
    for (int j = 0; j < sites; ++j) {
      Site& site = scene.spline_table[i][j];
      site.x = random_coordinate(300, -150 + cx);
      site.y = random_coordinate(300, -150 + cy);
      site.z = random_coordinate(300, -150 + cz);
    }
  }
  scene.spline_count = splines;
  scene.sites_per_spline = sites;
  start_run();
}

void add_random_site() {
  if (scene.run_active) return;
  if (scene.sites_per_spline != 0 && scene.site_buffer_count >= scene.sites_per_spline) return;
  if (scene.site_buffer_count >= MAX_SITES) return;  // no room, even before a length is fixed
  Site& site = scene.site_buffer[scene.site_buffer_count];
  site.x = random_coordinate(300, -150);
  site.y = random_coordinate(300, -150);
  site.z = random_coordinate(300, -150);
  ++scene.site_buffer_count;
}

void build_spline() {
  if (scene.site_buffer_count == 0) return;
  if (scene.spline_count >= MAX_SPLINES) return;  // the table is full
  if (scene.sites_per_spline == 0) scene.sites_per_spline = scene.site_buffer_count;
  if (scene.sites_per_spline != scene.site_buffer_count) return;
  for (int j = 0; j < scene.sites_per_spline; ++j)
    scene.spline_table[scene.spline_count][j] = scene.site_buffer[j];
  scene.site_buffer_count = 0;
  ++scene.spline_count;
}

void clear_scene() {
  length_offset = draw_length_offset();
  scene.site_buffer_count = 0;
  scene.sites_per_spline = 0;
  scene.spline_count = 0;
  for (Site& site : scene.site_buffer) site = Site{};
  for (auto& row : scene.spline_table)
    for (Site& site : row) site = Site{};
  scene.selected_site = -1;
  scene.selected_spline = -1;
  scene.run_active = false;
  view.show_site_table = false;
  view.trail_mode = false;
}

namespace {

float& coordinate(Site& site, Axis axis) {
  switch (axis) {
    case Axis::x: return site.x;
    case Axis::y: return site.y;
    case Axis::z: return site.z;
  }
  return site.x;
}

}  // namespace

void move_selection(Axis axis, int direction) {
  if (scene.selected_spline < 0 || scene.selected_spline >= scene.spline_count) return;
  Site* row = scene.spline_table[scene.selected_spline];
  if (scene.selected_site == -1) {
    for (int j = 0; j < scene.sites_per_spline; ++j) coordinate(row[j], axis) += 10.0f * direction;
  } else if (scene.selected_site < scene.sites_per_spline) {
    coordinate(row[scene.selected_site], axis) += 1.0f * direction;
  }
}
