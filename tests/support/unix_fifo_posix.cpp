#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/unix_fifo.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
}

UnixFifo::~UnixFifo() {
  if (fd_ >= 0) ::close(fd_);
}

void UnixFifo::Write(const std::string& text) const {
  if (fd_ >= 0) {
    const ssize_t written = ::write(fd_, text.data(), text.size());
    static_cast<void>(written);  // a short write shows in the test's own checks
  }
}

}  // namespace lufio::test
