#include "enforce/ShutDown.h"

namespace orlimo::ShutDown {

namespace {
constexpr std::uint32_t kOneEntryListLength = 16;
}

void EnableShutdownPrivilege(platform::System& system) {
  platform::Handle token = system.OpenOwnProcessToken(platform::kTokenAdjustAndQuery);
  platform::Luid privilege = system.LookupPrivilegeValue(u"SeShutdownPrivilege").value_or(0);
  system.AdjustTokenPrivilege(token, privilege, platform::kPrivilegeEnabled, kOneEntryListLength);
}

void ForceWindowsExit(platform::System& system, ExitForce force) {
  EnableShutdownPrivilege(system);
  std::uint32_t forceFlag =
      force == ExitForce::Always ? platform::kExitForce : platform::kExitForceIfHung;
  system.ExitWindows(platform::kExitPowerOff | forceFlag, platform::kExitReasonAll);
}

}  // namespace orlimo::ShutDown
