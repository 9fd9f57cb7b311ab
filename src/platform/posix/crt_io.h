// Stand-ins for the Windows C runtime's low-level descriptor calls, over
// POSIX descriptors.
//
// - _sopen_dispatch maps the _O_ flags onto open(2): _O_APPEND makes every
//   write land at the end, _O_NOINHERIT keeps the descriptor from child
//   processes, _O_TEXT and _O_BINARY make no difference (POSIX has no text
//   mode), the share flag has no POSIX counterpart, and _S_IREAD | _S_IWRITE
//   creates a readable and writable file. A directory is refused with
//   EACCES in every mode, as Windows refuses it with access denied. It returns
//   0 and the descriptor, or the errno value and -1.
// - _lseek and _tell work in 32 bits: a position beyond 0x7FFFFFFF fails with
//   EINVAL, as the Windows runtime's do.
// - _read and _write make one system call; _commit is fsync.
// - Every failure returns -1 with the reason in errno (the last error).
#ifndef LUFIO_SRC_PLATFORM_POSIX_CRT_IO_H_
#define LUFIO_SRC_PLATFORM_POSIX_CRT_IO_H_

#include <cstdint>
#include <cstdio>

#include "posix/win32_file.h"
// After LONG, which it uses.
#include "crt_calls.h"

// The Windows runtime's flag values, which the back-end passes unchanged.
#define _O_RDONLY 0x0000
#define _O_WRONLY 0x0001
#define _O_RDWR 0x0002
#define _O_APPEND 0x0008
#define _O_CREAT 0x0100
#define _O_TRUNC 0x0200
#define _O_EXCL 0x0400
#define _O_TEXT 0x4000
#define _O_BINARY 0x8000
#define _O_NOINHERIT 0x0080
#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40
#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080

#endif  // LUFIO_SRC_PLATFORM_POSIX_CRT_IO_H_
