// Numbers as text: every value goes through the scratch file "1.txt", then onto the overlay.
#include "text/number_label.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

#include "app/view_state.h"
#include "text/general_to_chars.h"
#include "text/scratch_file.h"
#include "text/stroke_font.h"

namespace {

constexpr int SIGNIFICANT_DIGITS = 6;   // a fresh stream's precision
constexpr int TEXT_CAPACITY = 32;       // "-1.23457e+38" is the longest text of a float

// The text a fresh output stream makes of a float: widened to double, general notation with six
// significant digits, classic locale (to_chars never consults a locale). Returns its length.
int format_number(float value, char* text) {
  return static_cast<int>(
      splines::general_to_chars(text, text + TEXT_CAPACITY, static_cast<double>(value), SIGNIFICANT_DIGITS).ptr -
      text);
}

// Says once, on stderr, why the numbers are blank (or stale): the scratch file's folder and the
// system's reason for the failed write. Stdout stays the numbers' own.
void report_scratch_failure(int error, int count_read_back) {
  if (scratch_failure_reported) return;
  scratch_failure_reported = true;
  std::error_code unknown;
  const std::filesystem::path folder = std::filesystem::current_path(unknown);
  std::string where = folder.string();
  if (unknown)
    where = unknown == std::errc::no_such_file_or_directory ? "the removed working directory"
                                                              : "the working directory";
  std::fprintf(stderr, "splines: cannot write the scratch file %s in %s (%s); %s\n", SCRATCH_FILE_NAME,
               where.c_str(), std::strerror(error),
               count_read_back == 0 ? "numbers are left blank" : "numbers show the older text it holds");
  std::fflush(stderr);
}

}  // namespace

bool scratch_failure_reported = false;

void number_to_text(float value, NumberField& field) {
  for (int k = 0; k < NUMBER_FIELD_LENGTH; ++k) field[k] = ' ';
  field[NUMBER_FIELD_LENGTH] = '\0';

  char text[TEXT_CAPACITY];
  const int length = format_number(value, text);
  // A file read back longer than the field (an older text that could not be overwritten, one another
  // program wrote, or one that never ends) is cut at the field; the count is that of the characters
  // stored.
  const ScratchTrip trip = round_trip_scratch_file(text, length, field);
  if (trip.write_error != 0) report_scratch_failure(trip.write_error, trip.count);
  print_count(trip.count);
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
