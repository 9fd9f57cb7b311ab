// StderrIsTerminal on POSIX systems.
#include <unistd.h>

#include "terminal.h"

namespace lufio_cli {

bool StderrIsTerminal() noexcept { return ::isatty(STDERR_FILENO) != 0; }

}  // namespace lufio_cli
