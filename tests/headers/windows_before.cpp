// The user's <windows.h> before lufio's headers. Without the user's NOMINMAX,
// MSVC's SDK makes min and max macros: that file writes (std::min) anyway.
#include <windows.h>

#include <lufio/dir_reader.h>
#include <lufio/lufio.h>

#include <type_traits>

#ifndef min
#include "min_max.h"
#endif

static_assert(std::is_base_of_v<WIN32_FIND_DATAA, lufio::DirEntry::Imp>);
