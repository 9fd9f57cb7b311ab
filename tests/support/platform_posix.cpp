// What the suites' support does on POSIX: named and anonymous pipes, and
// another user through fork and setuid.
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>

#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string& path) : path_(path) {
  int ends[2];
  if (path.empty() && ::pipe(ends) == 0) read_fd_ = ends[0], fd_ = ends[1], path_ = "/dev/fd/" + std::to_string(ends[0]);
  if (!path.empty() && ::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
}

void UnixFifo::Finish(const std::string& bytes) {
  if (fd_ >= 0 && ::write(fd_, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) ADD_FAILURE();
  for (const int fd : {fd_, read_fd_})
    if (fd >= 0) ::close(fd);
  fd_ = read_fd_ = -1;
}

FedPipe::FedPipe(std::string bytes) {
  int ends[2];
  if (::pipe(ends) != 0) return;
  ::signal(SIGPIPE, SIG_IGN);  // a reader that stops early fails the writer, not the program
  stream_ = ::fdopen(ends[0], "rb");
  feeder_ = std::thread([bytes = std::move(bytes), fd = ends[1]] {
    (void)!::write(fd, bytes.data(), bytes.size());  // a blocking pipe takes all, or fails when the reader is gone
    ::close(fd);
  });
}

FedPipe::~FedPipe() {
  if (stream_ != nullptr) std::fclose(stream_);
  if (feeder_.joinable()) feeder_.join();
}

int DescriptorOf(std::FILE* stream) { return ::fileno(stream); }

void* HandleOf(int fd) { return reinterpret_cast<void*>(static_cast<std::intptr_t>(fd)); }

int RunUnprivileged(const std::function<bool()>& body) {
  if (::geteuid() != 0) return body() ? 1 : 0;
  const passwd* nobody = ::getpwnam("nobody");
  if (nobody == nullptr || nobody->pw_uid == 0) return -1;
  const uid_t uid = nobody->pw_uid;
  const gid_t gid = nobody->pw_gid;
  const pid_t child = ::fork();
  if (child == 0)
    ::_exit(::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0 ? 2 : body() ? 1 : 0);
  int status = 0;
  if (child == -1) return -1;
  if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) > 2) return 0;
  return WEXITSTATUS(status) == 2 ? -1 : WEXITSTATUS(status);
}

}  // namespace lufio::test
