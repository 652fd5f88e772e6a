// The scale the picture is drawn at on the screen.
#include "scene/picture_size.h"

int picture_height = SCREEN_HEIGHT;

float picture_pixels(float pixels) {
  return pixels * (static_cast<float>(picture_height) / static_cast<float>(SCREEN_HEIGHT));
}
