// The bounded positioning that the Win32 and C runtime stand-ins share: the
// 32-bit rules are ours, the system underneath works with 64-bit offsets.
#ifndef LUFIO_SRC_PLATFORM_POSIX_SEEK32_H_
#define LUFIO_SRC_PLATFORM_POSIX_SEEK32_H_

#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace lufio::sys::posix {

static_assert(sizeof(off_t) >= 8, "the stand-ins need 64-bit file offsets underneath");

// Moves `fd` to `distance` counted from `origin` (SEEK_SET, SEEK_CUR or
// SEEK_END) and returns the new position, when the target lies within
// 0..`limit`. Otherwise returns -1 with errno set and the position unchanged:
// the system's code for a bad descriptor, EINVAL for an unknown origin or a
// target out of range.
inline std::int64_t MoveWithin(int fd, std::int64_t distance, int origin, std::int64_t limit) noexcept {
  std::int64_t base = ::lseek(fd, 0, SEEK_CUR);  // also proves the descriptor valid
  if (base == -1) return -1;
  if (origin == SEEK_SET) {
    base = 0;
  } else if (origin == SEEK_END) {
    struct stat status;
    if (::fstat(fd, &status) != 0) return -1;
    base = status.st_size;
  } else if (origin != SEEK_CUR) {
    errno = EINVAL;
    return -1;
  }
  const std::int64_t target = base + distance;
  if (target < 0 || target > limit) {
    errno = EINVAL;
    return -1;
  }
  return ::lseek(fd, static_cast<off_t>(target), SEEK_SET);
}

}  // namespace lufio::sys::posix

#endif  // LUFIO_SRC_PLATFORM_POSIX_SEEK32_H_
