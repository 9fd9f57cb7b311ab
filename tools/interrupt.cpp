// InterruptScope over std::signal, which both POSIX and the Windows C runtime
// offer (the latter delivers Ctrl-C as SIGINT).
#include "interrupt.h"

#include <csignal>

namespace lufio_cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;
void (*previous_int)(int) = SIG_DFL;
void (*previous_term)(int) = SIG_DFL;

void OnSignal(int /*signal*/) { interrupted = 1; }

// A signal that the program was started to ignore (a background job's
// SIGINT) stays ignored.
void Catch(int signal, void (*&previous)(int)) noexcept {
  previous = std::signal(signal, OnSignal);
  if (previous == SIG_IGN) std::signal(signal, SIG_IGN);
}

}  // namespace

InterruptScope::InterruptScope() noexcept {
  Catch(SIGINT, previous_int);
  Catch(SIGTERM, previous_term);
}

InterruptScope::~InterruptScope() {
  std::signal(SIGINT, previous_int == SIG_ERR ? SIG_DFL : previous_int);
  std::signal(SIGTERM, previous_term == SIG_ERR ? SIG_DFL : previous_term);
}

void ThrowIfInterrupted() {
  if (interrupted != 0) throw Interrupted{};
}

}  // namespace lufio_cli
