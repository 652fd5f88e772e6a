// Shared helpers of the tests: a fresh process state, stdout capture, a scratch working directory.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/gl_recorder.h"
#include "tests/support/process_state.h"

namespace testing_support {

// Runs f and returns what it printed on stdout, one entry per line.
template <typename F>
std::vector<std::string> stdout_lines(F&& f);

std::vector<std::string> split_lines(const std::string& text);

// A directory in memory (/dev/shm) when the machine has one, else the temporary directory: a run of
// many frames rewrites "1.txt" for every number, which on a disk file system waits for the disk.
std::string memory_backed_directory();

// A fresh temporary directory made the working directory for the life of the object; the old
// working directory is restored and the directory removed on destruction.
class ScratchDirectory {
 public:
  ScratchDirectory();
  // Made inside parent instead of the temporary directory.
  explicit ScratchDirectory(const std::string& parent);
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
  pid_t owner_ = 0;  // the process that made the directory
};

}  // namespace testing_support

#include <gtest/gtest.h>

namespace testing_support {

template <typename F>
std::vector<std::string> stdout_lines(F&& f) {
  ::testing::internal::CaptureStdout();
  f();
  return split_lines(::testing::internal::GetCapturedStdout());
}

}  // namespace testing_support
