// The browser build's <GL/freeglut.h>: Emscripten ships GLUT's standard header but not this one. The
// shared code uses only standard GLUT through it; the freeglut extensions stay with the native screen.
#pragma once

#include <GL/glut.h>
