// What the program asks of the file system besides what the library does:
// whether two names lead to one file, and how a name from the command line
// becomes a std::filesystem::path and back. file_system_posix.cpp and
// file_system_win32.cpp answer it; the build picks one.
#ifndef LUFIO_TOOLS_FILE_SYSTEM_H_
#define LUFIO_TOOLS_FILE_SYSTEM_H_

#include <filesystem>
#include <string>

namespace lufio_cli {

// True when `a` and `b` both name an existing file and it is one file, however
// each is spelled (relative or not, `..`, a hard link; on Windows also letter
// case and `\` for `/`): the system's identity of the file decides, device and
// inode on POSIX, volume serial number and file index on Windows. False when
// either cannot be reached (a name that does not exist yet).
bool SameFile(const std::string& a, const std::string& b) noexcept;

// The path of `name`, a name in the process's code page as the library takes
// it (UTF-8 under the Windows program's manifest; bytes as they are on POSIX).
// On Windows libstdc++ would read a narrow name in the C runtime's locale instead.
std::filesystem::path NativePath(const std::string& name);
// The name of `path` in that code page: what NativePath turns into `path`.
std::string NarrowName(const std::filesystem::path& path);

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_FILE_SYSTEM_H_
