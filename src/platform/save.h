// Safe saving, as the platform does it: a new file made beside a target and
// put in the target's place in one step. posix/save_posix.cpp and win32/save_win32.cpp
// implement it; the build picks one. SafeFileW (src/files/safe_file.cpp) makes
// the calls in their order and turns each failure into its Error.
//
// Every step returns 0 or the system's code for its failure, read right after
// the failing call; the fault seam can fail the steps that touch the disk.
#ifndef LUFIO_SRC_PLATFORM_SAVE_H_
#define LUFIO_SRC_PLATFORM_SAVE_H_

#include <cstdint>
#include <string>

#include "platform.h"

namespace lufio::sys {

// A name for a new file: ".lufio-save-" and 16 hexadecimal digits, another
// one at every call.
std::string NextSaveName();

class SaveFile {
 public:
  SaveFile() = default;
  SaveFile(const SaveFile&) = delete;
  SaveFile& operator=(const SaveFile&) = delete;
  // Discards the new file unless it took the target's place.
  ~SaveFile();

  // Finds the file that a save to `target` replaces (POSIX: where its symbolic
  // links lead; a loop of links fails with ELOOP), refuses one that may not be
  // replaced (a folder, a device, a file that may not be written; on Windows
  // one that another process holds without sharing its deletion), and creates
  // a new file exclusively beside it: on POSIX readable and writable by its
  // owner alone. Nothing else is touched.
  DWORD Begin(const char* target);
  // The new file's path, for a back-end to open.
  const std::string& Path() const noexcept { return path_; }

  // POSIX: gives the new file the target's owner, group and permission bits,
  // or for a new target `new_mode` less the process's umask. Windows: nothing
  // (the replace keeps the target's attributes and security).
  DWORD SetFinalMode(std::uint32_t new_mode);
  // Stores the new file's data, and on POSIX its metadata, on the device.
  DWORD SyncData();
  // Puts the new file in the target's place in one step (POSIX rename;
  // Windows ReplaceFileA over an existing target, MoveFileExA otherwise,
  // retried for a while when another process holds the target).
  DWORD Replace(bool durable);
  // POSIX: stores the folder's new entry on the device. Windows: nothing.
  DWORD SyncFolder();
  // Closes and removes the new file, unless it took the target's place.
  void Discard() noexcept;

 private:
#if defined(_WIN32)
  // ReplaceFileA over the target, or the move where the target went meanwhile.
  DWORD ReplaceOrMove(DWORD move);
#endif
  std::string path_;    // the new file, as the back-end opens it
  std::string name_;    // the new file's name in its folder
  std::string target_;  // the target's name in that folder (Windows: its full path)
#if defined(_WIN32)
  HANDLE file_ = INVALID_HANDLE_VALUE;  // the new file, opened by the save itself
#else
  int folder_ = -1;  // the folder both names live in
  int file_ = -1;    // the new file, opened by the save itself
#endif
  bool made_ = false;      // the new file exists under name_
};

}  // namespace lufio::sys

#endif  // LUFIO_SRC_PLATFORM_SAVE_H_
