// Factories that adopt an object the caller has already opened (a Win32
// handle, a C runtime descriptor, a FILE*, a C++ stream buffer) instead of
// opening a path, and StandardStreams, which hands out the process's own
// standard input, output and error that way.
//
// An adopting factory never owns what it adopts: the file object made through
// it reads and writes the caller's object, its Close (and its destructor)
// leave that object open, and the caller closes it when it is done. The path
// given to the file object is only the name that errors show ("<stdin>",
// "-"); nothing is opened by that name.
#ifndef LUFIO_ADOPTED_H_
#define LUFIO_ADOPTED_H_

#include <cstdint>
#include <cstdio>
#include <memory>
#include <streambuf>

#include "lufio/export.h"
#include "lufio/file_handler.h"

namespace lufio {

/// Adopts an open Win32 file handle (a `HANDLE`, given as `void*`) for the
/// Win32 handle back-end.
///
/// ```cpp
/// lufio::FileR in("<pipe>", lufio::FileHandler::TypeBinary, lufio::AdoptedWinHandlerFactory(pipe_handle));
/// ```
///
/// Rules:
/// - The open keeps the handle as it is: Mode and Type change nothing (there
///   is no text mode), and FileA does not move to the end. A handle equal to
///   INVALID_HANDLE_VALUE fails the open with ERROR_INVALID_HANDLE.
/// - Close forgets the handle without closing it; every later call then hands
///   INVALID_HANDLE_VALUE to the system, as on a closed WinHandlerFactory file.
/// - Off Windows the handle is the POSIX descriptor's number cast to `void*`
///   (the back-end's stand-ins work on descriptors).
/// - Size and Seek on a pipe or a console fail with the system's code.
class LUFIO_API AdoptedWinHandlerFactory : public FileHandlerFactory {
 public:
  /// The factory of handlers over `handle`, which the caller keeps open for
  /// as long as a file object made here is used, and closes afterwards.
  explicit AdoptedWinHandlerFactory(void* handle) noexcept;
  /// Copies adopt the same handle.
  ///@{
  AdoptedWinHandlerFactory(const AdoptedWinHandlerFactory& other) noexcept;
  AdoptedWinHandlerFactory& operator=(const AdoptedWinHandlerFactory& other) noexcept;
  ~AdoptedWinHandlerFactory() override;
  ///@}
  /// A new, closed handler whose open takes the handle; throws std::bad_alloc
  /// when memory runs out.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
  /// The adopted handle.
  void* GetHandle() const noexcept { return handle_; }

 private:
  void* handle_;
};

/// Adopts an open C runtime descriptor for the C runtime back-end.
///
/// ```cpp
/// lufio::FileW log("<fd 3>", lufio::FileHandler::TypeBinary, lufio::AdoptedCrtHandlerFactory(3));
/// ```
///
/// Rules:
/// - The open keeps the descriptor as it is: Mode and Type change nothing
///   (the descriptor keeps the text or binary mode it has on Windows; see
///   StandardStreams for binary standard streams). A descriptor of -1 fails
///   the open with the invalid-handle code (EBADF; Windows: ERROR_INVALID_HANDLE).
/// - Close forgets the descriptor without closing it; every later call throws
///   its Error with the invalid-handle code, as on a closed CrtHandlerFactory file.
/// - Size and Seek on a pipe fail with the system's code.
class LUFIO_API AdoptedCrtHandlerFactory : public FileHandlerFactory {
 public:
  /// The factory of handlers over the descriptor `fd`, which the caller keeps
  /// open for as long as a file object made here is used.
  explicit AdoptedCrtHandlerFactory(int fd) noexcept;
  /// Copies adopt the same descriptor.
  ///@{
  AdoptedCrtHandlerFactory(const AdoptedCrtHandlerFactory& other) noexcept;
  AdoptedCrtHandlerFactory& operator=(const AdoptedCrtHandlerFactory& other) noexcept;
  ~AdoptedCrtHandlerFactory() override;
  ///@}
  /// A new, closed handler whose open takes the descriptor; throws
  /// std::bad_alloc when memory runs out.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
  /// The adopted descriptor.
  int GetDescriptor() const noexcept { return fd_; }

