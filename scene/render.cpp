// Scene rendering in immediate mode.
#include "scene/render.h"

void draw_closed_spline(const float*, const float*, const float*, int) {}
void draw_splines(const Site (*)[MAX_SITES], bool) {}
void draw_sites(int) {}
void draw_selected_site_marker() {}
void draw_grid_and_axes() {}
