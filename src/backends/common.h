// Pieces that every back-end shares: the file name handed to the system and
// the definition of a stateless factory.
#ifndef LUFIO_SRC_BACKENDS_COMMON_H_
#define LUFIO_SRC_BACKENDS_COMMON_H_

#include <lusys/ostream.h>

#include <cstdio>
#include <memory>

#include "lufio/adopted.h"
#include "lufio/factories.h"
#include "lufio/file_handler.h"

namespace lufio::detail {

// The handler's path printed as narrow text, unchanged and uncut, alive as
// long as this object.
class PathText {
 public:
  explicit PathText(const FileHandler& handler) { handler.GetFileName().Print(stream_); }
  const char* c_str() const noexcept { return stream_.Get().c_str(); }

 private:
  lusys::BasicStrOStream<char> stream_;
};

// The C library's seek origin for `whence`, as the descriptor and stdio
// back-ends map it: a value outside the enumeration moves from the current
// position.
inline int SeekOrigin(FileHandler::Whence whence) noexcept {
  switch (whence) {
    case FileHandler::WhenceBegin:
      return SEEK_SET;
    case FileHandler::WhenceEnd:
      return SEEK_END;
    default:
      return SEEK_CUR;
  }
}

}  // namespace lufio::detail

// Defines the members of a stateless factory whose Create makes a `Handler`.
#define LUFIO_DEFINE_FACTORY(Factory, Handler)                                            \
  Factory::Factory() noexcept = default;                                                  \
  Factory::Factory(const Factory& other) noexcept = default;                              \
  Factory& Factory::operator=(const Factory&) noexcept { return *this; }                  \
  Factory::~Factory() = default;                                                          \
  std::unique_ptr<FileHandler> Factory::Create(const lusys::CPPathFileBase& path) const { \
    return std::make_unique<Handler>(path);                                               \
  }

// Defines the members of a factory that adopts one `Object` (kept in
// `member`): its Create makes a `Handler` over it.
#define LUFIO_DEFINE_ADOPTING_FACTORY(Factory, Handler, Object, member)                   \
  Factory::Factory(Object object) noexcept : member(object) {}                            \
  Factory::Factory(const Factory& other) noexcept = default;                              \
  Factory& Factory::operator=(const Factory& other) noexcept {                            \
    member = other.member;                                                                \
    return *this;                                                                         \
  }                                                                                       \
  Factory::~Factory() = default;                                                          \
  std::unique_ptr<FileHandler> Factory::Create(const lusys::CPPathFileBase& path) const { \
    return std::make_unique<Handler>(path, member);                                       \
  }

#endif  // LUFIO_SRC_BACKENDS_COMMON_H_
