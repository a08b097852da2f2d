#include "win32/win32_system.h"

#include <string>
#include <vector>

#include "win32/start_process.h"
#include "win32/system_functions.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

#include <tlhelp32.h>

// <windows.h> maps these names to its A/W functions; here they are the platform interface's.
#undef LookupPrivilegeValue
#undef ExitWindows

namespace orlimo::win32 {
namespace {

HANDLE AsHandle(platform::Handle handle) {
  return reinterpret_cast<HANDLE>(handle);
}
platform::Handle FromHandle(HANDLE handle) {
  return reinterpret_cast<platform::Handle>(handle);
}

platform::ProcessEntry EntryOf(const PROCESSENTRY32W& entry) {
  std::size_t length = 0;
  while (length < MAX_PATH && entry.szExeFile[length] != L'\0') ++length;
  return platform::ProcessEntry{entry.th32ProcessID, FromWide(entry.szExeFile, length)};
}

}  // namespace

Win32System::~Win32System() {
  if (runningMutex_ != 0) ::CloseHandle(AsHandle(runningMutex_));
}

std::uint32_t Win32System::GetVersion() {
  return ::GetVersion();
}

platform::Handle Win32System::OpenOwnProcessToken(std::uint32_t desiredAccess) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), desiredAccess, &token)) return 0;
  return FromHandle(token);
}

std::optional<platform::Luid> Win32System::LookupPrivilegeValue(const Text& privilegeName) {
  const std::wstring name = ToWide(privilegeName);
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, name.c_str(), &luid)) return std::nullopt;
  return (static_cast<platform::Luid>(static_cast<std::uint32_t>(luid.HighPart)) << 32) |
         luid.LowPart;
}

bool Win32System::AdjustTokenPrivilege(platform::Handle token, platform::Luid privilege,
                                       std::uint32_t attributes, std::uint32_t bufferLength) {
  TOKEN_PRIVILEGES list{};
  list.PrivilegeCount = 1;
  list.Privileges[0].Luid.LowPart = static_cast<DWORD>(privilege & 0xFFFFFFFFu);
  list.Privileges[0].Luid.HighPart = static_cast<LONG>(privilege >> 32);
  list.Privileges[0].Attributes = attributes;
  if (bufferLength == 0) {
    return AdjustTokenPrivileges(AsHandle(token), FALSE, &list, 0, nullptr, nullptr) != FALSE;
  }
  // The previous state is handed back into a buffer of the length given, aligned for the list.
  std::vector<TOKEN_PRIVILEGES> previous(bufferLength / sizeof(TOKEN_PRIVILEGES) + 1);
  DWORD returnLength = 0;
  return AdjustTokenPrivileges(AsHandle(token), FALSE, &list, bufferLength, previous.data(),
                               &returnLength) != FALSE;
}

platform::Handle Win32System::CreateProcessSnapshot(std::uint32_t flags, std::uint32_t processId) {
  HANDLE snapshot = CreateToolhelp32Snapshot(flags, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  return FromHandle(snapshot);
}

// The wide record of the x86-64 build; its size field must be the size of this very record.
std::optional<platform::ProcessEntry> Win32System::FirstProcess(platform::Handle snapshot) {
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  if (!Process32FirstW(AsHandle(snapshot), &entry)) return std::nullopt;
  return EntryOf(entry);
}

std::optional<platform::ProcessEntry> Win32System::NextProcess(platform::Handle snapshot) {
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  if (!Process32NextW(AsHandle(snapshot), &entry)) return std::nullopt;
  return EntryOf(entry);
}

platform::Handle Win32System::OpenProcess(std::uint32_t desiredAccess, bool inheritHandle,
                                          std::uint32_t processId) {
  return FromHandle(::OpenProcess(desiredAccess, inheritHandle ? TRUE : FALSE, processId));
}

bool Win32System::TerminateProcess(platform::Handle process, std::uint32_t exitCode) {
  return ::TerminateProcess(AsHandle(process), exitCode) != FALSE;
}

void Win32System::CloseHandle(platform::Handle handle) {
  ::CloseHandle(AsHandle(handle));
}

void Win32System::StartProgram(const Text& path, int showCommand) {
  StartAndLetRun(ToWide(path), showCommand);
}

bool Win32System::IsAnotherInstanceRunning() {
  if (!anotherInstance_) {
    const std::wstring name = ToWide(kRunningMutexName);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    // A mutex that exists but may not be opened also belongs to a running copy.
    anotherInstance_ =
        mutex != nullptr ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
    runningMutex_ = FromHandle(mutex);
  }
  return *anotherInstance_;
}

bool Win32System::SessionAway() {
  return orlimo::win32::SessionAway(WTS_CURRENT_SESSION);
}

bool Win32System::ExitWindows(std::uint32_t flags, std::uint32_t reason) {
  return ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace orlimo::win32
