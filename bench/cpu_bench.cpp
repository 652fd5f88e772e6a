// The CPU side against a GL that does nothing: the closed spline per point, whole frames and the number
// conversion, each timed on the library's path and on the literal reference path alternately in the
// same benchmark, with the ratio reported. Console lines of the numbers go to a scratch file.
//
//   cpu_bench [--summary FILE] [Google Benchmark flags]
//
// A benchmark's own time covers all its paths; the counters give each path per unit. --summary writes
// a Markdown table per kind of benchmark: every counter's median and range over the repetitions.
#include <benchmark/benchmark.h>
#include <ext/stdio_filebuf.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <string>
#include <cstdio>
#include <iostream>
#include <map>
#include <random>
#include <vector>

#include "app/frame.h"
#include "app/view_state.h"
#include "bench/bench_support.h"
#include "scene/closed_spline.h"
#include "tests/support/literal_reference.h"
#include "text/number_label.h"

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point from, Clock::time_point to) { return std::chrono::duration<double>(to - from).count(); }

constexpr int VALUE_SETS = 64;      // distinct inputs cycled through, as a frame's many curves are
constexpr int SPLINE_BATCH = 256;   // calls per path per iteration, so the clock's cost is negligible
constexpr int NUMBER_BATCH = 16;    // conversions per path per iteration

// One way of doing the work: runs a batch of calls when asked.
struct Path {
  const char* name;
  std::function<void(int batch)> run;
  double seconds = 0.0;
};

// Times the paths in turn, a batch of calls each per iteration; a counter per path gives its time per
// unit. Returns the paths with their total times.
std::vector<Path> alternate(benchmark::State& state, double units_per_call, int batch, const std::string& unit,
                            double scale, std::vector<Path> paths) {
  long calls = 0;
  for (auto _ : state) {
    for (Path& path : paths) {
      const auto t0 = Clock::now();
      path.run(batch);
      const double s = seconds(t0, Clock::now());
      path.seconds += s;
    }
    calls += batch;
  }
  const double units = static_cast<double>(calls) * units_per_call;
  for (const Path& path : paths) state.counters[std::string(path.name) + "_" + unit] = path.seconds * scale / units;
  return paths;
}

// n + 1 values per call, spread as the editor's sites and the run points are.
void BM_closed_spline(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::mt19937 engine(20261208);
  std::uniform_real_distribution<float> coordinate(-650.0f, 650.0f);
  std::vector<std::vector<float>> values(VALUE_SETS, std::vector<float>(static_cast<std::size_t>(count)));
  for (auto& set : values)
    for (float& v : set) v = coordinate(engine);
  Cubic segments[MAX_SITES];
  const auto solve_with = [&](void (*solve)(int, const float*, Cubic*)) {
    return [&values, &segments, solve, count](int batch) {
      for (int k = 0; k < batch; ++k) {
        solve(count - 1, values[static_cast<std::size_t>(k % VALUE_SETS)].data(), segments);
        benchmark::DoNotOptimize(segments);
        benchmark::ClobberMemory();
      }
    };
  };
  const auto paths = alternate(state, count, SPLINE_BATCH, "ns_per_point", 1e9,
                               {{"product", solve_with(closed_spline)}, {"literal", solve_with(literal::closed_spline)}});
  state.counters["literal/product"] = paths[1].seconds / paths[0].seconds;
}
BENCHMARK(BM_closed_spline)->Name("closed_spline/points")->Arg(3)->Arg(12)->Arg(100)->UseRealTime();

