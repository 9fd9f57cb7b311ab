// File identity, kinds and names on Windows: GetFileInformationByHandle's
// volume serial number, file index and attributes, and names converted
// through the ANSI code page (CP_ACP), the one CreateFileA reads them in:
// UTF-8 under lufio's manifest.
#include <cstdint>
#include <filesystem>
#include <string>

#include "file_system.h"
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

bool SameFile(const std::string& a, int a_stream, const std::string& b, int b_stream) noexcept {
  // The identity of a name, or of a standard stream that is a file on a disk.
  const auto identify = [](const std::string& name, int stream, BY_HANDLE_FILE_INFORMATION& info) {
    if (name != "-") return Identify(name, info);
    const HANDLE handle = ::GetStdHandle(stream == 0 ? STD_INPUT_HANDLE : STD_OUTPUT_HANDLE);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) == FILE_TYPE_DISK &&
           ::GetFileInformationByHandle(handle, &info) != 0;
  };
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return identify(a, a_stream, first) && identify(b, b_stream, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber && first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

bool WrittenInPlace(const std::string& dst) noexcept {
  // The name itself, not what a symbolic link leads to.
  const HANDLE handle =
      ::CreateFileA(dst.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;  // made new
  BY_HANDLE_FILE_INFORMATION info{};
  const bool regular = ::GetFileType(handle) == FILE_TYPE_DISK && ::GetFileInformationByHandle(handle, &info) != 0 &&
                       (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
  ::CloseHandle(handle);
  return !regular;
}

bool IsFolder(const std::string& name) noexcept {
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool RegularFileSize(const std::string& name, std::uint64_t& size) noexcept {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (::GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &data) == 0 ||
      (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) {
    return false;
  }
  size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  return true;
}

// A folder listing on Windows holds files and folders; a device or a pipe has
// a name of its own outside any folder (\\.\pipe\...), so only the record's
// device bit, should a file system set it, says "dev".
const char* EntryKind(const std::string& /*dir*/, const char* /*name*/, std::uint32_t attributes) noexcept {
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return "dir";
  return (attributes & FILE_ATTRIBUTE_DEVICE) != 0 ? "dev" : "file";
}

std::uint32_t PermissionBits(const std::string& /*name*/) noexcept { return 0666; }

bool TextModeFoldsLineEnds() noexcept { return true; }

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
