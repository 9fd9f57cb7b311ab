// The back-end interface of lufio: FileHandler, one open file over one
// operating-system interface, and FileHandlerFactory, the object through which
// a caller picks the back-end.
//
// Public non-virtual entry points (Size, Read, Write, GetLine) hold the
// library's own rules and call the private virtual operations that each
// back-end implements. A caller may derive its own handler and factory.
#ifndef LUFIO_FILE_HANDLER_H_
#define LUFIO_FILE_HANDLER_H_

#include <lusys/char_table.h>
#include <lusys/path.h>
#include <lusys/types.h>

#include <cstdint>
#include <memory>

#include "lufio/export.h"

namespace lufio {

class FileIOBase;
class FileR;
class FileW;
class FileRW;
class FileA;
class TextFileR;

/// One file over one operating-system interface: the base of every back-end.
/// A handler owns a copy of its path and is made, closed, by a factory.
class LUFIO_API FileHandler {
 public:
  /// How a file is opened: read (FileR, TextFileR), write (FileW), both
  /// (FileRW), append (FileA).
  enum Mode : std::int32_t { ModeRead = 0, ModeWrite = 1, ModeReadWrite = 2, ModeAppend = 3 };
  /// Text or binary mode; each back-end decides what a value outside them means.
  enum Type : std::int32_t { TypeText = 0, TypeBinary = 1 };
  /// Where a Seek counts from: the beginning, the current offset, the end.
  enum Whence : std::int32_t { WhenceBegin = 0, WhenceCurrent = 1, WhenceEnd = 2 };

  /// The largest piece that Read and Write hand to one virtual call.
  static constexpr lusys::Long kChunk = lusys::kLongMax;

  FileHandler(const FileHandler&) = delete;
  FileHandler& operator=(const FileHandler&) = delete;
  /// Deletes the path copy; does not close the file.
  virtual ~FileHandler();

  /// The size of the file in bytes, measured by seeking to the end and back;
  /// the offset is the same afterwards. Throws what tell and seek throw; after
  /// a failure on the way back the offset is left at the end.
  lusys::Long Size();

  /// Reads into the viewed bytes in pieces of at most kChunk bytes and returns
  /// the total read; a piece that reads nothing ends the transfer (end of
  /// file). An empty view costs no call, whatever its pointer; a null pointer
  /// with a length throws Error "Failed to read file" without reaching the
  /// back-end. Throws what the back-end throws.
  std::uint64_t Read(lusys::BasicRef<char> buffer) {
    // One piece, the common case, stays inline: one virtual call and nothing
    // more. A null view takes the out-of-line way, which refuses it.
    if (buffer.Length() > static_cast<std::uint64_t>(kChunk) || buffer.Data() == nullptr) return ReadPieces(buffer);
    return buffer.Length() == 0 ? 0 : read(buffer.Data(), static_cast<lusys::Long>(buffer.Length()));
  }

  /// Writes the viewed bytes in pieces of at most kChunk bytes and returns the
  /// total written; a piece that writes nothing ends the transfer. An empty
  /// view costs no call; a null pointer with a length throws Error "Failed to
  /// write file" without reaching the back-end.
  std::uint64_t Write(lusys::BasicRef<const char> data) {
    if (data.Length() > static_cast<std::uint64_t>(kChunk) || data.Data() == nullptr) return WritePieces(data);
    return data.Length() == 0 ? 0 : write(data.Data(), static_cast<lusys::Long>(data.Length()));
  }

  /// Reads one line into `buffer`, at most size - 1 characters, zero-terminated,
  /// without its line feed. `complete` tells whether the line ended within the
  /// buffer. Returns false when nothing was left to read, and at once, touching
  /// neither `buffer` nor `complete`, when `size` is 1 or less; a null `buffer`
  /// of a larger size throws Error "Failed to read file". The default
  /// line reader (Win32 handles, C runtime) zero-fills and reads the whole
  /// buffer for every line and seeks back: a large buffer makes every line
  /// slow, and a source that cannot seek (a pipe) fails at the first Tell.
  bool GetLine(char* buffer, lusys::Long size, bool& complete);

  /// The handler's own copy of the path.
  const lusys::CPPathFileBase& GetFileName() const noexcept { return *path_; }

 protected:
  /// Keeps `path.Clone()` as the handler's own path.
  explicit FileHandler(const lusys::CPPathFileBase& path);

  /// The end-of-line set of the default line reader: the line feed alone.
  static const lusys::CharTable EOL;

 private:
  friend class FileIOBase;
  friend class FileR;
  friend class FileW;
  friend class FileRW;
  friend class FileA;
  friend class TextFileR;

  /// The current offset from the beginning.
  virtual lusys::Long tell() = 0;
  /// Moves to `offset` from `whence` and returns the new offset from the
  /// beginning; seek(0, WhenceEnd) returns the size.
  virtual lusys::Long seek(lusys::Long offset, Whence whence) = 0;
  /// Pushes buffered data through to the operating system.
  virtual void flush() = 0;
  /// Opens the path; false (never an exception) when the file cannot be
  /// opened, leaving the system's error code to be read.
  virtual bool open(Mode mode, Type type) = 0;
  /// Closes the file if it is open; does nothing on a closed handler.
  virtual void close() = 0;
  /// Reads at most `size` bytes; 0 at end of file.
  virtual std::uint64_t read(char* buffer, lusys::Long size) = 0;
  /// Writes at most `size` bytes and returns how many were written.
  virtual std::uint64_t write(const char* data, lusys::Long size) = 0;
  /// The line reader; the default reads the whole buffer in one call and
  /// repositions behind the line end with one seek.
  virtual bool getline(char* buffer, lusys::Long size, bool& complete);

  // Read and Write of more than kChunk bytes, piece by piece, and of a null
  // view, which they refuse unless it is empty.
  std::uint64_t ReadPieces(lusys::BasicRef<char> buffer);
  std::uint64_t WritePieces(lusys::BasicRef<const char> data);

  lusys::CPPathFileBase* path_;
};

/// The object through which a caller picks the back-end: Create makes a
/// handler of its back-end. Derive from it to hand lufio a back-end of your own.
class LUFIO_API FileHandlerFactory {
 public:
  virtual ~FileHandlerFactory() {}
  /// A new handler bound to `path`, not yet opened, owned by the caller. Never
  /// null; an allocation failure throws std::bad_alloc.
  virtual std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const = 0;

 protected:
  /// Factories hold no state: made, copied and assigned freely by derived classes.
  ///@{
  FileHandlerFactory() = default;
  FileHandlerFactory(const FileHandlerFactory&) = default;
  void operator=(const FileHandlerFactory&) {}
  ///@}
};

}  // namespace lufio

#endif  // LUFIO_FILE_HANDLER_H_
