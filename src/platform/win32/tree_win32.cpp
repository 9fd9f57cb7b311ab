// A folder's identity on Windows: the volume serial number and file index of
// GetFileInformationByHandle, over a handle opened through the path's
// reparse points with no access asked, so that any folder that may be listed
// may be identified.
#include "tree.h"

namespace lufio::sys {

DWORD IdentifyFolder(const char* path, FolderId* id) noexcept {
  HANDLE handle = ::CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return ::GetLastError();
  BY_HANDLE_FILE_INFORMATION info;
  const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
  const DWORD code = known ? ERROR_SUCCESS : ::GetLastError();
  ::CloseHandle(handle);
  if (!known) return code;
  *id = FolderId{info.dwVolumeSerialNumber, (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  return ERROR_SUCCESS;
}

}  // namespace lufio::sys
