// A named pipe for tests that need a file that cannot seek. The object keeps
// a read-write descriptor on the pipe so that opening it never blocks.
// Where the platform has no named pipes, ok() is false.
#ifndef LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_
#define LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_

#include <string>

namespace lufio::test {

class UnixFifo {
 public:
  explicit UnixFifo(const std::string& path);
  ~UnixFifo();
  UnixFifo(const UnixFifo&) = delete;
  UnixFifo& operator=(const UnixFifo&) = delete;

  bool ok() const { return fd_ >= 0; }
  // Writes `text` into the pipe.
  void Write(const std::string& text) const;

 private:
  int fd_ = -1;
};

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_
