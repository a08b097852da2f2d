// A program started by the probe: the time until its first window shows, its working set and
// the processor time it takes.
#pragma once

#include <string>

#include "win32/start_process.h"
#include "win32/windows_api.h"

namespace orlimo::winbench {

class WatchedProcess {
 public:
  // Starts <exe> in its own folder and waits up to <timeout> seconds for a visible top-level window
  // of the process, looking every millisecond. Started() tells whether it came.
  WatchedProcess(const std::wstring& exe, double timeout);
  ~WatchedProcess();  // ends the process with TerminateProcess (no closing steps run)
  WatchedProcess(const WatchedProcess&) = delete;
  WatchedProcess& operator=(const WatchedProcess&) = delete;

  bool Started() const { return window_ != nullptr; }
  double SecondsToWindow() const { return secondsToWindow_; }
  DWORD Id() const { return process_.id; }

  // Bytes now in the working set, and the most there ever were.
  double WorkingSet() const;
  double PeakWorkingSet() const;
  // User and system time of the process so far, in seconds, from its Unix process under Wine.
  double ProcessorSeconds() const;
  // The Unix process id the figures come from, 0 when none was found.
  unsigned UnixId() const;

 private:
  win32::StartedProcess process_;
  HWND window_ = nullptr;
  double secondsToWindow_ = 0;
  std::wstring exe_;
  mutable unsigned unixPid_ = 0;
};

// The first visible top-level window of the process, or null.
HWND VisibleWindowOf(DWORD process);

}  // namespace orlimo::winbench
