// File identity, whole-file replacement and names on POSIX systems: stat's
// device and inode, rename (which replaces its target in one step), and names
// as the bytes they are.
#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "file_system.h"
#include "system_message.h"

namespace lufio_cli {

bool SameFile(const std::string& a, const std::string& b) noexcept {
  struct stat first;
  struct stat second;
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

CopyTarget FindCopyTarget(const std::string& dst) {
  // Follow DST's symbolic links (as opening it would) to the file they lead
  // to: the copy replaces that file and the links stay.
  std::string file = dst;
  struct stat info;
  for (int hops = 0; hops < 40 && ::lstat(file.c_str(), &info) == 0 && S_ISLNK(info.st_mode); ++hops) {
    char link[PATH_MAX];
    const ssize_t length = ::readlink(file.c_str(), link, sizeof(link));
    if (length <= 0 || static_cast<std::size_t>(length) == sizeof(link)) break;
    file = (link[0] == '/' ? std::string() : FolderOf(file)) + std::string(link, static_cast<std::size_t>(length));
  }
  if (::stat(file.c_str(), &info) != 0) return CopyTarget{file, false};  // made new
  if (!S_ISREG(info.st_mode)) return CopyTarget{dst, true};
  if (::access(file.c_str(), W_OK) != 0) {
    const int error = errno;
    FailWithCode("cannot write DST", dst, static_cast<unsigned long>(error));
  }
  return CopyTarget{file, false};
}

std::string FolderOf(const std::string& name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string::npos ? std::string() : name.substr(0, slash + 1);
}

bool CreateNewFile(const std::string& name) {
  const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd == -1) {
    const int error = errno;
    if (error == EEXIST) return false;
    FailWithCode("cannot create the copy beside DST", name, static_cast<unsigned long>(error));
  }
  ::close(fd);
  return true;
}

void PutInPlace(const std::string& temporary, const std::string& target, std::uint64_t size) {
  struct stat made;
  if (::stat(temporary.c_str(), &made) != 0) {
    const int error = errno;
    FailWithCode("cannot look at the copy", temporary, static_cast<unsigned long>(error));
  }
  if (static_cast<std::uint64_t>(made.st_size) != size) {
    throw std::runtime_error("incomplete copy: only " + std::to_string(made.st_size) + " of " + std::to_string(size) +
                             " bytes were written: file=" + target);
  }
  struct stat old;
  if (::stat(target.c_str(), &old) == 0) {
    // The owner and group first (changing them may clear set-user-ID bits);
    // only root may give a file to another user, so a user's copy of another
    // user's file becomes the user's own.
    if ((old.st_uid != made.st_uid || old.st_gid != made.st_gid) &&
        ::chown(temporary.c_str(), old.st_uid, old.st_gid) != 0) {
      // kept as made
    }
    if (::chmod(temporary.c_str(), old.st_mode & 07777) != 0) {
      const int error = errno;
      FailWithCode("cannot give the copy DST's permissions", temporary, static_cast<unsigned long>(error));
    }
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    const int error = errno;
    FailWithCode("cannot put the copy in DST's place", target, static_cast<unsigned long>(error));
  }
}

void RemoveFile(const std::string& name) noexcept { ::unlink(name.c_str()); }

std::filesystem::path NativePath(const std::string& name) { return std::filesystem::path(name); }

std::string NarrowName(const std::filesystem::path& path) { return path.string(); }

}  // namespace lufio_cli
