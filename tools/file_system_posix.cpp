// File identity and names on POSIX systems: stat's device and inode, and
// names as the bytes they are.
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "file_system.h"

namespace lufio_cli {

bool SameFile(const std::string& a, const std::string& b) noexcept {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

std::filesystem::path NativePath(const std::string& name) { return std::filesystem::path(name); }

std::string NarrowName(const std::filesystem::path& path) { return path.string(); }

}  // namespace lufio_cli
