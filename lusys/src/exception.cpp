#include "lusys/exception.h"

#include <cstring>

#include "platform.h"

namespace lusys {

namespace {

// Copies at most kTextSize - 1 characters and terminates them.
std::size_t CopyText(char* dst, const char* src, std::uint64_t length, std::size_t size) noexcept {
  const std::size_t n = length < size - 1 ? static_cast<std::size_t>(length) : size - 1;
  if (n != 0) std::memmove(dst, src, n);
  dst[n] = '\0';
  return n;
}

}  // namespace

Exception::Exception(const BasicRef<const char>& message, ULong code) noexcept : code_(code) {
  CopyText(text_, message.Data(), message.Data() == nullptr ? 0 : message.Length(), kTextSize);
}

Exception::Exception(const Exception& other) noexcept : std::exception(other), code_(other.code_) {
  CopyText(text_, other.text_, std::strlen(other.text_), kTextSize);
}

Exception& Exception::operator=(const Exception& other) noexcept {
  if (this != &other) {
    std::exception::operator=(other);
    CopyText(text_, other.text_, std::strlen(other.text_), kTextSize);
    code_ = other.code_;
  }
  return *this;
}

Exception::~Exception() = default;

const char* Exception::what() const noexcept { return text_; }

void Exception::Print(BasicOStream<char>& out) const {
  // Formats the code by hand so that printing allocates nothing.
  char digits[16];
  char* p = digits + sizeof(digits);
  *--p = '\0';
  ULong code = code_;
  do {
    *--p = static_cast<char>('0' + code % 10);
    code /= 10;
  } while (code != 0);
  out << text_ << " (code " << p << ")";
}

BasicCStrRefOStream<char> Exception::TextTail() noexcept {
  const std::size_t len = std::strlen(text_);
  return BasicCStrRefOStream<char>(BasicRef<char>(text_ + len, kTextSize - len));
}

ULong Exception::get_last_error() noexcept { return detail::LastError(); }

}  // namespace lusys
