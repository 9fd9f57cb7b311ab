// WholeFile: a whole file read into memory, or saved from memory, in one call
// through any back-end.
#ifndef LUFIO_WHOLE_FILE_H_
#define LUFIO_WHOLE_FILE_H_

#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <string>

#include "lufio/export.h"
#include "lufio/file_handler.h"
#include "lufio/file_io.h"

namespace lufio {

/// Reads a whole file into a std::string or a caller's buffer, and saves a
/// whole text into a file, each in one call through any factory. A class of
/// static members, as the library exports classes: nothing to construct.
///
/// @snippet reference.cpp WholeFile
///
/// Rules:
/// - A read goes on until a read returns 0 (end of file), so a source whose
///   size is unknown or wrong is read whole: a pipe, standard input (through
///   StandardStreams), a /proc file that says 0 bytes, a file that grows
///   while it is read.
/// - As few reads as the source allows: a file of up to 16 KiB takes one read
///   and one more that meets the end; a larger one is measured once (Size,
///   and Tell for a FileR of yours) and the rest taken in one read, then one
///   more meets the end. A source that cannot be measured (a pipe) is read in
///   growing pieces.
/// - Sizes: the file object's sizes are 32-bit (lusys::Long), so a file of
///   2 GiB or more cannot be measured; it is read whole all the same, in
///   growing pieces. Only memory and std::string's max_size limit a read.
/// - Every failure throws lufio::Error with the file's name and the system's
///   code; nothing is returned in part.
class LUFIO_API WholeFile {
 public:
  WholeFile() = delete;

  /// Opens `path` for reading with `type` through `factory` and returns
  /// everything in it. Throws Error "Failed to open" or "Failed to read file".
  static std::string Read(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  static std::string Read(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory) {
    return Read(static_cast<const lusys::CPPathFileBase&>(path), type, factory);
  }
  /// Everything from `file`'s current offset to its end; the offset is then
  /// at the end.
  static std::string Read(FileR& file);

  /// Opens `path` and reads all of it into `buffer`; returns the count read.
  /// A file larger than the buffer throws Error "Failed to read file" with
  /// ERROR_INSUFFICIENT_BUFFER (122) on Windows, ENOBUFS elsewhere: the data
  /// is never cut silently, and the buffer's content is then unspecified.
  /// Reads straight into the buffer, with one read more that meets the end.
  static std::uint64_t Read(const lusys::CPPathFileBase& path, const lusys::BasicRef<char>& buffer,
                            FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  static std::uint64_t Read(const lusys::CPPathFile& path, const lusys::BasicRef<char>& buffer, FileHandler::Type type,
                            const FileHandlerFactory& factory) {
    return Read(static_cast<const lusys::CPPathFileBase&>(path), buffer, type, factory);
  }
  /// The same from `file`'s current offset.
  static std::uint64_t Read(FileR& file, const lusys::BasicRef<char>& buffer);

  /// Saves `data` as the whole content of `target` through a SafeFileW with
  /// `type` and `factory`, committed durably: when Save returns, the target
  /// holds exactly `data`, also after a power cut; when it throws (Error with
  /// the target's name), the target keeps every byte it had. A text, a
  /// std::string and a std::string_view all convert to `data`.
  static void Save(const lusys::CPPathFileBase& target, const lusys::BasicRef<const char>& data, FileHandler::Type type,
                   const FileHandlerFactory& factory);
  /// The same, for a target given as text ("x.txt", a std::string) or as a CPPathFile.
  static void Save(const lusys::CPPathFile& target, const lusys::BasicRef<const char>& data, FileHandler::Type type,
                   const FileHandlerFactory& factory) {
    Save(static_cast<const lusys::CPPathFileBase&>(target), data, type, factory);
  }
};

}  // namespace lufio

#endif  // LUFIO_WHOLE_FILE_H_
