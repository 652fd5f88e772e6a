// Whole frames on a real X server: for each table, built through the scene's own commands, N frames of
// the library's display, of the literal frame and of the graphics floor (numbers formatted in memory,
// no file, no console), interleaved within one run, each timed to the end of its drawing (glFinish).
//
//   frame_bench [--frames N] [--warmup N] [--tables 7x12,12x24,100x100] [--times FILE] [--no-literal]
//
// Prints two Markdown table rows per table, wall time and the process's CPU time: medians and ranges in
// ms, and the two ratios taken frame by frame within each round (median and range). --times writes
// every frame's time as tab-separated values. The numbers' console lines go to a scratch file.
#include <GL/freeglut.h>
#include <GL/gl.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "bench/bench_support.h"
#include "tests/support/literal_reference.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Options {
  int frames = 10;  // timed frames per variant and table
  int warmup = 2;   // untimed frames per variant first
  std::vector<std::pair<int, int>> tables = {{7, 12}, {12, 24}, {100, 100}};
  std::string times_path;
  bool literal = true;  // --no-literal leaves the literal frame out (a quick look at the other two)
};

// The three ways of drawing the same frame.
struct Variant {
  const char* name;
  void (*draw)();
};
const Variant VARIANTS[] = {
    {"product", [] { display(); }},
    {"literal", [] { reference_frame::display(reference_frame::LITERAL); }},
    {"floor", [] { reference_frame::display(reference_frame::FLOOR); }},
};
constexpr int VARIANT_COUNT = static_cast<int>(sizeof VARIANTS / sizeof VARIANTS[0]);

[[noreturn]] void usage(const char* problem) {
  std::fprintf(stderr, "frame_bench: %s\nusage: frame_bench [--frames N] [--warmup N] [--tables SxP,...] [--times FILE] [--no-literal]\n",
               problem);
  std::exit(2);
}

std::vector<std::pair<int, int>> parse_tables(const char* list) {
  std::vector<std::pair<int, int>> tables;
  for (const char* p = list; *p != '\0';) {
    int splines = 0, sites = 0, used = 0;
    if (std::sscanf(p, "%dx%d%n", &splines, &sites, &used) != 2 || splines < 1 || splines > MAX_SPLINES ||
        sites < 1 || sites > MAX_SITES)
      usage("a table is SPLINESxSITES, each 1 .. 100");
    tables.emplace_back(splines, sites);
    p += used;
    if (*p == ',') ++p;
  }
  return tables;
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-literal") {
      o.literal = false;
      continue;
    }
    if (i + 1 >= argc) usage(("missing value after " + arg).c_str());
    const char* value = argv[++i];
    if (arg == "--frames")
      o.frames = std::atoi(value);
    else if (arg == "--warmup")
      o.warmup = std::atoi(value);
    else if (arg == "--tables")
      o.tables = parse_tables(value);
    else if (arg == "--times")
      o.times_path = value;
    else
      usage(("unknown option " + arg).c_str());
  }
  if (o.frames < 1 || o.warmup < 0) usage("--frames must be at least 1 and --warmup at least 0");
  return o;
}

// A plain window of the full-screen size; the benchmark draws into it directly, outside GLUT's loop.
void open_window() {
  int argc = 1;
  char name[] = "frame_bench";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutInitWindowSize(SCREEN_WIDTH, SCREEN_HEIGHT);
  glutInitWindowPosition(0, 0);
  glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
  glutCreateWindow("splines frame_bench");
  glutDisplayFunc([] {});
  for (int k = 0; k < 20; ++k) glutMainLoopEvent();  // let the window be mapped
  set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
}

// One frame's wall time (what the user waits) and the process's CPU time over it, all threads (the
// renderer's included): the second hardly changes when other programs take turns on the cores.
struct FrameTime {
  double wall_ms, cpu_ms;
};

double cpu_now_ms() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

