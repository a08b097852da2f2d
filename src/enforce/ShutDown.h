// Asking Windows to end the session and power the computer off.
#pragma once

#include "platform/system.h"

namespace orlimo::ShutDown {

// Enables the shutdown privilege in the program's own access token. Nothing is examined.
void EnableShutdownPrivilege(platform::System& system);
// How a power-off request treats the programs that are running.
enum class ExitForce {
  IfHung,  // asked to close; one that does not answer is ended (flags 8 | 0x10)
  Always,  // ended without being asked (flags 8 | 4)
};

// Enables the privilege, then asks Windows to power off (reason 0xFFFFFFFF).
void ForceWindowsExit(platform::System& system, ExitForce force);
// Asks Windows to log the session off (reason 0xFFFFFFFF).
void LogOffWindows(platform::System& system, ExitForce force);

}  // namespace orlimo::ShutDown
