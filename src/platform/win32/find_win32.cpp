// FindFirstFileA held to MAX_PATH: the directory reader prints its pattern
// into 260 characters, so a pattern that fills them may be a longer one cut
// short, which names another directory ("A\*\sub\*" cut to "A\*"). Windows
// refuses such a pattern in a process that is not long-path aware; Wine and
// long-path-aware processes would search it. Refused here on every Windows
// with the code Windows gives, ERROR_FILENAME_EXCED_RANGE.
#include <cstddef>
#include <cstring>

#include "platform.h"

namespace lufio::sys::native {

namespace {

// The longest pattern and its zero.
constexpr std::size_t kMaxPath = MAX_PATH;

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* record) {
  if (pattern != nullptr && std::strlen(pattern) >= kMaxPath) {
    ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return INVALID_HANDLE_VALUE;
  }
  return ::FindFirstFileA(pattern, record);
}

}  // namespace lufio::sys::native
