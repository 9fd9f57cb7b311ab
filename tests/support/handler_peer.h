// White-box access to a handler's private virtual operations, for lufio's own
// tests (FileHandler names HandlerPeer as a friend).
#ifndef LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_
#define LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_

#include <lufio/file_handler.h>

namespace lufio {

class HandlerPeer {
 public:
  using Long = lusys::Long;
  static Long tell(FileHandler& h) { return h.tell(); }
  static Long seek(FileHandler& h, Long offset, FileHandler::Whence whence) { return h.seek(offset, whence); }
  static void flush(FileHandler& h) { h.flush(); }
  static bool open(FileHandler& h, FileHandler::Mode mode, FileHandler::Type type) { return h.open(mode, type); }
  static void close(FileHandler& h) { h.close(); }
  static std::uint64_t read(FileHandler& h, char* buffer, Long size) { return h.read(buffer, size); }
  static std::uint64_t write(FileHandler& h, const char* data, Long size) { return h.write(data, size); }
  static bool getline(FileHandler& h, char* buffer, Long size, bool& complete) {
    return h.getline(buffer, size, complete);
  }
};

}  // namespace lufio

#endif  // LUFIO_TESTS_SUPPORT_HANDLER_PEER_H_
