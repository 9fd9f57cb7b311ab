// Listing one directory: DirReader walks its entries through the platform's
// find-file search, skipping "." and "..", optionally only files or only
// subdirectories, and hands each out as a DirEntry. Failures throw
// DirReader::Error.
#ifndef LUFIO_DIR_READER_H_
#define LUFIO_DIR_READER_H_

#include <lusys/exception.h>
#include <lusys/ostream.h>
#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <memory>

#include "lufio/export.h"

namespace lufio {

/// One directory entry: an owner of the platform's find record.
///
/// DirReader hands out its entries as DirEntry; GetName gives the name, and
/// GetImp the whole record: attributes, times and size (the fields need
/// `<lufio/dir_entry_imp.h>`).
///
/// @snippet reference.cpp DirEntry
///
/// Rules:
/// - The entry a DirReader hands out is its own, const, and overwritten by
///   the next step: copy it (a DirEntry is copyable) to keep it.
/// - The attribute 0x10 marks a directory; on Linux 0x40 marks a FIFO,
///   socket or device, which FilterFiles lists: opening one opens the device
///   (a FIFO blocks until a writer comes), so test the bit before opening.
/// - An entry the system refuses to describe (in a directory you may read but
///   not search) is still listed, with zero size and times.
class LUFIO_API DirEntry {
 public:
  /// The platform's find record (WIN32_FIND_DATAA on Windows). Its fields are
  /// defined in `<lufio/dir_entry_imp.h>`, which on Windows includes
  /// `<windows.h>`: include it to read what GetImp gives.
  class Imp;

  /// A zero-filled record: GetName returns an empty text.
  DirEntry();
  /// A copy of the other entry's whole record, in a record of its own.
  DirEntry(const DirEntry& other);
  /// Self-assignment changes nothing; otherwise the record is copied first and
  /// then replaces the old one, so a failed copy leaves the target unchanged.
  DirEntry& operator=(const DirEntry& other);
  ~DirEntry();

  /// The entry's name, zero-terminated.
  const char* GetName() const noexcept;
  /// The whole record: attributes, times, size, name, alternate name.
  Imp& GetImp() noexcept;

 private:
  std::unique_ptr<Imp> imp_;
};

/// The listing of one directory, "." and ".." left out, optionally only its
/// files or only its subdirectories. Neither copyable nor assignable.
///
/// A DirReader walks one directory, not its subdirectories, in the order the
/// system gives: call GetFirst once, then GetNext until it returns null.
///
/// @snippet reference.cpp DirReader
///
/// Rules:
/// - The constructor starts the search, or throws DirReader::Error "Failed to
///   open" (a missing directory, a file given as a directory, a directory text
///   with a zero byte inside).
/// - GetFirst never restarts the listing: call it once, before GetNext. After
///   the end GetNext returns null again and again.
/// - The entry returned is the reader's own and overwritten by the next step;
///   copy the DirEntry to keep it. Its name is DirEntry::GetName.
/// - A failed step throws DirReader::Error "Failed to read"; the end of the
///   listing is never an error.
/// - FilterFiles passes every entry without the directory bit 0x10, FIFOs,
///   sockets and devices included (Linux).
class LUFIO_API DirReader {
 public:
  /// Which entries pass: those without the directory bit 0x10, those with
  /// it, or all; every value other than 0 and 1 acts as FilterAll.
  enum Filter : std::int32_t { FilterFiles = 0, FilterDirs = 1, FilterAll = 2 };

  /// The exception of a failed listing: a fixed message, the directory's
  /// text and the system's code. Its what() is "Directory read error".
  ///
  /// @snippet reference.cpp DirReader::Error
  ///
  /// GetText() is "Failed to open" or "Failed to read", ": dir=" and the
  /// directory's text; GetCode() the system's code of the failed search step
  /// (@ref error_codes). It is no lufio::Error: catch lusys::Exception to
  /// handle both.
  class LUFIO_API Error : public lusys::Exception {
   public:
    /// The base's text becomes `message`, ": dir=" and the path's characters,
    /// cut at the end of the 256-byte buffer. `path` need not be
    /// zero-terminated; GetPath keeps up to 260 of its characters.
    Error(const lusys::BasicRef<const char>& message, const lusys::BasicRef<const char>& path,
          lusys::ULong code) noexcept;
    /// Copy the texts and the code; never allocate.
    ///@{
    Error(const Error& other) noexcept;
    Error& operator=(const Error& other) noexcept;
    ///@}
    ~Error() override;

    /// Always "Directory read error".
    const char* what() const noexcept override;
    /// The directory text, zero-terminated; valid while the object lives.
    const char* GetPath() const noexcept { return pathText_.Get(); }

   private:
    lusys::CStrOStream<260, char> pathText_;
  };

  /// Starts listing `dir`. Throws Error "Failed to open" with the directory's
  /// text and the system's code when the search cannot start (a missing
  /// directory, a path that is not a directory).
  DirReader(const lusys::CPPath& dir, Filter filter);
  DirReader(const DirReader&) = delete;
  DirReader& operator=(const DirReader&) = delete;
  /// Ends the search and releases everything.
  ~DirReader();

  /// The entry the last search step found if it passes the filter, else the
  /// next one that does; null when none is left. Never restarts the listing:
  /// after the end it tests the listing's last entry again, and hands it out
  /// again when it passes the filter (null when it does not).
  const DirEntry* GetFirst();
  /// The next entry that passes the filter; null at the end, again and again.
  /// Throws Error "Failed to read" when a search step fails.
  const DirEntry* GetNext();

 private:
  class Imp;

  DirEntry entry_;
  std::unique_ptr<Imp> imp_;
};

}  // namespace lufio

#endif  // LUFIO_DIR_READER_H_
