// The run animation: snapshot, run step and trail.
#include "scene/run.h"

RunState run;

void take_run_snapshot() {}

void start_run() {
  if (scene.run_active || scene.spline_count < 2) return;
  run.run_param = 0.0f;
  run.run_segment = 0;
  scene.selected_site = -1;
  scene.selected_spline = -1;
  scene.run_active = true;
}

void run_step(const Site (*)[MAX_SPLINES], float, float, float&, int&) {}

void draw_run_trail(const Site (*)[MAX_SPLINES], float, float) {}
