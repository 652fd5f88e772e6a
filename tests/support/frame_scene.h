// Helpers for whole frames under the recorder: one frame with its console lines swallowed, and
// the primitives drawn inside the frame's scene transform.
#pragma once

#include <GL/gl.h>

#include <array>
#include <vector>

#include "app/frame.h"
#include "tests/support/comparisons.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/test_support.h"

namespace testing_support {

// Forgets the log, draws one frame and returns its console lines.
inline std::vector<std::string> recorded_frame() {
  glrec::recorder().clear_log();
  return stdout_lines([] { display(); });
}

// Primitives from the scene rotation up to the glPopMatrix that undoes it; needs calls and
// primitives recorded since the same clear_log (the k-th primitive is the k-th glBegin).
inline std::vector<const glrec::Primitive*> scene_primitives() {
  const glrec::Recorder& r = glrec::recorder();
  std::vector<const glrec::Primitive*> out;
  const int rotate = r.find("glRotatef");
  if (rotate < 0) return out;
  std::size_t begins = 0;
  for (int i = 0; i < rotate; ++i)
    if (r.calls[static_cast<std::size_t>(i)].is("glBegin")) ++begins;
  int depth = 0;
  for (std::size_t i = static_cast<std::size_t>(rotate) + 1; i < r.calls.size(); ++i) {
    const glrec::Call& call = r.calls[i];
    if (call.is("glPushMatrix")) ++depth;
    if (call.is("glPopMatrix") && depth-- == 0) break;
    if (call.is("glBegin") && begins < r.primitives.size()) out.push_back(&r.primitives[begins++]);
  }
  return out;
}

// The closed curves of the scene: its line loops, in drawing order.
inline std::vector<const glrec::Primitive*> scene_loops() {
  std::vector<const glrec::Primitive*> loops;
  for (const glrec::Primitive* p : scene_primitives())
    if (p->mode == GL_LINE_LOOP) loops.push_back(p);
  return loops;
}

}  // namespace testing_support
