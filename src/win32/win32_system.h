// Process, privilege and session calls of Windows, one call each, nothing decided here.
#pragma once

#include "platform/system.h"

namespace orlimo::win32 {

// The named mutex that marks a running copy of the program in this logon session.
inline constexpr char16_t kRunningMutexName[] = u"Local\\Orlimo.Running";

class Win32System : public platform::System {
 public:
  Win32System() = default;
  ~Win32System() override;
  Win32System(const Win32System&) = delete;
  Win32System& operator=(const Win32System&) = delete;

  std::uint32_t GetVersion() override;
  platform::Handle OpenOwnProcessToken(std::uint32_t desiredAccess) override;
  std::optional<platform::Luid> LookupPrivilegeValue(const Text& privilegeName) override;
  bool AdjustTokenPrivilege(platform::Handle token, platform::Luid privilege,
                            std::uint32_t attributes, std::uint32_t bufferLength) override;
  platform::Handle CreateProcessSnapshot(std::uint32_t flags, std::uint32_t processId) override;
  std::optional<platform::ProcessEntry> FirstProcess(platform::Handle snapshot) override;
  std::optional<platform::ProcessEntry> NextProcess(platform::Handle snapshot) override;
  platform::Handle OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                               std::uint32_t processId) override;
  bool TerminateProcess(platform::Handle process, std::uint32_t exitCode) override;
  void CloseHandle(platform::Handle handle) override;
  void StartProgram(const Text& path, int showCommand) override;
  // The first call creates the mutex, which this object holds from then on; later calls give
  // the first call's answer.
  bool IsAnotherInstanceRunning() override;
  bool ExitWindows(std::uint32_t flags, std::uint32_t reason) override;
  bool SessionAway() override;

 private:
  platform::Handle runningMutex_ = 0;
  std::optional<bool> anotherInstance_;
};

}  // namespace orlimo::win32
