// The number conversion that rewrites "1.txt" in place and prints with one write gives, in every state
// of the scratch file, the console lines, the fields and the file of the stream-by-stream conversion.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "tests/support/literal_reference.h"
#include "tests/support/number_checks.h"
#include "tests/support/privilege.h"
#include "tests/support/test_support.h"
#include "text/number_label.h"

namespace {

namespace fs = std::filesystem;
using testing_support::stdout_lines;
using testing_support::WithoutPrivilege;
using Convert = void (*)(float, NumberField&);

float float_of_bits(std::uint32_t bits) {
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

std::uint32_t bits_of(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  return bits;
}

std::string long_text(int length) {
  std::string text;
  for (int k = 0; k < length; ++k) text += static_cast<char>('0' + k % 10);
  return text;
}

void write_scratch(const std::string& text, mode_t mode) {
  std::ofstream("1.txt", std::ios::binary) << text;
  ASSERT_EQ(chmod("1.txt", mode), 0);
}

// One state of the working directory before the first conversion.
struct ScratchState {
  const char* name;
  void (*make)(const std::string& directory);
  bool unprivileged;  // converted as an ordinary user, so that permission bits bind
};

const ScratchState STATES[] = {
    {"absent", [](const std::string&) {}, false},
    {"shorter text", [](const std::string&) { write_scratch("7", 0644); }, false},
    {"longer text", [](const std::string&) { write_scratch("-0.000123456789 and more\n", 0644); }, false},
    {"overlong writable", [](const std::string&) { write_scratch(long_text(300), 0644); }, false},
    {"directory", [](const std::string&) { fs::create_directory("1.txt"); }, false},
    {"link to /dev/null", [](const std::string&) { fs::create_symlink("/dev/null", "1.txt"); }, false},
    {"link to /dev/zero", [](const std::string&) { fs::create_symlink("/dev/zero", "1.txt"); }, false},
    {"named pipe", [](const std::string&) { ASSERT_EQ(mkfifo("1.txt", 0666), 0); }, false},
    {"named pipe, ordinary user", [](const std::string&) { ASSERT_EQ(mkfifo("1.txt", 0222), 0); }, true},
    {"link into a missing directory", [](const std::string&) { fs::create_symlink("missing/1.txt", "1.txt"); },
     false},
    {"read-only older text", [](const std::string&) { write_scratch("-98.7654", 0444); }, true},
    {"read-only overlong", [](const std::string&) { write_scratch(long_text(300), 0444); }, true},
    {"write-only older text", [](const std::string&) { write_scratch("-98.7654", 0222); }, true},
    {"cannot be created", [](const std::string& d) { ASSERT_EQ(chmod(d.c_str(), 0555), 0); }, true},
};

const float VALUES[] = {23.505161f, 0.0f, -0.0f, 1.1f, -123.4567f, 1234567.0f, 999999.5f, 0.00001234f,
                        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
                        -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::max(),
                        std::numeric_limits<float>::denorm_min(), 5.0f};

// What one conversion leaves behind.
struct Outcome {
  std::vector<std::string> lines;
  std::string field;    // all 256 characters and the terminator
  std::string file;     // "1.txt" as root reads it, or a mark of what stands there instead
  bool operator==(const Outcome& o) const { return lines == o.lines && field == o.field && file == o.file; }
};

std::string what_stands_there() {
  std::error_code error;
  const fs::file_status status = fs::symlink_status("1.txt", error);
  if (!fs::exists(status)) return "<none>";
  if (fs::is_directory(status)) return "<directory>";
  if (fs::is_symlink(status)) return "<link to " + fs::read_symlink("1.txt").string() + ">";
  if (fs::is_fifo(status)) return "<named pipe>";
  std::ifstream in("1.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every value converted in turn from one state of a fresh working directory.
std::vector<Outcome> conversions(const ScratchState& state, Convert convert) {
  testing_support::ScratchDirectory directory;
  EXPECT_EQ(chmod(directory.path().c_str(), 0755), 0);  // the ordinary user must reach "1.txt"
  state.make(directory.path());
  std::vector<Outcome> outcomes;
  for (float value : VALUES) {
    NumberField field;
    std::memset(field, '#', sizeof field);
    Outcome o;
    {
      std::optional<WithoutPrivilege> guard;
      if (state.unprivileged) guard.emplace();
      o.lines = stdout_lines([&] { convert(value, field); });
    }
    o.field.assign(field, sizeof field);
    o.file = what_stands_there();
    outcomes.push_back(o);
  }
  EXPECT_EQ(chmod(directory.path().c_str(), 0700), 0);
  return outcomes;
}

TEST(NumberTextLiteral, SameLinesFieldsAndFileInEveryStateOfTheScratchFile) {
  {
    WithoutPrivilege probe;
    if (!probe.permissions_bind()) GTEST_SKIP() << "the effective user cannot be made an ordinary one";
  }
  for (const ScratchState& state : STATES) {
    SCOPED_TRACE(state.name);
    const std::vector<Outcome> fast = conversions(state, number_to_text);
    const std::vector<Outcome> literal = conversions(state, literal::number_to_text);
    ASSERT_EQ(fast.size(), literal.size());
    for (std::size_t k = 0; k < fast.size(); ++k) {
      EXPECT_EQ(fast[k].lines, literal[k].lines) << "value " << VALUES[k];
      EXPECT_EQ(fast[k].field, literal[k].field) << "value " << VALUES[k];
      EXPECT_EQ(fast[k].file, literal[k].file) << "value " << VALUES[k];
    }
  }
}

// Every binade of the floats, with values rounding across the six-digit and exponent-form borders.
TEST(NumberTextLiteral, TheTextOfAFreshStreamForFloatsOfEveryMagnitude) {
  testing_support::ScratchDirectory directory;
  std::mt19937 engine(424242);
  std::vector<float> values = {999999.5f, 999999.4f, 0.0001f, 0.000099999995f, 9.999995e-5f, 1e-45f, 123456.5f};
  for (std::uint32_t exponent = 0; exponent < 255; ++exponent)
    for (int k = 0; k < 24; ++k) {
      const std::uint32_t bits = (engine() & 0x807FFFFFu) | (exponent << 23);
      values.push_back(float_of_bits(bits));
    }
  std::vector<std::string> lines = stdout_lines([&] {
    for (float value : values) {
      NumberField field;
      number_to_text(value, field);
      const std::string text = testing_support::stream_text(value);
      ASSERT_EQ(std::string(field, text.size()), text) << bits_of(value);
      ASSERT_EQ(testing_support::scratch_text(), text) << bits_of(value);
    }
  });
  ASSERT_EQ(lines.size(), values.size());
  for (std::size_t k = 0; k < values.size(); ++k)
    ASSERT_EQ(lines[k], std::to_string(testing_support::stream_text(values[k]).size()));
}

// In a child process, so that the console's state stays there: numbers converted while the console
// refuses every line (/dev/full), then with a console that takes lines again. What reached it after.
std::string console_after_a_refusal(Convert convert, bool refuse) {
  std::fflush(stdout);
  const pid_t child = fork();
  if (child == 0) {
    NumberField field;
    if (refuse) {
      dup2(open("/dev/full", O_WRONLY), STDOUT_FILENO);
      convert(1.5f, field);
    }
    dup2(open("after.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644), STDOUT_FILENO);
    convert(2.5f, field);
    convert(-30.25f, field);
    std::fflush(stdout);
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  std::ifstream in("after.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(NumberTextLiteral, AfterALineTheConsoleRefusedNoneFollow) {
  testing_support::ScratchDirectory directory;
  EXPECT_EQ(console_after_a_refusal(literal::number_to_text, false), "3\n6\n");
  EXPECT_EQ(console_after_a_refusal(number_to_text, false), "3\n6\n");
  EXPECT_EQ(console_after_a_refusal(literal::number_to_text, true), "");
  EXPECT_EQ(console_after_a_refusal(number_to_text, true), "");
}

}  // namespace
