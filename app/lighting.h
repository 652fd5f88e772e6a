// Light and material set-up, issued in full at the start of every frame.
#pragma once

// One positional white light fixed relative to the camera; colour material; alpha blending.
// Must run while the modelview matrix holds the camera of set_perspective.
void setup_lighting();
