// The system's linear congruential generator.
#include "scene/random.h"

namespace lcg {

Generator generator;

int rand() {
  generator.s = generator.s * 214013u + 2531011u;
  return static_cast<int>((generator.s >> 16) & 32767u);
}

}  // namespace lcg
