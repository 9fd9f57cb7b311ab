// Whether standard error is a terminal: the one question the program asks of
// the platform. terminal_posix.cpp and terminal_win32.cpp answer it; the build
// picks one.
#ifndef LUFIO_TOOLS_TERMINAL_H_
#define LUFIO_TOOLS_TERMINAL_H_

namespace lufio_cli {

// True when standard error is a terminal (a console on Windows), so that a
// progress bar drawn there is seen rather than captured.
bool StderrIsTerminal() noexcept;

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_TERMINAL_H_
