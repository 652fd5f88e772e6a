// Shared helpers of the tests.
#include "tests/support/test_support.h"

#include <unistd.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace testing_support {

namespace {

// A new directory named by the template, its trailing XXXXXX made unique; null where none could be made.
char* make_unique_directory(char* name) {
#ifdef _WIN32
  return _mktemp(name) != nullptr && _mkdir(name) == 0 ? name : nullptr;
#else
  return mkdtemp(name);
#endif
}

}  // namespace

std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string memory_backed_directory() {
  std::error_code ignored;
  if (std::filesystem::is_directory("/dev/shm", ignored) && access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return std::filesystem::temp_directory_path().string();
}

ScratchDirectory::ScratchDirectory() : ScratchDirectory(std::filesystem::temp_directory_path().string()) {}

ScratchDirectory::ScratchDirectory(const std::string& parent) {
  std::string templ = (std::filesystem::path(parent) / "splines-test-XXXXXX").string();
  if (make_unique_directory(templ.data()) == nullptr) throw std::runtime_error("no scratch directory");
  path_ = templ;
  owner_ = getpid();
  previous_ = std::filesystem::current_path().string();
  std::filesystem::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  // A death test's child ends through exit() and runs this too; only the process that made the
  // directory removes it, or the parent's later tests would lose their working directory.
  if (getpid() != owner_) return;
  std::error_code ignored;
  std::filesystem::current_path(previous_, ignored);
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support

namespace {

// Every test executable works in a temporary directory of its own, so scratch files never land
// in the source or build tree.
class ScratchWorkingDirectory : public ::testing::Environment {
 public:
  void SetUp() override { directory_ = std::make_unique<testing_support::ScratchDirectory>(); }
  void TearDown() override { directory_.reset(); }

 private:
  std::unique_ptr<testing_support::ScratchDirectory> directory_;
};

[[maybe_unused]] ::testing::Environment* const scratch_environment =
    ::testing::AddGlobalTestEnvironment(new ScratchWorkingDirectory);

}  // namespace
