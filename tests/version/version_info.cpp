// Prints the version resource of each file named on the command line as Explorer reads it,
// one line each: "NAME: MS.LS MS.LS", the fixed file and product versions in hexadecimal,
// then the ProductVersion, FileVersion, OriginalFilename and CompanyName texts of the block that the
// Translation entry names. Exits with 1 at the first file without one.
// cmake/CheckVersionInfo.cmake compares the lines with the project's version.
#include <windows.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::vector<char> buf(GetFileVersionInfoSizeA(argv[i], nullptr) + 1);
    VS_FIXEDFILEINFO* fixed = nullptr;
    WORD* language = nullptr;
    UINT size = 0;
    if (!GetFileVersionInfoA(argv[i], 0, static_cast<DWORD>(buf.size()), buf.data()) ||
        !VerQueryValueA(buf.data(), "\\", reinterpret_cast<void**>(&fixed), &size) ||
        !VerQueryValueA(buf.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&language), &size)) {
      return 1;
    }
    std::printf("\n%s: %08lx.%08lx %08lx.%08lx", argv[i], fixed->dwFileVersionMS, fixed->dwFileVersionLS,
                fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    for (const char* key : {"ProductVersion", "FileVersion", "OriginalFilename", "CompanyName"}) {
      char path[64];
      char* text = nullptr;
      std::snprintf(path, sizeof(path), "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], key);
      std::printf(" %s=%s", key, VerQueryValueA(buf.data(), path, reinterpret_cast<void**>(&text), &size) ? text : "-");
    }
  }
  return 0;
}
