// StderrIsTerminal on Windows, through the C runtime.
#include <io.h>

#include <cstdio>

#include "terminal.h"

namespace lufio_cli {

bool StderrIsTerminal() noexcept { return ::_isatty(::_fileno(stderr)) != 0; }

}  // namespace lufio_cli
