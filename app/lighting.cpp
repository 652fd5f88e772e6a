// Light and material set-up of every frame.
#include "app/lighting.h"

#include <GL/gl.h>

namespace {

constexpr GLfloat AMBIENT[] = {0.5f, 0.5f, 0.5f, 1.0f};
constexpr GLfloat LIGHT_POSITION[] = {0.0f, 0.0f, 100.0f, 1.0f};  // w = 1: positional, in camera space
constexpr GLfloat SPOT_DIRECTION[] = {-1.0f, -1.0f, -1.0f};      // no effect at the default 180 cut-off
constexpr GLfloat WHITE[] = {1.0f, 1.0f, 1.0f, 1.0f};
constexpr GLfloat SHININESS = 128.0f;

}  // namespace

void setup_lighting() {
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, AMBIENT);
  glEnable(GL_LIGHTING);
  glEnable(GL_LIGHT0);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glLightfv(GL_LIGHT0, GL_POSITION, LIGHT_POSITION);
  glLightfv(GL_LIGHT0, GL_SPOT_DIRECTION, SPOT_DIRECTION);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, WHITE);
  glLightfv(GL_LIGHT0, GL_SPECULAR, WHITE);
  glMaterialfv(GL_FRONT, GL_SPECULAR, WHITE);
  glMaterialf(GL_FRONT, GL_SHININESS, SHININESS);
}
