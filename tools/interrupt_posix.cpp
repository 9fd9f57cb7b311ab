// Interrupts on POSIX, with sigaction. A kAtOnce handler does only what is
// safe in a signal handler (unlink, write, sigaction, raise) with what the
// main flow stored before: the name to remove, in a fixed buffer.
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "interrupt.h"

namespace lufio_cli {
namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr int kCount = sizeof(kSignals) / sizeof(kSignals[0]);

volatile sig_atomic_t g_signal = 0;       // the signal that came within a scope
volatile sig_atomic_t g_has_scratch = 0;  // g_scratch holds a name to remove
char g_scratch[4096];
struct sigaction g_previous[kCount];

void AtOnce(int signal) {
  if (g_has_scratch != 0) ::unlink(g_scratch);
  static const char kText[] = "lufio: interrupted\n";
  if (::write(STDERR_FILENO, kText, sizeof(kText) - 1) < 0) {
    // nothing more can be said
  }
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  ::sigaction(signal, &standard, nullptr);
  ::raise(signal);  // delivered, and ending the program, when the handler returns
}

void AtCheckpoint(int signal) { g_signal = signal; }

}  // namespace

InterruptScope::InterruptScope(Mode mode) noexcept {
  struct sigaction action = {};
  action.sa_handler = mode == kAtOnce ? AtOnce : AtCheckpoint;
  sigfillset(&action.sa_mask);
  for (int i = 0; i < kCount; ++i) {
    ::sigaction(kSignals[i], nullptr, &g_previous[i]);
    // A signal the program was started to ignore (a background job's SIGINT)
    // stays ignored.
    if (g_previous[i].sa_handler != SIG_IGN) ::sigaction(kSignals[i], &action, nullptr);
  }
}

InterruptScope::~InterruptScope() {
  for (int i = 0; i < kCount; ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
  ForgetOnInterrupt();
}

void RemoveOnInterrupt(const std::string& name) noexcept {
  g_has_scratch = 0;
  if (name.size() >= sizeof(g_scratch)) return;
  std::memcpy(g_scratch, name.c_str(), name.size() + 1);
  g_has_scratch = 1;
}

void ForgetOnInterrupt() noexcept { g_has_scratch = 0; }

void ThrowIfInterrupted() {
  if (g_signal != 0) throw Interrupted{g_signal};
}

bool WasInterrupted() noexcept { return g_signal != 0; }

void PrepareSignals() noexcept { ::signal(SIGXFSZ, SIG_IGN); }

int ExitInterrupted(const Interrupted& interrupted) noexcept {
  ::signal(interrupted.signal, SIG_DFL);
  ::raise(interrupted.signal);
  return 128 + interrupted.signal;
}

}  // namespace lufio_cli
