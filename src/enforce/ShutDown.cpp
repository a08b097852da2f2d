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

namespace {

std::uint32_t ForceFlag(ExitForce force) {
  return force == ExitForce::Always ? platform::kExitForce : platform::kExitForceIfHung;
}

}  // namespace

void ForceWindowsExit(platform::System& system, ExitForce force) {
  EnableShutdownPrivilege(system);
  system.ExitWindows(platform::kExitPowerOff | ForceFlag(force), platform::kExitReasonAll);
}

void LogOffWindows(platform::System& system, ExitForce force) {
  system.ExitWindows(platform::kExitLogOff | ForceFlag(force), platform::kExitReasonAll);
}

}  // namespace orlimo::ShutDown
