// Reset of the process-wide state between tests and fuzz inputs.
#include "tests/support/process_state.h"

#include "app/picture.h"
#include "app/view_state.h"
#include "scene/random.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "scene/solid_shapes.h"
#include "tests/support/gl_recorder.h"

namespace testing_support {

void reset_process_state() {
  lcg::generator = lcg::Generator{};
  length_offset = draw_length_offset();
  scene = SceneStore{};
  view = ViewState{};
  picture = PixelRect{};
  picture_height = SCREEN_HEIGHT;
  run = RunState{};
  clear_shape_list_cache();
  glrec::recorder().reset();
}

}  // namespace testing_support
