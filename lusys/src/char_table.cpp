#include "lusys/char_table.h"

#include <cstring>

namespace lusys {

CharTable::CharTable(unsigned char c) noexcept : member_(c) {}

CharTable::~CharTable() = default;

std::uint64_t CharTable::LengthNotOf(const BasicRef<const char>& text) const noexcept {
  if (text.Length() == 0) return 0;
  // memchr is the fastest search the C library has for one byte.
  const void* hit = std::memchr(text.Data(), member_, static_cast<std::size_t>(text.Length()));
  return hit == nullptr ? text.Length() : static_cast<std::uint64_t>(static_cast<const char*>(hit) - text.Data());
}

}  // namespace lusys
