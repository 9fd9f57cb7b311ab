#include "fault.h"

#include "platform.h"

namespace lufio::sys::fault {

namespace {

struct Slot {
  bool armed;
  lusys::ULong code;
  unsigned skip;
  unsigned times;  // 0: without end
  unsigned fired;
};

Slot g_slots[static_cast<unsigned>(Call::kCount)];

}  // namespace

unsigned g_armed = 0;

void Arm(Call call, lusys::ULong code, unsigned skip, unsigned times) noexcept {
  Slot& slot = g_slots[static_cast<unsigned>(call)];
  if (!slot.armed) ++g_armed;
  slot = Slot{true, code, skip, times, 0};
}

void Disarm() noexcept {
  for (Slot& slot : g_slots) slot = Slot{};
  g_armed = 0;
}

unsigned Fired(Call call) noexcept { return g_slots[static_cast<unsigned>(call)].fired; }

bool Trip(Call call) noexcept {
  Slot& slot = g_slots[static_cast<unsigned>(call)];
  if (!slot.armed) return false;
  if (slot.skip != 0) {
    --slot.skip;
    return false;
  }
  ++slot.fired;
  if (slot.times != 0 && slot.fired >= slot.times) {
    slot.armed = false;
    --g_armed;
  }
  SetLastError(static_cast<DWORD>(slot.code));
  return true;
}

}  // namespace lufio::sys::fault
