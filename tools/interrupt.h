// How the commands end on SIGINT, SIGTERM and SIGHUP (Windows: Ctrl-C,
// Ctrl-Break, closing the console). interrupt_posix.cpp and
// interrupt_win32.cpp answer it; the build picks one.
//
// Within an InterruptScope a command ends at once, also while it waits for an
// open or a read that no data comes to, and what it leaves unfinished is
// removed:
// - POSIX, kAtOnce: the signal's handler removes the file named by
//   RemoveOnInterrupt, prints "lufio: interrupted" and ends the program by
//   the same signal (exit status 128 + its number, as a shell reports it).
// - kAtCheckpoints (bench, whose temporary folder has many files), and every
//   scope on Windows: the event is noted, a read blocked in the system is
//   cancelled (Windows), and ThrowIfInterrupted throws Interrupted at the
//   command's next checkpoint, so that destructors clean up on the way to
//   main, which calls ExitInterrupted.
// A scope restores the handling it found when it ends. Outside any scope the
// platform's default ends the program.
#ifndef LUFIO_TOOLS_INTERRUPT_H_
#define LUFIO_TOOLS_INTERRUPT_H_

#include <string>

namespace lufio_cli {

// Thrown by ThrowIfInterrupted: the signal that came (SIGINT on Windows).
struct Interrupted {
  int signal;
};

class InterruptScope {
 public:
  enum Mode { kAtOnce, kAtCheckpoints };
  explicit InterruptScope(Mode mode) noexcept;
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;
  ~InterruptScope();
};

// The file that an interrupt within a kAtOnce scope removes (POSIX), until it
// is named again or ForgetOnInterrupt is called.
void RemoveOnInterrupt(const std::string& name) noexcept;
void ForgetOnInterrupt() noexcept;

// Throws Interrupted when an interrupt came within a scope.
void ThrowIfInterrupted();
// True when an interrupt came within a scope: whatever failed afterwards
// failed because of it.
bool WasInterrupted() noexcept;

// Prepares the process: on POSIX a file grown beyond the size limit
// (SIGXFSZ, `ulimit -f`) fails the write with EFBIG instead of killing the
// program.
void PrepareSignals() noexcept;

// Ends the program after Interrupted reached main, as the signal itself
// would: POSIX raises it again with its default action; Windows exits with
// 130. Returns only when the signal does not end the program.
int ExitInterrupted(const Interrupted& interrupted) noexcept;

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_INTERRUPT_H_
