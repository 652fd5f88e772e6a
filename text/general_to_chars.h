// A double as text in the general format with a given precision, as std::to_chars writes it. Where
// the standard library has no floating-point to_chars (the build defines SPLINES_NO_FLOAT_TO_CHARS),
// printf's %.*g writes it instead: the same text in the C locale, which the viewer never changes.
#pragma once

#include <charconv>
#include <cstdio>
#include <system_error>

namespace splines {

// printf's text of the value, in to_chars's form: the end of the text, or value_too_large.
inline std::to_chars_result printf_general_to_chars(char* first, char* last, double value, int precision) {
  char text[40];  // a sign, 32 digits, a point and a four-character exponent
  const int length = std::snprintf(text, sizeof text, "%.*g", precision, value);
  if (length < 0 || length >= static_cast<int>(sizeof text) || length > last - first)
    return {last, std::errc::value_too_large};
  for (int k = 0; k < length; ++k) first[k] = text[k];
  return {first + length, std::errc{}};
}

inline std::to_chars_result general_to_chars(char* first, char* last, double value, int precision) {
#ifdef SPLINES_NO_FLOAT_TO_CHARS
  return printf_general_to_chars(first, last, value, precision);
#else
  return std::to_chars(first, last, value, std::chars_format::general, precision);
#endif
}

}  // namespace splines
