// A user's file with <windows.h> before lufio's headers or after them
// (LUFIO_TEST_WINDOWS_FIRST 1 or 0), under the user's own WIN32_LEAN_AND_MEAN
// and NOMINMAX or without them (CMake sets each): the file gets what
// <windows.h> alone gives, and the record's header gives the platform's own.
#if LUFIO_TEST_WINDOWS_FIRST
#include <windows.h>
#endif
#include <lufio/lufio.h>
#if !LUFIO_TEST_WINDOWS_FIRST
#include <windows.h>
#endif
#include <lufio/dir_entry_imp.h>

#include <type_traits>

static_assert(std::is_base_of_v<WIN32_FIND_DATAA, lufio::DirEntry::Imp>);

#ifdef WIN32_LEAN_AND_MEAN
// Only after a lean <windows.h>: the whole one brings winsock.h.
#include <winsock2.h>
static_assert(sizeof(&WSASocketA) != 0);
#else
// What only the whole <windows.h> brings: winioctl.h, shellapi.h.
static_assert(FSCTL_SET_SPARSE != 0 && sizeof(&ShellExecuteA) != 0);
#endif

#ifdef NOMINMAX
#include "min_max.h"
#elif defined(_MSC_VER)
// The SDK's macros, which a user without NOMINMAX gets (mingw-w64 defines
// them for C only).
static_assert(min(1, 2) == 1 && max(1, 2) == 2);
#endif
