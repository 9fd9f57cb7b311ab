// fopen, ftell and fseek as the Windows runtime has them, over the system's
// stdio:
// - fopen refuses a directory, which glibc opens for reading, with EISDIR
//   (the code the Win32 stand-in gives), in every mode;
// - ftell and fseek keep the runtime's 32-bit `long` positions: a position
//   beyond 0x7FFFFFFF fails with EOVERFLOW, and a move that would land there
//   leaves the stream where it was.
#ifndef LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_
#define LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_

#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#include <lusys/types.h>

namespace lufio::sys::native {

using std::fflush;

inline constexpr off_t kMaxStdioPosition = lusys::kLongMax;

inline std::FILE* fopen(const char* name, const char* mode) noexcept {
  std::FILE* fp = std::fopen(name, mode);
  if (fp == nullptr) return nullptr;
  struct stat status;
  const int code = ::fstat(::fileno(fp), &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
  if (code == 0) return fp;
  std::fclose(fp);
  errno = code;
  return nullptr;
}

inline long ftell(std::FILE* fp) noexcept {
  const off_t position = ::ftello(fp);
  if (position <= kMaxStdioPosition) return static_cast<long>(position);
  errno = EOVERFLOW;
  return -1;
}

inline int fseek(std::FILE* fp, long offset, int origin) noexcept {
  // A move from the beginning by a 32-bit offset cannot land beyond.
  if (origin == SEEK_SET && offset <= kMaxStdioPosition) return std::fseek(fp, offset, origin);
  const off_t before = ::ftello(fp);
  if (std::fseek(fp, offset, origin) != 0) return -1;
  if (::ftello(fp) <= kMaxStdioPosition) return 0;
  if (before != -1) ::fseeko(fp, before, SEEK_SET);
  errno = EOVERFLOW;
  return -1;
}

}  // namespace lufio::sys::native

#endif  // LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_
