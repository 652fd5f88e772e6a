// Entry point of the viewer; the command line goes to GLUT alone.
#include "app/environment.h"
#include "app/startup.h"

int main(int argc, char** argv) {
  prepare_environment();
  return start_viewer(argc, argv);
}
