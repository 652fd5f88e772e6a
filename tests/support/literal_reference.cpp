// The literal reference steps of a frame and the frame variants assembled from them.
#include "tests/support/literal_reference.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <sys/stat.h>

#include <charconv>
#include <fstream>
#include <iostream>

#include "app/frame.h"
#include "app/keys.h"
#include "app/lighting.h"
#include "app/view_state.h"
#include "measure/length.h"
#include "scene/random.h"
#include "scene/render.h"
#include "scene/run.h"
#include "text/overlay.h"
#include "text/stroke_font.h"

namespace literal {

namespace {

inline float f(double value) { return static_cast<float>(value); }

// The three float arrays of one curve's points.
struct CurvePoints {
  float x[MAX_SITES], y[MAX_SITES], z[MAX_SITES];
};

int count_of(float value, int limit) {
  if (!(value > 0.0f)) return 0;
  if (value >= static_cast<float>(limit)) return limit;
  return static_cast<int>(value);
}

// Gathers row r of the snapshot, solves its three splines and returns the point of segment s at u.
Site cross_curve_point(const Site* row, int points, int s, float u) {
  float xs[MAX_SPLINES], ys[MAX_SPLINES], zs[MAX_SPLINES];
  for (int k = 0; k < points; ++k) {
    xs[k] = row[k].x;
    ys[k] = row[k].y;
    zs[k] = row[k].z;
  }
  Cubic cx[MAX_SPLINES], cy[MAX_SPLINES], cz[MAX_SPLINES];
  literal::closed_spline(points - 1, xs, cx);
  literal::closed_spline(points - 1, ys, cy);
  literal::closed_spline(points - 1, zs, cz);
  return Site{f(cubic_eval(cx[s], u)), f(cubic_eval(cy[s], u)), f(cubic_eval(cz[s], u))};
}

}  // namespace

void closed_spline(int n, const float* values, Cubic* segments) {
  if (n <= 0) {
    segments[0] = Cubic(values[0], 0.0f, 0.0f, 0.0f);
    return;
  }
  float w[MAX_SITES], v[MAX_SITES], y[MAX_SITES], D[MAX_SITES];
  using d = double;

  float z = 0.25f;
  w[1] = z;
  v[1] = z;
  y[0] = f(d(z) * 3 * (d(values[1]) - values[n]));
  float H = 4.0f;
  float F = f(3 * (d(values[0]) - values[n - 1]));
  float G = 1.0f;
  for (int k = 1; k <= n - 1; ++k) {
    z = f(1 / (4 - d(v[k])));
    v[k + 1] = z;
    w[k + 1] = f(-d(z) * w[k]);
    y[k] = f((3 * (d(values[k + 1]) - values[k - 1]) - y[k - 1]) * z);
    H = f(H - d(G) * w[k]);
    F = f(F - d(G) * y[k - 1]);
    G = f(-d(v[k]) * G);
  }
  H = f(H - (d(G) + 1) * (d(v[n]) + w[n]));
  y[n] = f(F - (d(G) + 1) * y[n - 1]);
  D[n] = f(d(y[n]) / H);
  D[n - 1] = f(y[n - 1] - (d(v[n]) + w[n]) * D[n]);
  for (int k = n - 2; k >= 0; --k) D[k] = f(d(y[k]) - d(v[k + 1]) * D[k + 1] - d(w[k + 1]) * D[n]);

  for (int k = 0; k <= n; ++k) {
    const int next = k < n ? k + 1 : 0;
    const d p = values[k], q = values[next];
    segments[k] = Cubic(values[k], D[k], f(3 * (q - p) - 2 * d(D[k]) - D[next]), f(2 * (p - q) + D[k] + D[next]));
  }
}

void draw_closed_spline(const float* xs, const float* ys, const float* zs, int count) {
  if (count < 1) return;
  Cubic sx[MAX_SITES], sy[MAX_SITES], sz[MAX_SITES];
  literal::closed_spline(count - 1, xs, sx);
  literal::closed_spline(count - 1, ys, sy);
  literal::closed_spline(count - 1, zs, sz);
  glBegin(GL_LINE_LOOP);
    glVertex3d(cubic_eval(sx[0], 0.0f), cubic_eval(sy[0], 0.0f), cubic_eval(sz[0], 0.0f));
    for (int i = 0; i < count; ++i)
      for (int j = 1; j <= 10; ++j) {
        const float u = static_cast<float>(j / 10.0);
        glVertex3d(cubic_eval(sx[i], u), cubic_eval(sy[i], u), cubic_eval(sz[i], u));
      }
  glEnd();
}

void draw_spline_rows(const Site* table, int row_length, bool live) {
  const int rows = live ? scene.spline_count : run.snapshot_row_count;
  const int sites = live ? scene.sites_per_spline : run.snapshot_row_length;
  CurvePoints points;
  for (int i = 0; i < rows; ++i) {
    for (int j = 0; j < sites; ++j) {
      points.x[j] = table[i * row_length + j].x;
      points.y[j] = table[i * row_length + j].y;
      points.z[j] = table[i * row_length + j].z;
    }
    if (i == scene.selected_spline)
      glColor3d(1.0, scene.selected_site != -1 ? 1.0 : 0.0, 0.0);
    else if (live)
      glColor3d(1.0, 1.0, 1.0);
    else
      glColor3d(0.0, 0.0, 5.0);
    literal::draw_closed_spline(points.x, points.y, points.z, sites);
  }
}

void run_step(const RunSnapshot& snapshot, float sites, float rows, float& param, int& segment) {
  if (!scene.run_active) return;
  const int splines = count_of(sites, MAX_SPLINES);
  const int curves = count_of(rows, MAX_SITES);
  if (segment < 0 || segment >= splines) segment = 0;
  CurvePoints run_curve;
  if (splines > 0)
    for (int r = 0; r < curves; ++r) {
      run.run_points[r] = cross_curve_point(snapshot[r], splines, segment, param);
      run_curve.x[r] = run.run_points[r].x;
      run_curve.y[r] = run.run_points[r].y;
      run_curve.z[r] = run.run_points[r].z;
    }
  const float red = static_cast<float>(lcg::rand() % 100) / 33.0f;
  const float green = static_cast<float>(lcg::rand() % 100) / 33.0f;
  const float blue = static_cast<float>(lcg::rand() % 100) / 33.0f;
  glColor3d(red, green, blue);
  if (splines > 0 && curves > 0) literal::draw_closed_spline(run_curve.x, run_curve.y, run_curve.z, curves);
  param = param + run.run_speed;
  if (param >= 1.0f) {
    param = 0.0f;
    segment = segment + 1;
    if (segment >= splines) segment = 0;
  }
}

void draw_run_trail(const RunSnapshot& snapshot, float sites, float rows) {
  const int splines = count_of(sites, MAX_SPLINES);
  const int curves = count_of(rows, MAX_SITES);
  if (splines == 0 || curves == 0) return;
  CurvePoints points;
  for (int s = 0; s < splines; ++s)
    for (float u = 0.0f; u < 1.0f; u = static_cast<float>(u + 0.1)) {
      for (int r = 0; r < curves; ++r) {
        const Site p = cross_curve_point(snapshot[r], splines, s, u);
        points.x[r] = p.x;
        points.y[r] = p.y;
        points.z[r] = p.z;
      }
      glColor3d(0.0, 0.0, 5.0);
      literal::draw_closed_spline(points.x, points.y, points.z, curves);
    }
}

void number_to_text(float value, NumberField& field) {
  for (int k = 0; k < NUMBER_FIELD_LENGTH; ++k) field[k] = ' ';
  field[NUMBER_FIELD_LENGTH] = '\0';
  int count = 0;
  struct stat file;
  if (!(stat("1.txt", &file) == 0 && S_ISFIFO(file.st_mode))) {  // a named pipe would block both opens
    std::ofstream out("1.txt", std::ios::out | std::ios::trunc);
    out << value;
    out.close();
    std::ifstream in("1.txt", std::ios::in);
    for (char ch; count < NUMBER_FIELD_LENGTH && in.get(ch);) field[count++] = ch;
  }
  std::cout << count << std::endl;
}

}  // namespace literal

