#include "lusys/mem.h"

#include <cstring>

namespace lusys {

int StrCmp(const BasicRef<const char>& a, const BasicRef<const char>& b) noexcept {
  const std::uint64_t common = a.Length() < b.Length() ? a.Length() : b.Length();
  if (common != 0) {
    const int c = std::memcmp(a.Data(), b.Data(), static_cast<std::size_t>(common));
    if (c != 0) return c;
  }
  if (a.Length() == b.Length()) return 0;
  return a.Length() < b.Length() ? -1 : 1;
}

void MemCopy(void* dst, const void* src, std::size_t n) noexcept {
  if (n != 0) std::memcpy(dst, src, n);
}

void MemZero(void* dst, std::size_t n) noexcept {
  if (n != 0) std::memset(dst, 0, n);
}

}  // namespace lusys
