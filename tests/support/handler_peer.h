// White-box access to a handler's private virtual operations, for lufio's own
// tests, without any declaration for them in the installed headers (see
// handler_peer.cpp for how).
#ifndef LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_
#define LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_

#include <lufio/file_handler.h>

namespace lufio {

class HandlerPeer {
 public:
  using Long = lusys::Long;
  static Long tell(FileHandler& h);
  static Long seek(FileHandler& h, Long offset, FileHandler::Whence whence);
  static void flush(FileHandler& h);
  static bool open(FileHandler& h, FileHandler::Mode mode, FileHandler::Type type);
  static void close(FileHandler& h);
  static std::uint64_t read(FileHandler& h, char* buffer, Long size);
  static std::uint64_t write(FileHandler& h, const char* data, Long size);
};

}  // namespace lufio

#endif  // LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_
