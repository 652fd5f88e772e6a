// What both benchmark programs need: a scratch working directory with the console lines sent to a file
// there, and the median and range of a set of timings.
#pragma once

#include <string>
#include <vector>

namespace bench {

// Makes a fresh directory under $TMPDIR (or /tmp) the working directory, so that "1.txt" lands there,
// and sends standard output (the numbers' console lines) to console_path, by default "console.txt"
// in that directory. Returns a descriptor of the original standard output for the report.
int enter_scratch_directory(const std::string& console_path = "");

// Removes the scratch directory made by enter_scratch_directory (when the console went elsewhere).
void leave_scratch_directory();

struct Spread {
  double median, min, max;
};
Spread spread_of(std::vector<double> values);

}  // namespace bench
