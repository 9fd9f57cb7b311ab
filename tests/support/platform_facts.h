// What the platform under test does differently, for tests that assert each
// platform's own behaviour. The test build sets each LUFIO_TEST_ macro to 0 or 1.
#ifndef LUFIO_TESTS_SUPPORT_PLATFORM_FACTS_H_
#define LUFIO_TESTS_SUPPORT_PLATFORM_FACTS_H_

#include <lusys/types.h>

#include <filesystem>

namespace lufio::test {

inline constexpr bool kOnWindows = LUFIO_TEST_ON_WINDOWS != 0;
// The separator that joins a directory and a name.
inline constexpr char kPathSeparator = kOnWindows ? '\\' : '/';
// The code for a missing file: ERROR_FILE_NOT_FOUND and ENOENT agree.
inline constexpr lusys::ULong kFileNotFound = 2;
// The code lufio reports for an operation on a closed object:
// ERROR_INVALID_HANDLE on Windows, EBADF elsewhere.
inline constexpr lusys::ULong kClosedHandle = kOnWindows ? 6 : 9;
// A program's replacement of the global operator new also serves the shared
// libraries it loads (ELF); a Windows DLL keeps the allocator of the runtime
// it was linked with, so the program sees none of lufio's own allocations.
// Under ThreadSanitizer the program replaces nothing (LUFIO_TEST_NO_ALLOCATOR).
inline constexpr bool kReplacedOperatorNewReachesLibraries = !kOnWindows && LUFIO_TEST_NO_ALLOCATOR == 0;

// The Windows build's tests run under Wine here (the build sets
// LUFIO_TEST_UNDER_WINE), which differs from Windows in a few corners.
inline constexpr bool kUnderWine = LUFIO_TEST_UNDER_WINE != 0;

// The process's open descriptors where the system lists them (Linux), else
// -1: Wine's own would show.
inline long OpenDescriptors() {
  std::error_code ec;
  long n = kOnWindows ? -1 : 0;
  for (std::filesystem::directory_iterator i("/proc/self/fd", ec), end; n >= 0 && !ec && i != end; i.increment(ec)) ++n;
  return ec ? -1 : n;
}

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_PLATFORM_FACTS_H_
