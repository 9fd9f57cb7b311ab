// The temporary directories and file helpers, and the replaced global
// allocation functions. On ELF platforms the shared libraries the program
// loads (lufio, lusys, the C++ runtime) allocate through these too; a Windows
// DLL keeps its own. Every form is replaced, as a sanitizer's runtime brings
// its own of each; under ThreadSanitizer, whose own may not be replaced,
// nothing is counted (LUFIO_TEST_NO_ALLOCATOR).
#include "support/support.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <system_error>

namespace lufio::test {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<unsigned> serial{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  std::error_code ec;
  do {
    path_ =
        (fs::temp_directory_path() / ("lufio-test-" + std::to_string(stamp) + "-" + std::to_string(serial++))).string();
  } while (!fs::create_directory(path_, ec));
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempDir::File(const std::string& name) const { return (fs::path(path_) / name).string(); }

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

const std::vector<sys::fault::Call>& FaultCallsOf(int i) {
  using C = sys::fault::Call;
  static const std::vector<C> calls[] = {{C::SetFilePointer, C::SetFilePointer, C::FlushFileBuffers, C::ReadFile,
                                          C::WriteFile, C::CreateFileA, C::CloseHandle},
                                         {C::Tell, C::LSeek, C::Commit, C::Read, C::Write, C::SOpen, C::Close},
                                         {},
                                         {}};
  return calls[i];
}

namespace {
std::atomic<std::uint64_t> g_count{0};
std::atomic<std::uint64_t> g_fail_at{0};  // the count at which to fail; 0: never
}  // namespace

std::uint64_t AllocationCount() { return g_count; }

void FailAllocation(std::uint64_t n) { g_fail_at = n == 0 ? 0 : g_count + n; }

[[maybe_unused]] static void* Allocate(std::size_t size) {
  std::uint64_t count = ++g_count;
  void* p = g_fail_at.compare_exchange_strong(count, 0) ? nullptr : std::malloc(size == 0 ? 1 : size);
  return p != nullptr ? p : throw std::bad_alloc();
}

}  // namespace lufio::test

#if !LUFIO_TEST_NO_ALLOCATOR
void* operator new(std::size_t size) { return lufio::test::Allocate(size); }
void* operator new[](std::size_t size) { return lufio::test::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return lufio::test::Allocate(size);
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
