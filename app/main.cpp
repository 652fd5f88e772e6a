// Entry point of the viewer; the command line goes to GLUT alone.
#include "app/startup.h"

#ifdef _WIN32
#include <cstdlib>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
  // freeglut on Windows takes an X DISPLAY variable (Wine sets one, and so do some Windows X servers)
  // for the name of a display device, and then warns or fails: the viewer runs on the Windows desktop.
  _putenv("DISPLAY=");
#endif
  return start_viewer(argc, argv);
}
