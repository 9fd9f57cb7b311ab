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

}  // namespace lufio::sys

#endif

#include "calls.h"

#endif  // LUFIO_SRC_PLATFORM_PLATFORM_H_
