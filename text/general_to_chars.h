// A double as text in the general format with a given precision, as std::to_chars writes it. Where
// the standard library has no floating-point to_chars, the build takes general_to_chars_printf.cpp in
// place of general_to_chars_std.cpp: printf's %.*g writes the same text in the C locale, which the
// viewer never changes.
#pragma once

#include <charconv>

namespace splines {

// printf's text of the value, in to_chars's form: the end of the text, or value_too_large.
std::to_chars_result printf_general_to_chars(char* first, char* last, double value, int precision);

// The text the platform's build chose: std::to_chars's or printf's.
std::to_chars_result general_to_chars(char* first, char* last, double value, int precision);

}  // namespace splines
