// SafeFileW on Windows: a target that a handle keeps from being deleted
// cannot be replaced. Built only for Windows.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "support/support.h"

namespace lufio::test {
namespace {

namespace fs = std::filesystem;

// `path` opened for reading as another program may hold it: sharing reading,
// writing and, when `share_delete`, deletion.
HANDLE Hold(const std::string& path, bool share_delete) {
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | (share_delete ? FILE_SHARE_DELETE : 0);
  return ::CreateFileA(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Held without sharing deletion: refused at once when the save begins,
// retried for about two seconds when it commits; released meanwhile or
// sharing deletion: replaced. A read-only target is refused at once.
TEST(SafeSaveWindows, TargetsHeldOpenOrReadOnly) {
  const TempDir dir;
  const WinHandlerFactory win;
  const std::string t = dir.File("t");
  WriteBytes(t, "old");
  fs::permissions(t, fs::perms::owner_read);  // the read-only attribute
  ExpectError([&] { SafeFileW(t, FileHandler::TypeBinary, win); }, "Failed to open", t, ERROR_ACCESS_DENIED);
  fs::permissions(t, fs::perms::owner_all);
  HANDLE held = Hold(t, false);
  ExpectError([&] { SafeFileW(t, FileHandler::TypeBinary, win); }, "Failed to open", t, ERROR_SHARING_VIOLATION);
  ::CloseHandle(held);
  for (const int kind : {0, 1, 2}) {  // held for good, released after 300 ms, sharing deletion
    SafeFileW out(t, FileHandler::TypeBinary, win);
    out.Write(lusys::Literal("new"));
    held = Hold(t, kind == 2);
    std::thread release([&] {
      if (kind == 1) std::this_thread::sleep_for(std::chrono::milliseconds(300)), ::CloseHandle(held);
    });
    const auto start = std::chrono::steady_clock::now();
    if (kind == 0) ExpectError([&] { out.Commit(); }, "Failed to replace file", t, ERROR_SHARING_VIOLATION);
    if (kind != 0) out.Commit();
    const auto took = std::chrono::steady_clock::now() - start;
    release.join();
    if (kind != 1) ::CloseHandle(held);
    EXPECT_EQ(took > std::chrono::milliseconds(1500), kind == 0) << kind;  // all pauses: 1.9 s
    EXPECT_EQ(ReadBytes(t), kind == 0 ? "old" : "new");
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

}  // namespace
}  // namespace lufio::test
