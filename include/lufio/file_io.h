// The file objects that callers instantiate: FileR, FileW, FileRW, FileA and
// TextFileR over their common base FileIOBase.
//
// A file object opens its file in its constructor through the factory it is
// given (throwing lufio::Error "Failed to open" when it cannot) and closes it
// in its destructor. Every operation forwards to the object's one handler;
// Seek alone adds logic, clamping the target to the file. After Close every
// call still reaches the (closed) handler, whose back-end decides the answer.
// Objects are neither copyable nor assignable; one thread uses one at a time.
// Every constructor also takes the path as text ("x.txt", a std::string),
// which converts to a lusys::CPPathFile.
#ifndef LUFIO_FILE_IO_H_
#define LUFIO_FILE_IO_H_

#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <memory>

#include "lufio/export.h"
#include "lufio/file_handler.h"

namespace lufio {

class LUFIO_API FileIOBase {
 public:
  FileIOBase(const FileIOBase&) = delete;
  FileIOBase& operator=(const FileIOBase&) = delete;
  // Closes the file (dropping any exception that closing throws) and destroys
  // the handler.
  virtual ~FileIOBase() = 0;

  // Closes the file. Every later call still reaches the closed handler: Close
  // again does nothing, GetFileName works, and what the others do is each
  // back-end's (most throw their Error; see README's back-end table).
  void Close();
  // Moves the offset to `offset` from `whence`, clamped to [0, Size()], and
  // returns the new offset. A target before the beginning moves to 0, one
  // beyond the end moves to the end; the file never grows by seeking. The
  // target is base + offset in wrapping 32-bit arithmetic, so a sum past
  // 2,147,483,647 wraps negative and lands at 0. A Whence outside 0 to 2 is
  // clamped as an offset from the beginning and then moved as the back-end
  // moves it (README).
  lusys::Long Seek(lusys::Long offset, FileHandler::Whence whence);
  void Seek2Begin();
  void Seek2End();
  // The size in bytes; the offset is unchanged afterwards.
  lusys::Long Size();
  // The current offset from the beginning.
  lusys::Long Tell();
  // The handler's copy of the path, also after Close.
  const lusys::CPPathFileBase& GetFileName() const noexcept;

 protected:
  // Creates a handler with `factory` and opens it with `mode` and `type`.
  // Throws Error "Failed to open" with `path` and the system's error code when
  // the file cannot be opened; nothing is left open then.
  FileIOBase(const lusys::CPPathFileBase& path, FileHandler::Mode mode, FileHandler::Type type,
             const FileHandlerFactory& factory);

  FileHandler& GetHandler() noexcept { return *handler_; }

 private:
  std::unique_ptr<FileHandler> handler_;
};

// Reading.
class LUFIO_API FileR : public virtual FileIOBase {
 public:
  // Opens an existing file for reading.
  FileR(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  FileR(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileR(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileR() override;
  // Reads into the viewed bytes; returns the count read, 0 at end of file.
  std::uint64_t Read(const lusys::BasicRef<char>& buffer) { return GetHandler().Read(buffer); }
};

// Writing; creates the file or cuts it to length 0.
class LUFIO_API FileW : public virtual FileIOBase {
 public:
  FileW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  FileW(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileW(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileW() override;
  // Writes the viewed bytes; returns the count written.
  std::uint64_t Write(const lusys::BasicRef<const char>& data) { return GetHandler().Write(data); }
  // Pushes buffered data through to the system.
  void Flush();
};

// Reading and writing through one handler and one shared offset; creates the
// file or cuts it to length 0.
class LUFIO_API FileRW : public FileR, public FileW {
 public:
  FileRW(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  FileRW(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileRW(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileRW() override;
};

// Appending; creates a missing file and keeps an existing file's content.
class LUFIO_API FileA : public FileIOBase {
 public:
  FileA(const lusys::CPPathFileBase& path, FileHandler::Type type, const FileHandlerFactory& factory);
  FileA(const lusys::CPPathFile& path, FileHandler::Type type, const FileHandlerFactory& factory)
      : FileA(static_cast<const lusys::CPPathFileBase&>(path), type, factory) {}
  ~FileA() override;
  std::uint64_t Write(const lusys::BasicRef<const char>& data) { return GetHandler().Write(data); }
  void Flush();
};

// Reading a text file (always TypeText), line by line or in bytes.
class LUFIO_API TextFileR : public FileIOBase {
 public:
  TextFileR(const lusys::CPPathFileBase& path, const FileHandlerFactory& factory);
  TextFileR(const lusys::CPPathFile& path, const FileHandlerFactory& factory)
      : TextFileR(static_cast<const lusys::CPPathFileBase&>(path), factory) {}
  ~TextFileR() override;
  std::uint64_t Read(const lusys::BasicRef<char>& buffer) { return GetHandler().Read(buffer); }
  // Reads one line; see FileHandler::GetLine.
  bool GetLine(char* buffer, lusys::Long size, bool& complete);
};

}  // namespace lufio

#endif  // LUFIO_FILE_IO_H_
