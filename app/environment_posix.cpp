// Linux and the browser: GLUT takes the environment as it is (DISPLAY names the X server).
#include "app/environment.h"

void prepare_environment() {}
