// Ctrl-C for the commands that leave things behind (bench's temporary
// folder): while an InterruptScope lives, SIGINT and SIGTERM only raise a
// flag, and ThrowIfInterrupted turns it into an Interrupted exception at a
// point of the command's choosing, so that destructors run and clean up.
#ifndef LUFIO_TOOLS_INTERRUPT_H_
#define LUFIO_TOOLS_INTERRUPT_H_

namespace lufio_cli {

// Thrown by ThrowIfInterrupted; main reports it and exits 130.
struct Interrupted {};

class InterruptScope {
 public:
  // Catches SIGINT and SIGTERM.
  InterruptScope() noexcept;
  InterruptScope(const InterruptScope&) = delete;
  InterruptScope& operator=(const InterruptScope&) = delete;
  // Restores the handlers found at construction.
  ~InterruptScope();
};

// Throws Interrupted when a signal arrived within an InterruptScope.
void ThrowIfInterrupted();

}  // namespace lufio_cli

#endif  // LUFIO_TOOLS_INTERRUPT_H_
