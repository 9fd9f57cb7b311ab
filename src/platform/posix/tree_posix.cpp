// A folder's identity on POSIX: the device and inode that stat gives, through
// the path's symbolic links.
#include <sys/stat.h>

#include <cerrno>

#include "tree.h"

namespace lufio::sys {

DWORD IdentifyFolder(const char* path, FolderId* id) noexcept {
  struct stat status;
  if (stat(path, &status) != 0) return static_cast<DWORD>(errno);
  *id = FolderId{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
  return 0;
}

}  // namespace lufio::sys
