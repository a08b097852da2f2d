#include "win32/guard/system_functions.h"

namespace orlimo::win32 {
namespace {

template <typename Function>
void Take(HMODULE module, const char* name, Function& function) {
  if (!module) return;
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

SystemFunctions Load() {
  SystemFunctions functions;
  HMODULE wts = LoadLibraryExW(L"wtsapi32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  HMODULE userenv = LoadLibraryExW(L"userenv.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  Take(wts, "WTSEnumerateSessionsW", functions.enumerateSessions);
  Take(wts, "WTSQuerySessionInformationW", functions.querySessionInformation);
  Take(wts, "WTSFreeMemory", functions.freeMemory);
  Take(wts, "WTSQueryUserToken", functions.queryUserToken);
  Take(wts, "WTSLogoffSession", functions.logoffSession);
  Take(wts, "WTSDisconnectSession", functions.disconnectSession);
  Take(userenv, "CreateEnvironmentBlock", functions.createEnvironmentBlock);
  Take(userenv, "DestroyEnvironmentBlock", functions.destroyEnvironmentBlock);
  return functions;
}

}  // namespace

const SystemFunctions& Functions() {
  static const SystemFunctions functions = Load();
  return functions;
}

}  // namespace orlimo::win32
