// Numbers as text: every value goes through the scratch file "1.txt", then onto the overlay.
#include "text/number_label.h"

#include <GL/gl.h>
#include <sys/stat.h>

#include <fstream>
#include <iostream>

#include "app/view_state.h"
#include "text/stroke_font.h"

namespace {

// Relative path: the file lands in the working directory and stays there after exit.
constexpr const char* SCRATCH_FILE = "1.txt";

// A named pipe of that name (another program's doing) would hold either open until a process
// opened its other end, and the frame loop with it; it counts as a file that cannot be opened.
bool scratch_is_pipe() {
  struct stat file;
  return stat(SCRATCH_FILE, &file) == 0 && S_ISFIFO(file.st_mode);
}

}  // namespace

void number_to_text(float value, NumberField& field) {
  for (int k = 0; k < NUMBER_FIELD_LENGTH; ++k) field[k] = ' ';
  field[NUMBER_FIELD_LENGTH] = '\0';

  int count = 0;
  if (!scratch_is_pipe()) {
    // A fresh stream has the default format: precision 6, general notation, classic locale. The
    // float is widened to double by the insertion; no separator or line end follows it.
    std::ofstream out(SCRATCH_FILE, std::ios::out | std::ios::trunc);
    out << value;
    out.close();

    // A file that could not be opened fails the first read: the field stays blank and the count 0.
    // A longer file than the field (an older text that could not be overwritten, or one that never
    // ends) is cut at the field.
    std::ifstream in(SCRATCH_FILE, std::ios::in);
    for (char ch; count < NUMBER_FIELD_LENGTH && in.get(ch);) field[count++] = ch;
  }
  std::cout << count << std::endl;
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
