// Length estimates.
#include "measure/length.h"

float point_distance(float, float, float, float, float, float) { return 0.0f; }
float polyline_length(int) { return 0.0f; }
void draw_length_column_green() {}
void draw_length_column_red() {}
