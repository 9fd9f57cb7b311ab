// What the program asks of the platform about its standard streams: is
// standard error a terminal, and can standard output carry bytes unchanged?
// terminal_posix.cpp and terminal_win32.cpp answer it; the build picks one.
#ifndef LUFIO_TOOLS_TERMINAL_H_
#define LUFIO_TOOLS_TERMINAL_H_

namespace lufio_cli {

// True when standard error is a terminal (a console on Windows), so that a
// progress bar drawn there is seen rather than captured.
bool StderrIsTerminal() noexcept;

// Makes standard output write every byte as it is given: on Windows it leaves
// the C runtime's text mode (which writes LF as CR LF); elsewhere there is
// nothing to do. Call it before anything is written there; false when the
// runtime refuses.
bool MakeStdoutBinary() noexcept;

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_TERMINAL_H_
