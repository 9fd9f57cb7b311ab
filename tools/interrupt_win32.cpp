// Interrupts on Windows, with a console control handler. It runs on a thread
// of its own: it notes the event and cancels a read the main thread is
// blocked in (CancelSynchronousIo), so that the read fails, the command ends
// through its destructors and main exits with 130. On closing the console the
// handler waits, since the system ends the process when it returns. A second
// Ctrl-C or Ctrl-Break ends the process at once, for a wait that cannot be
// cancelled (under Wine, a read from a FIFO of the Linux side).
#include <string>

#include "interrupt.h"
#include "windows_api.h"

namespace lufio_cli {
namespace {

volatile LONG g_interrupted = 0;
HANDLE g_main_thread = nullptr;

BOOL WINAPI OnControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) return FALSE;
  if (::InterlockedExchange(&g_interrupted, 1) != 0 && event != CTRL_CLOSE_EVENT) ::ExitProcess(130);
  if (g_main_thread != nullptr) ::CancelSynchronousIo(g_main_thread);
  if (event == CTRL_CLOSE_EVENT) ::Sleep(INFINITE);  // until main ends the process
  return TRUE;
}

}  // namespace

InterruptScope::InterruptScope(Mode /*mode*/) noexcept {
  if (g_main_thread == nullptr) {
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &g_main_thread, 0, FALSE,
                      DUPLICATE_SAME_ACCESS);
  }
  ::SetConsoleCtrlHandler(OnControl, TRUE);
}

InterruptScope::~InterruptScope() { ::SetConsoleCtrlHandler(OnControl, FALSE); }

void RemoveOnInterrupt(const std::string& /*name*/) noexcept {}

void ForgetOnInterrupt() noexcept {}

void ThrowIfInterrupted() {
  if (WasInterrupted()) throw Interrupted{2};  // SIGINT
}

bool WasInterrupted() noexcept { return g_interrupted != 0; }

void PrepareSignals() noexcept {}

int ExitInterrupted(const Interrupted& /*interrupted*/) noexcept { return 130; }

}  // namespace lufio_cli
