// The standard streams on Windows, through the C runtime.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "terminal.h"

namespace lufio_cli {

bool StderrIsTerminal() noexcept { return ::_isatty(::_fileno(stderr)) != 0; }

bool MakeStdoutBinary() noexcept { return ::_setmode(::_fileno(stdout), _O_BINARY) != -1; }

}  // namespace lufio_cli
