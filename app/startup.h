// Start-up: GLUT in full-screen game mode (or a full-screen window where the mode cannot be set),
// the random scene, the callbacks and the main loop.
#pragma once

// Runs the start-up sequence and GLUT's main loop. With a real GLUT it does not return; it
// returns non-zero when no window could be opened at all.
int start_viewer(int argc, char** argv);
