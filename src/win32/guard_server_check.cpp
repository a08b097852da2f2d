#include "win32/guard_server_check.h"

#include "win32/own_path.h"
#include "win32/windows_api.h"
// After windows.h:
#include <aclapi.h>
#include <sddl.h>

namespace orlimo::win32 {
namespace {

std::wstring SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (!sid || !ConvertSidToStringSidW(sid, &text)) return {};
  std::wstring result(text);
  LocalFree(text);
  return result;
}

std::wstring TokenUser(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
  alignas(TOKEN_USER) unsigned char buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  std::wstring user;
  if (GetTokenInformation(token, ::TokenUser, buffer, sizeof(buffer), &size)) {
    user = SidText(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid);
  }
  CloseHandle(token);
  return user;
}

std::wstring PipeOwner(HANDLE pipe) {
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(pipe, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr,
                      nullptr, &descriptor) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring text = SidText(owner);
  LocalFree(descriptor);
  return text;
}

bool SameText(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

GuardServerFacts LearnGuardServer(void* pipe) {
  GuardServerFacts facts;
  HANDLE handle = static_cast<HANDLE>(pipe);
  facts.pipeOwner = PipeOwner(handle);
  ULONG processId = 0;
  if (!GetNamedPipeServerProcessId(handle, &processId)) return facts;
  facts.processId = processId;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return facts;
  std::wstring path(32768, L'\0');
  DWORD length = static_cast<DWORD>(path.size());
  if (QueryFullProcessImageNameW(process, 0, path.data(), &length)) {
    path.resize(length);
    facts.imagePath = path;
  }
  facts.processUser = TokenUser(process);
  CloseHandle(process);
  return facts;
}

bool IsRealGuard(const GuardServerFacts& facts, const ExpectedGuard& expected) {
  if (facts.imagePath.empty() || !SameText(facts.imagePath, expected.imagePath)) return false;
  const std::wstring clientUser =
      expected.mayShareClientSid ? TokenUser(GetCurrentProcess()) : std::wstring();
  auto isSystem = [&](const std::wstring& sid) {
    return sid == kLocalSystemSid || (!clientUser.empty() && sid == clientUser);
  };
  if (!isSystem(facts.pipeOwner)) return false;
  return facts.processUser.empty() || isSystem(facts.processUser);
}

std::wstring GuardBesideThisProgram() {
  return OwnFolderPath() + L"\\OrlimoGuard.exe";
}

}  // namespace orlimo::win32
