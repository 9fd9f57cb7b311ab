// lufio's headers without the user's <windows.h> bring none of it, and no
// macro of their own; DirEntry::Imp stays incomplete (its fields need
// <lufio/dir_entry_imp.h>) on every platform alike.
#include <lufio/lufio.h>

#include <type_traits>

#include "min_max.h"

// (mingw-w64's libstdc++ defines NOMINMAX itself.)
#if defined(WINAPI) || defined(FILE_ATTRIBUTE_DIRECTORY) || defined(WIN32_LEAN_AND_MEAN) || \
    (defined(NOMINMAX) && !defined(__GLIBCXX__))
#error "lufio's headers include a Windows header or define its macros"
#endif

template <class T, class = void>
struct Complete : std::false_type {};
template <class T>
struct Complete<T, std::void_t<decltype(sizeof(T))>> : std::true_type {};
static_assert(!Complete<lufio::DirEntry::Imp>::value);
