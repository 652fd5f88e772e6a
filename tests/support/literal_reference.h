// The frame's costly steps in their plain first form, kept beside the library's faster paths as their
// reference: the equivalence tests compare the two call for call, the benchmarks time them side by side.
#pragma once

#include "scene/closed_spline.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "text/number_label.h"

namespace literal {

// The elimination with every factor recomputed on every call.
void closed_spline(int n, const float* values, Cubic* segments);

// The drawing steps over literal::closed_spline.
void draw_closed_spline(const float* xs, const float* ys, const float* zs, int count);
void draw_spline_rows(const Site* table, int row_length, bool live);
void run_step(const RunSnapshot& snapshot, float sites, float rows, float& param, int& segment);
// Every cross curve solved again for every one of the 10 * sites intermediate curves.
void draw_run_trail(const RunSnapshot& snapshot, float sites, float rows);

// Through "1.txt" with an output stream opened out | trunc and an input stream read character by
// character; the count printed with std::cout and std::endl.
void number_to_text(float value, NumberField& field);

}  // namespace literal

namespace reference_frame {

// The text a fresh stream makes of the value, formatted in memory: no file, no console line.
void number_to_text_in_memory(float value, NumberField& field);

// The steps a frame variant takes from somewhere other than the library's display.
struct FramePaths {
  const char* name;
  void (*draw_spline_rows)(const Site*, int, bool);
  void (*run_step)(const RunSnapshot&, float, float, float&, int&);
  void (*draw_run_trail)(const RunSnapshot&, float, float);
  void (*number_to_text)(float, NumberField&);
};

// Everything literal: the frame as first written.
extern const FramePaths LITERAL;
// The library's paths with the numbers formatted in memory: the graphics work and the rest of the
// CPU work of a frame, without the scratch file and the console.
extern const FramePaths FLOOR;

// One frame in the order of the library's display, with the given paths.
void display(const FramePaths& paths);

// A table of equal splines through the scene's own commands: cleared, each spline's sites added
// at random and built, the run started, then (keys d and q) the trail and the site table shown.
void build_table(int splines, int sites);

}  // namespace reference_frame
