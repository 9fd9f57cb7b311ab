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

// <windows.h> is the SDK's one way in: it sets the target architecture that
// its parts need. NOMINMAX keeps the min and max macros out of the caller's
// file, WIN32_LEAN_AND_MEAN leaves out winsock.h (which a later winsock2.h
// refuses) and other rarely needed parts; each only for this inclusion and only
// when the caller has not decided. A caller who wants those parts or macros
// includes <windows.h> before lufio's headers.
#ifndef NOMINMAX
#define NOMINMAX
#define LUFIO_UNDEF_NOMINMAX_
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#define LUFIO_UNDEF_WIN32_LEAN_AND_MEAN_
#endif
#include <windows.h>
#ifdef LUFIO_UNDEF_NOMINMAX_
#undef NOMINMAX
#undef LUFIO_UNDEF_NOMINMAX_
#endif
#ifdef LUFIO_UNDEF_WIN32_LEAN_AND_MEAN_
#undef WIN32_LEAN_AND_MEAN
#undef LUFIO_UNDEF_WIN32_LEAN_AND_MEAN_
#endif

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
