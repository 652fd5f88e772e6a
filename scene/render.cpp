// Scene rendering in immediate mode: loops of vertices only, the mathematics lives in closed_spline.
#include "scene/render.h"

#include <GL/gl.h>

#include "scene/closed_spline.h"
#include "scene/run.h"

namespace {

constexpr int STEPS_PER_SEGMENT = 10;  // vertices per segment of a drawn curve

}  // namespace

void draw_closed_spline(const float* xs, const float* ys, const float* zs, int count) {
  if (count < 1) return;  // nothing to draw through
  const int n = count - 1;
  Cubic sx[MAX_SITES], sy[MAX_SITES], sz[MAX_SITES];
  closed_spline(n, xs, sx);
  closed_spline(n, ys, sy);
  closed_spline(n, zs, sz);
  glBegin(GL_LINE_LOOP);
    glVertex3d(cubic_eval(sx[0], 0.0f), cubic_eval(sy[0], 0.0f), cubic_eval(sz[0], 0.0f));
    for (int i = 0; i < count; ++i)
      for (int j = 1; j <= STEPS_PER_SEGMENT; ++j) {
        const float u = static_cast<float>(j / 10.0);
        glVertex3d(cubic_eval(sx[i], u), cubic_eval(sy[i], u), cubic_eval(sz[i], u));
      }
  glEnd();
}

void draw_splines(const Site (*table)[MAX_SITES], bool live) {
  const int rows = live ? scene.spline_count : run.snapshot_row_count;
  const int sites = live ? scene.sites_per_spline : run.snapshot_row_length;
  float xs[MAX_SITES], ys[MAX_SITES], zs[MAX_SITES];
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < sites; ++j) {
      xs[j] = table[i][j].x;
      ys[j] = table[i][j].y;
      zs[j] = table[i][j].z;
    }
    if (i == scene.selected_spline) {
      if (scene.selected_site != -1)
        glColor3d(1.0, 1.0, 0.0);  // a site of this spline is selected
      else
        glColor3d(1.0, 0.0, 0.0);  // the whole spline is selected
    } else if (live) {
      glColor3d(1.0, 1.0, 1.0);
    } else {
      glColor3d(0.0, 0.0, 5.0);  // deliberate: above 1, clamped to pure blue on screen
    }
    draw_closed_spline(xs, ys, zs, sites);
  }
}

void draw_sites(int) {}
void draw_selected_site_marker() {}
void draw_grid_and_axes() {}
