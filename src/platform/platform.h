// The platform layer: the one private header that knows which platform lufio
// is built for.
//
// Everything a back-end or the directory reader needs of the operating system
// is reached through namespace lufio::sys under its platform name
// (sys::CreateFileA, sys::_read, sys::FindFirstFileA, sys::fopen, ...), with the platform's
// constants (INVALID_HANDLE_VALUE, GENERIC_READ, _O_RDONLY, ...) as macros.
// On Windows these are the real Win32 and C runtime calls; elsewhere they are
// lufio's own stand-ins over POSIX (posix/), with the meanings the Windows
// calls have. Every call passes the fault seam (fault.h) first.
//
// The C runtime's calls (descriptors and stdio) leave the system's last error
// right after they fail: the runtime can fail with only its errno set (a short
// write to a full disk, a check of its own), so its calls clear the last error
// first and, when it is still clear after a failure, set it from errno
// (SettleLastError, SettleWriteError). A caller of the C++ streams, which run
// over the runtime, does the same around each stream operation that can fail.
#ifndef LUFIO_SRC_PLATFORM_PLATFORM_H_
#define LUFIO_SRC_PLATFORM_PLATFORM_H_

#if defined(_WIN32)

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>

// The universal C runtime has _sopen_dispatch. mingw-w64 defines _UCRT when it
// targets it; Microsoft's headers document no such macro, and every MSVC since
// 2015 links the universal runtime, so MSVC counts as one too. A build may
// decide with -DLUFIO_UCRT=0 or 1.
#ifndef LUFIO_UCRT
#if defined(_UCRT) || defined(_MSC_VER)
#define LUFIO_UCRT 1
#else
#define LUFIO_UCRT 0
#endif
#endif

namespace lufio::sys {

using ::BOOL;
using ::DWORD;
using ::HANDLE;
using ::LONG;
using ::LPSECURITY_ATTRIBUTES;
using ::WIN32_FIND_DATAA;

namespace native {
using ::_close;
using ::_commit;
using ::_lseek;
using ::_read;
using ::_tell;
using ::_write;
using ::CloseHandle;
using ::CreateFileA;
using ::FindClose;
using ::FindFirstFileA;
using ::FindNextFileA;
using ::FlushFileBuffers;
using ::GetLastError;
using ::ReadFile;
using ::SetFilePointer;
using ::SetLastError;
using ::WriteFile;
// The runtime's own stdio: its positions are 32-bit already.
using ::fflush;
using ::fopen;
using ::fseek;
using ::ftell;

#if LUFIO_UCRT
using ::_sopen_dispatch;
#else
// The old msvcrt runtime has no _sopen_dispatch; _sopen is the same open in
// its non-secure form, which returns the descriptor and leaves the reason in
// errno. Its last argument (validate the permission) is the one we pass as 0.
inline int _sopen_dispatch(const char* name, int flags, int share, int permission, int* fd, int) {
  *fd = ::_sopen(name, flags, share, permission);
  return *fd == -1 ? errno : 0;
}
#endif
}  // namespace native

using native::GetLastError;
using native::SetLastError;

// The codes lufio itself reports for an operation on a closed object, for an
// argument outside its enumeration or a null buffer, for a name with a zero
// character inside and for a position beyond 32 bits.
inline constexpr DWORD kClosedHandleError = ERROR_INVALID_HANDLE;
inline constexpr DWORD kInvalidArgumentError = ERROR_INVALID_PARAMETER;
inline constexpr DWORD kInvalidNameError = ERROR_INVALID_NAME;
inline constexpr DWORD kPositionOverflowError = ERROR_ARITHMETIC_OVERFLOW;

// The Win32 code closest to the C runtime's errno value `e`: ERROR_DISK_FULL
// for ENOSPC and so on; ERROR_GEN_FAILURE for a value without a counterpart.
inline DWORD Win32CodeOf(int e) noexcept {
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

// Before a C runtime or C++ stream call that can fail: clears the system's
// last error and the runtime's errno.
inline void ClearLastError() noexcept {
  ::SetLastError(ERROR_SUCCESS);
  errno = 0;
}

// After such a call failed: sets the system's last error from errno when the
// call left it clear, and returns it.
inline DWORD SettleLastError() noexcept {
  DWORD code = ::GetLastError();
  if (code == ERROR_SUCCESS) {
    code = Win32CodeOf(errno);
    ::SetLastError(code);
  }
  return code;
}

// The same after a call that was writing data out (_write, fflush, a C++
// stream, which may write its buffer in any operation). A write that the
// system cut short without an error of its own is a full disk: Microsoft's
// runtime says ENOSPC then, Wine's EINVAL (what it makes of the clear last
// error it finds), where a valid write has no other reason for EINVAL.
inline DWORD SettleWriteError() noexcept {
  if (::GetLastError() == ERROR_SUCCESS && errno == EINVAL) ::SetLastError(ERROR_DISK_FULL);
  return SettleLastError();
}

}  // namespace lufio::sys

#else  // POSIX: lufio's own stand-ins

#include <cerrno>

#include "posix/crt_io.h"
#include "posix/stdio32.h"
#include "posix/win32_file.h"
#include "posix/win32_find.h"

namespace lufio::sys {

// The codes lufio itself reports for an operation on a closed object, for an
// argument outside its enumeration or a null buffer, for a name with a zero
// character inside and for a position beyond 32 bits: what POSIX reports for
// the same.
inline constexpr DWORD kClosedHandleError = EBADF;
inline constexpr DWORD kInvalidArgumentError = EINVAL;
inline constexpr DWORD kInvalidNameError = EINVAL;
inline constexpr DWORD kPositionOverflowError = EOVERFLOW;

// The last error is errno itself: a runtime call that fails has set it.
inline void ClearLastError() noexcept { errno = 0; }
inline DWORD SettleLastError() noexcept { return static_cast<DWORD>(errno); }
inline DWORD SettleWriteError() noexcept { return static_cast<DWORD>(errno); }

}  // namespace lufio::sys

#endif

#include "calls.h"

#endif  // LUFIO_SRC_PLATFORM_PLATFORM_H_
