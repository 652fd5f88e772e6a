// GLUT's frame loop in the browser. The page shows the canvas once per display refresh, after the
// requestAnimationFrame callbacks of that refresh: the frame callback runs there, once a refresh
// (Emscripten's main loop at frame rate 0), so that every frame drawn is shown and the run advances
// one step per frame shown. A hidden tab gets no refreshes and draws nothing until it is shown again.
// GLUT's own idle timer would draw at the machine's speed, most frames never shown.
#include <GL/glut.h>
#include <emscripten.h>

#include "web/webgl_batches.h"

namespace {

void (*frame_callback)() = nullptr;

void run_frame() {
  if (frame_callback != nullptr) frame_callback();
}

// The idle and the display callback are one frame callback here: the viewer sets the same function
// for both, and one call per refresh is all either would get.
void set_frame_callback(void (*callback)()) {
  const bool first = frame_callback == nullptr;
  frame_callback = callback;
  if (first && callback != nullptr) emscripten_set_main_loop(run_frame, 0, 0);
}

}  // namespace

extern "C" {

void glutIdleFunc(void (*callback)()) { set_frame_callback(callback); }
void glutDisplayFunc(void (*callback)()) { set_frame_callback(callback); }

// The end of a frame: draws what the fixed-function stand-in still holds, counts the frame for the
// page and hands the page the frame's console lines at once (web/index.html).
void glutSwapBuffers() {
  flush_batches();
  EM_ASM(Module.frameDrawn(););
}

}  // extern "C"
