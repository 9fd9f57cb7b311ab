// The C runtime's calls on Windows, each leaving the code of its own failure
// as the system's last error. The runtime can fail with only its errno set (a
// write cut short by a full disk, a check of its own), and the last error then
// holds whatever an earlier call left (183 from the CreateFile of an open that
// replaced a file). So each call clears the last error first and, when it is
// still clear after a failure, sets it from errno.
#include <cerrno>
#include <cstdio>

#include "platform.h"

namespace lufio::sys {

namespace {

// The Win32 code closest to the C runtime's errno value `e`: ERROR_DISK_FULL
// for ENOSPC and so on; ERROR_GEN_FAILURE for a value without a counterpart.
DWORD Win32CodeOf(int e) noexcept {
  switch (e) {
    case 0:
      return ERROR_SUCCESS;
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case EMFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EACCES:
      return ERROR_ACCESS_DENIED;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case ENOMEM:
      return ERROR_NOT_ENOUGH_MEMORY;
    case EROFS:
      return ERROR_WRITE_PROTECT;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    case EPIPE:
      return ERROR_BROKEN_PIPE;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case ESPIPE:
      return ERROR_SEEK_ON_DEVICE;
    case ENAMETOOLONG:
      return ERROR_FILENAME_EXCED_RANGE;
    case EFBIG:
      return ERROR_FILE_TOO_LARGE;
    case EIO:
      return ERROR_IO_DEVICE;
    default:
      return ERROR_GEN_FAILURE;
  }
}

// Makes the runtime call `call`; when `failed` holds for its result, settles
// the last error with `settle`.
template <class Call, class Failed>
auto Settled(Call call, Failed failed, DWORD (*settle)() noexcept) {
  ClearLastError();
  const auto result = call();
  if (failed(result)) settle();
  return result;
}

constexpr auto kMinusOne = [](auto result) { return result == -1; };
constexpr auto kNonZero = [](auto result) { return result != 0; };

}  // namespace

void ClearLastError() noexcept {
  ::SetLastError(ERROR_SUCCESS);
  errno = 0;
}

DWORD SettleLastError() noexcept {
  DWORD code = ::GetLastError();
  if (code == ERROR_SUCCESS) {
    code = Win32CodeOf(errno);
    ::SetLastError(code);
  }
  return code;
}

// Microsoft's runtime says ENOSPC for a write the system cut short without an
// error of its own, Wine's EINVAL (what it makes of the clear last error it
// finds), where a valid write has no other reason for EINVAL.
DWORD SettleWriteError() noexcept {
  if (::GetLastError() == ERROR_SUCCESS && errno == EINVAL) ::SetLastError(ERROR_DISK_FULL);
  return SettleLastError();
}

namespace native {

int _sopen_dispatch(const char* name, int flags, int share, int permission, int* fd, int secure) {
  return Settled(
      [&] {
#if LUFIO_UCRT
        return ::_sopen_dispatch(name, flags, share, permission, fd, secure);
#else
        // _sopen, the same open in its non-secure form, returns the descriptor
        // and leaves the reason in errno; it validates no permission argument.
        static_cast<void>(secure);
        *fd = ::_sopen(name, flags, share, permission);
        return *fd == -1 ? errno : 0;
#endif
      },
      kNonZero, SettleLastError);
}

int _read(int fd, void* buffer, unsigned count) {
  return Settled([&] { return ::_read(fd, buffer, count); }, kMinusOne, SettleLastError);
}

int _write(int fd, const void* buffer, unsigned count) {
  return Settled([&] { return ::_write(fd, buffer, count); }, kMinusOne, SettleWriteError);
}

LONG _lseek(int fd, LONG offset, int origin) {
  return Settled([&] { return ::_lseek(fd, offset, origin); }, kMinusOne, SettleLastError);
}

LONG _tell(int fd) {
  return Settled([&] { return ::_tell(fd); }, kMinusOne, SettleLastError);
}

int _commit(int fd) {
  return Settled([&] { return ::_commit(fd); }, kNonZero, SettleLastError);
}

int _close(int fd) {
  return Settled([&] { return ::_close(fd); }, kNonZero, SettleLastError);
}

std::FILE* fopen(const char* name, const char* mode) {
  return Settled([&] { return std::fopen(name, mode); }, [](std::FILE* fp) { return fp == nullptr; },
                 SettleLastError);
}

int fflush(std::FILE* fp) {
  return Settled([&] { return std::fflush(fp); }, kNonZero, SettleWriteError);
}

long ftell(std::FILE* fp) {
  return Settled([&] { return std::ftell(fp); }, kMinusOne, SettleLastError);
}

int fseek(std::FILE* fp, long offset, int origin) {
  return Settled([&] { return std::fseek(fp, offset, origin); }, kNonZero, SettleLastError);
}

}  // namespace native

HANDLE StandardHandle(int which) noexcept {
  return ::GetStdHandle(which == 0 ? STD_INPUT_HANDLE : which == 1 ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

// What was written in text mode goes out in text mode first.
void MakeBinary(int fd) noexcept {
  if (fd == 1) std::fflush(stdout);
  if (fd == 2) std::fflush(stderr);
  ::_setmode(fd, _O_BINARY);
}

}  // namespace lufio::sys
