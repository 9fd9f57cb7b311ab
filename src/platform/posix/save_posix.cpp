// Safe saving on POSIX: the new file is made with openat(O_CREAT | O_EXCL)
// and mode 0600 in the folder of the file that the target's symbolic links
// lead to; it gets its final owner, group and permission bits just before it
// is stored (fsync), renamed over the target (renameat, one step), and the
// folder is stored (fsync) so that the new entry survives a power cut. Both
// names are reached through one descriptor of the folder, so a change of the
// working directory meanwhile changes nothing.
#include "save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

namespace lufio::sys {

namespace {

// As many links as the kernel follows in one path before it says ELOOP.
constexpr int kMaxLinks = 40;

// Follows the symbolic links of `name` to the file they lead to, which may not
// exist yet; 0, ELOOP for a loop (or a chain longer than the kernel follows),
// or the code of a failed look.
DWORD FollowLinks(std::string& name) {
  for (int hops = 0;; ++hops) {
    struct stat info;
    if (::lstat(name.c_str(), &info) != 0) return errno == ENOENT ? 0 : static_cast<DWORD>(errno);
    if (!S_ISLNK(info.st_mode)) return 0;
    if (hops == kMaxLinks) return ELOOP;
    std::string link(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = ::readlink(name.c_str(), link.data(), link.size());
    if (length < 0) return static_cast<DWORD>(errno);
    link.resize(static_cast<std::size_t>(length));
    const std::size_t slash = name.rfind('/');
    name = link.front() == '/' || slash == std::string::npos ? link : name.substr(0, slash + 1) + link;
  }
}

// The process's umask, which a new file's mode loses. Linux names it in
// /proc/self/status; elsewhere it is read by setting it and back, which a
// file made by another thread at that moment could see.
mode_t Umask() {
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[128];
    unsigned mask = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof(line), status) != nullptr) found = std::sscanf(line, "Umask: %o", &mask) == 1;
    std::fclose(status);
    if (found) return static_cast<mode_t>(mask);
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

}  // namespace

SaveFile::~SaveFile() {
  Discard();
  if (folder_ != -1) ::close(folder_);
}

DWORD SaveFile::Begin(const char* target) {
  std::string name = target;
  if (const DWORD code = FollowLinks(name); code != 0) return code;
  const std::size_t slash = name.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : name.substr(0, slash);
  target_ = slash == std::string::npos ? name : name.substr(slash + 1);
  if (target_.empty()) return name.empty() ? ENOENT : EISDIR;  // "" or a name ending in '/'
  folder_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_ == -1) return static_cast<DWORD>(errno);
  struct stat info;
  if (::fstatat(folder_, target_.c_str(), &info, 0) == 0) {
    if (S_ISDIR(info.st_mode)) return EISDIR;
    if (!S_ISREG(info.st_mode)) return EINVAL;  // a device or a FIFO: a new file would not take its part
    // Refused as opening it for writing would be, not after the last byte.
    if (::faccessat(folder_, target_.c_str(), W_OK, AT_EACCESS) != 0) return static_cast<DWORD>(errno);
  } else if (errno != ENOENT) {
    return static_cast<DWORD>(errno);
  }
  for (int attempt = 0; attempt < 100; ++attempt) {
    name_ = NextSaveName();
    file_ = Tripped(Call::SaveCreate) ? -1 : ::openat(folder_, name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file_ != -1) {
      made_ = true;
      path_ = slash == std::string::npos ? name_ : name.substr(0, slash + 1) + name_;
      return 0;
    }
    if (errno != EEXIST) return static_cast<DWORD>(errno);
  }
  return EEXIST;
}

DWORD SaveFile::SetFinalMode(std::uint32_t new_mode) {
  struct stat old;
  mode_t mode = static_cast<mode_t>(new_mode & 07777) & ~Umask();
  if (::fstatat(folder_, target_.c_str(), &old, 0) == 0) {
    // The owner and group first: changing them may clear set-user-ID bits.
    // Only root may give a file away, so a user's save of another user's file
    // becomes the user's own, in the old group where the user belongs to it.
    if (::fchown(file_, old.st_uid, old.st_gid) != 0 && ::fchown(file_, static_cast<uid_t>(-1), old.st_gid) != 0) {
      // kept as made
    }
    mode = old.st_mode & 07777;
  }
  return ::fchmod(file_, mode) == 0 ? 0 : static_cast<DWORD>(errno);
}

DWORD SaveFile::SyncData() { return Tripped(Call::SaveSync) || ::fsync(file_) != 0 ? GetLastError() : 0; }

DWORD SaveFile::Replace(bool /*durable*/) {
  // A close can report what a network file system failed to store.
  const int closed = ::close(file_);
  file_ = -1;
  if (closed != 0) return static_cast<DWORD>(errno);
  if (Tripped(Call::SaveReplace) || ::renameat(folder_, name_.c_str(), folder_, target_.c_str()) != 0) {
    return GetLastError();
  }
  made_ = false;
  return 0;
}

DWORD SaveFile::SyncFolder() {
  if (!Tripped(Call::SaveSyncFolder) && ::fsync(folder_) == 0) return 0;
  const DWORD code = GetLastError();
  // A file system that cannot store a folder on its own (EINVAL, ENOTSUP) has
  // nothing more to store.
  return code == EINVAL || code == ENOTSUP ? 0 : code;
}

void SaveFile::Discard() noexcept {
  if (file_ != -1) ::close(file_);
  file_ = -1;
  if (made_) ::unlinkat(folder_, name_.c_str(), 0);
  made_ = false;
}

}  // namespace lufio::sys
