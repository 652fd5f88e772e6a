// Scene rendering in immediate mode: loops of vertices only, the mathematics lives in closed_spline.
#include "scene/render.h"

#include <GL/gl.h>

#include "scene/closed_spline.h"
#include "scene/picture_size.h"
#include "scene/run.h"
#include "scene/solid_shapes.h"
#include "text/stroke_font.h"

namespace {

constexpr int STEPS_PER_SEGMENT = 10;  // vertices per segment of a drawn curve
constexpr float SITE_POINT_SIZE = 7.0f;  // pixels of the 1024 x 768 picture
constexpr double MARKER_RADIUS = 10.0;   // world units, the sphere on a selected site

constexpr int GRID_EXTENT = 1000;                     // world units; the grid spans -1000 .. 1000
constexpr int GRID_STEP = GRID_EXTENT / 100;          // 10 units between grid lines
constexpr int AXIS_HALF = GRID_EXTENT / 3;            // 333, integer division
constexpr int LETTER_DISTANCE = GRID_EXTENT / 3 + 20;  // 353, where the axis letters stand
constexpr float GRID_WIDTH = 1.0f;                    // pixels of the 1024 x 768 picture
constexpr float AXIS_WIDTH = 5.0f;                    // pixels of the 1024 x 768 picture
constexpr double CONE_BASE = 9.0;                     // world units
constexpr double CONE_HEIGHT = 30.0;
constexpr float LETTER_SIZE = 5.0f;  // font size, in world units under the scene transform

// Deliberate: green 2, handed to OpenGL as it is and clamped on screen.
void axis_colour() { glColor3d(0.0, 2.0, 0.0); }

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

void draw_spline_rows(const Site* table, int row_length, bool live) {
  const int rows = live ? scene.spline_count : run.snapshot_row_count;
  const int sites = live ? scene.sites_per_spline : run.snapshot_row_length;
  float xs[MAX_SITES], ys[MAX_SITES], zs[MAX_SITES];
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < sites; ++j) {
      xs[j] = table[i * row_length + j].x;
      ys[j] = table[i * row_length + j].y;
      zs[j] = table[i * row_length + j].z;
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

void draw_sites(int buffer_count) {
  // Spline sites: red, with a blue share growing by 0.1 per spline (saturating from spline 10).
  for (int i = 0; i < scene.spline_count; ++i)
    for (int j = 0; j < scene.sites_per_spline; ++j) {
      const Site& site = scene.spline_table[i][j];
      glPointSize(picture_pixels(SITE_POINT_SIZE));
      glBegin(GL_POINTS);
        glColor3d(1.0 + 0.1 * i, 0.0, 0.1 * i);
        glVertex3d(site.x, site.y, site.z);
      glEnd();
    }
  for (int k = 0; k < buffer_count; ++k) {
    const Site& site = scene.site_buffer[k];
    glPointSize(picture_pixels(SITE_POINT_SIZE));
    glBegin(GL_POINTS);
      glColor3d(0.0, 1.0, 0.0);
      glVertex3d(site.x, site.y, site.z);
    glEnd();
  }
}

void draw_selected_site_marker() {
  if (!(scene.selected_spline > -1 && scene.selected_spline < scene.spline_count && scene.selected_site != -1))
    return;
  const Site& site = scene.spline_table[scene.selected_spline][scene.selected_site];
  glPushMatrix();
    glColor3d(1.0, 1.0, 0.0);
    glTranslated(site.x, site.y, site.z);
    solid_sphere(MARKER_RADIUS);
  glPopMatrix();
}

namespace {

// Ground grid in the plane y = 0: 201 lines along z, then 201 along x, integer vertices.
void draw_grid() {
  glPushMatrix();
    glLineWidth(picture_pixels(GRID_WIDTH));
    glColor3f(0.6f, 0.6f, 0.6f);
    glBegin(GL_LINES);
      for (int k = -GRID_EXTENT; k <= GRID_EXTENT; k += GRID_STEP) {
        glVertex3i(k, 0, -GRID_EXTENT);
        glVertex3i(k, 0, GRID_EXTENT);
      }
      for (int k = -GRID_EXTENT; k <= GRID_EXTENT; k += GRID_STEP) {
        glVertex3i(-GRID_EXTENT, 0, k);
        glVertex3i(GRID_EXTENT, 0, k);
      }
    glEnd();
  glPopMatrix();
}

void draw_axes() {
  glPushMatrix();
    glLineWidth(picture_pixels(AXIS_WIDTH));
    glBegin(GL_LINES);
      axis_colour();
      glVertex3d(0, -AXIS_HALF, 0);
      glVertex3d(0, AXIS_HALF, 0);
      glVertex3d(-AXIS_HALF, 0, 0);
      glVertex3d(AXIS_HALF, 0, 0);
      glVertex3d(0, 0, -AXIS_HALF);
      glVertex3d(0, 0, AXIS_HALF);
    glEnd();
  glPopMatrix();
}

// Arrow cones at the positive ends; a cone points along its own +z.
void draw_axis_cones() {
  glPushMatrix();
    glTranslated(0, 0, AXIS_HALF);
    axis_colour();
    solid_cone(CONE_BASE, CONE_HEIGHT);
  glPopMatrix();
  glPushMatrix();
    glTranslated(AXIS_HALF, 0, 0);
    glRotated(90, 0, 1, 0);
    axis_colour();
    solid_cone(CONE_BASE, CONE_HEIGHT);
  glPopMatrix();
  glPushMatrix();
    glTranslated(0, AXIS_HALF, 0);
    glRotated(-90, 1, 0, 0);
    axis_colour();
    solid_cone(CONE_BASE, CONE_HEIGHT);
  glPopMatrix();
}

// The letters name a right-handed frame with Z up: "X" labels OpenGL's z axis, "Y" its x axis and
// "Z" its y axis. "X" and "Y" lie in the ground plane, "Z" stands upright.
void draw_axis_letters() {
  const StrokeFont font;
  glPushMatrix();
    glTranslated(20, 0, LETTER_DISTANCE);
    glRotated(-90, 1, 0, 0);
    font.draw_text("X", 0, 0, "green", LETTER_SIZE);
  glPopMatrix();
  glPushMatrix();
    glTranslated(LETTER_DISTANCE, 0, 40);
    glRotated(-90, 1, 0, 0);
    glRotated(90, 0, 0, 1);
    font.draw_text("Y", 0, 0, "green", LETTER_SIZE);
  glPopMatrix();
  glPushMatrix();
    glTranslated(20, LETTER_DISTANCE, 0);
    font.draw_text("Z", 0, 0, "green", LETTER_SIZE);
  glPopMatrix();
}

}  // namespace

// Leaves the line width of the letter "Z", which the curves drawn after it inherit.
void draw_grid_and_axes() {
  draw_grid();
  draw_axes();
  draw_axis_cones();
  draw_axis_letters();
}
