// The standard streams on POSIX systems, which write bytes as they are.
#include <unistd.h>

#include "terminal.h"

namespace lufio_cli {

bool StderrIsTerminal() noexcept { return ::isatty(STDERR_FILENO) != 0; }

bool MakeStdoutBinary() noexcept { return true; }

}  // namespace lufio_cli
