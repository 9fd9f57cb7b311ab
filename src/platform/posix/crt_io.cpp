// The C runtime descriptor stand-ins over POSIX descriptors; the meanings
// they keep are listed in crt_io.h.
#include "posix/crt_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

#include <lusys/types.h>

#include "posix/descriptors.h"

namespace lufio::sys::native {

namespace {

struct FlagPair {
  int crt;
  int posix;
};

// _O_TEXT and _O_BINARY have no counterpart: POSIX makes no difference.
constexpr FlagPair kFlags[] = {
    {_O_APPEND, O_APPEND}, {_O_CREAT, O_CREAT}, {_O_TRUNC, O_TRUNC}, {_O_EXCL, O_EXCL}, {_O_NOINHERIT, O_CLOEXEC},
};

}  // namespace

int _sopen_dispatch(const char* name, int flags, int /*share*/, int permission, int* fd, int /*secure*/) {
  *fd = -1;
  int posix_flags = 0;
  switch (flags & (_O_WRONLY | _O_RDWR)) {
    case _O_RDONLY:
      posix_flags = O_RDONLY;
      break;
    case _O_WRONLY:
      posix_flags = O_WRONLY;
      break;
    case _O_RDWR:
      posix_flags = O_RDWR;
      break;
    default:
      errno = EINVAL;
      return EINVAL;
  }
  for (const FlagPair& pair : kFlags) {
    if ((flags & pair.crt) != 0) posix_flags |= pair.posix;
  }
  // Without _S_IWRITE the runtime creates a read-only file; there are no
  // write-only files, so _S_IREAD alone changes nothing.
  const mode_t mode = (permission & _S_IWRITE) != 0 ? 0666 : 0444;
  // A directory is refused in every mode with EACCES, the code Windows'
  // runtime gives for it.
  const int result = posix::OpenFile(name, posix_flags, mode, EACCES);
  if (result == -1) return errno;
  *fd = result;
  return 0;
}

int _read(int fd, void* buffer, unsigned count) {
  if (count > INT_MAX) {
    errno = EINVAL;
    return -1;
  }
  return static_cast<int>(::read(fd, buffer, count));
}

int _write(int fd, const void* buffer, unsigned count) {
  if (count > INT_MAX) {
    errno = EINVAL;
    return -1;
  }
  return static_cast<int>(::write(fd, buffer, count));
}

LONG _lseek(int fd, LONG offset, int origin) {
  return static_cast<LONG>(posix::MoveWithin(fd, offset, origin, lusys::kLongMax));
}

LONG _tell(int fd) { return _lseek(fd, 0, SEEK_CUR); }

int _commit(int fd) { return ::fsync(fd) == 0 ? 0 : -1; }

int _close(int fd) { return ::close(fd) == 0 ? 0 : -1; }

}  // namespace lufio::sys::native
