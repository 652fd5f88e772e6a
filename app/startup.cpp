// Start-up sequence of the viewer.
#include "app/startup.h"

#include <GL/freeglut.h>

#include <cstdio>

#include "app/frame.h"
#include "app/keys.h"
#include "app/screen.h"
#include "app/view_state.h"
#include "scene/scene_store.h"

int start_viewer(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
  if (!open_screen()) {
    std::fprintf(stderr, "splines: cannot open a window\n");
    return 1;
  }
  hide_pointer();
  generate_random_scene();
  glutIdleFunc(display);
  glutDisplayFunc(display);
  glutReshapeFunc(reshape_screen);
  glutKeyboardFunc(on_key);
  glutMainLoop();
  return 0;
}
