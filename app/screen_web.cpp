// The screen in a browser: a WebGL context on the page's canvas, whose drawing buffer is the full
// 1024 x 768 picture; the page scales the canvas to the window at 4:3. There is no game mode.
#include "app/screen.h"

#include <emscripten/html5.h>

#include "app/view_state.h"

namespace {

constexpr const char* CANVAS = "#canvas";

}  // namespace

bool open_screen() {
  emscripten_set_canvas_element_size(CANVAS, SCREEN_WIDTH, SCREEN_HEIGHT);
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.alpha = false;
  attributes.depth = true;
  attributes.stencil = false;
  attributes.antialias = false;             // as a GLUT window without multisampling
  attributes.preserveDrawingBuffer = true;  // with clearing off (key s) the picture builds up as on screen
  attributes.majorVersion = 1;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = emscripten_webgl_create_context(CANVAS, &attributes);
  return context > 0 && emscripten_webgl_make_context_current(context) == EMSCRIPTEN_RESULT_SUCCESS;
}

// The drawing buffer stays 1024 x 768 whatever the page does with the canvas, so the picture keeps
// its place: the whole buffer.
void reshape_screen(int, int) { set_perspective(view.screen_width, view.screen_height); }
