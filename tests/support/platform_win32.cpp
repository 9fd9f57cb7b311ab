// What the suites' support does on Windows: no named pipes, no other user,
// and a file held open as another program may hold it.
#define NOMINMAX
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string&) {}
void UnixFifo::Finish(const std::string&) { fd_ = read_fd_ = -1; }
int RunUnprivileged(const std::function<bool()>&) { return -1; }

HeldFile::HeldFile(const std::string& path, bool share_delete)
    : handle_(reinterpret_cast<std::intptr_t>(
          ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | (share_delete ? FILE_SHARE_DELETE : 0),
                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr))) {
  EXPECT_NE(handle_, reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) << path;
}

void HeldFile::Release() {
  if (handle_ != reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE)) ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
  handle_ = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);
}

}  // namespace lufio::test
