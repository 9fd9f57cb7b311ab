#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/support.h"

namespace lufio::test {

UnixFifo::UnixFifo(const std::string& path) {
  if (::mkfifo(path.c_str(), 0600) == 0) fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
}

UnixFifo::~UnixFifo() {
  if (fd_ >= 0) ::close(fd_);
}

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
