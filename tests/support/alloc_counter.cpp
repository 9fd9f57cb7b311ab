// Replaces the global allocation functions of the test program. On ELF
// platforms the shared libraries it loads (lufio, lusys, the C++ runtime)
// allocate through these too; a Windows DLL keeps its own. Every form is
// replaced, as a sanitizer's runtime brings its own of each. ThreadSanitizer brings its own
// allocation functions: there nothing is counted (LUFIO_TEST_NO_ALLOCATOR).
// Atomic counts keep threads apart.
#include "support/alloc_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/platform_facts.h"

namespace {

std::atomic<std::uint64_t> g_count{0};
std::atomic<std::uint64_t> g_fail_at{0};  // absolute count at which to fail; 0: never

[[maybe_unused]] void* Allocate(std::size_t size) {
  std::uint64_t count = ++g_count;
  void* p = g_fail_at.compare_exchange_strong(count, 0) ? nullptr : std::malloc(size == 0 ? 1 : size);
  return p != nullptr ? p : throw std::bad_alloc();
}

}  // namespace

namespace lufio::test {

std::uint64_t AllocationCount() { return g_count; }

void FailAllocation(std::uint64_t n) { g_fail_at = n == 0 ? 0 : g_count + n; }

}  // namespace lufio::test

#if !LUFIO_TEST_NO_ALLOCATOR
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
#endif
