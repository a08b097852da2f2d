#include "watched_process.h"

#include <psapi.h>

#include <vector>

#include "figures.h"
#include "unix_process.h"

namespace orlimo::winbench {

HWND VisibleWindowOf(DWORD process) {
  struct Search {
    DWORD process;
    HWND found;
  } search{process, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM data) -> BOOL {
        auto* s = reinterpret_cast<Search*>(data);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->process || !IsWindowVisible(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

WatchedProcess::WatchedProcess(const std::wstring& exe, const std::wstring& folder, double timeout)
    : exe_(exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  std::wstring commandLine = L"\"" + exe + L"\"";
  double start = Now();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info_)) {
    info_ = {};
    return;
  }
  while (Now() - start < timeout) {
    if (HWND hwnd = VisibleWindowOf(info_.dwProcessId)) {
      secondsToWindow_ = Now() - start;
      window_ = hwnd;
      return;
    }
    if (WaitForSingleObject(info_.hProcess, 1) == WAIT_OBJECT_0) return;  // ended by itself
  }
}

WatchedProcess::~WatchedProcess() {
  if (info_.hProcess == nullptr) return;
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, 10000);
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

double WatchedProcess::WorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) return 0;
  return static_cast<double>(counters.WorkingSetSize);
}

double WatchedProcess::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(info_.hProcess, &counters, sizeof(counters))) return 0;
  return static_cast<double>(counters.PeakWorkingSetSize);
}

unsigned WatchedProcess::UnixId() const {
  if (unixPid_ == 0) unixPid_ = UnixProcessOf(exe_);
  return unixPid_;
}

double WatchedProcess::ProcessorSeconds() const {
  return UnixProcessorSeconds(UnixId());
}

}  // namespace orlimo::winbench
