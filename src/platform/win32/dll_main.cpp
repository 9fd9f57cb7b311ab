// The entry point of lufio.dll. On process attach it turns off the thread
// attach and detach notifications, which the library has no use for, and does
// nothing else. The static FileHandler::EOL is built by the C++ runtime's own
// start-up code, before this function runs.
#include "platform.h"

// The C runtime's DLL start-up code calls it by its C name.
extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID /*reserved*/) {
  if (reason == DLL_PROCESS_ATTACH) ::DisableThreadLibraryCalls(module);
  return TRUE;
}
