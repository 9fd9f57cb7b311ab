// File identity, whole-file replacement and names on Windows:
// GetFileInformationByHandle's volume serial number and file index,
// MoveFileExA with MOVEFILE_REPLACE_EXISTING, and names converted through the
// ANSI code page (CP_ACP), the one CreateFileA reads them in: UTF-8 under
// lufio's manifest.
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "file_system.h"
#include "system_message.h"
#include "windows_api.h"

namespace lufio_cli {
namespace {

// Fills `info` for the file or directory `name`; false when it cannot be
// opened. Asking for no access and sharing everything, the open neither
// disturbs nor is refused by any other open of the file.
bool Identify(const std::string& name, BY_HANDLE_FILE_INFORMATION& info) noexcept {
  const HANDLE handle = ::CreateFileA(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
  ::CloseHandle(handle);
  return known;
}

}  // namespace

bool SameFile(const std::string& a, const std::string& b) noexcept {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return Identify(a, first) && Identify(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

CopyTarget FindCopyTarget(const std::string& dst) {
  // The name itself, not what a symbolic link leads to.
  const HANDLE handle =
      ::CreateFileA(dst.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return CopyTarget{dst, false};  // made new
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) != 0 &&
                       (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  ::CloseHandle(handle);
  if (!regular) return CopyTarget{dst, true};
  // A DST that may not be written (read-only) would refuse the replacement
  // only after the whole copy: refused now, as opening it for writing would be.
  const HANDLE writable =
      ::CreateFileA(dst.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (writable == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    FailWithCode("cannot write DST", dst, error);
  }
  ::CloseHandle(writable);
  return CopyTarget{dst, false};
}

std::string FolderOf(const std::string& name) {
  const std::size_t separator = name.find_last_of("\\/:");
  return separator == std::string::npos ? std::string() : name.substr(0, separator + 1);
}

bool CreateNewFile(const std::string& name) {
  const HANDLE handle =
      ::CreateFileA(name.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) return false;
    FailWithCode("cannot create the copy beside DST", name, error);
  }
  ::CloseHandle(handle);
  return true;
}

void PutInPlace(const std::string& temporary, const std::string& target, std::uint64_t size) {
  WIN32_FILE_ATTRIBUTE_DATA made{};
  if (::GetFileAttributesExA(temporary.c_str(), GetFileExInfoStandard, &made) == 0) {
    const DWORD error = ::GetLastError();
    FailWithCode("cannot look at the copy", temporary, error);
  }
  const std::uint64_t written = (std::uint64_t{made.nFileSizeHigh} << 32) | made.nFileSizeLow;
  if (written != size) {
    throw std::runtime_error("incomplete copy: only " + std::to_string(written) + " of " + std::to_string(size) +
                             " bytes were written: file=" + target);
  }
  if (::MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == 0) {
    const DWORD error = ::GetLastError();
    FailWithCode("cannot put the copy in DST's place", target, error);
  }
}

void RemoveFile(const std::string& name) noexcept { ::DeleteFileA(name.c_str()); }

std::filesystem::path NativePath(const std::string& name) {
  const int length = static_cast<int>(name.size());
  std::wstring wide(static_cast<std::size_t>(::MultiByteToWideChar(CP_ACP, 0, name.data(), length, nullptr, 0)), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, name.data(), length, wide.data(), static_cast<int>(wide.size()));
  return std::filesystem::path(wide);
}

std::string NarrowName(const std::filesystem::path& path) {
  const std::wstring& wide = path.native();
  const int length = static_cast<int>(wide.size());
  std::string name(
      static_cast<std::size_t>(::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr)),
      '\0');
  ::WideCharToMultiByte(CP_ACP, 0, wide.data(), length, name.data(), static_cast<int>(name.size()), nullptr, nullptr);
  return name;
}

}  // namespace lufio_cli
