// Numbers turned into text through the scratch file: the text, the file, the field, the console line.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <charconv>
#include <cmath>
#include <fstream>
#include <random>
#include <string>

#include "tests/support/test_support.h"
#include "tests/support/number_checks.h"
#include "text/general_to_chars.h"
#include "text/number_label.h"
#include "text/scratch_file.h"

namespace {

using testing_support::scratch_text;
using testing_support::stdout_lines;

struct Formatting {
  float value;
  const char* text;
};

// Six significant digits at most, trailing zeros dropped, exponent form below 1e-4 and from 1e6 on.
constexpr Formatting FORMATTING[] = {
    {23.505161f, "23.5052"},         // the start scene's length offset
    {23.0f, "23"},
    {1.1f, "1.1"},
    {-123.4567f, "-123.457"},        // the minus sign counts
    {0.0f, "0"},                     // row number 0 of the site table
    {123456.7f, "123457"},
    {1234.5678f, "1234.57"},
    {1234567.0f, "1.23457e+06"},     // a million or more
    {999999.5f, "1e+06"},            // a million only after rounding to six digits
    {-2.5e7f, "-2.5e+07"},
    {0.00001234f, "1.234e-05"},      // below 0.0001
    {0.0001f, "0.0001"},             // 0.0001 itself stays fixed
    {0.5f, "0.5"},
};

class NumberToText : public ::testing::Test {
 protected:
  testing_support::ScratchDirectory directory;  // "1.txt" of this test only
};

TEST_F(NumberToText, WritesTheStreamTextReadsItBackAndCountsIt) {
  for (const Formatting& f : FORMATTING) {
    SCOPED_TRACE(f.text);
    NumberField field;
    std::memset(field, '#', sizeof field);  // a used field: every position must be written again
    const auto lines = stdout_lines([&] { number_to_text(f.value, field); });
    const std::string text = f.text;
    EXPECT_EQ(lines, std::vector<std::string>{std::to_string(text.size())});
    EXPECT_EQ(scratch_text(), text);  // exactly the text: no separator, no line end
    EXPECT_EQ(std::string(field, text.size()), text);
    EXPECT_EQ(std::string(field + text.size(), NUMBER_FIELD_LENGTH - text.size()),
              std::string(NUMBER_FIELD_LENGTH - text.size(), ' '));
    EXPECT_EQ(field[NUMBER_FIELD_LENGTH], '\0');
  }
}

// The text where the library lacks floating-point to_chars is to_chars's own, for the table and for
// random float bit patterns (infinities and subnormals among them); a short buffer is refused. NaNs
// are left out: C libraries differ on their sign (Windows' printf drops it), and no label shows one.
TEST(PrintfGeneralToChars, WritesToCharsText) {
  std::mt19937 random(19);
  std::vector<float> values;
  for (const Formatting& f : FORMATTING) values.push_back(f.value);
  for (int k = 0; k < 200000; ++k) {
    const std::uint32_t bits = random();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    if (!std::isnan(value)) values.push_back(value);
  }
  for (const float value : values) {
    char expected[32], text[32];
    char* expected_end =
        std::to_chars(expected, expected + sizeof expected, double(value), std::chars_format::general, 6).ptr;
    const auto [end, error] = splines::printf_general_to_chars(text, text + sizeof text, value, 6);
    ASSERT_EQ(error, std::errc{});
    ASSERT_EQ(std::string(text, end), std::string(expected, expected_end)) << value;
  }
  char small[4];
  EXPECT_EQ(splines::printf_general_to_chars(small, small + sizeof small, 23.505161, 6).ec, std::errc::value_too_large);
}

TEST_F(NumberToText, EmptiesALongerFileBeforeWriting) {
  std::ofstream("1.txt") << "-0.000123456789 and more\n";
  NumberField field;
  const auto lines = stdout_lines([&] { number_to_text(5.0f, field); });
  EXPECT_EQ(lines, std::vector<std::string>{"1"});
  EXPECT_EQ(scratch_text(), "5");
  EXPECT_EQ(field[1], ' ');
}

// A directory in the file's place (on every platform): nothing written and nothing read, the field
// left as it was, the console line "0", and the system's error number of the failed write reported.
TEST_F(NumberToText, ADirectoryInItsPlaceReadsNothingAndReportsTheWriteError) {
  std::filesystem::create_directory("1.txt");
  NumberField field;
  std::memset(field, ' ', sizeof field);
  const ScratchTrip trip = round_trip_scratch_file("12.5", 4, field);
  EXPECT_EQ(trip.count, 0);
  EXPECT_NE(trip.write_error, 0);
  EXPECT_EQ(field[0], ' ');
  EXPECT_EQ(stdout_lines([&] { number_to_text(12.5f, field); }), std::vector<std::string>{"0"});
  EXPECT_TRUE(std::filesystem::is_directory("1.txt"));
}

}  // namespace
