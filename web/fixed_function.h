// The picture the fixed-function stand-in draws into: sized when the screen opens, shown at each
// buffer swap.
#pragma once

#include "web/raster.h"

Raster& frame_raster();
