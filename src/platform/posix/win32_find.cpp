// Stand-ins for FindFirstFileA, FindNextFileA and FindClose over
// opendir/readdir/fstatat, with the meanings told in win32_find.h.
//
// A search handle points to a heap Search that owns the DIR*; FindClose
// releases both. Only the pattern the directory reader builds is understood:
// "*" alone (the current directory) or a directory, "/" and "*"; any other
// pattern fails with EINVAL, and a pattern of MAX_PATH (260) characters or
// more with ENAMETOOLONG, as Windows refuses it (its MAX_PATH counts the
// zero): a pattern cut at that length would name another directory. A
// symbolic link is described by the link itself, as Windows describes one:
// FILE_ATTRIBUTE_REPARSE_POINT (0x400), with the directory bit when it leads
// to a directory, the link's own times and a size of 0. A directory's size
// reads 0, as on Windows. Every failure leaves the record as it was.
#include "posix/win32_find.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <memory>

namespace lufio::sys::native {

namespace {

// Windows' MAX_PATH: the longest pattern and its zero.
constexpr std::size_t kMaxPath = 260;

struct Search {
  DIR* dir;
  bool ended;  // readdir has reported the end: every later step fails at once
};

// 100-nanosecond intervals from 1601-01-01 to 1970-01-01, both UTC.
constexpr std::int64_t kUnixEpochTicks = 116444736000000000;
constexpr std::int64_t kTicksPerSecond = 10000000;
constexpr std::int64_t kMinSeconds = -kUnixEpochTicks / kTicksPerSecond;
constexpr std::int64_t kMaxSeconds = (INT64_MAX - kUnixEpochTicks) / kTicksPerSecond - 1;

// A FILETIME for a POSIX time, clamped to what a FILETIME can hold.
FILETIME ToFileTime(const timespec& time) noexcept {
  std::int64_t ticks = 0;
  if (time.tv_sec >= kMinSeconds) {
    const std::int64_t seconds = time.tv_sec < kMaxSeconds ? time.tv_sec : kMaxSeconds;
    ticks = kUnixEpochTicks + seconds * kTicksPerSecond + time.tv_nsec / 100;
  }
  const auto value = static_cast<std::uint64_t>(ticks);
  return FILETIME{static_cast<std::uint32_t>(value), static_cast<std::uint32_t>(value >> 32)};
}

// The attributes of an entry of the given file type: a directory, an entry
// that is neither a file nor a directory (a FIFO, a socket, a device), or a
// plain file.
std::uint32_t AttributesOf(bool directory, bool special) noexcept {
  if (directory) return FILE_ATTRIBUTE_DIRECTORY;
  return special ? FILE_ATTRIBUTE_DEVICE : FILE_ATTRIBUTE_NORMAL;
}

// Fills `record` with the entry `entry` of `dir`. When the system refuses to
// describe it (no search permission on the directory, an I/O error, an entry
// gone since readdir), the attributes come from readdir's file type and the
// size and times stay 0: one entry never fails a listing.
void Describe(DIR* dir, const dirent& entry, WIN32_FIND_DATAA* record) noexcept {
  const int fd = dirfd(dir);
  const char* name = entry.d_name;
  // Every field is written, the name up to its zero: no pass over the whole
  // record for each entry.
  record->ftCreationTime = record->ftLastAccessTime = record->ftLastWriteTime = FILETIME{0, 0};
  record->nFileSizeHigh = record->nFileSizeLow = record->dwReserved0 = record->dwReserved1 = 0;
  record->cAlternateFileName[0] = '\0';
  struct stat status;
  if (fstatat(fd, name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
    const bool link = S_ISLNK(status.st_mode);
    bool directory = S_ISDIR(status.st_mode);
    if (link) {
      struct stat target;
      directory = fstatat(fd, name, &target, 0) == 0 && S_ISDIR(target.st_mode);
      record->dwFileAttributes = FILE_ATTRIBUTE_REPARSE_POINT | (directory ? FILE_ATTRIBUTE_DIRECTORY : 0);
    } else {
      record->dwFileAttributes = AttributesOf(directory, !directory && !S_ISREG(status.st_mode));
    }
    record->ftCreationTime = ToFileTime(status.st_ctim);
    record->ftLastAccessTime = ToFileTime(status.st_atim);
    record->ftLastWriteTime = ToFileTime(status.st_mtim);
    const std::uint64_t size = directory || link ? 0 : static_cast<std::uint64_t>(status.st_size);
    record->nFileSizeHigh = static_cast<std::uint32_t>(size >> 32);
    record->nFileSizeLow = static_cast<std::uint32_t>(size);
  } else {
    const unsigned char type = entry.d_type;
    record->dwFileAttributes = type == DT_LNK ? FILE_ATTRIBUTE_REPARSE_POINT
                                              : AttributesOf(type == DT_DIR, type == DT_FIFO || type == DT_SOCK ||
                                                                                 type == DT_CHR || type == DT_BLK);
  }
  // readdir's names are zero-terminated and shorter than the record's field.
  const std::size_t length = std::min(std::strlen(name), sizeof(record->cFileName) - 1);
  std::memcpy(record->cFileName, name, length);
  record->cFileName[length] = '\0';
}

// Fills `record` with the next entry of `search`. On failure returns false
// with errno set: ERROR_NO_MORE_FILES at the end, else readdir's code.
bool Step(Search& search, WIN32_FIND_DATAA* record) noexcept {
  if (!search.ended) {
    errno = 0;
    const dirent* entry = readdir(search.dir);
    if (entry != nullptr) {
      Describe(search.dir, *entry, record);
      return true;
    }
    if (errno != 0) return false;
    search.ended = true;
  }
  errno = static_cast<int>(ERROR_NO_MORE_FILES);
  return false;
}

Search* FromHandle(HANDLE handle) noexcept {
  return handle == nullptr || handle == INVALID_HANDLE_VALUE ? nullptr : static_cast<Search*>(handle);
}

}  // namespace

HANDLE FindFirstFileA(const char* pattern, WIN32_FIND_DATAA* record) {
  const std::size_t length = pattern == nullptr ? 0 : std::strlen(pattern);
  if (length >= kMaxPath) {
    errno = ENAMETOOLONG;
    return INVALID_HANDLE_VALUE;
  }
  if (length == 0 || pattern[length - 1] != '*' || (length > 1 && pattern[length - 2] != '/')) {
    errno = EINVAL;
    return INVALID_HANDLE_VALUE;
  }
  // The directory keeps its trailing "/", so "/*" lists the root.
  char path[PATH_MAX];
  const std::size_t dir_length = length - 1;
  if (dir_length >= sizeof(path)) {
    errno = ENAMETOOLONG;
    return INVALID_HANDLE_VALUE;
  }
  if (dir_length == 0) {
    std::strcpy(path, ".");
  } else {
    std::memcpy(path, pattern, dir_length);
    path[dir_length] = '\0';
  }

  // Allocated before anything is opened: running out of memory throws
  // std::bad_alloc, as every other allocation of a listing does.
  auto search = std::make_unique<Search>();
  search->dir = opendir(path);
  if (search->dir != nullptr && Step(*search, record)) return search.release();
  // errno from opendir (ENOENT, ENOTDIR, ...) or from the first step; a
  // directory without even "." is gone.
  const int code = errno == static_cast<int>(ERROR_NO_MORE_FILES) ? ENOENT : errno;
  if (search->dir != nullptr) closedir(search->dir);
  search.reset();
  errno = code;
  return INVALID_HANDLE_VALUE;
}

BOOL FindNextFileA(HANDLE handle, WIN32_FIND_DATAA* record) {
  Search* search = FromHandle(handle);
  if (search == nullptr) {
    errno = EBADF;
    return 0;
  }
  return Step(*search, record) ? 1 : 0;
}

BOOL FindClose(HANDLE handle) {
  Search* search = FromHandle(handle);
  if (search == nullptr) {
    errno = EBADF;
    return 0;
  }
  DIR* dir = search->dir;
  delete search;
  return closedir(dir) == 0 ? 1 : 0;  // errno from closedir on failure
}

}  // namespace lufio::sys::native
