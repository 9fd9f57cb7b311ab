// SystemMessage on Windows: FormatMessageA's text for a GetLastError code, in
// the process's code page (UTF-8 under lufio's manifest).
#include <string>

#include "system_message.h"
#include "windows_api.h"

namespace lufio_cli {

std::string SystemMessage(unsigned long code) {
  char text[512];
  DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof(text), nullptr);
  // The system's texts end in CR LF (some in a space before it).
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) --length;
  return std::string(text, length);
}

}  // namespace lufio_cli
