// Drawing of the 3D scene: grid and axes, site points, closed curves, the selected-site marker.
#pragma once

#include "scene/scene_store.h"

// A closed curve through count points (1 .. 100): a line loop of 1 + 10 * count vertices.
// Sets no colour and no line width.
void draw_closed_spline(const float* xs, const float* ys, const float* zs, int count);

// Every spline of a table: the live spline table (white, red or yellow by selection) or the run
// snapshot (blue, one curve per cross curve).
void draw_splines(const Site (*table)[MAX_SITES], bool live);

// The sites of every spline, then the first buffer_count sites of the site buffer, one point each.
void draw_sites(int buffer_count);

// A yellow sphere on the selected site, when a single site is selected.
void draw_selected_site_marker();

// The ground grid, the three axes with their arrow cones and the letters X, Y, Z.
void draw_grid_and_axes();
