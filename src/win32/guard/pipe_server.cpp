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
constexpr int kMostClients = 64;
constexpr DWORD kBufferBytes = guard::kFrameHeaderBytes + guard::kMaxPayloadBytes;

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

}  // namespace

bool PipeServer::Start() {
  HANDLE first = NewInstance(true);
  if (first == INVALID_HANDLE_VALUE) return false;
  std::thread([this, first] { Listen(first); }).detach();
  return true;
}

void PipeServer::Listen(void* firstInstance) {
  HANDLE pipe = firstInstance;
  guard::ConnectionId next = 1;
  for (;;) {
    bool connected = ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED;
    if (connected && clients_ < kMostClients) {
      ++clients_;
      guard::ConnectionId connection = next++;
      std::thread([this, pipe, connection] { Serve(pipe, connection); }).detach();
    } else {
      DisconnectNamedPipe(pipe);
      CloseHandle(pipe);
    }
    do {
      pipe = NewInstance(false);
      if (pipe == INVALID_HANDLE_VALUE) Sleep(1000);
    } while (pipe == INVALID_HANDLE_VALUE);
  }
}

void PipeServer::Serve(void* pipe, guard::ConnectionId connection) {
  // The caller's session comes from the pipe, never from what the caller says.
  ULONG clientProcess = 0;
  DWORD session = 0;
  if (GetNamedPipeClientProcessId(pipe, &clientProcess) &&
      ProcessIdToSessionId(clientProcess, &session)) {
    std::string frame;
    while (ReadMessage(pipe, frame)) {
      std::string answer = queue_.Ask(connection, session, std::move(frame));
      DWORD written = 0;
      if (!WriteFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &written, nullptr)) {
        break;
      }
    }
    queue_.Disconnected(connection);
  }
  FlushFileBuffers(pipe);
  DisconnectNamedPipe(pipe);
  CloseHandle(pipe);
  --clients_;
}

}  // namespace orlimo::win32
