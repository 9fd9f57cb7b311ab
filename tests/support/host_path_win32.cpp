// Under Wine, kernel32 exports wine_get_unix_file_name, which looks the name
// up in the Unix directory and returns the name it found there.
#include "support/host_path.h"

#include <windows.h>

namespace lufio::test {

std::string HostPath(const std::string& path) {
  using UnixFileName = char*(CDECL*)(const WCHAR*);
  const FARPROC found = GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (found == nullptr) return {};
  const auto unix_file_name = reinterpret_cast<UnixFileName>(reinterpret_cast<void (*)()>(found));
  std::wstring wide(path.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()))));
  char* name = unix_file_name(wide.c_str());
  if (name == nullptr) return {};
  std::string result(name);
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

}  // namespace lufio::test
