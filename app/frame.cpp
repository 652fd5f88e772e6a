// The frame loop's one frame, in its fixed order.
#include "app/frame.h"

#include <GL/gl.h>
#include <GL/freeglut.h>

#include "app/lighting.h"
#include "app/view_state.h"
#include "measure/length.h"
#include "scene/render.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "text/overlay.h"

namespace {

constexpr int FRAME_CYCLE = 1000;  // frame_counter runs 0 .. FRAME_CYCLE - 1

}  // namespace

void hide_pointer() { glutSetCursor(GLUT_CURSOR_NONE); }

void display() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  if (view.clear_each_frame) glClear(GL_COLOR_BUFFER_BIT);
  glClear(GL_DEPTH_BUFFER_BIT);
  hide_pointer();
  setup_lighting();

  // The scene, in world units under the camera of the previous frame's end.
  glPushMatrix();
    glRotatef(view.scene_angle, 0.0f, 1.0f, 0.0f);
    draw_grid_and_axes();
    draw_sites(scene.site_buffer_count);
    draw_splines(scene.spline_table, true);
    take_run_snapshot();
    run_step(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
             static_cast<float>(run.snapshot_row_count), run.run_param, run.run_segment);
    if (view.trail_mode) {
      draw_run_trail(run.run_snapshot, static_cast<float>(run.snapshot_row_length),
                     static_cast<float>(run.snapshot_row_count));
      draw_splines(run.run_snapshot, false);
    }
    draw_selected_site_marker();
  glPopMatrix();

  // Screen text, in overlay units.
  if (view.show_site_table) draw_site_table();
  draw_length_column_green();
  draw_length_column_red();
  draw_help_ticker(view.frame_counter);

  set_perspective(view.screen_width, view.screen_height);
  if (++view.frame_counter >= FRAME_CYCLE) view.frame_counter = 0;
  glutSwapBuffers();
}
