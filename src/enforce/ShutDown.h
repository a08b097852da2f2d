// Asking Windows to end the session and power the computer off.
#pragma once

#include "platform/system.h"

namespace orlimo::ShutDown {

// Enables the shutdown privilege in the program's own access token. Nothing is examined.
void EnableShutdownPrivilege(platform::System& system);
// Enables the privilege, then asks Windows to power off (flags 8, reason 0xFFFFFFFF).
void ForceWindowsExit(platform::System& system);

}  // namespace orlimo::ShutDown
