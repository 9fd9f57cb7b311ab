// A named pipe for tests that need a file that cannot seek. The object keeps
// a read-write descriptor on the pipe so that opening it never blocks.
// Where the platform has no named pipes, ok() is false. Also: running a test
// body without root's rights.
#ifndef LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_
#define LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_

#include <functional>
#include <string>

namespace lufio::test {

class UnixFifo {
 public:
  explicit UnixFifo(const std::string& path);
  ~UnixFifo();
  UnixFifo(const UnixFifo&) = delete;
  UnixFifo& operator=(const UnixFifo&) = delete;

  bool ok() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

// Runs `body` as a user whom permissions bind: in this process when it is not
// root, else in a child process switched to the user "nobody". Returns 1 when
// `body` returned true, 0 when false, -1 where no such user can be had.
int RunUnprivileged(const std::function<bool()>& body);

}  // namespace lufio::test

#endif  // LUFIO_TESTS_SUPPORT_UNIX_FIFO_H_
