// The C runtime's descriptor calls as lufio makes them, in lufio::sys::native
// (after lufio::sys::LONG): on Windows over the runtime itself, each leaving
// the code of its own failure as the system's last error
// (win32/crt_win32.cpp); elsewhere lufio's stand-ins over POSIX
// (posix/crt_io.cpp, with the meanings posix/crt_io.h lists).
#ifndef LUFIO_SRC_PLATFORM_CRT_CALLS_H_
#define LUFIO_SRC_PLATFORM_CRT_CALLS_H_

namespace lufio::sys::native {

int _sopen_dispatch(const char* name, int flags, int share, int permission, int* fd, int secure);
int _read(int fd, void* buffer, unsigned count);
int _write(int fd, const void* buffer, unsigned count);
LONG _lseek(int fd, LONG offset, int origin);
LONG _tell(int fd);
int _commit(int fd);
int _close(int fd);

}  // namespace lufio::sys::native

#endif  // LUFIO_SRC_PLATFORM_CRT_CALLS_H_
