// Ending the program in the browser. The build links every call of exit() here (-Wl,--wrap=exit).
// Emscripten's own exit(), called from a key handler while GLUT's idle timer keeps the runtime alive,
// neither ends the program nor tells the page: it throws, and the frames go on. Forcing the exit
// runs the exit handlers, stops GLUT's callbacks and calls the page's onExit.
#include <emscripten.h>

extern "C" [[noreturn]] void __wrap_exit(int status) {
  emscripten_force_exit(status);
  __builtin_unreachable();
}
