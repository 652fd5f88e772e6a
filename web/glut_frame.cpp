// GLUT's frame loop in the browser. The page shows the canvas once per display refresh, after the
// requestAnimationFrame callbacks of that refresh: the frame callback runs there, once a refresh
// (Emscripten's main loop at frame rate 0), so that every frame drawn is shown and the run advances
// one step per frame shown. A hidden tab gets no refreshes and draws nothing until it is shown again.
// GLUT's own idle timer would draw at the machine's speed, most frames never shown.
#include <GL/glut.h>
#include <emscripten.h>

#include "web/fixed_function.h"

namespace {

// Puts the picture (width x height pixels, 4 bytes each, top row first, at pixels in the module's
// memory) on the canvas, through one ImageData over that memory, made again only when the memory was
// replaced by a larger one.
EM_JS(void, show_on_canvas, (const void* pixels, int width, int height), {
  var shown = Module.shownPicture;
  if (!shown || shown.memory !== HEAPU8.buffer) {
    shown = Module.shownPicture = {
      memory: HEAPU8.buffer,
      image: new ImageData(new Uint8ClampedArray(HEAPU8.buffer, pixels, width * height * 4), width, height),
      context: shown ? shown.context : Module.canvas.getContext('2d', {alpha: false}),
    };
  }
  shown.context.putImageData(shown.image, 0, 0);
});

void (*frame_callback)() = nullptr;

void run_frame() {
  if (frame_callback != nullptr) frame_callback();
}

// The idle and the display callback are one frame callback here: the viewer sets the same function
// for both, and one call per refresh is all either would get.
void set_frame_callback(void (*callback)()) {
  const bool first = frame_callback == nullptr;
  frame_callback = callback;
  if (first && callback != nullptr) emscripten_set_main_loop(run_frame, 0, 0);
}

}  // namespace

extern "C" {

void glutIdleFunc(void (*callback)()) { set_frame_callback(callback); }
void glutDisplayFunc(void (*callback)()) { set_frame_callback(callback); }

// The end of a frame: shows the picture drawn, counts the frame for the page and hands the page the
// frame's console lines at once (web/index.html).
void glutSwapBuffers() {
  const Raster& picture = frame_raster();
  show_on_canvas(picture.pixels(), picture.width(), picture.height());
  EM_ASM(Module.frameDrawn(););
}

}  // extern "C"
