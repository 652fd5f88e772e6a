// Start-up sequence of the viewer.
#include "app/startup.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

#include "app/frame.h"
#include "app/keys.h"
#include "app/view_state.h"
#include "scene/scene_store.h"

namespace {

constexpr const char* WINDOW_TITLE = "splines";

// GLUT's warning while it tries the game mode, kept to explain the fallback in one line.
char game_mode_warning[256];

void keep_game_mode_warning(const char* format, va_list args) {
  std::vsnprintf(game_mode_warning, sizeof game_mode_warning, format, args);
}

// Game mode first; where the display cannot change modes (GLUT then opens no window), a
// window of the same size made full screen.
bool open_screen() {
  glutGameModeString(GAME_MODE_STRING);
  game_mode_warning[0] = '\0';
  glutInitWarningFunc(keep_game_mode_warning);
  glutEnterGameMode();
  glutInitWarningFunc(nullptr);
  if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0) return true;
  std::fprintf(stderr, "splines: game mode %s not available%s%s%s, using a full-screen window\n",
               GAME_MODE_STRING, game_mode_warning[0] ? " (" : "", game_mode_warning,
               game_mode_warning[0] ? ")" : "");
  glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  if (glutCreateWindow(WINDOW_TITLE) == 0) return false;
  glutFullScreen();
  return true;
}

}  // namespace

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
  glutReshapeFunc(set_perspective);
  glutKeyboardFunc(on_key);
  glutMainLoop();
  return 0;
}
