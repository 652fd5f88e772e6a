// The run: a closed curve through one point on each cross curve, morphing from spline to spline.
#pragma once

#include "scene/scene_store.h"

// The spline table transposed, as the run holds it: row r holds site r of every spline, so that a
// closed curve through a row is a cross curve.
using RunSnapshot = Site[MAX_SITES][MAX_SPLINES];

// The cross curves' table and the run's position; rewritten by the frame, reset by start_run.
struct RunState {
  RunSnapshot run_snapshot = {};                   // the spline table transposed: row r = site r of every spline
  int snapshot_row_count = 0;   // rows in use: sites_per_spline when the snapshot was taken
  int snapshot_row_length = 0;  // entries per row in use: spline_count when the snapshot was taken
  Site run_points[MAX_SITES] = {};  // entry r: the run's current point on cross curve r
  float run_param = 0.0f;   // parameter within the current segment, 0 up to below 1
  int run_segment = 0;      // segment of the cross curves, = the spline the run curve is leaving
  float run_speed = 0.01f;  // increase of run_param per frame
};

extern RunState run;

// Copies the whole spline table, transposed, into run_snapshot and records the two counts.
void take_run_snapshot();

// Key a, and the last step of generate_random_scene: refused while running or with fewer than
// two splines; otherwise back to segment 0, parameter 0, no selection, and the run on.
void start_run();

// While the run is on: computes the run points, draws the run curve in a random colour (three
// generator values) and advances param and segment. sites = points per cross curve, rows = cross curves.
void run_step(const RunSnapshot& snapshot, float sites, float rows, float& param, int& segment);

// The 10 * sites intermediate curves between neighbouring splines, in (0, 0, 5).
void draw_run_trail(const RunSnapshot& snapshot, float sites, float rows);
