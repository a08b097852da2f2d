#include "win32/guard/pipe_server.h"

#include <string>
#include <thread>

#include "guard/protocol.h"
#include "win32/windows_api.h"
// After windows.h:
#include <sddl.h>

namespace orlimo::win32 {
namespace {

// Owned by LocalSystem, which only a service can give a pipe: the program checks the owner
// before it trusts the pipe. SYSTEM and Administrators: everything. Interactive users: read and
// write data and attributes, which does not include creating an instance of the pipe.
constexpr wchar_t kPipeAccess[] = L"O:SYD:P(A;;GA;;;SY)(A;;GA;;;BA)(A;;0x12019b;;;IU)";
constexpr DWORD kBufferBytes = guard::kFrameHeaderBytes + guard::kMaxPayloadBytes;
constexpr DWORD kTryNameAgainMs = 3000;
constexpr DWORD kTryInstanceAgainMs = 1000;

HANDLE NewInstance(bool first) {
  SECURITY_ATTRIBUTES attributes{};
  attributes.nLength = sizeof(attributes);
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(
          kPipeAccess, SDDL_REVISION_1, &attributes.lpSecurityDescriptor, nullptr)) {
    return INVALID_HANDLE_VALUE;
  }
  DWORD open = PIPE_ACCESS_DUPLEX | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
  DWORD mode = PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS;
  HANDLE pipe = CreateNamedPipeW(kGuardPipeName, open, mode, PIPE_UNLIMITED_INSTANCES, kBufferBytes,
                                 kBufferBytes, 0, &attributes);
  LocalFree(attributes.lpSecurityDescriptor);
  return pipe;
}

// An instance beside those the guard holds; tried again until made.
HANDLE NextInstance() {
  for (;;) {
    HANDLE pipe = NewInstance(false);
    if (pipe != INVALID_HANDLE_VALUE) return pipe;
    Sleep(kTryInstanceAgainMs);
  }
}

// The full path of the client's image, empty when it cannot be read.
std::wstring ImagePathOf(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  wchar_t path[MAX_PATH * 4];
  DWORD length = static_cast<DWORD>(std::size(path));
  const bool read = QueryFullProcessImageNameW(process, 0, path, &length);
  CloseHandle(process);
  return read ? std::wstring(path, length) : std::wstring();
}

bool SamePath(const std::wstring& one, const std::wstring& other) {
  return CompareStringOrdinal(one.c_str(), static_cast<int>(one.size()), other.c_str(),
                              static_cast<int>(other.size()), TRUE) == CSTR_EQUAL;
}

// One whole message; a message over the limit comes back cut, which the guard refuses.
bool ReadMessage(HANDLE pipe, std::string& frame) {
  frame.assign(kBufferBytes + 1, '\0');
  DWORD read = 0;
  if (ReadFile(pipe, frame.data(), static_cast<DWORD>(frame.size()), &read, nullptr)) {
    frame.resize(read);
    return true;
  }
  if (GetLastError() != ERROR_MORE_DATA) return false;
  frame.resize(read);
  char rest[4096];
  while (!ReadFile(pipe, rest, sizeof(rest), &read, nullptr)) {
    if (GetLastError() != ERROR_MORE_DATA) return false;
  }
  return true;
}

void LetGo(HANDLE pipe) {
  DisconnectNamedPipe(pipe);
  CloseHandle(pipe);
}

}  // namespace

void PipeServer::Start() {
  std::thread([this] { Listen(); }).detach();
}

// The first instance, made as soon as no other process holds the name.
void* PipeServer::FirstInstance() {
  HANDLE pipe = NewInstance(true);
  if (pipe == INVALID_HANDLE_VALUE) outageBegan_ = true;
  while (pipe == INVALID_HANDLE_VALUE) {
    Sleep(kTryNameAgainMs);
    pipe = NewInstance(true);
  }
  return pipe;
}

void PipeServer::Listen() {
  HANDLE pipe = FirstInstance();
  guard::ConnectionId next = 1;
  for (;;) {
    const bool connected =
        ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    // Made before this one is handed on or let go: the name is never free for a moment.
    HANDLE following = NextInstance();
    Caller caller;
    if (connected && Admit(pipe, caller)) {
      const guard::ConnectionId connection = next++;
      std::thread([this, pipe, connection, caller] { Serve(pipe, connection, caller); }).detach();
    } else {
      LetGo(pipe);
    }
    pipe = following;
  }
}

// The caller's session comes from the pipe, never from what the caller says; Orlimo.exe is
// known by its full path.
bool PipeServer::Admit(void* pipe, Caller& caller) {
  ULONG clientProcess = 0;
  DWORD session = 0;
  if (!GetNamedPipeClientProcessId(pipe, &clientProcess) ||
      !ProcessIdToSessionId(clientProcess, &session)) {
    return false;
  }
  caller.session = session;
  caller.kind = SamePath(ImagePathOf(clientProcess), programPath_) ? guard::Caller::Program
                                                                   : guard::Caller::Other;
  std::lock_guard lock(limitsMutex_);
  return limits_.Admit(caller.session, caller.kind);
}

void PipeServer::Serve(void* pipe, guard::ConnectionId connection, Caller caller) {
  std::string frame;
  while (ReadMessage(pipe, frame)) {
    std::string answer = queue_.Ask(connection, caller.session, std::move(frame));
    DWORD written = 0;
    if (!WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr)) {
      break;
    }
  }
  queue_.Disconnected(connection);
  FlushFileBuffers(pipe);
  LetGo(pipe);
  std::lock_guard lock(limitsMutex_);
  limits_.Release(caller.session, caller.kind);
}

}  // namespace orlimo::win32
