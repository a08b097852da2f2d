// OrlimoGuard.exe: the service OrlimoGuard. It reads where the family's data lives, runs the
// guard on the service's thread, serves the pipe and follows session changes until stopped.
#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

#include "base/path.h"
#include "guard/guard.h"
#include "win32/guard/pipe_server.h"
#include "win32/guard/request_queue.h"
#include "win32/guard/win32_session_host.h"
#include "win32/guard/win32_system_clock.h"
#include "win32/program_folders.h"
#include "win32/wide_text.h"
#include "win32/win32_ansi_codepage.h"
#include "win32/win32_registry.h"
#include "win32/windows_api.h"
// After windows.h:
#include <aclapi.h>

namespace orlimo::win32 {
namespace {

constexpr wchar_t kServiceName[] = L"OrlimoGuard";
constexpr char16_t kDataFolderValue[] = u"HKEY_LOCAL_MACHINE\\SOFTWARE\\Orlimo\\DataFolder";
constexpr char16_t kDataFolderName[] = u"Orlimo";
constexpr char16_t kProgramName[] = u"Orlimo.exe";
constexpr std::chrono::milliseconds kPollEvery{1000};

SERVICE_STATUS_HANDLE statusHandle = nullptr;
// Outlives the service's thread: the pipe's threads may still be waiting in it at the end.
RequestQueue queue;
RequestQueue* runningQueue = nullptr;
std::atomic<bool> stopping{false};

void Report(DWORD state, DWORD exitCode = NO_ERROR) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwWin32ExitCode = exitCode;
  if (state == SERVICE_RUNNING) {
    status.dwControlsAccepted =
        SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN | SERVICE_ACCEPT_SESSIONCHANGE;
  }
  if (state == SERVICE_START_PENDING) status.dwWaitHint = 10'000;
  SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Control(DWORD control, DWORD, void*, void*) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      stopping = true;
      [[fallthrough]];
    case SERVICE_CONTROL_SESSIONCHANGE:
      if (runningQueue) runningQueue->Wake();
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

// The data folder the installer wrote, or Orlimo in the machine's program data folder.
Text DataFolder(Win32Registry& registry) {
  try {
    Text folder = registry.ReadString(kDataFolderValue);
    if (!folder.empty()) return folder;
  } catch (const platform::RegistryError&) {
  }
  wchar_t common[MAX_PATH];
  DWORD length = GetEnvironmentVariableW(L"ProgramData", common, MAX_PATH);
  Text base = length > 0 && length < MAX_PATH ? FromWide(common, length) : u"C:\\ProgramData";
  return InFolder(base, kDataFolderName);
}

// Lets the programs of the log-on sessions read this process's image path, by which Orlimo.exe
// tells the real guard from a program that made a pipe of the same name. A LocalSystem process
// is closed to them otherwise; this adds nothing else.
void LetSessionsCheckTheGuard() {
  PACL current = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                      nullptr, &current, nullptr, &descriptor) != ERROR_SUCCESS) {
    return;
  }
  SID_IDENTIFIER_AUTHORITY nt = SECURITY_NT_AUTHORITY;
  PSID interactive = nullptr;
  if (AllocateAndInitializeSid(&nt, 1, SECURITY_INTERACTIVE_RID, 0, 0, 0, 0, 0, 0, 0,
                               &interactive)) {
    EXPLICIT_ACCESSW access{};
    access.grfAccessPermissions = PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE;
    access.grfAccessMode = GRANT_ACCESS;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
    access.Trustee.ptstrName = static_cast<LPWSTR>(interactive);
    PACL extended = nullptr;
    if (SetEntriesInAclW(1, &access, current, &extended) == ERROR_SUCCESS) {
      SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                      nullptr, extended, nullptr);
      LocalFree(extended);
    }
    FreeSid(interactive);
  }
  LocalFree(descriptor);
}

void WINAPI ServiceMain(DWORD, LPWSTR*) {
  statusHandle = RegisterServiceCtrlHandlerExW(kServiceName, Control, nullptr);
  if (!statusHandle) return;
  Report(SERVICE_START_PENDING);
  LetSessionsCheckTheGuard();
  Win32Registry registry;
  Win32SystemClock clock;
  Win32SessionHost sessions;
  Win32AnsiCodePage codePage;
  const Text dataFolder = DataFolder(registry);
  std::error_code ignored;
  std::filesystem::create_directories(FsPath(dataFolder), ignored);
  const Text programPath = InFolder(OwnFolder(), kProgramName);
  guard::Guard guard({clock, sessions, registry, codePage}, dataFolder, programPath);
  // Without its pipe (another process holds the name) the guard meters and enforces all the
  // same, and takes the pipe once the name is free.
  static PipeServer pipe(queue, ToWide(programPath));
  pipe.Start();
  runningQueue = &queue;
  Report(SERVICE_RUNNING);
  // The guard polls on its own schedule, once a second whatever the pipe brings, and at once
  // after a session change.
  auto nextPoll = std::chrono::steady_clock::now();
  while (!stopping) {
    queue.RunUntil(guard, nextPoll);
    guard.Poll();
    if (pipe.OutageBegan()) guard.LogPipeUnavailable();
    nextPoll = std::chrono::steady_clock::now() + kPollEvery;
  }
  // The pipe's threads end with the process; the guard answers nobody from here on.
  runningQueue = nullptr;
  Report(SERVICE_STOPPED);
}

}  // namespace
}  // namespace orlimo::win32

// Started by hand, outside the service manager, the dispatcher fails at once and the guard
// neither reads the family's data nor serves the pipe.
int wmain() {
  // DLLs loaded by name come from the system folder only.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  wchar_t name[] = L"OrlimoGuard";
  SERVICE_TABLE_ENTRYW services[] = {{name, orlimo::win32::ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherW(services) ? 0 : static_cast<int>(GetLastError());
}
