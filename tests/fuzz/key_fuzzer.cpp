// Coverage-guided fuzzing of the keyboard, the frame and the scratch file: each input byte is a key
// handed to on_key, a frame, another program changing "1.txt" or the working directory between
// frames, or a skip ahead in time. After every step the scene store's, the view's and the run's invariants must hold; after
// every frame the GL use must be balanced and the console must hold one line per number drawn.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "app/frame.h"
#include "app/keys.h"
#include "app/view_state.h"
#include "scene/run.h"
#include "scene/scene_store.h"
#include "tests/support/gl_recorder.h"
#include "tests/support/process_state.h"

namespace {

namespace fs = std::filesystem;

constexpr std::uint8_t FRAME = 27;  // Escape's code stands for "draw a frame"
constexpr int MAX_FRAMES = 24;      // frames per input, to keep executions fast
// Curve points a frame draws cost one unit each; an input may spend two frames of the full table
// with the trail on (100 x 100 sites, 12 curves per spline). Frames beyond the budget are skipped,
// so mutations of a full table do not slow every execution down to seconds.
constexpr long FRAME_BUDGET = 2L * 12 * MAX_SPLINES * MAX_SITES;
constexpr int MAX_DISPLAY_LISTS = 2;      // the sphere and the cone, each of one size
constexpr int MAX_NUMBER_LINE = 256;      // characters of the number text field
constexpr int OVERLONG_SCRATCH = 300;     // characters of a scratch file longer than the field

// Bytes that stand for another program acting on the working directory between steps. None of
// them is a key; every other non-key byte stays a key that must be ignored.
enum ScratchEvent : std::uint8_t {
  REMOVE_SCRATCH = 0xF0,     // "1.txt" deleted
  SCRATCH_DIRECTORY = 0xF1,  // "1.txt" replaced by a directory
  OVERLONG_FILE = 0xF2,      // "1.txt" replaced by a file longer than the text field, by rename
  ENDLESS_FILE = 0xF3,       // "1.txt" a symbolic link to /dev/zero: writes vanish, reads never end
  DANGLING_LINK = 0xF4,      // "1.txt" a symbolic link into a directory that does not exist
  REMOVED_DIRECTORY = 0xF5,  // the working directory removed under the process
  SCRATCH_FIFO = 0xF6,       // "1.txt" a named pipe with nobody at the other end
};
// And one byte that skips frames: the run's parameter at its last value before the segment
// advances (the 101st frame of a segment) and the frame counter at 999, which an input's few
// frames would not reach otherwise.
constexpr std::uint8_t SKIP_AHEAD = 0xF7;
constexpr float LAST_RUN_PARAM = 0.99999934f;  // 0.01 summed 100 times in float
constexpr int LAST_FRAME_COUNT = 999;

fs::path base_directory;  // the fuzzer's own temporary directory, never removed
int console_fd = -1;      // stdout, a file outside the working directory

[[noreturn]] void violated(const char* what) {
  std::fprintf(stderr, "invariant violated: %s\n", what);
  std::abort();
}

void check_store() {
  const SceneStore& s = scene;
  if (s.spline_count < 0 || s.spline_count > MAX_SPLINES) violated("spline_count within 0..100");
  if (s.sites_per_spline < 0 || s.sites_per_spline > MAX_SITES) violated("sites_per_spline within 0..100");
  if (s.site_buffer_count < 0 || s.site_buffer_count > MAX_SITES) violated("site_buffer_count within 0..100");
  if (s.sites_per_spline > 0 && s.site_buffer_count > s.sites_per_spline)
    violated("site_buffer_count at most sites_per_spline");
  if (s.sites_per_spline == 0 && s.spline_count != 0) violated("sites_per_spline 0 only with an empty table");
  if (s.selected_site < -1 || s.selected_site > (s.sites_per_spline > 0 ? s.sites_per_spline - 1 : -1))
    violated("selected_site within -1..sites_per_spline - 1");
  // m wraps to 0, never back to -1, and the table only shrinks through clear, which resets it.
  if (s.selected_spline < -1 || s.selected_spline > (s.spline_count > 0 ? s.spline_count - 1 : 0))
    violated("selected_spline within -1..max(spline_count - 1, 0)");
}

// Every spline in use has exactly sites_per_spline sites: the rest of its row is never written,
// and rows beyond the count are empty. A scan of the whole table, so only after steps that may
// write it.
void check_table() {
  const SceneStore& s = scene;
  for (int i = 0; i < MAX_SPLINES; ++i)
    for (int j = (i < s.spline_count ? s.sites_per_spline : 0); j < MAX_SITES; ++j) {
      const Site& site = s.spline_table[i][j];
      if (site.x != 0.0f || site.y != 0.0f || site.z != 0.0f) violated("no site outside the splines in use");
    }
}

void check_view_and_run() {
  if (view.camera_offset < -51.0f || view.camera_offset > 801.0f) violated("camera_offset within -51..801");
  if (view.frame_counter < 0 || view.frame_counter > 999) violated("frame_counter within 0..999");
  if (view.trail_mode && !scene.run_active) violated("trail mode only during a run");
  if (scene.run_active) {
    if (scene.spline_count < 2) violated("a run needs two splines");
    if (run.run_segment < 0 || run.run_segment >= scene.spline_count) violated("run_segment below spline_count");
    if (!(run.run_param >= 0.0f && run.run_param < 1.0f)) violated("run_param in [0, 1)");
  }
}

void check_invariants(bool table_written) {
  check_store();
  if (table_written) check_table();
  check_view_and_run();
  if (!glrec::recorder().errors.empty()) violated(glrec::recorder().errors.front().c_str());
}

// Console lines of the frame just drawn: each a character count 0..256, as many as numbers drawn.
void check_console(std::size_t numbers) {
  std::fflush(stdout);
  const off_t size = lseek(console_fd, 0, SEEK_CUR);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (size > 0 && pread(console_fd, text.data(), text.size(), 0) != size) violated("console read back");
  std::size_t lines = 0;
  long value = 0;
  bool digits = false;
  for (char c : text) {
    if (c == '\n') {
      if (!digits || value > MAX_NUMBER_LINE) violated("a console line is a count 0..256");
      ++lines;
      value = 0;
      digits = false;
    } else if (c >= '0' && c <= '9') {
      value = value * 10 + (c - '0');
      digits = true;
      if (value > MAX_NUMBER_LINE) violated("a console line is a count 0..256");
    } else {
      violated("a console line holds only digits");
    }
  }
  if (digits) violated("the last console line is ended");
  if (lines != numbers) violated("one console line per number drawn");
  if (ftruncate(console_fd, 0) != 0 || lseek(console_fd, 0, SEEK_SET) != 0) violated("console rewound");
}

void check_frame(std::size_t numbers, long frames) {
  const glrec::Recorder& gl = glrec::recorder();
  if (gl.modelview_depth != 1 || gl.projection_depth != 1) violated("matrix stacks balanced");
  if (gl.in_begin || gl.compiling_list != 0) violated("no glBegin or glNewList left open");
  if (gl.count("glBegin") != gl.count("glEnd")) violated("every glBegin ended");
  if (gl.count("glGenLists") > MAX_DISPLAY_LISTS) violated("at most two display lists generated");
  if (gl.live_quadrics != 0) violated("every quadric deleted");
  if (gl.count("glutSwapBuffers") != frames) violated("one buffer swap per frame");
  if (run.snapshot_row_count != scene.sites_per_spline || run.snapshot_row_length != scene.spline_count)
    violated("the snapshot counts are the table's");
  if (scene.run_active)
    for (int r = 0; r < run.snapshot_row_count; ++r)
      if (!std::isfinite(run.run_points[r].x) || !std::isfinite(run.run_points[r].y) ||
          !std::isfinite(run.run_points[r].z))
        violated("run points finite");
  check_console(numbers);
}

// Curve points the next frame draws: the splines, and with the trail ten intermediate curves per
// spline and the cross curves.
long frame_cost() {
  const long points = static_cast<long>(scene.spline_count) * scene.sites_per_spline;
  return view.trail_mode ? 12 * points : points + scene.sites_per_spline;
}

// Numbers the next frame draws: two per spline, and four per site table row.
std::size_t frame_numbers() {
  const int rows = view.show_site_table ? scene.sites_per_spline : 0;
  return static_cast<std::size_t>(2 * scene.spline_count + 4 * rows);
}

// Replaces "1.txt" the way another program would: the new file is written aside and renamed over.
void replace_with_file(const std::string& text) {
  std::ofstream("1.txt.new", std::ios::binary) << text;
  std::error_code ignored;
  fs::rename("1.txt.new", "1.txt", ignored);
}

void apply_scratch_event(std::uint8_t event) {
  std::error_code ignored;
  switch (event) {
    case REMOVE_SCRATCH: fs::remove_all("1.txt", ignored); break;
    case SCRATCH_DIRECTORY: fs::remove_all("1.txt", ignored); fs::create_directory("1.txt", ignored); break;
    case OVERLONG_FILE: fs::remove_all("1.txt", ignored); replace_with_file(std::string(OVERLONG_SCRATCH, '7')); break;
    case ENDLESS_FILE: fs::remove_all("1.txt", ignored); fs::create_symlink("/dev/zero", "1.txt", ignored); break;
    case DANGLING_LINK: fs::remove_all("1.txt", ignored); fs::create_symlink("no/such/dir/1.txt", "1.txt", ignored); break;
    case SCRATCH_FIFO: fs::remove_all("1.txt", ignored); mkfifo("1.txt", 0600); break;
    case REMOVED_DIRECTORY: {
      // A nested directory becomes the working directory and disappears under the process.
      const fs::path gone = fs::current_path(ignored) / "gone";
      if (fs::create_directory(gone, ignored) && chdir(gone.c_str()) == 0) rmdir(gone.c_str());
      break;
    }
  }
}

// Keys that may write the spline table: build, clear and the six moves.
bool writes_table(std::uint8_t key) {
  for (char k : std::string_view("xzujyiol"))
    if (key == static_cast<std::uint8_t>(k)) return true;
  return false;
}

bool is_scratch_event(std::uint8_t byte) { return byte >= REMOVE_SCRATCH && byte <= SCRATCH_FIFO; }

// Every input starts in an empty working directory of its own.
void fresh_working_directory() {
  std::error_code ignored;
  if (chdir(base_directory.c_str()) != 0) violated("back to the fuzzer's directory");
  fs::remove_all(base_directory / "work", ignored);
  fs::create_directory(base_directory / "work");
  if (chdir((base_directory / "work").c_str()) != 0) violated("into the working directory");
  std::fflush(stdout);
  if (ftruncate(console_fd, 0) != 0 || lseek(console_fd, 0, SEEK_SET) != 0) violated("console rewound");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // In memory when possible: every number rewrites "1.txt", which on a disk waits for the disk.
  // The number lines go to a file outside the working directory, where each frame's are counted.
  std::string directory = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  directory += "/splines-fuzz-XXXXXX";
  if (mkdtemp(directory.data()) == nullptr) std::abort();
  base_directory = directory;
  std::atexit([] {
    std::error_code ignored;
    fs::remove_all(base_directory, ignored);
  });
  if (!std::freopen((base_directory / "console").c_str(), "w+", stdout)) std::abort();
  console_fd = fileno(stdout);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fresh_working_directory();
  testing_support::reset_process_state();
  glrec::Recorder& gl = glrec::recorder();
  gl.record_calls = false;
  gl.record_primitives = false;
  generate_random_scene();
  check_invariants(true);
  long frames = 0;
  long budget = FRAME_BUDGET;
  for (std::size_t k = 0; k < size; ++k) {
    if (data[k] == FRAME) {
      if (frames == MAX_FRAMES) break;
      const long cost = frame_cost();
      if (cost > budget) continue;
      budget -= cost;
      const std::size_t numbers = frame_numbers();
      display();
      check_frame(numbers, ++frames);
      check_invariants(true);
    } else if (data[k] == SKIP_AHEAD) {
      run.run_param = LAST_RUN_PARAM;
      view.frame_counter = LAST_FRAME_COUNT;
      check_invariants(false);
    } else if (is_scratch_event(data[k])) {
      apply_scratch_event(data[k]);
      check_invariants(false);
    } else {
      on_key(data[k], 0, 0);
      check_invariants(writes_table(data[k]));
    }
  }
  check_invariants(true);
  return 0;
}
