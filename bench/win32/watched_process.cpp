#include "watched_process.h"

#include <psapi.h>

#include <vector>

#include "driver_support.h"
#include "figures.h"
#include "win32/own_path.h"
#include "unix_process.h"

namespace orlimo::winbench {

HWND VisibleWindowOf(DWORD process) {
  for (HWND window : drivers::TopLevelWindowsOf({process})) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

WatchedProcess::WatchedProcess(const std::wstring& exe, double timeout) : exe_(exe) {
  double start = Now();
  process_ = win32::StartProcess(exe, {}, win32::FolderOf(exe));
  if (process_.handle == nullptr) return;
  while (Now() - start < timeout) {
    if (HWND hwnd = VisibleWindowOf(process_.id)) {
      secondsToWindow_ = Now() - start;
      window_ = hwnd;
      return;
    }
    if (WaitForSingleObject(process_.handle, 1) == WAIT_OBJECT_0) return;  // ended by itself
  }
}

WatchedProcess::~WatchedProcess() {
  if (process_.handle == nullptr) return;
  TerminateProcess(process_.handle, 1);
  win32::ExitCodeOf(process_.handle, 10000);
}

double WatchedProcess::WorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process_.handle, &counters, sizeof(counters))) return 0;
  return static_cast<double>(counters.WorkingSetSize);
}

double WatchedProcess::PeakWorkingSet() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!GetProcessMemoryInfo(process_.handle, &counters, sizeof(counters))) return 0;
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
