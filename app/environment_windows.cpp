// Windows: freeglut takes an X DISPLAY variable (Wine sets one, and so do some Windows X servers) for
// the name of a display device, and then warns or fails; the viewer runs on the Windows desktop.
#include "app/environment.h"

#include <cstdlib>

void prepare_environment() { _putenv("DISPLAY="); }