// One whole frame of a table built through the scene's commands, trail and site table on, with the
// graphics floor (numbers formatted in memory: no file, no console) alongside.
void BM_frame(benchmark::State& state) {
  reference_frame::build_table(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  set_perspective(SCREEN_WIDTH, SCREEN_HEIGHT);
  display();  // the solid shapes' display lists are made on the first frame
  const auto paths = alternate(state, 1.0, 1, "ms_per_frame", 1e3,
                               {{"product", [](int) { display(); }},
                                {"literal", [](int) { reference_frame::display(reference_frame::LITERAL); }},
                                {"floor", [](int) { reference_frame::display(reference_frame::FLOOR); }}});
  state.counters["literal/product"] = paths[1].seconds / paths[0].seconds;
  state.counters["product/floor"] = paths[0].seconds / paths[2].seconds;
}
BENCHMARK(BM_frame)
    ->Name("frame/splines/sites")
    ->Args({7, 12})
    ->Args({12, 24})
    ->Args({100, 100})
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// One number through "1.txt" and its console line, a start-scene frame's kinds of values in turn.
void BM_number(benchmark::State& state) {
  static const float values[] = {23.505161f, 0.0f, -123.4567f, 137.25f, 0.158211f, 12.0f, -77.8125f, 1234567.0f};
  constexpr int value_count = static_cast<int>(sizeof values / sizeof values[0]);
  const auto convert_with = [](void (*convert)(float, NumberField&)) {
    return [convert](int batch) {
      NumberField field;
      for (int k = 0; k < batch; ++k) {
        convert(values[k % value_count], field);
        benchmark::DoNotOptimize(field);
      }
    };
  };
  const auto paths = alternate(state, 1.0, NUMBER_BATCH, "us_per_number", 1e6,
                               {{"product", convert_with(number_to_text)},
                                {"literal", convert_with(literal::number_to_text)},
                                {"in_memory", convert_with(reference_frame::number_to_text_in_memory)}});
  state.counters["literal/product"] = paths[1].seconds / paths[0].seconds;
}
BENCHMARK(BM_number)->Name("number_to_text")->UseRealTime()->Unit(benchmark::kMicrosecond);

// Columns in the order: the library's path, the literal path, the others, then the ratios.
int column_rank(const std::string& name) {
  if (name.rfind("product_", 0) == 0) return 0;
  if (name.rfind("literal_", 0) == 0) return 1;
  if (name.find('/') == std::string::npos) return 2;
  return name.rfind("literal/", 0) == 0 ? 3 : 4;
}

// Whether a run ended before it timed anything (an error or a skip): its counters are not kept.
bool ended_early(const benchmark::BenchmarkReporter::Run& run) {
#if SPLINES_BENCHMARK_RUN_SKIPPED
  return static_cast<bool>(run.skipped);
#else
  return run.error_occurred;
#endif
}

// The console report, and every repetition's counters kept for the summary.
class SummaryReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Iteration || ended_early(run)) continue;
      Family& family = family_of(run.run_name.function_name);
      auto& rows = family.rows;
      const std::string row = run.run_name.args.empty() ? run.run_name.function_name : run.run_name.args;
      if (rows.empty() || rows.back().first != row) rows.push_back({row, {}});
      for (const auto& [name, counter] : run.counters) {
        rows.back().second[name].push_back(counter.value);
        if (std::find(family.columns.begin(), family.columns.end(), name) == family.columns.end())
          family.columns.push_back(name);
      }
      std::stable_sort(family.columns.begin(), family.columns.end(),
                       [](const std::string& a, const std::string& b) { return column_rank(a) < column_rank(b); });
    }
  }

  // One table per kind of benchmark: a row per argument set, each counter as median (min-max).
  void write_summary(std::FILE* out) const {
    for (const Family& family : families_) {
      std::fprintf(out, "\n| %s |", family.name.c_str());
      for (const std::string& c : family.columns) std::fprintf(out, " %s |", c.c_str());
      std::fprintf(out, "\n|---|");
      for (std::size_t k = 0; k < family.columns.size(); ++k) std::fprintf(out, "---|");
      std::fprintf(out, "\n");
      for (const auto& [row, counters] : family.rows) {
        std::fprintf(out, "| %s |", row.c_str());
        for (const std::string& c : family.columns) {
          const auto it = counters.find(c);
          if (it == counters.end()) {
            std::fprintf(out, " |");
            continue;
          }
          const bench::Spread s = bench::spread_of(it->second);
          if (it->second.size() > 1)
            std::fprintf(out, " %.3g (%.3g-%.3g) |", s.median, s.min, s.max);
          else
            std::fprintf(out, " %.3g |", s.median);
        }
        std::fprintf(out, "\n");
      }
    }
  }

 private:
  struct Family {
    std::string name;
    std::vector<std::string> columns;
    std::vector<std::pair<std::string, std::map<std::string, std::vector<double>>>> rows;
  };
  Family& family_of(const std::string& name) {
    for (Family& f : families_)
      if (f.name == name) return f;
    families_.push_back({name, {}, {}});
    return families_.back();
  }
  std::vector<Family> families_;
};

// Takes --summary FILE out of the arguments; empty when not given.
std::string take_summary_path(int& argc, char** argv) {
  std::string path;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--summary" && i + 1 < argc)
      path = argv[++i];
    else if (arg.rfind("--summary=", 0) == 0)
      path = arg.substr(10);
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  return path;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string summary_path = take_summary_path(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  // The summary's path is taken before the working directory changes.
  std::FILE* summary = summary_path.empty() ? nullptr : std::fopen(summary_path.c_str(), "w");
  if (!summary_path.empty() && summary == nullptr) {
    std::perror(summary_path.c_str());
    return 1;
  }
  const int report_fd = bench::enter_scratch_directory();
  {
    __gnu_cxx::stdio_filebuf<char> report_buffer(report_fd, std::ios::out);
    std::ostream report(&report_buffer);
    SummaryReporter reporter;
    reporter.SetOutputStream(&report);
    reporter.SetErrorStream(&std::cerr);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    report.flush();
    if (summary != nullptr) {
      reporter.write_summary(summary);
      std::fclose(summary);
    }
  }
  benchmark::Shutdown();
  bench::leave_scratch_directory();
  return 0;
}
