// Stand-ins for the Win32 file-handle calls, over POSIX descriptors.
//
// A HANDLE is the descriptor's number; INVALID_HANDLE_VALUE is -1, so the
// system rejects it like any other closed descriptor. The calls keep the
// Win32 meanings that the back-ends rely on:
// - CreateFileA takes the access rights (GENERIC_READ, GENERIC_WRITE) and the
//   creation dispositions CREATE_NEW, CREATE_ALWAYS, OPEN_EXISTING,
//   OPEN_ALWAYS and TRUNCATE_EXISTING; any other disposition fails. It never
//   appends by itself, creates files readable and writable, refuses a
//   directory, and keeps the descriptor from child processes. Share modes
//   have no POSIX counterpart and are accepted as given.
// - SetFilePointer with no high part works in 32 bits: a target before the
//   start or beyond 0xFFFFFFFF fails and leaves the position unchanged; a
//   result from 2 GiB to 4 GiB is returned as is (a negative `long` to a
//   caller that reads it signed). Failure returns INVALID_SET_FILE_POINTER.
// - ReadFile and WriteFile make one system call; end of file is success with
//   a count of 0.
// - GetLastError and SetLastError are errno.
#ifndef LUFIO_SRC_PLATFORM_POSIX_WIN32_FILE_H_
#define LUFIO_SRC_PLATFORM_POSIX_WIN32_FILE_H_

#include <cstdint>

namespace lufio::sys {

using BOOL = int;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using HANDLE = void*;
struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

namespace native {

HANDLE CreateFileA(const char* name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security, DWORD disposition,
                   DWORD flags, HANDLE templ);
DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* high, DWORD method);
BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* done, void* overlapped);
BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* done, void* overlapped);
BOOL FlushFileBuffers(HANDLE handle);
BOOL CloseHandle(HANDLE handle);
DWORD GetLastError() noexcept;
void SetLastError(DWORD code) noexcept;

}  // namespace native

using native::GetLastError;
using native::SetLastError;

}  // namespace lufio::sys

#define INVALID_HANDLE_VALUE (reinterpret_cast<::lufio::sys::HANDLE>(~static_cast<std::uintptr_t>(0)))
#define INVALID_SET_FILE_POINTER (static_cast<::lufio::sys::DWORD>(0xFFFFFFFFu))

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x1u
#define FILE_SHARE_WRITE 0x2u
#define CREATE_NEW 1u
#define CREATE_ALWAYS 2u
#define OPEN_EXISTING 3u
#define OPEN_ALWAYS 4u
#define TRUNCATE_EXISTING 5u
#define FILE_ATTRIBUTE_DEVICE 0x40u
#define FILE_ATTRIBUTE_DIRECTORY 0x10u
#define FILE_ATTRIBUTE_NORMAL 0x80u
#define FILE_ATTRIBUTE_REPARSE_POINT 0x400u
#define FILE_BEGIN 0u
#define FILE_CURRENT 1u
#define FILE_END 2u
#define ERROR_NO_MORE_FILES 18u

#endif  // LUFIO_SRC_PLATFORM_POSIX_WIN32_FILE_H_
