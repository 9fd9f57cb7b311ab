#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string&) {}
UnixFifo::~UnixFifo() = default;
int RunUnprivileged(const std::function<bool()>&) { return -1; }

}  // namespace lufio::test
