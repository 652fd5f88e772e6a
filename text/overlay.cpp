// Overlay panels.
#include "text/overlay.h"

void draw_site_table() {}
void draw_help_ticker(int) {}
