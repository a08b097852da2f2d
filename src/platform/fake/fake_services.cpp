#include "platform/fake/fake_services.h"

#include <algorithm>
#include <filesystem>

namespace orlimo::fake {
void FakeSound::Close() {
  open_.clear();
}

bool FakeSound::Open(const Text& path) {
  if (!open_.empty()) return false;
  std::error_code error;
  if (!std::filesystem::is_regular_file(std::filesystem::path(path), error)) return false;
  open_ = path;
  return true;
}

void FakeSound::Play() {
  if (!open_.empty()) played_.push_back(open_);
}

platform::RegistryValue FakeRegistry::ReadValue(const Text& path) {
  auto found = values.find(path);
  if (found == values.end()) throw platform::RegistryError("no such value");
  return found->second;
}

void FakeRegistry::DeleteValue(const Text& path) {
  if (deniesDelete) throw platform::RegistryError("access denied");
  if (values.erase(path) == 0) throw platform::RegistryError("no such value");
}

platform::Handle FakeSystem::NewHandle() {
  platform::Handle handle = nextHandle_++;
  openHandles.insert(handle);
  return handle;
}

std::uint32_t FakeSystem::GetVersion() {
  return version;
}

platform::Handle FakeSystem::OpenOwnProcessToken(std::uint32_t /*desiredAccess*/) {
  return tokensAvailable ? NewHandle() : 0;
}

std::optional<platform::Luid> FakeSystem::LookupPrivilegeValue(const Text& privilegeName) {
  if (!tokensAvailable) return std::nullopt;
  return privilegeName == u"SeShutdownPrivilege" ? kShutdownPrivilege : kDebugPrivilege;
}

bool FakeSystem::AdjustTokenPrivilege(platform::Handle token, platform::Luid privilege,
                                      std::uint32_t attributes, std::uint32_t /*bufferLength*/) {
  if (!tokensAvailable || openHandles.count(token) == 0) return false;
  if ((attributes & platform::kPrivilegeEnabled) != 0) {
    enabledPrivileges.insert(privilege);
  } else {
    enabledPrivileges.erase(privilege);
  }
  return true;
}

platform::Handle FakeSystem::CreateProcessSnapshot(std::uint32_t /*flags*/,
                                                   std::uint32_t /*processId*/) {
  platform::Handle handle = NewHandle();
  snapshotPositions_[handle] = 0;
  return handle;
}

std::optional<platform::ProcessEntry> FakeSystem::FirstProcess(platform::Handle snapshot) {
  snapshotPositions_[snapshot] = 0;
  return NextProcess(snapshot);
}

std::optional<platform::ProcessEntry> FakeSystem::NextProcess(platform::Handle snapshot) {
  std::size_t& position = snapshotPositions_[snapshot];
  if (position >= processes.size()) return std::nullopt;
  return processes[position++];
}

platform::Handle FakeSystem::OpenProcess(std::uint32_t /*desiredAccess*/, bool /*inheritHandle*/,
                                         std::uint32_t processId) {
  bool exists = std::any_of(processes.begin(), processes.end(),
                            [&](const auto& entry) { return entry.processId == processId; });
  if (!exists || protectedProcesses.count(processId) > 0) return 0;
  if (otherAccountProcesses.count(processId) > 0 && enabledPrivileges.count(kDebugPrivilege) == 0) {
    return 0;
  }
  platform::Handle handle = NewHandle();
  processHandles_[handle] = processId;
  return handle;
}

bool FakeSystem::TerminateProcess(platform::Handle process, std::uint32_t exitCode) {
  auto found = processHandles_.find(process);
  if (found == processHandles_.end()) return false;
  std::uint32_t id = found->second;
  terminated.push_back(id);
  exitCodes[id] = exitCode;
  std::erase_if(processes, [&](const auto& entry) { return entry.processId == id; });
  return true;
}

void FakeSystem::CloseHandle(platform::Handle handle) {
  openHandles.erase(handle);
  processHandles_.erase(handle);
  snapshotPositions_.erase(handle);
}

void FakeSystem::StartProgram(const Text& path, int /*showCommand*/) {
  started.push_back(path);
  Text name = path.substr(path.find_last_of(u"/\\") + 1);
  processes.push_back({nextProcessId_++, name});
}

bool FakeSystem::IsAnotherInstanceRunning() {
  return anotherInstance;
}

bool FakeSystem::ExitWindows(std::uint32_t flags, std::uint32_t /*reason*/) {
  exitRequested = true;
  exitFlags = flags;
  exitWithShutdownPrivilege = enabledPrivileges.count(kShutdownPrivilege) > 0;
  return true;
}

}  // namespace orlimo::fake
