// The view state and the camera and overlay projections.
#include "app/view_state.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "app/picture.h"

ViewState view;

namespace {

constexpr double FIELD_OF_VIEW = 90.0;  // degrees, vertical
constexpr double NEAR_PLANE = 100.0;    // world units
constexpr double FAR_PLANE = 2600.0;    // world units
constexpr double EYE_HEIGHT = 200.0;    // eye y; its z is EYE_HEIGHT + camera_offset
constexpr double OVERLAY_NEAR = -100.0;
constexpr double OVERLAY_FAR = 10.0;

}  // namespace

void set_perspective(int width, int height) {
  const PixelRect viewport = picture_viewport(picture, width, height);
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(FIELD_OF_VIEW, static_cast<double>(width) / height, NEAR_PLANE, FAR_PLANE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.0, EYE_HEIGHT, EYE_HEIGHT + view.camera_offset, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void set_overlay_projection(int width, int height) {
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-width, width, -height, height, OVERLAY_NEAR, OVERLAY_FAR);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}
