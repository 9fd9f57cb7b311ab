// Placeholder until the Win32 file stand-ins land.
#include <cerrno>

#include "posix/win32_file.h"

namespace lufio::sys::native {

DWORD GetLastError() noexcept { return static_cast<DWORD>(errno); }
void SetLastError(DWORD code) noexcept { errno = static_cast<int>(code); }

}  // namespace lufio::sys::native
