#include "lufio/error.h"

namespace lufio {

Error::Error(const lusys::BasicRef<const char>& message, const lusys::CPPathFileBase& path, lusys::ULong code)
    : lusys::Exception(message, code) {
  path.Print(pathText_);
  // The path is printed again from the path object, so the base's text can
  // show more of it than the 260 characters kept in pathText_ when room is left.
  TextTail() << ": file=";
  lusys::BasicCStrRefOStream<char> tail = TextTail();
  path.Print(tail);
}

Error::Error(const Error& other) noexcept : lusys::Exception(other), pathText_(other.pathText_) {}

Error& Error::operator=(const Error& other) noexcept {
  if (this != &other) {
    lusys::Exception::operator=(other);
    pathText_ = other.pathText_;
  }
  return *this;
}

Error::~Error() = default;

const char* Error::what() const noexcept { return "File I/O error"; }

}  // namespace lufio
