// Memory and string helpers of lusys.
#ifndef LUSYS_MEM_H_
#define LUSYS_MEM_H_

#include <cstddef>

#include "lusys/export.h"
#include "lusys/types.h"

namespace lusys {

/// Compares two views character by character (as unsigned bytes); a shorter
/// view that is a prefix of the longer one sorts first. Returns 0 when both
/// hold the same characters, a negative value when `a` sorts first, a
/// positive value otherwise.
LUSYS_API int StrCmp(const BasicRef<const char>& a, const BasicRef<const char>& b) noexcept;

/// Copies `n` bytes from `src` to `dst`; the ranges must not overlap.
LUSYS_API void MemCopy(void* dst, const void* src, std::size_t n) noexcept;

/// Sets `n` bytes at `dst` to zero.
LUSYS_API void MemZero(void* dst, std::size_t n) noexcept;

}  // namespace lusys

#endif  // LUSYS_MEM_H_
