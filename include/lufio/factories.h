// The four back-end factories. Each is stateless: construct it anywhere, copy
// it freely, and hand it to any number of file objects. README.md has a table
// of how the back-ends differ.
#ifndef LUFIO_FACTORIES_H_
#define LUFIO_FACTORIES_H_

#include <memory>

#include "lufio/export.h"
#include "lufio/file_handler.h"

namespace lufio {

/// Win32 file handles: CreateFileA with read and write sharing, ReadFile,
/// WriteFile, SetFilePointer (32-bit), FlushFileBuffers (to the device). No
/// text mode; FileA moves to the end once after opening; a Whence outside
/// 0 to 2 moves from the beginning; lines through the default line reader.
///
/// @snippet reference.cpp WinHandlerFactory
///
/// Rules: a factory is stateless; make it anywhere, copy it freely, and hand
/// one to any number of file objects, in any number of threads. It only makes
/// handlers: every file object opens, uses and closes its own. README's
/// back-end table says how the four back-ends differ.
class LUFIO_API WinHandlerFactory : public FileHandlerFactory {
 public:
  /// Stateless: made, copied and assigned freely, all alike.
  ///@{
  WinHandlerFactory() noexcept;
  WinHandlerFactory(const WinHandlerFactory& other) noexcept;
  WinHandlerFactory& operator=(const WinHandlerFactory& other) noexcept;
  ~WinHandlerFactory() override;
  ///@}
  /// A new, closed handler of this back-end bound to a copy of `path`; throws
  /// std::bad_alloc when memory runs out, and touches no file.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
};

/// C runtime descriptors: _sopen with read and write sharing, _read, _write,
/// _lseek and _tell (32-bit), _commit (to the device). Text mode folds CR LF
/// on Windows; every FileA write lands at the end; a Whence outside 0 to 2
/// moves from the current position; lines through the default line reader.
///
/// @snippet reference.cpp CrtHandlerFactory
///
/// Rules: a factory is stateless; make it anywhere, copy it freely, and hand
/// one to any number of file objects, in any number of threads. It only makes
/// handlers: every file object opens, uses and closes its own. README's
/// back-end table says how the four back-ends differ.
class LUFIO_API CrtHandlerFactory : public FileHandlerFactory {
 public:
  /// Stateless: made, copied and assigned freely, all alike.
  ///@{
  CrtHandlerFactory() noexcept;
  CrtHandlerFactory(const CrtHandlerFactory& other) noexcept;
  CrtHandlerFactory& operator=(const CrtHandlerFactory& other) noexcept;
  ~CrtHandlerFactory() override;
  ///@}
  /// A new, closed handler of this back-end bound to a copy of `path`; throws
  /// std::bad_alloc when memory runs out, and touches no file.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
};

/// C stdio streams: fopen, fread, fwrite, fseek, ftell, fflush (to the
/// system). Lines through fgets with a one-character look-ahead; read and
/// write errors carry the stream's ferror value as their code; a Whence
/// outside 0 to 2 moves from the current position.
///
/// @snippet reference.cpp StdioHandlerFactory
///
/// Rules: a factory is stateless; make it anywhere, copy it freely, and hand
/// one to any number of file objects, in any number of threads. It only makes
/// handlers: every file object opens, uses and closes its own. README's
/// back-end table says how the four back-ends differ.
class LUFIO_API StdioHandlerFactory : public FileHandlerFactory {
 public:
  /// Stateless: made, copied and assigned freely, all alike.
  ///@{
  StdioHandlerFactory() noexcept;
  StdioHandlerFactory(const StdioHandlerFactory& other) noexcept;
  StdioHandlerFactory& operator=(const StdioHandlerFactory& other) noexcept;
  ~StdioHandlerFactory() override;
  ///@}
  /// A new, closed handler of this back-end bound to a copy of `path`; throws
  /// std::bad_alloc when memory runs out, and touches no file.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
};

/// std::fstream: positions through its buffer's pubseekoff, lines through the
/// stream's getline. Its flush never throws, its handler closes the file when
/// destroyed, and a Whence outside 0 to 2 moves from the beginning.
///
/// @snippet reference.cpp IosHandlerFactory
///
/// Rules: a factory is stateless; make it anywhere, copy it freely, and hand
/// one to any number of file objects, in any number of threads. It only makes
/// handlers: every file object opens, uses and closes its own. README's
/// back-end table says how the four back-ends differ.
class LUFIO_API IosHandlerFactory : public FileHandlerFactory {
 public:
  /// Stateless: made, copied and assigned freely, all alike.
  ///@{
  IosHandlerFactory() noexcept;
  IosHandlerFactory(const IosHandlerFactory& other) noexcept;
  IosHandlerFactory& operator=(const IosHandlerFactory& other) noexcept;
  ~IosHandlerFactory() override;
  ///@}
  /// A new, closed handler of this back-end bound to a copy of `path`; throws
  /// std::bad_alloc when memory runs out, and touches no file.
  std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override;
};

}  // namespace lufio

#endif  // LUFIO_FACTORIES_H_
