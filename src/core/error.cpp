#include "lufio/error.h"

#include <cstring>

namespace lufio {

Error::Error(const lusys::BasicRef<const char>& message, const lusys::CPPathFileBase& path, lusys::ULong code)
    : lusys::Exception(message, code) {
  path.Print(pathText_);
  // Append ": file=" and then the path, each time over the free tail of the
  // base's buffer; the path is printed again from the path object, so the
  // base's text can show more of it than the room left allows, never more.
  char* text = TextBuffer();
  std::size_t len = std::strlen(text);
  {
    lusys::BasicCStrRefOStream<char> tail(lusys::BasicRef<char>(text + len, kTextSize - len));
    tail << ": file=";
  }
  len = std::strlen(text);
  lusys::BasicCStrRefOStream<char> tail(lusys::BasicRef<char>(text + len, kTextSize - len));
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
