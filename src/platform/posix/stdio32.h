// ftell and fseek as the Windows runtime has them, with its 32-bit `long`
// positions, over the system's stdio: a position beyond 0x7FFFFFFF fails with
// EOVERFLOW, and a move that would land there leaves the stream where it was.
#ifndef LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_
#define LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_

#include <sys/types.h>

#include <cerrno>
#include <cstdio>

#include <lusys/types.h>

namespace lufio::sys {

inline constexpr off_t kMaxStdioPosition = lusys::kLongMax;

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

}  // namespace lufio::sys

#endif  // LUFIO_SRC_PLATFORM_POSIX_STDIO32_H_
