// File identity, kinds and names on POSIX systems: stat's device, inode and
// mode, and names as the bytes they are.
#include <sys/stat.h>

#include <cstdint>
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

namespace {

// The identity of `name`, or of the standard stream `stream` when the name is
// "-" and the stream is a regular file.
bool Identify(const std::string& name, int stream, struct stat& info) noexcept {
  if (name != "-") return ::stat(name.c_str(), &info) == 0;
  return ::fstat(stream, &info) == 0 && S_ISREG(info.st_mode);
}

}  // namespace

bool SameFile(const std::string& a, int a_stream, const std::string& b, int b_stream) noexcept {
  struct stat first;
  struct stat second;
  return Identify(a, a_stream, first) && Identify(b, b_stream, second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool WrittenInPlace(const std::string& dst) noexcept {
  struct stat info;
  return ::stat(dst.c_str(), &info) == 0 && !S_ISREG(info.st_mode);
}

bool IsFolder(const std::string& name) noexcept {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::uint32_t PermissionBits(const std::string& name) noexcept {
  struct stat info;
  return ::stat(name.c_str(), &info) == 0 ? static_cast<std::uint32_t>(info.st_mode & 0777) : 0666;
}

bool RegularFileSize(const std::string& name, std::uint64_t& size) noexcept {
  struct stat info;
  if (::stat(name.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return false;
  size = static_cast<std::uint64_t>(info.st_size);
  return true;
}

const char* EntryKind(const std::string& dir, const char* name, std::uint32_t attributes) noexcept {
  if ((attributes & 0x10) != 0) return "dir";
  constexpr std::uint32_t kDevice = 0x40, kLink = 0x400;
  if ((attributes & (kDevice | kLink)) == 0) return "file";
  // The find record describes a link itself (0x400); its kind is where it
  // leads, as for a device the system's word.
  const char* other = (attributes & kLink) != 0 ? "file" : "dev";
  struct stat info;
  const std::string path = dir + "/" + name;
  if (::stat(path.c_str(), &info) != 0) return other;
  if (S_ISFIFO(info.st_mode)) return "fifo";
  if (S_ISSOCK(info.st_mode)) return "sock";
  if (S_ISCHR(info.st_mode)) return "chr";
  if (S_ISBLK(info.st_mode)) return "blk";
  return other;
}

bool TextModeFoldsLineEnds() noexcept { return false; }

std::filesystem::path NativePath(const std::string& name) { return std::filesystem::path(name); }

std::string NarrowName(const std::filesystem::path& path) { return path.string(); }

}  // namespace lufio_cli
