// The overlay panels: the site table of the run points and the help ticker.
#pragma once

// One row per run point: label, row number and the point's x, y, z.
void draw_site_table();

// The blinking "Press ESC to exit" and the help line chosen by the frame counter (0 .. 999).
void draw_help_ticker(int frame);
