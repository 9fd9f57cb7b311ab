#include "lusys/char_table.h"

#include <cstring>

namespace lusys {

CharTable::CharTable(unsigned char c) noexcept : bits_{}, count_(1), first_(c) {
  bits_[c >> 5] |= std::uint32_t{1} << (c & 31);
}

CharTable::~CharTable() = default;

std::uint64_t CharTable::LengthNotOf(const BasicRef<const char>& text) const noexcept {
  const char* data = text.Data();
  const std::uint64_t length = text.Length();
  if (length == 0) return 0;
  if (count_ == 1) {
    // memchr is the fastest search the C library has for one byte.
    const void* hit = std::memchr(data, first_, static_cast<std::size_t>(length));
    return hit == nullptr ? length : static_cast<std::uint64_t>(static_cast<const char*>(hit) - data);
  }
  for (std::uint64_t i = 0; i < length; ++i) {
    const auto c = static_cast<unsigned char>(data[i]);
    if ((bits_[c >> 5] >> (c & 31)) & 1u) return i;
  }
  return length;
}

}  // namespace lusys
