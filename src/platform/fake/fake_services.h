// Fakes of the sound, registry and system services that tests set up and look into.
#pragma once

#include <map>
#include <set>
#include <vector>

#include "platform/registry.h"
#include "platform/sound.h"
#include "platform/system.h"

namespace orlimo::fake {

// Keeps the cues played. One device: nothing opens while a cue is open, and a file that does
// not exist cannot be opened.
class FakeSound : public platform::Sound {
 public:
  void Close() override;
  bool Open(const Text& path) override;
  void Play() override;
  // The paths whose playback started, in order; whether a cue is open (and so may still play).
  const std::vector<Text>& Played() const { return played_; }
  bool IsOpen() const { return !open_.empty(); }

 private:
  Text open_;
  std::vector<Text> played_;
};

class FakeRegistry : public platform::Registry {
 public:
  platform::RegistryValue ReadValue(const Text& path) override;
  void DeleteValue(const Text& path) override;

  std::map<Text, platform::RegistryValue> values;
  bool deniesDelete = false;

 private:
};

// A process table, privileges and a session that tests can set up and read back.
class FakeSystem : public platform::System {
 public:
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
  bool IsAnotherInstanceRunning() override;
  bool ExitWindows(std::uint32_t flags, std::uint32_t reason) override;
  bool SessionAway() override { return away; }

  static constexpr platform::Luid kShutdownPrivilege = 19;
  static constexpr platform::Luid kDebugPrivilege = 20;  // and every other privilege

  // Set up by tests.
  std::vector<platform::ProcessEntry> processes;
  std::set<std::uint32_t> protectedProcesses;     // cannot be opened
  std::set<std::uint32_t> otherAccountProcesses;  // opened only with the debug privilege on
  std::uint32_t version = 0x0A00;
  bool tokensAvailable = true;
  bool anotherInstance = false;

  // Read back by tests.
  std::vector<Text> started;
  std::vector<std::uint32_t> terminated;
  std::map<std::uint32_t, std::uint32_t> exitCodes;  // of the terminated processes
  std::set<platform::Luid> enabledPrivileges;
  bool exitRequested = false;
  std::uint32_t exitFlags = 0;
  bool away = false;  // the session is locked or switched away from
  bool exitWithShutdownPrivilege = false;
  std::set<platform::Handle> openHandles;

 private:
  platform::Handle NewHandle();
  platform::Handle nextHandle_ = 100;
  std::map<platform::Handle, std::size_t> snapshotPositions_;
  std::map<platform::Handle, std::uint32_t> processHandles_;
  std::uint32_t nextProcessId_ = 5000;
};

}  // namespace orlimo::fake
