#include <cerrno>

#include "platform.h"

namespace lusys::detail {

ULong LastError() noexcept { return static_cast<ULong>(errno); }

const char kPathSeparator = '/';

bool IsPathSeparator(char c) noexcept { return c == '/'; }

}  // namespace lusys::detail
