// The terminal-services and user-environment functions the guard uses, taken at run time from
// wtsapi32.dll and userenv.dll in the system folder only: neither DLL is on the KnownDLLs list,
// and no DLL may come from a folder a user can write to. A function that could not be loaded is
// null.
#pragma once

#include <optional>
#include <string>

#include "win32/windows_api.h"
// After windows.h:
#include <userenv.h>
#include <wtsapi32.h>

namespace orlimo::win32 {

struct SystemFunctions {
  decltype(&WTSEnumerateSessionsW) enumerateSessions = nullptr;
  decltype(&WTSQuerySessionInformationW) querySessionInformation = nullptr;
  decltype(&WTSFreeMemory) freeMemory = nullptr;
  decltype(&WTSQueryUserToken) queryUserToken = nullptr;
  decltype(&WTSLogoffSession) logoffSession = nullptr;
  decltype(&WTSDisconnectSession) disconnectSession = nullptr;
  decltype(&CreateEnvironmentBlock) createEnvironmentBlock = nullptr;
  decltype(&DestroyEnvironmentBlock) destroyEnvironmentBlock = nullptr;
};

// Loaded at the first call.
const SystemFunctions& Functions();

// The name of the user logged on to the session (empty: nobody); nothing when it cannot be asked.
std::optional<std::wstring> SessionUserName(DWORD session);

// Whether the session (WTS_CURRENT_SESSION for the caller's) is locked, disconnected or not the
// one on the screen; false where its state cannot be read, as under Wine.
bool SessionAway(DWORD session);

}  // namespace orlimo::win32
