// What lusys needs to know of the platform, implemented once per platform
// (platform_posix.cpp, platform_win32.cpp; the build picks one).
#ifndef LUSYS_SRC_PLATFORM_H_
#define LUSYS_SRC_PLATFORM_H_

#include "lusys/types.h"

namespace lusys::detail {

// The calling thread's last system error code.
ULong LastError() noexcept;

// The separator that joins a directory and a name.
extern const char kPathSeparator;

// Whether `c` separates path components on this platform.
bool IsPathSeparator(char c) noexcept;

}  // namespace lusys::detail

#endif  // LUSYS_SRC_PLATFORM_H_
