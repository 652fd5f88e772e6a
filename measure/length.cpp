// Length estimates: the polyline through a spline's sites from site 1 on, and its two columns.
#include "measure/length.h"

#include <cmath>

#include "scene/scene_store.h"
#include "text/number_label.h"

namespace {

constexpr int GREEN_COLUMN_X = 700;   // overlay units
constexpr int RED_COLUMN_X = 950;     // overlay units; a fifth character lies past the right edge
constexpr int COLUMN_TOP_Y = -300;    // overlay units, row of spline 0
constexpr int COLUMN_ROW_STEP = 30;   // overlay units down per spline
constexpr int COLUMN_TEXT_SIZE = 2;   // stroke font size
constexpr double OFFSET_GROWTH = 0.1;  // share of length_offset added per row of the green column
constexpr double RED_SCALE = 0.1;      // the red value is ((L * 0.1) + L) * 0.1 * 0.01f = 0.0011 * L
constexpr float RED_SCALE_FLOAT = 0.01f;  // single precision on purpose: 0.0099999998

int column_row_y(int i) { return COLUMN_TOP_Y - COLUMN_ROW_STEP * i; }

}  // namespace

float point_distance(float x1, float y1, float z1, float x2, float y2, float z2) {
  // Differences in float, as the coordinates are stored; squares and sum in double.
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  const double dz = z1 - z2;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

float polyline_length(int i) {
  const Site* s = scene.spline_table[i];
  float sum = 0.0f;  // rounded to float after every segment
  for (int j = 1; j < scene.sites_per_spline - 1; ++j)
    sum += point_distance(s[j].x, s[j].y, s[j].z, s[j + 1].x, s[j + 1].y, s[j + 1].z);
  return sum;
}

void draw_length_column_green() {
  for (int i = 0; i < scene.spline_count; ++i) {
    const double length = polyline_length(i);
    const double offset = length_offset;
    // In double throughout, rounded to float once: L + offset * (1 + 0.1 * i).
    const double value = (length + offset) + i * offset * OFFSET_GROWTH;
    draw_number(static_cast<float>(value), GREEN_COLUMN_X, column_row_y(i), "green", COLUMN_TEXT_SIZE);
  }
}

void draw_length_column_red() {
  for (int i = 0; i < scene.spline_count; ++i) {
    const double length = polyline_length(i);
    // Left to right in double, rounded to float once.
    const double value = ((length * RED_SCALE) + polyline_length(i)) * RED_SCALE * RED_SCALE_FLOAT;
    draw_number(static_cast<float>(value), RED_COLUMN_X, column_row_y(i), "red", COLUMN_TEXT_SIZE);
  }
}
