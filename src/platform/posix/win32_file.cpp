// The Win32 file-handle stand-ins over POSIX descriptors; the meanings they
// keep are listed in win32_file.h.
#include "posix/win32_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "posix/descriptors.h"

namespace lufio::sys::native {

namespace {

int FdOf(HANDLE handle) noexcept { return static_cast<int>(reinterpret_cast<std::intptr_t>(handle)); }

HANDLE HandleOf(int fd) noexcept { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(fd)); }

// No access right at all opens for reading.
int AccessFlags(DWORD access) noexcept {
  const bool read = (access & GENERIC_READ) != 0;
  const bool write = (access & GENERIC_WRITE) != 0;
  if (read && write) return O_RDWR;
  return write ? O_WRONLY : O_RDONLY;
}

// The open(2) flags of a creation disposition; -1 for an unknown one.
int CreationFlags(DWORD disposition) noexcept {
  switch (disposition) {
    case CREATE_NEW:
      return O_CREAT | O_EXCL;
    case CREATE_ALWAYS:
      return O_CREAT | O_TRUNC;
    case OPEN_EXISTING:
      return 0;
    case OPEN_ALWAYS:
      return O_CREAT;
    case TRUNCATE_EXISTING:
      return O_TRUNC;
    default:
      return -1;
  }
}

// The lseek origin of a move method; -1, which MoveWithin refuses, for an
// unknown one.
int OriginOf(DWORD method) noexcept {
  switch (method) {
    case FILE_BEGIN:
      return SEEK_SET;
    case FILE_CURRENT:
      return SEEK_CUR;
    case FILE_END:
      return SEEK_END;
    default:
      return -1;
  }
}

}  // namespace

HANDLE CreateFileA(const char* name, DWORD access, DWORD /*share*/, LPSECURITY_ATTRIBUTES /*security*/,
                   DWORD disposition, DWORD /*flags*/, HANDLE /*templ*/) {
  const int creation = CreationFlags(disposition);
  if (creation == -1) {
    errno = EINVAL;
    return INVALID_HANDLE_VALUE;
  }
  const int fd = posix::OpenFile(name, AccessFlags(access) | creation | O_CLOEXEC, 0666, EISDIR);
  return fd == -1 ? INVALID_HANDLE_VALUE : HandleOf(fd);
}

DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* high, DWORD method) {
  if (high != nullptr) {
    errno = EINVAL;  // lufio moves in 32 bits only; a 64-bit move is refused
    return INVALID_SET_FILE_POINTER;
  }
  const std::int64_t position = posix::MoveWithin(FdOf(handle), distance, OriginOf(method), 0xFFFFFFFF);
  return position == -1 ? INVALID_SET_FILE_POINTER : static_cast<DWORD>(position);
}

BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* done, void* /*overlapped*/) {
  *done = 0;
  const ssize_t n = ::read(FdOf(handle), buffer, count);
  if (n == -1) return 0;
  *done = static_cast<DWORD>(n);
  return 1;
}

BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* done, void* /*overlapped*/) {
  *done = 0;
  const ssize_t n = ::write(FdOf(handle), buffer, count);
  if (n == -1) return 0;
  *done = static_cast<DWORD>(n);
  return 1;
}

BOOL FlushFileBuffers(HANDLE handle) { return ::fsync(FdOf(handle)) == 0 ? 1 : 0; }

BOOL CloseHandle(HANDLE handle) { return ::close(FdOf(handle)) == 0 ? 1 : 0; }

DWORD GetLastError() noexcept { return static_cast<DWORD>(errno); }

void SetLastError(DWORD code) noexcept { errno = static_cast<int>(code); }

}  // namespace lufio::sys::native
