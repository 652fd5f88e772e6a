// The desktop the viewer opens on: whether its X server belongs to a Wayland compositor, its
// monitors, the pointer and whether a window manager runs. The platform's file asks the display
// (app/desktop_x11.cpp, app/desktop_windows.cpp); what follows from the answers is decided here, the
// same on every platform.
#pragma once

#include <string>

constexpr int MAX_MONITORS = 16;  // more are not looked at

// A monitor's part of the screen, in screen pixels from the top left corner.
struct Monitor {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool primary = false;  // the one the desktop names primary; at most one
};

struct Desktop {
  bool xwayland = false;        // an X server run by a Wayland compositor: its video modes are emulated
  bool window_manager = false;  // a window manager runs and answers full-screen and focus requests
  int monitor_count = 0;        // 0 .. MAX_MONITORS; 0 where the display tells of none
  Monitor monitors[MAX_MONITORS];  // the first monitor_count, in the display's order
  int pointer_x = -1;           // the pointer on the screen, pixels; -1 where unknown
  int pointer_y = -1;
};

// Asks the display, before GLUT opens anything. Platform.
Desktop look_at_desktop();

// After the full-screen window is created and current: waits until it is mapped, then asks the window
// manager to make it full screen on monitor (an index into desktop.monitors, -1 for the whole screen)
// and to give it the keyboard, or, without a window manager, gives it the keyboard itself. Platform.
void settle_window(const Desktop& desktop, int monitor);

// Why the game mode would not be what it says on this desktop, as the end of a sentence ("on
// Xwayland", "on a screen of 2 monitors"); empty where it may be tried. A compositor's X server
// emulates the mode by stretching the picture over the monitor, and a mode switch on a screen of
// several monitors changes all of them.
std::string game_mode_refusal(const Desktop& desktop);

// The monitor the viewer covers: the primary one, else the one under the pointer, else the first;
// -1 where the display tells of no monitors.
int chosen_monitor(const Desktop& desktop);