 private:
  int fd_;
};

/// Adopts an open C stdio stream for the C stdio back-end.
///
/// @snippet reference.cpp AdoptedStdioHandlerFactory
///
/// Rules:
/// - The open keeps the stream as it is: Mode and Type change nothing. A
///   null stream fails the open with the invalid-handle code.
/// - Close pushes out what the file object wrote (fflush) and forgets the
///   stream without closing it; every later call throws its Error with the
///   invalid-handle code, as on a closed StdioHandlerFactory file.
/// - Size and Seek on a pipe fail with the system's code.
class LUFIO_API AdoptedStdioHandlerFactory : public FileHandlerFactory {
 public:
  /// The factory of handlers over `stream`, which the caller keeps open for
  /// as long as a file object made here is used.
  explicit AdoptedStdioHandlerFactory(std::FILE* stream) noexcept;
  /// Copies adopt the same stream.
  ///@{
  AdoptedStdioHandlerFactory(const AdoptedStdioHandlerFactory& other) noexcept;
  AdoptedStdioHandlerFactory& operator=(const AdoptedStdioHandlerFactory& other) noexcept;
  ~AdoptedStdioHandlerFactory() override;
  ///@}
  /// A new, closed handler whose open takes the stream; throws std::bad_alloc
  /// when memory runs out.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
  /// The adopted stream.
  std::FILE* GetStream() const noexcept { return stream_; }

 private:
  std::FILE* stream_;
};

/// Adopts a C++ stream buffer (`std::cin.rdbuf()`, a std::stringbuf, a
/// std::filebuf) for the iostream back-end. A std::fstream cannot take a
/// handle, a descriptor or a FILE*: this back-end adopts stream buffers only.
///
/// @snippet reference.cpp AdoptedIosHandlerFactory
///
/// Rules:
/// - The handler reads and writes the buffer through a std::iostream of its
///   own, with the back-end's rules (positions through pubseekoff, lines
///   through getline, state flags reset after every call). Mode chooses which
///   position Tell and Seek move (reading, writing, or both for FileRW); Type
///   changes nothing.
/// - Close pushes out what was written (pubsync) and lets the buffer go; every
///   later call fails as on a closed std::fstream (code 0: no system call failed).
class LUFIO_API AdoptedIosHandlerFactory : public FileHandlerFactory {
 public:
  /// The factory of handlers over `buffer`, which must outlive every file
  /// object made here.
  explicit AdoptedIosHandlerFactory(std::streambuf& buffer) noexcept;
  /// Copies adopt the same buffer.
  ///@{
  AdoptedIosHandlerFactory(const AdoptedIosHandlerFactory& other) noexcept;
  AdoptedIosHandlerFactory& operator=(const AdoptedIosHandlerFactory& other) noexcept;
  ~AdoptedIosHandlerFactory() override;
  ///@}
  /// A new, closed handler whose open takes the buffer; throws std::bad_alloc
  /// when memory runs out.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
  /// The adopted buffer.
  std::streambuf& GetBuffer() const noexcept { return *buffer_; }

 private:
  std::streambuf* buffer_;
};

/// The process's standard input, output and error as adopting factories of
/// each back-end, switched to binary so that every byte passes unchanged.
///
/// ```cpp
/// // Everything piped in, whatever its size: `producer | program`.
/// const std::string all = lufio::WholeFile::Read(
///     "<stdin>", lufio::FileHandler::TypeBinary, lufio::StandardStreams::Crt(lufio::StandardStreams::StreamIn));
/// lufio::FileW out("<stdout>", lufio::FileHandler::TypeBinary,
///                  lufio::StandardStreams::Stdio(lufio::StandardStreams::StreamOut));
/// out.Write(all);
/// ```
///
/// Rules:
/// - Each call puts the stream's C runtime descriptor (0, 1 or 2) into binary
///   mode on Windows (`_setmode(fd, _O_BINARY)`, after flushing the stdio
///   stream) and nowhere else changes anything; call it before the program
///   reads or writes the stream by other means.
/// - Win32 adopts `GetStdHandle`'s handle (off Windows the descriptor),
///   C runtime the descriptor, stdio `stdin`/`stdout`/`stderr`, iostream the
///   buffer of `std::cin`/`std::cout`/`std::cerr`, which follows stdio's
///   stream while std::ios_base::sync_with_stdio is left on.
/// - The streams stay open when the file objects close. A value outside the
///   enumeration is taken as StreamErr.
class LUFIO_API StandardStreams {
 public:
  /// Which of the process's streams.
  enum Stream : std::int32_t { StreamIn = 0, StreamOut = 1, StreamErr = 2 };

  StandardStreams() = delete;

  /// The stream's Win32 handle.
  static AdoptedWinHandlerFactory Win(Stream stream);
  /// The stream's C runtime descriptor.
  static AdoptedCrtHandlerFactory Crt(Stream stream);
  /// The stream's stdio FILE.
  static AdoptedStdioHandlerFactory Stdio(Stream stream);
  /// The stream's std::cin, std::cout or std::cerr buffer.
  static AdoptedIosHandlerFactory Ios(Stream stream);
};

}  // namespace lufio

#endif  // LUFIO_ADOPTED_H_
