// The screen in a browser: the page's canvas, 1024 x 768 pixels, into which every buffer swap puts the
// picture drawn on the CPU (web/raster.h); the page scales the canvas to the window at 4:3. There is no
// game mode.
#include "app/screen.h"

#include <emscripten/html5.h>

#include "app/view_state.h"
#include "web/fixed_function.h"

namespace {

constexpr const char* CANVAS = "#canvas";

}  // namespace

bool open_screen() {
  emscripten_set_canvas_element_size(CANVAS, SCREEN_WIDTH, SCREEN_HEIGHT);
  frame_raster().open(SCREEN_WIDTH, SCREEN_HEIGHT);
  return true;
}

// The drawing buffer stays 1024 x 768 whatever the page does with the canvas, so the picture keeps
// its place: the whole buffer.
void reshape_screen(int, int) { set_perspective(view.screen_width, view.screen_height); }
