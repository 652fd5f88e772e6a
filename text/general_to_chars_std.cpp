#include "text/general_to_chars.h"

namespace splines {

std::to_chars_result general_to_chars(char* first, char* last, double value, int precision) {
  return std::to_chars(first, last, value, std::chars_format::general, precision);
}

}  // namespace splines
