// What the program asks of the file system besides what the library does:
// whether two names lead to one file, what kind of file a name is, and how a
// name from the command line becomes a std::filesystem::path and back.
// file_system_posix.cpp and file_system_win32.cpp answer it; the build picks
// one.
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
// The same where a name may be "-", the standard stream given with it (0
// input, 1 output). A stream counts only when it is a regular file: a
// terminal or a pipe on both sides is no copy onto itself.
bool SameFile(const std::string& a, int a_stream, const std::string& b, int b_stream) noexcept;

// True when `dst` exists and is no regular file (a device, a FIFO, a folder;
// on Windows also a symbolic link): a copy is written into it where it is,
// since a new file in its place would not do its part.
bool WrittenInPlace(const std::string& dst) noexcept;
// The size of `name` when it is a regular file (through symbolic links): the
// system's own 64-bit size, which a file object's 32-bit Size cannot give
// from 2 GiB on. False for a pipe, a device or a name that cannot be looked at.
bool RegularFileSize(const std::string& name, std::uint64_t& size) noexcept;
// What `ls` calls the entry `name` of the folder `dir`, whose find record has
// the attributes `attributes`: "dir" (0x10), "file", and for an entry with the
// device bit 0x40 what the system says it is: "fifo", "sock", "chr", "blk"
// (POSIX), else "dev"; a symbolic link (0x400) is typed by where it leads.
const char* EntryKind(const std::string& dir, const char* name, std::uint32_t attributes) noexcept;
// True when `name` is a folder (on POSIX also through symbolic links).
bool IsFolder(const std::string& name) noexcept;
// The permission bits of the file `name` for a new copy of it, as `cp` gives
// them (POSIX); 0666 where there are none (Windows) or it cannot be looked at.
std::uint32_t PermissionBits(const std::string& name) noexcept;

// True where the C runtime's text mode folds a CR LF line end into LF
// (Windows).
bool TextModeFoldsLineEnds() noexcept;

// The path of `name`, a name in the process's code page as the library takes
// it (UTF-8 under the Windows program's manifest; bytes as they are on POSIX).
// On Windows libstdc++ would read a narrow name in the C runtime's locale instead.
std::filesystem::path NativePath(const std::string& name);
// The name of `path` in that code page: what NativePath turns into `path`.
std::string NarrowName(const std::filesystem::path& path);

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_FILE_SYSTEM_H_
