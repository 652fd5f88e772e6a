// Entry point of the viewer; the command line goes to GLUT alone.
#include "app/startup.h"

int main(int argc, char** argv) { return start_viewer(argc, argv); }
