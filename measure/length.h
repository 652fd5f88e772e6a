// Length estimates of the splines and the two columns that show them.
#pragma once

// Euclidean distance between (x1, y1, z1) and (x2, y2, z2), summed in double, returned as float.
float point_distance(float x1, float y1, float z1, float x2, float y2, float z2);

// Length of the polyline through sites 1 .. sites_per_spline - 1 of spline i (site 0 and the
// closing segment are not counted); 0 for two sites or fewer.
float polyline_length(int i);

// One number per spline at the right of the screen: length plus the random offset, in green.
void draw_length_column_green();

// One number per spline: 0.0011 x length, in red.
void draw_length_column_red();
