#include "win32/system_functions.h"

#include <cstring>
#include <cwchar>

namespace orlimo::win32 {
namespace {

template <typename Function>
void Take(HMODULE module, const char* name, Function& function) {
  if (!module) return;
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// The terminal services' extended session information (WTSSessionInfoEx), which the MinGW
// headers do not declare, as Windows documents it.
constexpr WTS_INFO_CLASS kSessionInfoEx = static_cast<WTS_INFO_CLASS>(25);
constexpr LONG kSessionLocked = 0;  // WTS_SESSIONSTATE_LOCK
struct SessionInfoExLevel1 {
  ULONG sessionId;
  WTS_CONNECTSTATE_CLASS sessionState;
  LONG sessionFlags;
  WCHAR winStationName[33];
  WCHAR userName[21];
  WCHAR domainName[18];
  LARGE_INTEGER logonTime, connectTime, disconnectTime, lastInputTime, currentTime;
  DWORD incomingBytes, outgoingBytes, incomingFrames, outgoingFrames;
  DWORD incomingCompressedBytes, outgoingCompressedBytes;
};
struct SessionInfoEx {
  DWORD level;
  SessionInfoExLevel1 level1;
};

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

// A session's information of one kind as the terminal services give it; nothing when it cannot be
// asked.
std::optional<std::string> SessionInformation(DWORD session, WTS_INFO_CLASS what) {
  const SystemFunctions& wts = Functions();
  LPWSTR buffer = nullptr;
  DWORD bytes = 0;
  if (!wts.querySessionInformation || !wts.freeMemory ||
      !wts.querySessionInformation(WTS_CURRENT_SERVER_HANDLE, session, what, &buffer, &bytes)) {
    return std::nullopt;
  }
  std::string information(buffer ? reinterpret_cast<const char*>(buffer) : "", buffer ? bytes : 0);
  wts.freeMemory(buffer);
  return information;
}

}  // namespace

const SystemFunctions& Functions() {
  static const SystemFunctions functions = Load();
  return functions;
}

std::optional<std::wstring> SessionUserName(DWORD session) {
  const std::optional<std::string> bytes = SessionInformation(session, WTSUserName);
  if (!bytes) return std::nullopt;
  std::wstring name(bytes->size() / sizeof(wchar_t), L'\0');
  std::memcpy(name.data(), bytes->data(), name.size() * sizeof(wchar_t));
  name.resize(std::wcslen(name.c_str()));
  return name;
}

bool SessionAway(DWORD session) {
  const std::optional<std::string> bytes = SessionInformation(session, kSessionInfoEx);
  if (!bytes || bytes->size() < sizeof(SessionInfoEx)) return false;
  SessionInfoEx info;
  std::memcpy(&info, bytes->data(), sizeof info);
  return info.level1.sessionState != WTSActive || info.level1.sessionFlags == kSessionLocked;
}

}  // namespace orlimo::win32
