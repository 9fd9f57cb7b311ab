// What the suites' support does on Windows: no named pipes, no other user.
#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string&) {}
void UnixFifo::Finish(const std::string&) { fd_ = read_fd_ = -1; }
int RunUnprivileged(const std::function<bool()>&) { return -1; }

}  // namespace lufio::test
