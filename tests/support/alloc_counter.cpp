// Replaces the global allocation functions of the test program. On ELF
// platforms the shared libraries it loads (lufio, lusys, the C++ runtime)
// allocate through these too; a Windows DLL keeps its own.
#include "support/alloc_counter.h"

#include <cstdlib>
#include <new>

namespace {

std::uint64_t g_count = 0;
std::uint64_t g_fail_at = 0;  // absolute count at which to fail; 0: never

void* Allocate(std::size_t size) {
  ++g_count;
  if (g_fail_at != 0 && g_count == g_fail_at) {
    g_fail_at = 0;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}

}  // namespace

namespace lufio::test {

std::uint64_t AllocationCount() { return g_count; }

void FailAllocation(std::uint64_t n) { g_fail_at = n == 0 ? 0 : g_count + n; }

}  // namespace lufio::test

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept { return operator new(size, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
