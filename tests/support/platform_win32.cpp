// What the suites' support does on Windows: no named pipes, no other user;
// anonymous pipes of the C runtime.
#include <fcntl.h>
#include <io.h>

#include <cstdint>

#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string&) {}
void UnixFifo::Finish(const std::string&) { fd_ = read_fd_ = -1; }
FedPipe::FedPipe(std::string bytes) {
  int ends[2];
  if (::_pipe(ends, 1 << 16, _O_BINARY | _O_NOINHERIT) != 0) return;
  stream_ = ::_fdopen(ends[0], "rb");
  feeder_ = std::thread([bytes = std::move(bytes), fd = ends[1]] {
    ::_write(fd, bytes.data(), static_cast<unsigned>(bytes.size()));  // a pipe takes all, or fails without a reader
    ::_close(fd);
  });
}

FedPipe::~FedPipe() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (feeder_.joinable()) feeder_.join();
}

int DescriptorOf(std::FILE* stream) { return ::_fileno(stream); }

void* HandleOf(int fd) { return reinterpret_cast<void*>(::_get_osfhandle(fd)); }

int RunUnprivileged(const std::function<bool()>&) { return -1; }

}  // namespace lufio::test
