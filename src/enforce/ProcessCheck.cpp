#include "enforce/ProcessCheck.h"

#include <exception>
#include <functional>

#include "base/path.h"

namespace orlimo::ProcessCheck {
namespace {

constexpr std::uint32_t kNoTokensBit = 0x80000000u;
constexpr std::uint32_t kPrivilegeDisabled = 0;

// The executable name up to its first NUL, lower-cased.
Text NormalisedName(const Text& exeFile) {
  return ToLower(TextView(exeFile).substr(0, exeFile.find(u'\0')));
}

// Walks the whole snapshot, handing each entry's id and normalised name to the visitor.
void WalkProcesses(platform::System& system,
                   const std::function<void(std::uint32_t, const Text&)>& visit) {
  platform::Handle snapshot = system.CreateProcessSnapshot(platform::kSnapshotProcesses, 0);
  struct Closer {
    platform::System& system;
    platform::Handle snapshot;
    ~Closer() { system.CloseHandle(snapshot); }
  } closer{system, snapshot};
  for (auto entry = system.FirstProcess(snapshot); entry; entry = system.NextProcess(snapshot)) {
    visit(entry->processId, NormalisedName(entry->exeFile));
  }
}

}  // namespace

void KillProcessByName(platform::System& system, TextView name) {
  try {
    Text wanted = ToLower(name);
    WalkProcesses(system, [&](std::uint32_t processId, const Text& exeName) {
      if (exeName.size() >= wanted.size() &&
          TextView(exeName).substr(exeName.size() - wanted.size()) == wanted) {
        TerminateProcessById(system, processId, 0);
      }
    });
  } catch (const std::exception&) {
  }
}

bool IsProcessRunning(platform::System& system, TextView name) {
  bool found = false;
  try {
    Text wanted = ToLower(name);
    WalkProcesses(system, [&](std::uint32_t, const Text& exeName) {
      if (TextView(exeName).substr(0, wanted.size()) == wanted) found = true;
    });
  } catch (const std::exception&) {
  }
  return found;
}

bool TerminateProcessById(platform::System& system, std::uint32_t processId,
                          std::uint32_t exitCode) {
  bool hasTokens = (system.GetVersion() & kNoTokensBit) == 0;
  platform::Handle token = 0;
  platform::Luid privilege = 0;
  bool terminated = false;
  if (hasTokens) {
    token = system.OpenOwnProcessToken(platform::kTokenAdjustAndQuery);
    if (token == 0) return false;
    auto found = system.LookupPrivilegeValue(u"SeDebugPrivilege");
    if (!found) {
      system.CloseHandle(token);
      return false;
    }
    privilege = *found;
    if (!system.AdjustTokenPrivilege(token, privilege, platform::kPrivilegeEnabled, 0)) {
      system.CloseHandle(token);
      return false;
    }
  }
  platform::Handle process = system.OpenProcess(platform::kProcessAllAccess, false, processId);
  if (process != 0) {
    terminated = system.TerminateProcess(process, exitCode);
    system.CloseHandle(process);
  }
  if (!hasTokens) return terminated;
  system.AdjustTokenPrivilege(token, privilege, kPrivilegeDisabled, 0);
  system.CloseHandle(token);
  return terminated;
}

void EnsureCompanionRunning(platform::System& system, const Text& programFolder) {
  try {
    if (!IsProcessRunning(system, kCompanionName)) {
      system.StartProgram(InFolder(programFolder, kCompanionName), platform::kShowNormal);
    }
  } catch (const std::exception&) {
  }
}

}  // namespace orlimo::ProcessCheck
