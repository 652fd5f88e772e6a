// GLUT's buffer swap in the browser, where the page shows the canvas once the frame's callback
// returns: it draws what the fixed-function stand-in still holds, and counts the frame for the page.
#include <GL/glut.h>
#include <emscripten.h>

#include "web/webgl_batches.h"

extern "C" void glutSwapBuffers() {
  flush_batches();
  EM_ASM(Module.framesDrawn++;);
}
