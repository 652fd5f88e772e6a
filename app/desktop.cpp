// What the viewer makes of the desktop it opens on: game mode or not, and which monitor.
#include "app/desktop.h"

std::string game_mode_refusal(const Desktop& desktop) {
  if (desktop.xwayland) return "on Xwayland";
  if (desktop.monitor_count >= 2) return "on a screen of " + std::to_string(desktop.monitor_count) + " monitors";
  return "";
}

int chosen_monitor(const Desktop& desktop) {
  for (int i = 0; i < desktop.monitor_count; ++i)
    if (desktop.monitors[i].primary) return i;
  for (int i = 0; i < desktop.monitor_count; ++i) {
    const Monitor& m = desktop.monitors[i];
    if (desktop.pointer_x >= m.x && desktop.pointer_x < m.x + m.width && desktop.pointer_y >= m.y &&
        desktop.pointer_y < m.y + m.height)
      return i;
  }
  return desktop.monitor_count > 0 ? 0 : -1;
}
