// Coverage-guided fuzzing of the keyboard and the frame: each input byte is a key handed to on_key,
// except 27 (Escape, which would end the process), which draws a frame instead. After every step the
// scene store's and the run's invariants must hold.
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/frame.h"
#include "app/keys.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/process_state.h"

namespace {

constexpr std::uint8_t FRAME = 27;  // Escape's code stands for "draw a frame"
constexpr int MAX_FRAMES = 24;      // frames per input, to keep executions fast

[[noreturn]] void violated(const char* what) {
  std::fprintf(stderr, "invariant violated: %s\n", what);
  std::abort();
}

void check_invariants() {
  const SceneStore& s = scene;
  if (s.spline_count < 0 || s.spline_count > MAX_SPLINES) violated("spline_count within 0..100");
  if (s.sites_per_spline < 0 || s.sites_per_spline > MAX_SITES) violated("sites_per_spline within 0..100");
  if (s.site_buffer_count < 0 || s.site_buffer_count > MAX_SITES) violated("site_buffer_count within 0..100");
  if (s.sites_per_spline > 0 && s.site_buffer_count > s.sites_per_spline)
    violated("site_buffer_count at most sites_per_spline");
  if (s.sites_per_spline == 0 && s.spline_count != 0) violated("sites_per_spline 0 only with an empty table");
  if (s.selected_site < -1 || s.selected_site > (s.sites_per_spline > 0 ? s.sites_per_spline - 1 : -1))
    violated("selected_site within -1..sites_per_spline - 1");
  // Every spline in use has exactly sites_per_spline sites: the rest of its row is never written,
  // and rows beyond the count are empty.
  for (int i = 0; i < MAX_SPLINES; ++i)
    for (int j = (i < s.spline_count ? s.sites_per_spline : 0); j < MAX_SITES; ++j) {
      const Site& site = s.spline_table[i][j];
      if (site.x != 0.0f || site.y != 0.0f || site.z != 0.0f) violated("no site outside the splines in use");
    }
  if (s.run_active) {
    if (s.spline_count < 2) violated("a run needs two splines");
    if (run.run_segment < 0 || run.run_segment >= s.spline_count) violated("run_segment below spline_count");
    if (!(run.run_param >= 0.0f && run.run_param < 1.0f)) violated("run_param in [0, 1)");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The number lines and the scratch file go nowhere useful during fuzzing.
  if (!std::freopen("/dev/null", "w", stdout)) std::abort();
  char directory[] = "/tmp/splines-fuzz-XXXXXX";
  if (mkdtemp(directory) == nullptr || chdir(directory) != 0) std::abort();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  testing_support::reset_process_state();
  glrec::Recorder& gl = glrec::recorder();
  gl.record_calls = false;
  gl.record_primitives = false;
  generate_random_scene();
  check_invariants();
  int frames = 0;
  for (std::size_t k = 0; k < size; ++k) {
    if (data[k] == FRAME) {
      if (frames++ == MAX_FRAMES) break;
      display();
    } else {
      on_key(data[k], 0, 0);
    }
    check_invariants();
  }
  if (!gl.errors.empty()) violated(gl.errors.front().c_str());
  if (gl.modelview_depth != 1 || gl.projection_depth != 1) violated("matrix stacks balanced");
  return 0;
}
