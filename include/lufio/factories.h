// The four back-end factories. Each is stateless: construct it anywhere, copy
// it freely, and hand it to any number of file objects.
//
// - WinHandlerFactory: Win32 file handles (CreateFileA, ReadFile, ...). No
//   text mode; an out-of-range Whence moves from the beginning.
// - CrtHandlerFactory: C runtime descriptors (_sopen, _read, ...). Text mode
//   translates line ends on Windows; an out-of-range Whence moves from the
//   current position.
// - StdioHandlerFactory: C stdio streams (fopen, fread, ...), with a line
//   reader built on fgets.
// - IosHandlerFactory: std::fstream, with the stream's own line extraction;
//   its flush never throws and its handler closes the file when destroyed.
#ifndef LUFIO_FACTORIES_H_
#define LUFIO_FACTORIES_H_

#include <memory>

#include "lufio/export.h"
#include "lufio/file_handler.h"

namespace lufio {

#define LUFIO_DECLARE_FACTORY(Name)                                                        \
  class LUFIO_API Name : public FileHandlerFactory {                                       \
   public:                                                                                 \
    Name() noexcept;                                                                       \
    Name(const Name& other) noexcept;                                                      \
    Name& operator=(const Name& other) noexcept;                                           \
    ~Name() override;                                                                      \
    /* A new, closed handler of this back-end bound to a copy of `path`. */                \
    std::unique_ptr<FileHandler> Create(const lusys::CPPathFileBase& path) const override; \
  }

LUFIO_DECLARE_FACTORY(WinHandlerFactory);
LUFIO_DECLARE_FACTORY(CrtHandlerFactory);
LUFIO_DECLARE_FACTORY(StdioHandlerFactory);
LUFIO_DECLARE_FACTORY(IosHandlerFactory);

#undef LUFIO_DECLARE_FACTORY

}  // namespace lufio

#endif  // LUFIO_FACTORIES_H_
