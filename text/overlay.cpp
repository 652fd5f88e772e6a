// Overlay panels: the site table of the run points and the blinking help ticker.
#include "text/overlay.h"

#include <GL/gl.h>

#include <iterator>

#include "app/view_state.h"
#include "scene/run.h"
#include "text/number_label.h"
#include "text/stroke_font.h"

namespace {

// Site table, overlay units; the row number falls into the label's three spaces.
constexpr const char* SITE_LABEL = "SITE NUMBER   :";
constexpr int SITE_LABEL_X = -1000;
constexpr int SITE_ROW_NUMBER_X = -760;
constexpr int SITE_TABLE_TOP_Y = 700;   // row 0; rows from 38 on fall below the screen
constexpr int SITE_ROW_STEP = 40;       // down per row
constexpr float SITE_LABEL_SIZE = 2.0f;
constexpr int SITE_NUMBER_SIZE = 2;

// The three coordinate columns of a row, left to right.
struct CoordinateColumn {
  int x;               // overlay units
  const char* colour;  // colour name
  float Site::*coordinate;
};
constexpr CoordinateColumn COORDINATE_COLUMNS[] = {
    {-700, "red", &Site::x},    // x
    {-500, "green", &Site::y},  // y
    {-300, "blue", &Site::z},   // z
};

// Help ticker, overlay units.
constexpr const char* EXIT_HINT = "Press ESC to exit";
constexpr int EXIT_HINT_X = 100;
constexpr int EXIT_HINT_Y = 700;
constexpr float EXIT_HINT_SIZE = 5.0f;
constexpr int BLINK_PERIOD = 20;  // frames; hidden in the first half, shown in the second
constexpr int HELP_LINE_X = -1000;
constexpr int HELP_LINE_Y = -700;
constexpr float HELP_LINE_SIZE = 3.0f;
constexpr int FRAMES_PER_TICK = 10;  // t = frame / 10, so t runs 0 .. 99

// First row whose threshold t exceeds wins; strict comparisons, so the first line stays 110
// frames and the last 90.
struct HelpLine {
  int shown_above;  // t
  const char* text;
};
constexpr HelpLine HELP_LINES[] = {
    {90, "X - build splain by current sites"},                           // frames 910 .. 999
    {80, "Z - To purify buffer"},                                        // frames 810 .. 909
    {70, "A - Run splains"},                                             // frames 710 .. 809
    {60, "S - ON/OFF buffer's purifying"},                               // frames 610 .. 709
    {50, "V - To rotate the scene to the left"},                         // frames 510 .. 609
    {40, "B - To rotate the scene to the right"},                        // frames 410 .. 509
    {30, "N - Add new site"},                                            // frames 310 .. 409
    {20, "M - Select new spline"},                                       // frames 210 .. 309
    {10, "H - Select new site"},                                         // frames 110 .. 209
    {-1, "Y,U,I,J,O,L - To move the whole splain or the single site"},  // frames 0 .. 109
};

const char* help_line(int t) {
  for (const HelpLine& line : HELP_LINES)
    if (t > line.shown_above) return line.text;
  return HELP_LINES[std::size(HELP_LINES) - 1].text;
}

}  // namespace

void draw_site_table() {
  const StrokeFont font;
  for (int r = 0; r < run.snapshot_row_count; ++r) {
    const int y = SITE_TABLE_TOP_Y - SITE_ROW_STEP * r;
    const Site& point = run.run_points[r];
    // Every number sets the overlay itself and leaves the perspective; the label needs its own.
    glPushMatrix();
      set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
      font.draw_text(SITE_LABEL, SITE_LABEL_X, y, "white", SITE_LABEL_SIZE);
      draw_number(static_cast<float>(r), SITE_ROW_NUMBER_X, y, "white", SITE_NUMBER_SIZE);
      for (const CoordinateColumn& column : COORDINATE_COLUMNS)
        draw_number(point.*column.coordinate, column.x, y, column.colour, SITE_NUMBER_SIZE);
    glPopMatrix();
  }
}

void draw_help_ticker(int frame) {
  const StrokeFont font;
  // The overlay stays in place afterwards; the frame sets the camera again right after.
  glPushMatrix();
    set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
    if (frame % BLINK_PERIOD >= BLINK_PERIOD / 2)
      font.draw_text(EXIT_HINT, EXIT_HINT_X, EXIT_HINT_Y, "red", EXIT_HINT_SIZE);
    font.draw_text(help_line(frame / FRAMES_PER_TICK), HELP_LINE_X, HELP_LINE_Y, "red", HELP_LINE_SIZE);
  glPopMatrix();
}
