// Numbers as text: every value goes through the scratch file "1.txt", then onto the overlay.
#include "text/number_label.h"

#include <GL/gl.h>

#include <charconv>

#include "app/view_state.h"
#include "text/scratch_file.h"
#include "text/stroke_font.h"

namespace {

constexpr int SIGNIFICANT_DIGITS = 6;   // a fresh stream's precision
constexpr int TEXT_CAPACITY = 32;       // "-1.23457e+38" is the longest text of a float

// The text a fresh output stream makes of a float: widened to double, general notation with six
// significant digits, classic locale (to_chars never consults a locale). Returns its length.
int format_number(float value, char* text) {
  return static_cast<int>(std::to_chars(text, text + TEXT_CAPACITY, static_cast<double>(value),
                                        std::chars_format::general, SIGNIFICANT_DIGITS).ptr - text);
}

}  // namespace

void number_to_text(float value, NumberField& field) {
  for (int k = 0; k < NUMBER_FIELD_LENGTH; ++k) field[k] = ' ';
  field[NUMBER_FIELD_LENGTH] = '\0';

  char text[TEXT_CAPACITY];
  const int length = format_number(value, text);
  // A file read back longer than the field (an older text that could not be overwritten, one another
  // program wrote, or one that never ends) is cut at the field; the count is that of the characters
  // stored.
  print_count(round_trip_scratch_file(text, length, field).count);
}

void draw_number(float value, int x, int y, const char* colour, int size) {
  // Always the full-screen overlay and camera, whatever size the window was given.
  glPushMatrix();
    set_overlay_projection(SCREEN_WIDTH, SCREEN_HEIGHT);
    NumberField field;
    number_to_text(value, field);
    StrokeFont{}.draw_text(field, x, y, colour, static_cast<float>(size));
    set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  glPopMatrix();
}
