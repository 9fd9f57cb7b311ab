#include "support/unix_fifo.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string&) {}
UnixFifo::~UnixFifo() = default;
void UnixFifo::Write(const std::string&) const {}

}  // namespace lufio::test
