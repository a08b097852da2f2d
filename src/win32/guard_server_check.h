// Whether the other end of the guard's pipe is the real guard: the service OrlimoGuard.exe of the
// program folder, running as LocalSystem. Any program of a child's session could otherwise create
// a pipe of that name first and answer in the guard's place.
#pragma once

#include <string>

namespace orlimo::win32 {

// What the client learns about the pipe's server; empty where it could not learn it.
struct GuardServerFacts {
  unsigned long processId = 0;
  std::wstring imagePath;
  // The owner of the pipe, as a string SID: LocalSystem's when the service created it.
  std::wstring pipeOwner;
  // The server process's user, where the client may read its token (administrators may; a
  // standard account may not read LocalSystem's).
  std::wstring processUser;
};

inline constexpr wchar_t kLocalSystemSid[] = L"S-1-5-18";

GuardServerFacts LearnGuardServer(void* pipe);

// The server is the expected OrlimoGuard.exe (compared by full path, case ignored), the pipe is
// LocalSystem's, and so is the server's process where the client may read its user. Under Wine,
// where every process runs as one user, that user's SID counts as LocalSystem's too: SIDs tell
// nothing apart there.
bool IsRealGuard(const GuardServerFacts& facts, const std::wstring& guardImagePath);

// OrlimoGuard.exe in the folder of the running program.
std::wstring GuardBesideThisProgram();

}  // namespace orlimo::win32
