// The run animation: snapshot, run step and trail.
#include "scene/run.h"

#include <GL/gl.h>

#include "scene/closed_spline.h"
#include "scene/random.h"
#include "scene/render.h"

RunState run;

namespace {

constexpr double TRAIL_STEP = 0.1;   // parameter step of the intermediate curves, added in double
constexpr int COLOUR_LEVELS = 100;   // a channel takes (rand % 100) / 33: 0 .. 3 in steps of 1/33
constexpr float COLOUR_DIVISOR = 33.0f;
// Deliberate: above 1, clamped to pure blue on screen.
constexpr double TRAIL_RED = 0.0, TRAIL_GREEN = 0.0, TRAIL_BLUE = 5.0;

// The three coordinate splines of one cross curve; segment s runs from spline s to spline s + 1.
struct CrossCurve {
  Cubic x[MAX_SPLINES], y[MAX_SPLINES], z[MAX_SPLINES];
};

// One curve's points as the three float arrays draw_closed_spline takes.
struct CurvePoints {
  float x[MAX_SITES], y[MAX_SITES], z[MAX_SITES];
};

// A count handed over as float, as a whole number of entries 0 .. limit.
int count_of(float value, int limit) {
  if (!(value > 0.0f)) return 0;
  if (value >= static_cast<float>(limit)) return limit;
  return static_cast<int>(value);
}

// Segments of the closed spline through entries 0 .. points - 1 of a snapshot row (points >= 1).
void cross_curve_segments(const Site* row, int points, CrossCurve& curve) {
  float xs[MAX_SPLINES], ys[MAX_SPLINES], zs[MAX_SPLINES];
  for (int s = 0; s < points; ++s) {
    xs[s] = row[s].x;
    ys[s] = row[s].y;
    zs[s] = row[s].z;
  }
  closed_spline(points - 1, xs, curve.x);
  closed_spline(points - 1, ys, curve.y);
  closed_spline(points - 1, zs, curve.z);
}

// The point of a cross curve at parameter u of one segment, each coordinate rounded to float.
Site cross_curve_point(const CrossCurve& curve, int segment, float u) {
  return Site{static_cast<float>(cubic_eval(curve.x[segment], u)),
              static_cast<float>(cubic_eval(curve.y[segment], u)),
              static_cast<float>(cubic_eval(curve.z[segment], u))};
}

void store_point(CurvePoints& points, int r, const Site& site) {
  points.x[r] = site.x;
  points.y[r] = site.y;
  points.z[r] = site.z;
}

// One channel of the run colour: one generator value, (value % 100) / 33 in float.
float random_channel() { return static_cast<float>(lcg::rand() % COLOUR_LEVELS) / COLOUR_DIVISOR; }

// A new colour every frame, drawn red, green, blue in that order.
void set_random_run_colour() {
  const float red = random_channel();
  const float green = random_channel();
  const float blue = random_channel();
  glColor3d(red, green, blue);
}

// Advances the parameter by run_speed in float; at 1 it restarts at 0 on the next segment,
// the last segment (splines - 1) leading back to 0.
void advance_run(float& param, int& segment, int splines) {
  param = param + run.run_speed;
  if (param >= 1.0f) {
    param = 0.0f;
    segment = segment + 1;
    if (segment >= splines) segment = 0;
  }
}

// The segments of every cross curve of one frame's trail: 100 x 3 x 100 Cubics, too large for
// the stack, and rewritten in full for the rows in use by every draw_run_trail.
CrossCurve trail_curves[MAX_SITES];

}  // namespace

void take_run_snapshot() {
  for (int i = 0; i < MAX_SITES; ++i)
    for (int j = 0; j < MAX_SPLINES; ++j) run.run_snapshot[i][j] = scene.spline_table[j][i];
  run.snapshot_row_length = scene.spline_count;
  run.snapshot_row_count = scene.sites_per_spline;
}

void start_run() {
  if (scene.run_active || scene.spline_count < 2) return;
  run.run_param = 0.0f;
  run.run_segment = 0;
  scene.selected_site = -1;
  scene.selected_spline = -1;
  scene.run_active = true;
}

void run_step(const RunSnapshot& snapshot, float sites, float rows, float& param, int& segment) {
  if (!scene.run_active) return;
  const int splines = count_of(sites, MAX_SPLINES);  // points per cross curve
  const int curves = count_of(rows, MAX_SITES);      // cross curves = points of the run curve
  // Only reachable if the table shrank under a running run; the segment must name a spline.
  if (segment < 0 || segment >= splines) segment = 0;

  CurvePoints run_curve;
  CrossCurve curve;
  if (splines > 0)
    for (int r = 0; r < curves; ++r) {
      cross_curve_segments(snapshot[r], splines, curve);
      run.run_points[r] = cross_curve_point(curve, segment, param);
      store_point(run_curve, r, run.run_points[r]);
    }

  set_random_run_colour();
  if (splines > 0 && curves > 0) draw_closed_spline(run_curve.x, run_curve.y, run_curve.z, curves);
  advance_run(param, segment, splines);
}

void draw_run_trail(const RunSnapshot& snapshot, float sites, float rows) {
  const int splines = count_of(sites, MAX_SPLINES);
  const int curves = count_of(rows, MAX_SITES);
  if (splines == 0 || curves == 0) return;

  // Each cross curve's segments once per frame; every intermediate curve evaluates them.
  for (int r = 0; r < curves; ++r) cross_curve_segments(snapshot[r], splines, trail_curves[r]);

  CurvePoints points;
  for (int s = 0; s < splines; ++s)
    for (float u = 0.0f; u < 1.0f; u = static_cast<float>(u + TRAIL_STEP)) {
      for (int r = 0; r < curves; ++r) store_point(points, r, cross_curve_point(trail_curves[r], s, u));
      glColor3d(TRAIL_RED, TRAIL_GREEN, TRAIL_BLUE);
      draw_closed_spline(points.x, points.y, points.z, curves);
    }
}
