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
// right after they fail, also where the runtime sets only its errno (on
// Windows see win32/crt_win32.cpp). A caller of the C++ streams, which run
// over the runtime, clears it before each stream operation that can fail and
// settles it after a failure (ClearLastError, SettleLastError,
// SettleWriteError).
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
// FindFirstFileA as MAX_PATH (260, the zero counted) bounds it: a longer
// pattern fails with ERROR_FILENAME_EXCED_RANGE. Wine, and Windows in a
// long-path-aware process, would search a pattern of 260 characters, which
// may be a longer one cut short (win32/find_win32.cpp).
HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* record);
using ::CloseHandle;
using ::CreateFileA;
using ::FindClose;
using ::FindNextFileA;
using ::FlushFileBuffers;
using ::GetLastError;
using ::ReadFile;
using ::SetFilePointer;
using ::SetLastError;
using ::WriteFile;

// The C runtime's stdio calls (win32/crt_win32.cpp), each leaving the code of
// its own failure as the system's last error, as its descriptor calls do
// (crt_calls.h): the runtime can fail with only its errno set (a short write
// to a full disk, a check of its own), so each clears the last error first
// and, when it is still clear after a failure, sets it from errno. Its
// positions are 32-bit already.
std::FILE* fopen(const char* name, const char* mode);
int fflush(std::FILE* fp);
long ftell(std::FILE* fp);
int fseek(std::FILE* fp, long offset, int origin);
}  // namespace native
}  // namespace lufio::sys

// _sopen_dispatch is _sopen on the old msvcrt runtime, which has no _sopen_dispatch.
#include "crt_calls.h"

namespace lufio::sys {

using native::GetLastError;
using native::SetLastError;

// The codes lufio itself reports for an operation on a closed object, for an
// argument outside its enumeration or a null buffer, for a name with a zero
// character inside and for a position beyond 32 bits.
inline constexpr DWORD kClosedHandleError = ERROR_INVALID_HANDLE;
inline constexpr DWORD kInvalidArgumentError = ERROR_INVALID_PARAMETER;
inline constexpr DWORD kInvalidNameError = ERROR_INVALID_NAME;
inline constexpr DWORD kPositionOverflowError = ERROR_ARITHMETIC_OVERFLOW;
// A caller's buffer too small for a whole file.
inline constexpr DWORD kBufferTooSmallError = ERROR_INSUFFICIENT_BUFFER;
// A write that the system cut short without an error of its own.
inline constexpr DWORD kShortWriteError = ERROR_DISK_FULL;
// A read from a pipe whose writing end is closed: its end.
inline constexpr DWORD kBrokenPipeError = ERROR_BROKEN_PIPE;

// Before a C++ stream call that can fail: clears the system's last error and
// the runtime's errno.
void ClearLastError() noexcept;
// The process's standard stream `which` (0 input, 1 output, 2 error): its
// Win32 handle (GetStdHandle), and its C runtime descriptor put into binary
// mode (_setmode) after its stdio stream was flushed.
HANDLE StandardHandle(int which) noexcept;
void MakeBinary(int fd) noexcept;

// After such a call failed: sets the system's last error from errno when the
// call left it clear (ERROR_DISK_FULL for ENOSPC, and so on), and returns it.
DWORD SettleLastError() noexcept;
// The same after a call that was writing data out (a C++ stream may write its
// buffer in any operation): a write that the system cut short without an
// error of its own is a full disk.
DWORD SettleWriteError() noexcept;

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
inline constexpr DWORD kBufferTooSmallError = ENOBUFS;
inline constexpr DWORD kShortWriteError = ENOSPC;
inline constexpr DWORD kBrokenPipeError = EPIPE;  // never from read(2), which gives 0

// The process's standard stream `which` (0 input, 1 output, 2 error): its
// handle, which is its descriptor; there is no text mode to leave.
inline HANDLE StandardHandle(int which) noexcept { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(which)); }
inline void MakeBinary(int /*fd*/) noexcept {}

// The last error is errno itself: a runtime call that fails has set it.
inline void ClearLastError() noexcept { errno = 0; }
inline DWORD SettleLastError() noexcept { return static_cast<DWORD>(errno); }
inline DWORD SettleWriteError() noexcept { return static_cast<DWORD>(errno); }

}  // namespace lufio::sys

#endif

#include "calls.h"

#endif  // LUFIO_SRC_PLATFORM_PLATFORM_H_
