// The platform calls as the back-ends and the directory reader make them:
// each one asks the fault seam first and then makes the native call (the real
// one on Windows, the stand-in elsewhere); a C runtime call leaves the code of
// its own failure as the system's last error. Included by platform.h only.
#ifndef LUFIO_SRC_PLATFORM_CALLS_H_
#define LUFIO_SRC_PLATFORM_CALLS_H_

#include <cstdio>

#include "fault.h"

namespace lufio::sys {

using fault::Call;
using fault::Tripped;

inline HANDLE CreateFileA(const char* name, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                          DWORD disposition, DWORD flags, HANDLE templ) {
  if (Tripped(Call::CreateFileA)) return INVALID_HANDLE_VALUE;
  return native::CreateFileA(name, access, share, security, disposition, flags, templ);
}

inline DWORD SetFilePointer(HANDLE handle, LONG distance, LONG* high, DWORD method) {
  if (Tripped(Call::SetFilePointer)) return INVALID_SET_FILE_POINTER;
  return native::SetFilePointer(handle, distance, high, method);
}

inline BOOL ReadFile(HANDLE handle, void* buffer, DWORD count, DWORD* done) {
  if (Tripped(Call::ReadFile)) {
    *done = 0;
    return 0;
  }
  return native::ReadFile(handle, buffer, count, done, nullptr);
}

inline BOOL WriteFile(HANDLE handle, const void* buffer, DWORD count, DWORD* done) {
  if (Tripped(Call::WriteFile)) {
    *done = 0;
    return 0;
  }
  return native::WriteFile(handle, buffer, count, done, nullptr);
}

inline BOOL FlushFileBuffers(HANDLE handle) {
  if (Tripped(Call::FlushFileBuffers)) return 0;
  return native::FlushFileBuffers(handle);
}

inline BOOL CloseHandle(HANDLE handle) {
  if (Tripped(Call::CloseHandle)) return 0;
  return native::CloseHandle(handle);
}

inline int _sopen_dispatch(const char* name, int flags, int share, int permission, int* fd, int secure) {
  if (Tripped(Call::SOpen)) {
    *fd = -1;
    return static_cast<int>(GetLastError());
  }
  return native::_sopen_dispatch(name, flags, share, permission, fd, secure);
}

inline int _read(int fd, void* buffer, unsigned count) {
  if (Tripped(Call::Read)) return -1;
  return native::_read(fd, buffer, count);
}

inline int _write(int fd, const void* buffer, unsigned count) {
  if (Tripped(Call::Write)) return -1;
  return native::_write(fd, buffer, count);
}

inline LONG _lseek(int fd, LONG offset, int origin) {
  if (Tripped(Call::LSeek)) return -1;
  return native::_lseek(fd, offset, origin);
}

inline LONG _tell(int fd) {
  if (Tripped(Call::Tell)) return -1;
  return native::_tell(fd);
}

inline int _commit(int fd) {
  if (Tripped(Call::Commit)) return -1;
  return native::_commit(fd);
}

inline int _close(int fd) {
  if (Tripped(Call::Close)) return -1;
  return native::_close(fd);
}

// The stdio calls whose failure the stdio back-end reports with the system's
// code; its reads and writes report the stream's error indicator instead.
using native::fflush;
using native::fopen;
using native::fseek;
using native::ftell;

inline HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* record) {
  if (Tripped(Call::FindFirstFileA)) return INVALID_HANDLE_VALUE;
  return native::FindFirstFileA(pattern, record);
}

inline BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* record) {
  if (Tripped(Call::FindNextFileA)) return 0;
  return native::FindNextFileA(search, record);
}

inline BOOL FindClose(HANDLE search) {
  if (Tripped(Call::FindClose)) return 0;
  return native::FindClose(search);
}

}  // namespace lufio::sys

#endif  // LUFIO_SRC_PLATFORM_CALLS_H_
