// SystemMessage on POSIX systems: strerror's text for an errno value.
#include <cstring>
#include <string>

#include "system_message.h"

namespace lufio_cli {

// The program has one thread, so strerror's shared buffer is safe here.
std::string SystemMessage(unsigned long code) { return std::strerror(static_cast<int>(code)); }

}  // namespace lufio_cli
