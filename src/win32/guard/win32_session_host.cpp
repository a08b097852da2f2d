#include "win32/guard/win32_session_host.h"

#include <optional>
#include <string>

#include "win32/system_functions.h"
#include "win32/own_path.h"
#include "win32/start_process.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"
// After windows.h:
#include <tlhelp32.h>

namespace orlimo::win32 {
namespace {

// Whether a user is logged on to the session; nothing when the session could not be asked.
std::optional<bool> HasUser(DWORD session) {
  const std::optional<std::wstring> name = SessionUserName(session);
  if (!name) return std::nullopt;
  return !name->empty();
}

// The terminal services' listing of the sessions: those a user is logged on to, active or
// disconnected, the services' session 0 aside.
guard::SessionListing ListSessions() {
  guard::SessionListing listing;
  const SystemFunctions& wts = Functions();
  PWTS_SESSION_INFOW list = nullptr;
  DWORD count = 0;
  if (!wts.enumerateSessions || !wts.freeMemory ||
      !wts.enumerateSessions(WTS_CURRENT_SERVER_HANDLE, 0, 1, &list, &count)) {
    return listing;
  }
  listing.succeeded = true;
  listing.named = static_cast<int>(count);
  for (DWORD i = 0; i < count; ++i) {
    const WTS_SESSION_INFOW& info = list[i];
    bool loggedOn = info.State == WTSActive || info.State == WTSDisconnected;
    if (info.SessionId == 0 || !loggedOn) continue;
    const std::optional<bool> hasUser = HasUser(info.SessionId);
    if (!hasUser) {
      listing.unknown.push_back(info.SessionId);
    } else if (*hasUser) {
      listing.loggedOn.push_back(info.SessionId);
    }
  }
  wts.freeMemory(list);
  return listing;
}

std::optional<platform::SessionId> ActiveConsoleSession() {
  const DWORD console = WTSGetActiveConsoleSessionId();
  if (console == 0xFFFFFFFF) return std::nullopt;
  return console;
}

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  ~Handle() {
    if (handle_ && handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

void EnableShutdownPrivilege() {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw)) return;
  Handle token(raw);
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueW(nullptr, L"SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
    return;
  }
  AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr);
}

}  // namespace

// Wine lists no session at all; its one session is the console's. A listing that fails keeps the
// sessions of the last one.
std::vector<platform::SessionId> Win32SessionHost::LogOnSessions() {
  return followed_.Update(ListSessions(), ActiveConsoleSession());
}

std::vector<Text> Win32SessionHost::ProgramPaths(platform::SessionId session) {
  std::vector<Text> paths;
  Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot.valid()) return paths;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
       more = Process32NextW(snapshot.get(), &entry)) {
    DWORD processSession = 0;
    if (!ProcessIdToSessionId(entry.th32ProcessID, &processSession)) continue;
    if (processSession != session) continue;
    Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
    if (!process.valid()) continue;
    wchar_t path[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(path));
    if (QueryFullProcessImageNameW(process.get(), 0, path, &length)) {
      paths.push_back(FromWide(path, length));
    }
  }
  return paths;
}

bool Win32SessionHost::StartProgramIn(platform::SessionId session, const Text& path) {
  const SystemFunctions& system = Functions();
  HANDLE rawToken = nullptr;
  if (!system.queryUserToken || !system.queryUserToken(session, &rawToken)) return false;
  Handle token(rawToken);
  void* environment = nullptr;
  if (!system.createEnvironmentBlock || !system.destroyEnvironmentBlock ||
      !system.createEnvironmentBlock(&environment, token.get(), FALSE)) {
    environment = nullptr;
  }
  std::wstring application = ToWide(path);
  std::wstring commandLine = CommandLineOf(application);
  std::wstring folder = FolderOf(application);
  wchar_t desktop[] = L"winsta0\\default";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.lpDesktop = desktop;
  PROCESS_INFORMATION process{};
  BOOL started = CreateProcessAsUserW(token.get(), application.c_str(), commandLine.data(), nullptr,
                                      nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT, environment,
                                      folder.c_str(), &startup, &process);
  if (environment) system.destroyEnvironmentBlock(environment);
  if (!started) return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// InitiateShutdownW is the power-off a service is given: the whole machine, every session's
// programs ended without asking. ExitWindowsEx is meant for the caller's own log-on session and
// its force may not reach the others; it stays as the fallback for where InitiateShutdownW fails,
// as under Wine, whose InitiateShutdownW does nothing but fail (error 120) while its
// ExitWindowsEx(EWX_POWEROFF | EWX_FORCE) ends every program.
void Win32SessionHost::PowerOffWithForce() {
  EnableShutdownPrivilege();
  constexpr DWORD kReason = SHTDN_REASON_MAJOR_OTHER | SHTDN_REASON_FLAG_PLANNED;
  if (InitiateShutdownW(nullptr, nullptr, 0,
                        SHUTDOWN_POWEROFF | SHUTDOWN_FORCE_OTHERS | SHUTDOWN_FORCE_SELF,
                        kReason) == ERROR_SUCCESS) {
    return;
  }
  ExitWindowsEx(EWX_POWEROFF | EWX_FORCE, kReason);
}

void Win32SessionHost::LogOff(platform::SessionId session) {
  if (Functions().logoffSession) {
    Functions().logoffSession(WTS_CURRENT_SERVER_HANDLE, session, FALSE);
  }
}

// A service cannot lock another session's screen; it disconnects the session instead, which
// shows the log-on screen and asks the user's Windows password to come back, as a lock does.
void Win32SessionHost::Lock(platform::SessionId session) {
  if (Functions().disconnectSession) {
    Functions().disconnectSession(WTS_CURRENT_SERVER_HANDLE, session, FALSE);
  }
}

bool Win32SessionHost::Away(platform::SessionId session) {
  return SessionAway(session);
}

Text Win32SessionHost::UserName(platform::SessionId session) {
  const std::optional<std::wstring> name = SessionUserName(session);
  return name ? ToLower(FromWide(name->c_str(), name->size())) : Text();
}

}  // namespace orlimo::win32
