// What the program asks of the file system besides what the library does:
// whether two names lead to one file, how a copy replaces its destination as
// a whole, and how a name from the command line becomes a
// std::filesystem::path and back. file_system_posix.cpp and
// file_system_win32.cpp answer it; the build picks one. Failures throw
// std::runtime_error naming the file and the system's code.
#ifndef LUFIO_TOOLS_FILE_SYSTEM_H_
#define LUFIO_TOOLS_FILE_SYSTEM_H_

#include <cstdint>
#include <filesystem>
#include <string>

namespace lufio_cli {

// True when `a` and `b` both name an existing file and it is one file, however
// each is spelled (relative or not, `..`, a hard link; on Windows also letter
// case and `\` for `/`): the system's identity of the file decides, device and
// inode on POSIX, volume serial number and file index on Windows. False when
// either cannot be reached (a name that does not exist yet).
bool SameFile(const std::string& a, const std::string& b) noexcept;

// Where a copy to DST goes.
struct CopyTarget {
  // The file the copy replaces: DST, or on POSIX the file DST's symbolic
  // links lead to (whether it exists or not).
  std::string file;
  // DST exists and is no regular file (a device, a FIFO, a folder; on Windows
  // also a symbolic link): the copy is written into it where it is.
  bool in_place = false;
};
// Finds where a copy to `dst` goes. Throws when `dst` is a regular file that
// may not be written (read-only), as opening it for writing would.
CopyTarget FindCopyTarget(const std::string& dst);

// The folder part of `name` with its last separator ("" for a bare name), to
// which a name in the same folder is appended.
std::string FolderOf(const std::string& name);
// Creates the empty file `name` (as a new file's default permissions have
// it); false when the name is taken; throws on any other failure.
bool CreateNewFile(const std::string& name);
// Puts the closed file `temporary` in the place of `target` in one step,
// replacing it: after checking that `temporary` holds `size` bytes (a back-end
// may lose a write error at close) and, on POSIX, giving it `target`'s
// permission bits and, where the system allows, its owner and group.
void PutInPlace(const std::string& temporary, const std::string& target, std::uint64_t size);
// Removes the file `name`, if it can.
void RemoveFile(const std::string& name) noexcept;

// The path of `name`, a name in the process's code page as the library takes
// it (UTF-8 under the Windows program's manifest; bytes as they are on POSIX).
// On Windows libstdc++ would read a narrow name in the C runtime's locale instead.
std::filesystem::path NativePath(const std::string& name);
// The name of `path` in that code page: what NativePath turns into `path`.
std::string NarrowName(const std::filesystem::path& path);

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_FILE_SYSTEM_H_
