// The process's malloc family replaced by counting wrappers around glibc's own allocator.
#include "tests/support/allocation_counter.h"

#include <atomic>
#include <cstddef>

extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* block, std::size_t size);
void __libc_free(void* block);
}

namespace {

std::atomic<long> allocations{0};

}  // namespace

extern "C" {

void* malloc(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_malloc(size);
}

void* calloc(std::size_t count, std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_calloc(count, size);
}

void* realloc(void* block, std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  return __libc_realloc(block, size);
}

void free(void* block) { __libc_free(block); }

}  // extern "C"

namespace testing_support {

long heap_allocations() { return allocations.load(std::memory_order_relaxed); }

}  // namespace testing_support
