// Heap allocations of the process, counted by a replaced malloc: link allocation_counter.cpp into one
// executable only, since a program can replace its allocator once.
#pragma once

namespace testing_support {

// Every malloc, calloc and realloc since the process started; operator new allocates through malloc.
long heap_allocations();

// The allocations made while f runs.
template <typename F>
long allocations_during(F&& f) {
  const long before = heap_allocations();
  f();
  return heap_allocations() - before;
}

}  // namespace testing_support
