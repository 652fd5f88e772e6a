// The screen through GLUT's game mode, or a full-screen window on one monitor where the mode cannot be
// set or would not be what it says (app/desktop.h).
#include "app/screen.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "app/desktop.h"
#include "app/picture.h"
#include "app/view_state.h"

namespace {

constexpr const char* WINDOW_TITLE = "splines";

// GLUT's warning while it tries the game mode, kept to explain the fallback in one line.
char game_mode_warning[256];

void keep_game_mode_warning(const char* format, va_list args) {
  std::vsnprintf(game_mode_warning, sizeof game_mode_warning, format, args);
}

// The full-screen window: on one monitor of several, placed and sized to it (a window manager then
// makes it full screen there; without one nothing else would); on one monitor, at the top left corner
// at the picture's size (without a window manager nothing else moves it there, and the full-screen
// request only resizes it).
bool open_window(const Desktop& desktop) {
  const int monitor = desktop.monitor_count >= 2 ? chosen_monitor(desktop) : -1;
  if (monitor >= 0) {
    const Monitor& m = desktop.monitors[monitor];
    glutInitWindowSize(m.width, m.height);
    glutInitWindowPosition(m.x, m.y);
  } else {
    glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
    glutInitWindowPosition(0, 0);
  }
  if (glutCreateWindow(WINDOW_TITLE) == 0) return false;
  // Without a window manager GLUT's full-screen request covers the whole screen, every monitor.
  if (monitor < 0 || desktop.window_manager) glutFullScreen();
  settle_window(desktop, monitor);
  return true;
}

}  // namespace

bool open_screen() {
  const Desktop desktop = look_at_desktop();
  const std::string refusal = game_mode_refusal(desktop);
  if (!refusal.empty()) {
    std::fprintf(stderr, "splines: game mode %s not used %s, using a full-screen window\n", GAME_MODE_STRING,
                 refusal.c_str());
    return open_window(desktop);
  }
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
  return open_window(desktop);
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
