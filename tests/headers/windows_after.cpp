// The user's <windows.h> after lufio's headers, which must not have used it up.
#include <lufio/lufio.h>

#include "min_max.h"

#include <windows.h>

#include <type_traits>

static_assert(std::is_base_of_v<WIN32_FIND_DATAA, lufio::DirEntry::Imp>);
