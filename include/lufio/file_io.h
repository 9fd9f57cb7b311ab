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
///
/// Callers make one of the access classes (FileR, FileW, FileRW, FileA,
/// TextFileR, SafeFileW) and use the operations here through it: Seek, Tell,
/// Size, Close and GetFileName work alike over every back-end.
///
/// Rules:
/// - Offsets and sizes are lusys::Long, signed 32-bit on every platform; a
///   position of 2 GiB or more throws Error (Win32 handles: 2 to 4 GiB give a
///   negative number). Reading and writing straight through a larger file works.
/// - Seek clamps its target to [0, Size()]: seeking never grows a file.
/// - Every failure throws Error with the path and the system's code
///   (@ref error_codes); the end of a file is never an error.
/// - Neither copyable nor assignable; one thread uses one object at a time.
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

/// A file open for reading, in bytes.
///
/// FileR opens an existing file through the factory it is given and reads it
/// in pieces of the caller's size; Seek, Tell and Size move about in it.
///
/// @snippet reference.cpp FileR
///
/// Rules:
/// - The constructor opens the file or throws Error "Failed to open" (a
///   missing file: code 2 on every platform); the destructor closes it.
/// - Read returns the count of bytes read: fewer than asked at the end of the
///   file or from a pipe (and over the C runtime in text mode on Windows,
///   where CR LF folds), 0 at the end, which is never an error. A read longer than
///   2,147,483,647 bytes is split into pieces.
/// - `TypeText` folds CR LF into LF on Windows over the C runtime, stdio and
///   fstream, and there a byte 0x1A ends the text; `TypeBinary` reads every
///   byte as it is. Over Win32 handles both read every byte as it is.
/// - A folder fails at open (code 5 on Windows); see README's back-end table
///   for what each back-end does in the corners.
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
///
/// FileW makes its file, or cuts an existing one to length 0, and writes the
/// bytes it is given. To replace a file's content so that a crash cannot
/// leave it half written, use SafeFileW.
///
/// @snippet reference.cpp FileW
///
/// Rules:
/// - The constructor opens the file or throws Error "Failed to open" (a
///   folder on the way missing, no permission); the destructor closes it.
/// - Write takes a view (lusys::BasicRef<const char>: lusys::Literal, a
///   std::string, lusys::CStrRef) and returns the count written; a write
///   longer than 2,147,483,647 bytes is split into pieces. A refused write
///   (a full disk: code 112 / 28) throws Error "Failed to write file".
/// - Flush goes as far as the back-end goes: to the device over Win32 handles
///   and C runtime descriptors, to the system over stdio and fstream. Over
///   stdio only Flush reports an error of the buffered data, not Close; over
///   fstream nothing reports it.
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
///
/// FileRW is a FileR and a FileW over one file: what one writes the other
/// reads, at the one offset both move.
///
/// @snippet reference.cpp FileRW
///
/// Rules:
/// - Like FileW, the constructor makes the file or cuts it to length 0.
/// - Reading right after writing, and back, needs no Seek or Flush between
///   them over any back-end (lufio makes the zero `fseek` C asks for).
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
///
/// FileA adds to the end of a file, as a log does.
///
/// @snippet reference.cpp FileA
///
/// Rules:
/// - Over the C runtime, stdio and fstream every Write lands at the end of
///   the file, whatever Seek did, also when another object appended since.
/// - Over Win32 handles the file object moves to the end once, after
///   opening; a later Seek then Write writes there.
/// - Where the offset starts differs by back-end (README's back-end table).
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
///
/// TextFileR reads a text file one line at a time into a buffer of the
/// caller's.
///
/// @snippet reference.cpp TextFileR
///
/// Rules:
/// - GetLine stores the line without its line feed, zero-terminated, and
///   sets `complete`; a line longer than `size` - 1 characters comes in
///   pieces, `complete` false on all but the last. It returns false at the
///   end of the file, and at once for a `size` of 1 or less.
/// - Choose the back-end for lines: stdio and fstream serve them from a
///   buffer of their own. Over Win32 handles and C runtime descriptors every
///   line costs four system calls and the whole buffer, however short the
///   line: keep the buffer near the longest line you expect (README, "Line
///   reading speed"), and read a pipe over stdio or fstream.
/// - On Windows CR LF folds into LF, and a byte 0x1A ends the text, except
///   over Win32 handles, which have no text mode.
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
