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

// Text converts to a character view wherever a std::string does: a literal,
// a const char* (null: empty), a char array, a std::string_view; no call that
// took one of them before became ambiguous. The adopting conveniences compile.
static_assert(lusys::BasicRef<const char>("abc").Length() == 3);
static_assert(lusys::BasicRef<const char>(static_cast<const char*>(nullptr)).Length() == 0);
static_assert(!std::is_convertible_v<const char*, lusys::BasicRef<char>>);
void TextWhereStringsGo(lufio::FileW& out, const lusys::CPPath& folder, const char* name, std::string_view view) {
  char array[] = "array";
  const lusys::CPPathFile paths[] = {{folder, "name.txt"}, {folder, name}, {folder, array}, {folder, view}};
  out.Write("literal"), out.Write(name), out.Write(array);
  using S = lufio::StandardStreams;
  lufio::WholeFile::Save(paths[0], "whole", lufio::FileHandler::TypeBinary, S::Crt(S::StreamOut));
  (void)S::Win(S::StreamIn), (void)S::Stdio(S::StreamErr), (void)S::Ios(S::StreamIn);
}
