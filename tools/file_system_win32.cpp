// File identity and names on Windows: GetFileInformationByHandle's volume
// serial number and file index, and names converted through the ANSI code
// page (CP_ACP), the one CreateFileA reads them in: UTF-8 under lufio's
// manifest.
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
