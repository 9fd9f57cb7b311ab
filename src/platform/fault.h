// The fault seam of the platform layer: lets a test make a given platform
// call fail with a given error code, so that every failure path of every
// back-end and of the directory reader can be provoked on demand.
//
// The wrappers in calls.h ask Tripped() before each real call; with nothing
// armed that is one load and one predictable branch. Built in only with
// LUFIO_FAULT_SEAM (the test builds); without it Tripped() is a constant false,
// the wrappers make the real calls alone, and nothing of the seam is exported.
#ifndef LUFIO_SRC_PLATFORM_FAULT_H_
#define LUFIO_SRC_PLATFORM_FAULT_H_

#include <lusys/types.h>

#include "lufio/export.h"

namespace lufio::sys::fault {

// The platform calls that can be made to fail.
enum class Call : unsigned {
  CreateFileA,
  SetFilePointer,
  ReadFile,
  WriteFile,
  FlushFileBuffers,
  CloseHandle,
  SOpen,   // _sopen_dispatch or _sopen
  Read,    // _read
  Write,   // _write
  LSeek,   // _lseek
  Tell,    // _tell
  Commit,  // _commit
  Close,   // _close
  FindFirstFileA,
  FindNextFileA,
  FindClose,
  SaveCreate,      // the new file of a safe save
  SaveSync,        // its data stored on the device
  SaveReplace,     // its move into the target's place
  SaveSyncFolder,  // the folder's new entry stored (POSIX)
  kCount
};

#if defined(LUFIO_FAULT_SEAM)

// Makes `call` fail with `code` as the system's last error: the first `skip`
// calls go through, then the next `times` calls fail (0: every call until
// Disarm). Arming a call again replaces its earlier setting.
LUFIO_API void Arm(Call call, lusys::ULong code, unsigned skip = 0, unsigned times = 1) noexcept;
// Removes every armed fault.
LUFIO_API void Disarm() noexcept;
// How many times `call` has been failed since it was armed.
LUFIO_API unsigned Fired(Call call) noexcept;

// Library-internal: how many calls are armed, and the slow path that decides
// whether this call fails (setting the system's last error when it does).
extern unsigned g_armed;
bool Trip(Call call) noexcept;

inline bool Tripped(Call call) noexcept { return g_armed != 0 && Trip(call); }

#else

constexpr bool Tripped(Call) noexcept { return false; }

#endif

}  // namespace lufio::sys::fault

#endif  // LUFIO_SRC_PLATFORM_FAULT_H_