FrameTime timed_frame(const Variant& v) {
  const double cpu0 = cpu_now_ms();
  const auto t0 = Clock::now();
  v.draw();
  glFinish();
  const double wall = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
  return {wall, cpu_now_ms() - cpu0};
}

// One Markdown row: each variant's median (range), then the two ratios taken within each round,
// whose frames ran moments apart, as median (range).
void report_row(std::FILE* report, const std::string& label, int numbers, const std::vector<double> (&ms)[3],
                bool literal) {
  std::vector<double> literal_per_product, product_per_floor;
  for (std::size_t round = 0; round < ms[0].size(); ++round) {
    if (literal) literal_per_product.push_back(ms[1][round] / ms[0][round]);
    product_per_floor.push_back(ms[0][round] / ms[2][round]);
  }
  const bench::Spread product = bench::spread_of(ms[0]), lit = bench::spread_of(ms[1]),
                      floor = bench::spread_of(ms[2]), lp = bench::spread_of(literal_per_product),
                      pf = bench::spread_of(product_per_floor);
  std::fprintf(report,
               "| %s | %d | %.1f (%.1f-%.1f) | %.1f (%.1f-%.1f) | %.1f (%.1f-%.1f) | %.2f (%.2f-%.2f) | "
               "%.2f (%.2f-%.2f) |\n",
               label.c_str(), numbers, product.median, product.min, product.max, lit.median, lit.min, lit.max,
               floor.median, floor.min, floor.max, lp.median, lp.min, lp.max, pf.median, pf.min, pf.max);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);
  const int report_fd = bench::enter_scratch_directory();
  std::FILE* report = fdopen(report_fd, "w");
  std::FILE* times = options.times_path.empty() ? nullptr : std::fopen(options.times_path.c_str(), "w");
  if (times != nullptr) std::fprintf(times, "table\tround\tvariant\twall_ms\tcpu_ms\n");
  open_window();

  std::fprintf(report, "GL: %s, %s\n\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)),
               reinterpret_cast<const char*>(glGetString(GL_VERSION)));
  std::fprintf(report, "| table (splines x sites), time | numbers per frame | product ms | literal ms | floor ms | "
                       "literal / product | product / floor |\n");
  std::fprintf(report, "|---|---|---|---|---|---|---|\n");
  for (const auto& [splines, sites] : options.tables) {
    reference_frame::build_table(splines, sites);
    const int numbers = 2 * scene.spline_count + (view.show_site_table ? 4 * scene.sites_per_spline : 0);
    for (int k = 0; k < options.warmup; ++k)
      for (int v = 0; v < VARIANT_COUNT; ++v)
        if (v != 1 || options.literal) timed_frame(VARIANTS[v]);
    std::vector<double> wall[VARIANT_COUNT], cpu[VARIANT_COUNT];
    for (int round = 0; round < options.frames; ++round) {
      // A B C, then C B A: each variant follows each other one equally often.
      for (int j = 0; j < VARIANT_COUNT; ++j) {
        const int v = round % 2 == 0 ? j : VARIANT_COUNT - 1 - j;
        if (v == 1 && !options.literal) continue;
        const FrameTime t = timed_frame(VARIANTS[v]);
        wall[v].push_back(t.wall_ms);
        cpu[v].push_back(t.cpu_ms);
        if (times != nullptr)
          std::fprintf(times, "%dx%d\t%d\t%s\t%.3f\t%.3f\n", splines, sites, round, VARIANTS[v].name, t.wall_ms,
                       t.cpu_ms);
      }
      glutMainLoopEvent();
    }
    const std::string table = std::to_string(splines) + " x " + std::to_string(sites);
    report_row(report, table + ", wall", numbers, wall, options.literal);
    report_row(report, table + ", CPU", numbers, cpu, options.literal);
    std::fflush(report);
  }
  if (times != nullptr) std::fclose(times);
  std::fclose(report);
  bench::leave_scratch_directory();
  return 0;
}
