// The system's own description of an error code, for the program's error
// line. system_message_posix.cpp and system_message_win32.cpp answer it; the
// build picks one.
#ifndef LUFIO_TOOLS_SYSTEM_MESSAGE_H_
#define LUFIO_TOOLS_SYSTEM_MESSAGE_H_

#include <string>

namespace lufio_cli {

// What the system says `code` means (FormatMessageA on Windows, strerror
// elsewhere), one line without a line end; empty when it has no text for it.
std::string SystemMessage(unsigned long code);

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_SYSTEM_MESSAGE_H_
