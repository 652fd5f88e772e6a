// The scene: the spline table, the site buffer, the selection and their editing commands.
#pragma once

constexpr int MAX_SPLINES = 100;  // rows of the spline table
constexpr int MAX_SITES = 100;    // sites per row, and capacity of the site buffer

// A point in world units; y is vertical, the camera stands on the +z side.
struct Site {
  float x, y, z;
};

// The splines as the scene holds them: row i holds the sites of spline i.
using SplineTable = Site[MAX_SPLINES][MAX_SITES];

struct SceneStore {
  SplineTable spline_table = {};                   // row i holds spline i
  Site site_buffer[MAX_SITES] = {};                // sites collected for the next spline
  int spline_count = 0;       // rows in use, 0 .. MAX_SPLINES
  int sites_per_spline = 0;   // sites of every spline, 0 .. MAX_SITES; 0 while no length is fixed
  int site_buffer_count = 0;  // entries of site_buffer in use, 0 .. MAX_SITES
  int selected_spline = -1;   // -1 none; a selection holds only while below spline_count
  int selected_site = -1;     // -1 the whole spline, else 0 .. sites_per_spline - 1
  bool run_active = false;    // the run animation is on
};

extern SceneStore scene;

// Random offset of the green length column, 23 .. 35.308679 in steps of 0.012321.
// Drawn before main (the process's first random value) and again by clear_scene.
extern float length_offset;

// Draws a new offset: one value r of the generator, 23 + (r mod 1000) * 0.012321 rounded to float.
float draw_length_offset();

enum class Axis { x, y, z };

void generate_random_scene();  // fills the table with 3..12 splines of 5..24 sites and starts the run
void add_random_site();        // key n
void build_spline();           // key x
void clear_scene();            // key z
// Keys u, j, y, i, o, l: the whole selected spline by 10 * direction, a selected site by direction.
void move_selection(Axis axis, int direction);
