// SafeFileW: a file written beside its target and put in the target's place
// in one step, so that the target holds either every byte of the old content
// or every byte of the new, also after a crash or a power cut.
#ifndef LUFIO_SAFE_FILE_H_
#define LUFIO_SAFE_FILE_H_

#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <memory>

#include "lufio/export.h"
#include "lufio/file_handler.h"
#include "lufio/file_io.h"

namespace lufio {

/// A safe save: writes a new file beside `target` through any back-end and,
/// at Commit, puts it in the target's place in one step.
///
/// @snippet reference.cpp SafeFileW
///
/// Rules:
/// - Construction makes a new file with a name of its own (`.lufio-save-` and
///   16 hexadecimal digits) in the target's folder, created exclusively, and
///   opens it through the factory; the target is not touched. On POSIX the
///   new file is readable and writable by its owner alone until Commit.
/// - Commit pushes everything written through the back-end, closes it, stores
///   the data on the device, gives the new file its final permissions (POSIX:
///   the target's bits, owner and group, or for a new target SetNewFileMode's
///   bits less the umask) and puts it in the target's place: POSIX `rename`,
///   then the folder is stored; Windows `ReplaceFileA` over an existing target
///   (it keeps the target's attributes and security) or `MoveFileExA` with
///   `MOVEFILE_WRITE_THROUGH`, retried for about two seconds while another
///   process holds the target.
/// - Destroying the object without a successful Commit removes the new file
///   and leaves the target as it was. Only a kill that no program can catch
///   or a power cut can leave a `.lufio-save-` file behind.
/// - A target that is a symbolic link (POSIX) is replaced where the link
///   leads; the link stays. A loop of links fails with ELOOP, as opening it
///   would. A hard link to the target keeps the old content.
/// - Every failure throws Error with the target's name and the system's code;
///   the target keeps every byte it had, or stays absent, and the new file is
///   removed. After Commit, or after a failed one, Write, Flush and Commit
///   throw.
/// - Through a reference to FileW or FileIOBase the object is an ordinary
///   FileW over the new file: errors there name the new file, and Close there
///   makes the next Commit fail.
class LUFIO_API SafeFileW : public FileW {
 public:
  /// Makes the new file beside `target` and opens it with `type` through
  /// `factory`. Throws Error "Failed to open" with the target's name when the
  /// target may not be replaced (a folder, a device, a file that may not be
  /// written, on Windows one that another process holds open without sharing
  /// its deletion), when its links loop, or when the new file cannot be made.
  SafeFileW(const lusys::CPPathFileBase& target, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a target given as text ("x.txt", a std::string) or as a CPPathFile.
  SafeFileW(const lusys::CPPathFile& target, FileHandler::Type type, const FileHandlerFactory& factory)
      : SafeFileW(static_cast<const lusys::CPPathFileBase&>(target), type, factory) {}
  /// Removes the new file unless Commit put it in the target's place.
  ~SafeFileW() override;

  /// Writes the viewed bytes into the new file; returns the count written.
  /// Errors name the target.
  std::uint64_t Write(const lusys::BasicRef<const char>& data);
  /// Pushes buffered data through to the system, as FileW::Flush does.
  void Flush();

  /// The permission bits (POSIX) that a target which does not exist yet gets
  /// at Commit, less the process's umask, as open(2) gives a new file; 0666
  /// unless set here. An existing target keeps its own bits. Windows: a new
  /// target gets what a new file in its folder gets.
  void SetNewFileMode(std::uint32_t mode) noexcept;

  /// Puts the new file in the target's place, durably: when Commit returns,
  /// a power cut leaves the target with the new content. Throws Error
  /// ("Failed to flush buffer", "Failed to replace file", ...) with the
  /// target's name and the system's code; the target then keeps its old
  /// content, except after "Failed to flush folder" (POSIX), which comes when
  /// the target holds the new content but its folder could not be stored.
  void Commit();
  /// Commit without storing anything on the device: the replace is still one
  /// step for every other program, but a power cut soon after may leave the
  /// old content or, on some file systems, an empty file. For data that can
  /// be made again (a cache, a test).
  void CommitNotDurable();

  /// The target's path, as given to the constructor.
  const lusys::CPPathFileBase& GetTarget() const noexcept;

  /// Not for a safe save: Commit closes the file, the destructor discards it.
  void Close() = delete;

 private:
  class Imp;
  SafeFileW(std::unique_ptr<Imp> imp, FileHandler::Type type, const FileHandlerFactory& factory);
  void Finish(bool durable);

  std::unique_ptr<Imp> imp_;
};

}  // namespace lufio

#endif  // LUFIO_SAFE_FILE_H_
