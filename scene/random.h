// The system's only source of random values: a 32-bit linear congruential generator.
#pragma once

#include <cstdint>

namespace lcg {

// Process-wide generator state: 1 at start, never reseeded, so every start draws the same sequence.
struct Generator {
  std::uint32_t s = 1;  // state; each draw sets s = s * 214013 + 2531011 (mod 2^32)
};

extern Generator generator;

// Next value, 0 .. 32767. Kept in its own namespace so it never meets the C library's rand.
int rand();

}  // namespace lcg
