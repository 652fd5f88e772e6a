#include "text/general_to_chars.h"

#include <cstdio>
#include <system_error>

namespace splines {

std::to_chars_result printf_general_to_chars(char* first, char* last, double value, int precision) {
  char text[40];  // a sign, 32 digits, a point and a four-character exponent
  const int length = std::snprintf(text, sizeof text, "%.*g", precision, value);
  if (length < 0 || length >= static_cast<int>(sizeof text) || length > last - first)
    return {last, std::errc::value_too_large};
  for (int k = 0; k < length; ++k) first[k] = text[k];
  return {first + length, std::errc{}};
}

}  // namespace splines
