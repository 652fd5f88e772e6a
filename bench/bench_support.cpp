// Scratch working directory and console redirection of the benchmark programs; medians and ranges.
#include "bench/bench_support.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace bench {

namespace {

std::string scratch_directory;

}  // namespace

int enter_scratch_directory(const std::string& console_path) {
  const char* tmp = std::getenv("TMPDIR");
  std::string templ = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/splines-bench-XXXXXX";
  if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("cannot make a scratch directory in " + templ);
  scratch_directory = templ;
  std::filesystem::current_path(scratch_directory);

  std::fflush(stdout);
  const int report = dup(STDOUT_FILENO);
  const std::string console = console_path.empty() ? scratch_directory + "/console.txt" : console_path;
  const int fd = open(console.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (report < 0 || fd < 0 || dup2(fd, STDOUT_FILENO) < 0) throw std::runtime_error("cannot send the console to " + console);
  close(fd);
  return report;
}

void leave_scratch_directory() {
  if (scratch_directory.empty()) return;
  std::error_code ignored;
  std::filesystem::current_path("/", ignored);
  std::filesystem::remove_all(scratch_directory, ignored);
  scratch_directory.clear();
}

Spread spread_of(std::vector<double> values) {
  if (values.empty()) return {0.0, 0.0, 0.0};
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
  return {median, values.front(), values.back()};
}

}  // namespace bench
