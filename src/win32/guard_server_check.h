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

// Who the client takes for the guard.
struct ExpectedGuard {
  std::wstring imagePath;
  // The client's own SID counts as LocalSystem's too: for a system whose processes all run as
  // one user, where SIDs tell nothing apart.
  bool mayShareClientSid = false;
};

// The server is the expected OrlimoGuard.exe (compared by full path, case ignored), the pipe is
// LocalSystem's, and so is the server's process where the client may read its user.
bool IsRealGuard(const GuardServerFacts& facts, const ExpectedGuard& expected);

// OrlimoGuard.exe in the folder of the running program.
std::wstring GuardBesideThisProgram();

}  // namespace orlimo::win32
