// Puts the whole process state back to how it stands when the viewer's process starts.
#pragma once

namespace testing_support {

// Generator back to its start state, length_offset drawn again as before main, scene, view, run
// state and shape cache as at load, and a fresh recorder.
void reset_process_state();

}  // namespace testing_support
