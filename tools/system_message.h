// The system's own description of an error code, for the program's error
// line. system_message_posix.cpp and system_message_win32.cpp answer it; the
// build picks one.
#ifndef LUFIO_TOOLS_SYSTEM_MESSAGE_H_
#define LUFIO_TOOLS_SYSTEM_MESSAGE_H_

#include <stdexcept>
#include <string>

namespace lufio_cli {

// What the system says `code` means (FormatMessageA on Windows, strerror
// elsewhere), one line without a line end; empty when it has no text for it.
std::string SystemMessage(unsigned long code);

// "code N: " and the system's description of `code` ("code N" when it has none).
inline std::string DescribeCode(unsigned long code) {
  const std::string meaning = SystemMessage(code);
  return "code " + std::to_string(code) + (meaning.empty() ? "" : ": " + meaning);
}

// Throws std::runtime_error "`what`: file=`name` (code N: description)", the
// form of the library's own errors, for a failed call of the program's own.
[[noreturn]] inline void FailWithCode(const std::string& what, const std::string& name, unsigned long code) {
  throw std::runtime_error(what + ": file=" + name + " (" + DescribeCode(code) + ")");
}

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_SYSTEM_MESSAGE_H_
