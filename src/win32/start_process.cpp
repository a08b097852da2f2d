#include "win32/start_process.h"

namespace orlimo::win32 {

std::wstring CommandLineOf(const std::wstring& path, const std::wstring& arguments) {
  return L"\"" + path + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
}

StartedProcess StartProcess(const std::wstring& path, const std::wstring& arguments,
                            const std::wstring& folder, int show) {
  std::wstring commandLine = CommandLineOf(path, arguments);  // CreateProcessW may write to it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (show >= 0) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
  }
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
    return {};
  }
  CloseHandle(started.hThread);
  return {started.hProcess, started.dwProcessId};
}

bool StartAndLetRun(const std::wstring& path, int show) {
  const StartedProcess started = StartProcess(path, {}, {}, show);
  if (started.handle == nullptr) return false;
  CloseHandle(started.handle);
  return true;
}

long ExitCodeOf(HANDLE process, DWORD milliseconds) {
  if (process == nullptr) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(process, milliseconds) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process, &code)) {
    code = static_cast<DWORD>(-1);
  }
  CloseHandle(process);
  return static_cast<long>(static_cast<int>(code));
}

}  // namespace orlimo::win32
