// The platform's find record, the record behind lufio::DirEntry.
//
// On Windows it is the platform's own WIN32_FIND_DATAA. Elsewhere it is a
// record with the same field names, types and layout, filled by lufio's own
// directory search: attributes (0x10 marks a directory), the three times as
// FILETIME values (100-nanosecond intervals since 1601-01-01 UTC), the size
// split into its high and low 32 bits, and the zero-terminated name.
#ifndef LUFIO_PLATFORM_FIND_DATA_H_
#define LUFIO_PLATFORM_FIND_DATA_H_

#if defined(_WIN32)

#include <windef.h>
// windef.h first: minwinbase.h relies on its types.
#include <minwinbase.h>

namespace lufio::sys {
using FindRecord = ::WIN32_FIND_DATAA;
}  // namespace lufio::sys

#else

#include <cstdint>

namespace lufio::sys {

struct FILETIME {
  std::uint32_t dwLowDateTime;
  std::uint32_t dwHighDateTime;
};

struct WIN32_FIND_DATAA {
  std::uint32_t dwFileAttributes;
  FILETIME ftCreationTime;
  FILETIME ftLastAccessTime;
  FILETIME ftLastWriteTime;
  std::uint32_t nFileSizeHigh;
  std::uint32_t nFileSizeLow;
  std::uint32_t dwReserved0;
  std::uint32_t dwReserved1;
  char cFileName[260];
  char cAlternateFileName[14];
};

using FindRecord = WIN32_FIND_DATAA;

}  // namespace lufio::sys

#endif

#endif  // LUFIO_PLATFORM_FIND_DATA_H_
