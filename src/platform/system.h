// The operating system's process, privilege and session calls, kept as thin as the calls
// themselves so that the order and arguments of every call are decided above this layer.
#pragma once

#include <cstdint>
#include <optional>

#include "base/text.h"

namespace orlimo::platform {

using Handle = std::uintptr_t;  // 0 means no handle
using Luid = std::uint64_t;

struct ProcessEntry {
  std::uint32_t processId = 0;
  Text exeFile;  // the executable file name as the snapshot gives it
};

inline constexpr std::uint32_t kTokenAdjustAndQuery = 0x28;
inline constexpr std::uint32_t kPrivilegeEnabled = 2;
inline constexpr std::uint32_t kProcessAllAccess = 0x1F0FFF;
inline constexpr std::uint32_t kSnapshotProcesses = 2;
inline constexpr int kShowNormal = 5;
inline constexpr std::uint32_t kExitPowerOff = 8;
inline constexpr std::uint32_t kExitLogOff = 0;
inline constexpr std::uint32_t kExitForce = 4;           // programs are ended without being asked
inline constexpr std::uint32_t kExitForceIfHung = 0x10;  // programs that do not answer are ended
inline constexpr std::uint32_t kExitReasonAll = 0xFFFFFFFF;

class System {
 public:
  virtual ~System() = default;

  // Version word; its top bit is set on systems without access tokens.
  virtual std::uint32_t GetVersion() = 0;

  // Access tokens and privileges of the program's own process.
  virtual Handle OpenOwnProcessToken(std::uint32_t desiredAccess) = 0;
  virtual std::optional<Luid> LookupPrivilegeValue(const Text& privilegeName) = 0;
  // One-entry privilege list; bufferLength is what the caller passes for the previous state.
  virtual bool AdjustTokenPrivilege(Handle token, Luid privilege, std::uint32_t attributes,
                                    std::uint32_t bufferLength) = 0;

  // Process snapshot walk: the first call after opening gives the first entry.
  virtual Handle CreateProcessSnapshot(std::uint32_t flags, std::uint32_t processId) = 0;
  virtual std::optional<ProcessEntry> FirstProcess(Handle snapshot) = 0;
  virtual std::optional<ProcessEntry> NextProcess(Handle snapshot) = 0;

  virtual Handle OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                             std::uint32_t processId) = 0;
  virtual bool TerminateProcess(Handle process, std::uint32_t exitCode) = 0;
  virtual void CloseHandle(Handle handle) = 0;

  // Starts an executable with a show command; the outcome is not reported.
  virtual void StartProgram(const Text& path, int showCommand) = 0;

  // Session: another copy of this program already running; ask Windows to end the session.
  virtual bool IsAnotherInstanceRunning() = 0;
  virtual bool ExitWindows(std::uint32_t flags, std::uint32_t reason) = 0;
  // Whether this program's session is locked, disconnected or switched away from.
  virtual bool SessionAway() = 0;
};

}  // namespace orlimo::platform
