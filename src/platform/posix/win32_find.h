// Stand-ins for the Win32 directory search, over opendir/readdir.
//
// FindFirstFileA takes the pattern that DirReader builds (the directory, a
// separator, "*"), opens that directory and fills the record with its first
// entry; "." and ".." are listed, as on Windows, so an empty directory opens.
// A missing directory, or a path that is not a directory, fails with the
// system's code and INVALID_HANDLE_VALUE; a pattern of 260 characters or
// more (Windows' MAX_PATH counts the zero) with ENAMETOOLONG. Each record is
// filled from fstatat on the entry itself: FILE_ATTRIBUTE_DIRECTORY (0x10)
// for a directory, FILE_ATTRIBUTE_DEVICE (0x40) for a FIFO, a socket or a
// device, FILE_ATTRIBUTE_REPARSE_POINT (0x400) for a symbolic link (with 0x10
// when it leads to a directory; size 0), FILE_ATTRIBUTE_NORMAL (0x80) for
// anything else, the size in nFileSizeHigh/nFileSizeLow, and the creation
// (status change), access and write times as FILETIME values. Where fstatat
// is refused, readdir's file type gives the attributes and the size and times
// read 0, so one entry never fails the listing (Windows lists a directory
// that may be read but not searched). FindNextFileA fails with
// ERROR_NO_MORE_FILES (18) at the end, and keeps failing so.
#ifndef LUFIO_SRC_PLATFORM_POSIX_WIN32_FIND_H_
#define LUFIO_SRC_PLATFORM_POSIX_WIN32_FIND_H_

#include "lufio/dir_entry_imp.h"
#include "posix/win32_file.h"

namespace lufio::sys::native {

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* record);
BOOL FindNextFileA(HANDLE search, WIN32_FIND_DATAA* record);
BOOL FindClose(HANDLE search);

}  // namespace lufio::sys::native

#endif  // LUFIO_SRC_PLATFORM_POSIX_WIN32_FIND_H_
