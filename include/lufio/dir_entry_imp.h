// The record behind lufio::DirEntry: the definition of DirEntry::Imp, for a
// caller who reads the fields that DirEntry::GetImp gives (attributes, times,
// size, names). <lufio/lufio.h> leaves it out on every platform, so that it
// costs the other callers nothing.
//
// On Windows the record is the platform's own WIN32_FIND_DATAA, and this
// header includes <windows.h> as it is: NOMINMAX, WIN32_LEAN_AND_MEAN and the
// like are the caller's to define before it, as before <windows.h> itself.
// Elsewhere it is a record with the same field names, types and layout,
// filled by lufio's own directory search: attributes (0x10 marks a directory,
// 0x40 a FIFO, socket or device, 0x400 a symbolic link itself), the three times as FILETIME values
// (100-nanosecond intervals since 1601-01-01 UTC), the size split into its
// high and low 32 bits, and the zero-terminated name.
#ifndef LUFIO_DIR_ENTRY_IMP_H_
#define LUFIO_DIR_ENTRY_IMP_H_

#include "lufio/dir_reader.h"

#if defined(_WIN32)

#include <windows.h>

namespace lufio::sys {
/// The record behind DirEntry::Imp: Windows' own WIN32_FIND_DATAA.
using FindRecord = ::WIN32_FIND_DATAA;
}  // namespace lufio::sys

#else

#include <cstdint>

namespace lufio::sys {

/// A time as Windows counts it: 100-nanosecond intervals since 1601-01-01 UTC.
struct FILETIME {
  std::uint32_t dwLowDateTime;   ///< The low 32 bits.
  std::uint32_t dwHighDateTime;  ///< The high 32 bits.
};

/// Outside Windows, the record of one directory entry, filled by lufio's own
/// search: Windows' WIN32_FIND_DATAA, its field names, types and layout.
struct WIN32_FIND_DATAA {
  std::uint32_t dwFileAttributes;  ///< 0x10 a directory, 0x40 a FIFO, socket or device, 0x400 a link, else 0x80.
  FILETIME ftCreationTime;         ///< The last status change.
  FILETIME ftLastAccessTime;       ///< The last access.
  FILETIME ftLastWriteTime;        ///< The last write.
  std::uint32_t nFileSizeHigh;     ///< The size's high 32 bits.
  std::uint32_t nFileSizeLow;      ///< The size's low 32 bits.
  std::uint32_t dwReserved0;       ///< Zero.
  std::uint32_t dwReserved1;       ///< Zero.
  char cFileName[260];             ///< The name, zero-terminated.
  char cAlternateFileName[14];     ///< Empty.
};

/// The record behind DirEntry::Imp.
using FindRecord = WIN32_FIND_DATAA;

}  // namespace lufio::sys

#endif

namespace lufio {

/// The platform's find record (WIN32_FIND_DATAA on Windows), zero-filled by
/// default construction, copied whole by copy construction. Its fields need
/// this header, `<lufio/dir_entry_imp.h>`.
///
/// @if windows_reference
/// On Windows, which this reference describes, it derives from Windows' own
/// record `WIN32_FIND_DATAA` of `<windows.h>`: read its fields
/// (`dwFileAttributes`, `ftLastWriteTime`, `nFileSizeHigh`, `nFileSizeLow`,
/// `cFileName`...) as the Win32 documentation describes them.
/// @else
/// This reference describes the Linux build, where it derives from
/// lufio::sys::WIN32_FIND_DATAA, a record with the field names, types and
/// layout of Windows' own; on Windows it derives from Windows'
/// `WIN32_FIND_DATAA` of `<windows.h>` itself.
/// @endif
class DirEntry::Imp : public sys::FindRecord {
 public:
  /// A record of zeros.
  Imp() noexcept;
  /// Copy and assignment copy the whole record; a record is also assignable
  /// from an Imp.
  ///@{
  Imp(const Imp& other) noexcept;
  Imp& operator=(const sys::FindRecord& record) noexcept {
    sys::FindRecord::operator=(record);
    return *this;
  }
  Imp& operator=(const Imp& other) noexcept { return *this = static_cast<const sys::FindRecord&>(other); }
  ///@}
};

}  // namespace lufio

#endif  // LUFIO_DIR_ENTRY_IMP_H_