namespace reference_frame {

namespace {

// The overlay layout of the number columns and the site table, in overlay units.
constexpr int GREEN_COLUMN_X = 700, RED_COLUMN_X = 950, COLUMN_TOP_Y = -300, COLUMN_ROW_STEP = 30;
constexpr int SITE_LABEL_X = -1000, SITE_ROW_NUMBER_X = -760, SITE_TABLE_TOP_Y = 700, SITE_ROW_STEP = 40;
constexpr int NUMBER_SIZE = 2;

void draw_number(const FramePaths& paths, float value, int x, int y, const char* colour) {
  glPushMatrix();
    set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
    NumberField field;
    paths.number_to_text(value, field);
    StrokeFont{}.draw_text(field, x, y, colour, static_cast<float>(NUMBER_SIZE));
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  glPopMatrix();
}

void draw_site_table(const FramePaths& paths) {
  for (int r = 0; r < run.snapshot_row_count; ++r) {
    const int y = SITE_TABLE_TOP_Y - SITE_ROW_STEP * r;
    const Site& point = run.run_points[r];
    glPushMatrix();
      set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
      StrokeFont{}.draw_text("SITE NUMBER   :", SITE_LABEL_X, y, "white", 2.0f);
      draw_number(paths, static_cast<float>(r), SITE_ROW_NUMBER_X, y, "white");
      draw_number(paths, point.x, -700, y, "red");
      draw_number(paths, point.y, -500, y, "green");
      draw_number(paths, point.z, -300, y, "blue");
    glPopMatrix();
  }
}

void draw_length_columns(const FramePaths& paths) {
  for (int i = 0; i < scene.spline_count; ++i) {
    const double length = polyline_length(i);
    const double offset = length_offset;
    const double value = (length + offset) + i * offset * 0.1;
    draw_number(paths, static_cast<float>(value), GREEN_COLUMN_X, COLUMN_TOP_Y - COLUMN_ROW_STEP * i, "green");
  }
  for (int i = 0; i < scene.spline_count; ++i) {
    const double length = polyline_length(i);
    const double value = ((length * 0.1) + polyline_length(i)) * 0.1 * 0.01f;
    draw_number(paths, static_cast<float>(value), RED_COLUMN_X, COLUMN_TOP_Y - COLUMN_ROW_STEP * i, "red");
  }
}

}  // namespace

void number_to_text_in_memory(float value, NumberField& field) {
  for (int k = 0; k < NUMBER_FIELD_LENGTH; ++k) field[k] = ' ';
  field[NUMBER_FIELD_LENGTH] = '\0';
  std::to_chars(field, field + NUMBER_FIELD_LENGTH, static_cast<double>(value), std::chars_format::general, 6);
}

const FramePaths LITERAL{"literal", literal::draw_spline_rows, literal::run_step, literal::draw_run_trail,
                         literal::number_to_text};
const FramePaths FLOOR{"floor", ::draw_spline_rows, ::run_step, ::draw_run_trail, number_to_text_in_memory};

void display(const FramePaths& paths) {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  if (view.clear_each_frame) glClear(GL_COLOR_BUFFER_BIT);
  glClear(GL_DEPTH_BUFFER_BIT);
  hide_pointer();
  setup_lighting();
  glPushMatrix();
    glRotatef(view.scene_angle, 0.0f, 1.0f, 0.0f);
    draw_grid_and_axes();
    draw_sites(scene.site_buffer_count);
    paths.draw_spline_rows(scene.spline_table[0], MAX_SITES, true);
    take_run_snapshot();
    paths.run_step(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
                   static_cast<float>(run.snapshot_row_count), run.run_param, run.run_segment);
    if (view.trail_mode) {
      paths.draw_run_trail(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
                           static_cast<float>(run.snapshot_row_count));
      paths.draw_spline_rows(run.run_snapshot[0], MAX_SPLINES, false);
    }
    draw_selected_site_marker();
  glPopMatrix();
  if (view.show_site_table) draw_site_table(paths);
  draw_length_columns(paths);
  draw_help_ticker(view.frame_counter);
  set_perspective(view.screen_width, view.screen_height);
  if (++view.frame_counter >= 1000) view.frame_counter = 0;
  glutSwapBuffers();
}

void build_table(int splines, int sites) {
  clear_scene();
  for (int i = 0; i < splines; ++i) {
    for (int j = 0; j < sites; ++j) add_random_site();
    build_spline();
  }
  start_run();
  on_key('d', 0, 0);
  on_key('q', 0, 0);
}

}  // namespace reference_frame
