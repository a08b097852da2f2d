// Finding, starting and stopping processes by the name of their executable file.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "platform/system.h"

namespace orlimo::ProcessCheck {

inline constexpr char16_t kCompanionName[] = u"VarnRunCom.exe";

// Terminates every process whose executable name ends with the name (case ignored).
void KillProcessByName(platform::System& system, TextView name);
// Whether some process's executable name begins with the name (case ignored).
bool IsProcessRunning(platform::System& system, TextView name);
// Terminates one process, with the debug privilege where the system has access tokens.
bool TerminateProcessById(platform::System& system, std::uint32_t processId,
                          std::uint32_t exitCode);
// Starts the companion from the program's folder unless a process of that name runs.
void EnsureCompanionRunning(platform::System& system, const Text& programFolder);

}  // namespace orlimo::ProcessCheck
