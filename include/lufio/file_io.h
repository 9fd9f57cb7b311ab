// The file objects that callers instantiate: FileR, FileW, FileRW, FileA and
// TextFileR over their common base FileIOBase.
//
// A file object opens its file in its constructor through the factory it is
// given (throwing lufio::Error "Failed to open" when it cannot) and closes it
// in its destructor. Every operation forwards to the object's one handler;
// Seek alone adds logic, clamping the target to the file. After Close every
// call still reaches the (closed) handler, whose back-end decides the answer.
// Objects are neither copyable nor assignable; one thread uses one at a time.
#ifndef LUFIO_FILE_IO_H_
#define LUFIO_FILE_IO_H_

#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <memory>

#include "lufio/export.h"
#include "lufio/file_handler.h"

namespace lufio {

/// The base of the file objects: owns the one handler, opened at construction
/// and closed at destruction, and forwards every operation to it.
class LUFIO_API FileIOBase {
 public:
  FileIOBase(const FileIOBase&) = delete;
  FileIOBase& operator=(const FileIOBase&) = delete;
  /// Closes the file (dropping any exception that closing throws) and destroys
  /// the handler.
  virtual ~FileIOBase() = 0;

  /// Closes the file. Every later call still reaches the closed handler: Close
  /// again does nothing, GetFileName works, and what the others do is each
  /// back-end's (most throw their Error; see README's back-end table).
  void Close();
  /// Moves the offset to `offset` from `whence`, clamped to [0, Size()], and
  /// returns the new offset. A target before the beginning moves to 0, one
  /// beyond the end moves to the end; the file never grows by seeking. The
  /// target is base + offset in wrapping 32-bit arithmetic, so a sum past
  /// 2,147,483,647 wraps negative and lands at 0. A Whence outside 0 to 2 is
  /// clamped as an offset from the beginning and then moved as the back-end
  /// moves it (README).
  lusys::Long Seek(lusys::Long offset, FileHandler::Whence whence);
  /// Seek(0, WhenceBegin).
  void Seek2Begin();
  /// Seek(0, WhenceEnd).
  void Seek2End();
  /// The size in bytes; the offset is unchanged afterwards.
  lusys::Long Size();
  /// The current offset from the beginning.
  lusys::Long Tell();
  /// The handler's copy of the path, also after Close.
  const lusys::CPPathFileBase& GetFileName() const noexcept;

 protected:
  /// Creates a handler with `factory` and opens it with `mode` and `type`.
  /// Throws Error "Failed to open" with `path` and the system's error code when
  /// the file cannot be opened; nothing is left open then. A path whose text
  /// holds a zero character is refused before anything is opened, with
  /// ERROR_INVALID_NAME (123) on Windows and EINVAL elsewhere: no back-end ever
  /// sees the name cut short at the zero.
  FileIOBase(const lusys::CPPathFileBase& path, FileHandler::Mode mode, FileHandler::Type type,
             const FileHandlerFactory& factory);

  /// The handler, for the access classes' own operations.
  FileHandler& GetHandler() noexcept { return *handler_; }

 private:
  std::unique_ptr<FileHandler> handler_;
};

/// A file open for reading.
class LUFIO_API FileR : public virtual FileIOBase {
 public:
  /// Opens an existing file for reading; throws Error "Failed to open" when it cannot.
  FileR(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  FileR(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileR(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileR() override;
  /// Reads into the viewed bytes; returns the count read, 0 at end of file.
  /// See FileHandler::Read (a null view of some length throws).
  std::uint64_t Read(const lusys::BasicRef<char>& buffer) { return GetHandler().Read(buffer); }
};

/// A file open for writing, made or cut to length 0.
class LUFIO_API FileW : public virtual FileIOBase {
 public:
  /// Opens the file for writing, made or cut to length 0; throws Error "Failed to open" when it cannot.
  FileW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  FileW(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileW(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileW() override;
  /// Writes the viewed bytes; returns the count written. See FileHandler::Write
  /// (a null view of some length throws).
  std::uint64_t Write(const lusys::BasicRef<const char>& data) { return GetHandler().Write(data); }
  /// Pushes buffered data through to the system.
  void Flush();
};

/// A file open for reading and writing through one handler and one shared
/// offset, made or cut to length 0.
class LUFIO_API FileRW : public FileR, public FileW {
 public:
  /// Opens the file for both, made or cut to length 0; throws Error "Failed to open" when it cannot.
  FileRW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  FileRW(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileRW(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileRW() override;
};

/// A file open for appending: a missing file is made, an existing one keeps its content.
class LUFIO_API FileA : public FileIOBase {
 public:
  /// Opens the file for appending, made when missing; throws Error "Failed to open" when it cannot.
  FileA(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  FileA(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileA(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileA() override;
  /// Writes the viewed bytes; returns the count written. See FileHandler::Write
  /// (a null view of some length throws).
  std::uint64_t Write(const lusys::BasicRef<const char>& data) { return GetHandler().Write(data); }
  /// Pushes buffered data through to the system.
  void Flush();
};

/// A text file open for reading (always TypeText), line by line or in bytes.
class LUFIO_API TextFileR : public FileIOBase {
 public:
  /// Opens an existing file for reading in text mode; throws Error "Failed to open" when it cannot.
  TextFileR(const lusys::CPPathFileBase& path, const FileHandlerFactory& factory);
  /// The same, for a path given as text ("x.txt", a std::string) or as a CPPathFile.
  TextFileR(const lusys::CPPathFile& path, const FileHandlerFactory& factory)
      : TextFileR(static_cast<const lusys::CPPathFileBase&>(path), factory) {}
  ~TextFileR() override;
  /// Reads into the viewed bytes; returns the count read, 0 at end of file.
  /// See FileHandler::Read (a null view of some length throws).
  std::uint64_t Read(const lusys::BasicRef<char>& buffer) { return GetHandler().Read(buffer); }
  /// Reads one line; see FileHandler::GetLine.
  bool GetLine(char* buffer, lusys::Long size, bool& complete);
};

}  // namespace lufio

#endif  // LUFIO_FILE_IO_H_
