// What a walk over a tree needs of the platform beyond the directory search:
// the separator it joins a folder and a name with, and a folder's identity,
// by which it tells a loop of links. posix/tree_posix.cpp and
// win32/tree_win32.cpp implement it; the build picks one.
#ifndef LUFIO_SRC_PLATFORM_TREE_H_
#define LUFIO_SRC_PLATFORM_TREE_H_

#include <cstdint>

#include "platform.h"

namespace lufio::sys {

#if defined(_WIN32)
inline constexpr char kPathSeparator = '\\';
inline constexpr bool IsPathSeparator(char c) noexcept { return c == '\\' || c == '/'; }
#else
inline constexpr char kPathSeparator = '/';
inline constexpr bool IsPathSeparator(char c) noexcept { return c == '/'; }
#endif

// A folder as the system knows it, whatever the path: device and inode on
// POSIX, volume serial number and file index on Windows.
struct FolderId {
  std::uint64_t volume;
  std::uint64_t index;
  bool operator==(const FolderId& other) const noexcept { return volume == other.volume && index == other.index; }
};

// The identity of the folder `path` leads to (through its links); 0, or the
// system's code for the failure.
DWORD IdentifyFolder(const char* path, FolderId* id) noexcept;

}  // namespace lufio::sys

#endif  // LUFIO_SRC_PLATFORM_TREE_H_
