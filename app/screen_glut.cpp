// The screen through GLUT's game mode, or a full-screen window where the mode cannot be set.
#include "app/screen.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>

#include "app/picture.h"
#include "app/view_state.h"

namespace {

constexpr const char* WINDOW_TITLE = "splines";

// GLUT's warning while it tries the game mode, kept to explain the fallback in one line.
char game_mode_warning[256];

void keep_game_mode_warning(const char* format, va_list args) {
  std::vsnprintf(game_mode_warning, sizeof game_mode_warning, format, args);
}

}  // namespace

bool open_screen() {
  glutGameModeString(GAME_MODE_STRING);
  game_mode_warning[0] = '\0';
  glutInitWarningFunc(keep_game_mode_warning);
  glutEnterGameMode();
  if (!glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
    glutGameModeString(GAME_MODE_ANY_DEPTH);
    glutEnterGameMode();
  }
  glutInitWarningFunc(nullptr);
  if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE) && glutGetWindow() != 0) return true;
  std::fprintf(stderr, "splines: game mode %s not available%s%s%s, using a full-screen window\n",
               GAME_MODE_STRING, game_mode_warning[0] ? " (" : "", game_mode_warning,
               game_mode_warning[0] ? ")" : "");
  glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  // At the top left corner: without a window manager nothing else moves it there, and the full-screen
  // request only resizes it.
  glutInitWindowPosition(0, 0);
  if (glutCreateWindow(WINDOW_TITLE) == 0) return false;
  glutFullScreen();
  return true;
}

void reshape_screen(int width, int height) {
  // Game mode's window spans the whole desktop, but the monitor shows only the video mode, from the
  // window's top left corner; an ordinary window is seen whole.
  int shown_width = width, shown_height = height;
  if (glutGameModeGet(GLUT_GAME_MODE_ACTIVE)) {
    const int mode_width = glutGameModeGet(GLUT_GAME_MODE_WIDTH);
    const int mode_height = glutGameModeGet(GLUT_GAME_MODE_HEIGHT);
    if (mode_width > 0 && mode_height > 0) {
      shown_width = mode_width;
      shown_height = mode_height;
    }
  }
  show_picture(place_picture(width, height, shown_width, shown_height), width, height);
  set_perspective(view.screen_width, view.screen_height);
}
