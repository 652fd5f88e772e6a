// Drawing of the 3D scene: grid and axes, site points, closed curves, the selected-site marker.
#pragma once

#include <type_traits>

#include "scene/run.h"
#include "scene/scene_store.h"

// A closed curve through count points (1 .. 100): a line loop of 1 + 10 * count vertices.
// Sets no colour and no line width.
void draw_closed_spline(const float* xs, const float* ys, const float* zs, int count);

// Every row in use of a table whose rows hold row_length sites each, one closed curve a row: the live
// spline table (white, red or yellow by selection) or the run snapshot (blue, one curve per cross curve).
void draw_spline_rows(const Site* table, int row_length, bool live);

// Every spline of the spline table or of the run snapshot, each read with its own row length.
template <class Table>
void draw_splines(const Table& table, bool live) {
  static_assert(std::is_same_v<Table, SplineTable> || std::is_same_v<Table, RunSnapshot>,
                "a table of the scene or of the run");
  draw_spline_rows(table[0], static_cast<int>(std::extent_v<Table, 1>), live);
}

// The sites of every spline, then the first buffer_count sites of the site buffer, one point each.
void draw_sites(int buffer_count);

// A yellow sphere on the selected site, when a single site is selected.
void draw_selected_site_marker();

// The ground grid, the three axes with their arrow cones and the letters X, Y, Z.
void draw_grid_and_axes();
