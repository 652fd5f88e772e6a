// Recording stand-in for the GL, GLU and GLUT functions the viewer calls. Test executables link
// it in place of the real libraries; every call is recorded with its arguments, and the state a
// frame depends on (colour, widths, matrix stacks, enable bits, display lists) is tracked.
#pragma once

#include <GL/freeglut.h>
#include <GL/gl.h>

#include <array>
#include <cstdarg>
#include <cstddef>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/desktop.h"

namespace glrec {

// One recorded call: the function's name and its numeric arguments as doubles.
struct Call {
  const char* name;
  std::array<double, 9> args{};
  int argc = 0;

  bool is(std::string_view n) const { return name == n; }
  double operator[](int i) const { return args[static_cast<std::size_t>(i)]; }
};

struct Vertex {
  double x, y, z;
  std::array<double, 4> colour;  // current colour when the vertex was issued
};

// One glBegin .. glEnd.
struct Primitive {
  GLenum mode = 0;
  std::vector<Vertex> vertices;
  std::array<double, 4> colour_at_begin{};
  double line_width = 1.0;  // at glBegin
  double point_size = 1.0;  // at glBegin
  int modelview_depth = 1;  // at glBegin
  bool in_display_list = false;  // compiled into a list (GL_COMPILE_AND_EXECUTE still draws it)
};

struct Recorder {
  // Recording switches: with record_calls off only the state and counters are kept, which a long
  // run needs to stay within memory.
  bool record_calls = true;
  bool record_primitives = true;

  std::vector<Call> calls;
  std::vector<Primitive> primitives;
  std::vector<std::string> errors;  // misuse a real GL would reject: unbalanced stacks, nested glBegin
  std::map<std::string, long> counts;  // calls per function name, always kept
  // Each name's entry of counts by the address of the name, which every call of one function
  // passes alike: a call is counted without building and comparing its name as a string.
  std::unordered_map<const char*, long*> count_slots;

  // Tracked state.
  std::array<double, 4> colour{1.0, 1.0, 1.0, 1.0};
  std::array<double, 4> clear_colour{0.0, 0.0, 0.0, 0.0};
  double line_width = 1.0;
  double point_size = 1.0;
  GLenum matrix_mode = GL_MODELVIEW;
  int modelview_depth = 1;   // the stack depth, 1 when nothing is pushed
  int projection_depth = 1;
  std::set<GLenum> enabled;
  bool in_begin = false;
  GLuint next_list = 1;
  GLuint compiling_list = 0;  // list being compiled, 0 when none
  std::set<GLuint> lists_defined;
  int live_quadrics = 0;

  // GLUT side.
  int window = 0;             // current window; 0 before any is created
  bool game_mode_works = true;  // what glutEnterGameMode achieves
  bool game_mode_active = false;
  int game_mode_width = 1024;   // the video mode glutGameModeGet reports while game mode is active
  int game_mode_height = 768;
  int cursor = -1;
  void (*display_func)() = nullptr;
  void (*idle_func)() = nullptr;
  void (*reshape_func)(int, int) = nullptr;
  void (*keyboard_func)(unsigned char, int, int) = nullptr;
  void (*warning_func)(const char*, va_list) = nullptr;
  std::string game_mode_string;
  int main_loop_frames = 0;  // frames glutMainLoop draws through the idle callback before returning
  Desktop desktop;           // what look_at_desktop answers; one monitor of Xorg by default
  int settled_monitor = -2;  // the monitor settle_window was given; -2 before it is called

  // Everything back to a fresh context, keeping the switches and the GLUT and desktop behaviour
  // settings.
  void reset();
  // Forgets the recorded calls and primitives, keeping the state (a frame boundary).
  void clear_log();

  long count(std::string_view name) const;
  std::vector<Call> calls_named(std::string_view name) const;
  // Index of the first call of this name at or after from, or -1.
  int find(std::string_view name, int from = 0) const;
  std::vector<const Primitive*> primitives_of(GLenum mode) const;

  void record(const char* name, std::initializer_list<double> args);
};

Recorder& recorder();

}  // namespace glrec
