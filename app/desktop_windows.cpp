// The Windows desktop: its display changes modes for real, so the game mode is always tried and no
// window of the viewer's own needs placing.
#include "app/desktop.h"

Desktop look_at_desktop() { return Desktop{}; }

void settle_window(const Desktop&, int) {}
