#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include "platform.h"

namespace lusys::detail {

ULong LastError() noexcept { return ::GetLastError(); }

const char kPathSeparator = '\\';

bool IsPathSeparator(char c) noexcept { return c == '\\' || c == '/'; }

}  // namespace lusys::detail
