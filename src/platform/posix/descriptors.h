// What the Win32 and C runtime stand-ins share over POSIX descriptors: an
// open that refuses a directory, and the bounded positioning (the 32-bit
// rules are ours, the system underneath works with 64-bit offsets).
#ifndef LUFIO_SRC_PLATFORM_POSIX_DESCRIPTORS_H_
#define LUFIO_SRC_PLATFORM_POSIX_DESCRIPTORS_H_

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace lufio::sys::posix {

static_assert(sizeof(off_t) >= 8, "the stand-ins need 64-bit file offsets underneath");

// Opens `name` with open(2)'s `flags` and `mode` and returns the descriptor,
// or -1 with errno set. A directory, which POSIX would open for reading, is
// refused in every mode with `directory_code`, the code Windows gives for it.
inline int OpenFile(const char* name, int flags, mode_t mode, int directory_code) noexcept {
  const int fd = ::open(name, flags, mode);
  if (fd == -1) {
    if (errno == EISDIR) errno = directory_code;
    return -1;
  }
  struct stat status;
  const int code = ::fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? directory_code : 0;
  if (code == 0) return fd;
  ::close(fd);
  errno = code;
  return -1;
}

// Moves `fd` to `distance` counted from `origin` (SEEK_SET, SEEK_CUR or
// SEEK_END) and returns the new position, when the target lies within
// 0..`limit`. Otherwise returns -1 with errno set and the position unchanged:
// the system's code for a bad descriptor, EINVAL for an unknown origin or a
// target out of range.
inline std::int64_t MoveWithin(int fd, std::int64_t distance, int origin, std::int64_t limit) noexcept {
  // The common moves cost one system call: a move from the beginning, whose
  // target is known beforehand, and a tell (no distance from here).
  if (origin == SEEK_SET) {
    if (distance >= 0 && distance <= limit) return ::lseek(fd, static_cast<off_t>(distance), SEEK_SET);
  } else if (origin == SEEK_CUR && distance == 0) {
    const std::int64_t here = ::lseek(fd, 0, SEEK_CUR);
    if (here == -1 || here <= limit) return here;
  } else if (origin == SEEK_CUR || origin == SEEK_END) {
    // The system moves and refuses a negative target; a target beyond the
    // limit is undone.
    const std::int64_t before = ::lseek(fd, 0, SEEK_CUR);
    if (before == -1) return -1;
    const std::int64_t target = ::lseek(fd, static_cast<off_t>(distance), origin);
    if (target == -1 || target <= limit) return target;
    ::lseek(fd, static_cast<off_t>(before), SEEK_SET);
  }
  // Out of range or an unknown origin: EINVAL, unless the descriptor itself is bad.
  if (::lseek(fd, 0, SEEK_CUR) == -1) return -1;
  errno = EINVAL;
  return -1;
}

}  // namespace lufio::sys::posix

#endif  // LUFIO_SRC_PLATFORM_POSIX_DESCRIPTORS_H_
