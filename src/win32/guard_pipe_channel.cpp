#include "win32/guard_pipe_channel.h"

#include <utility>

#include "guard/protocol.h"
#include "win32/guard_pipe_name.h"
#include "win32/windows_api.h"

namespace orlimo::win32 {
namespace {

constexpr DWORD kWaitForInstanceMs = 2000;

}  // namespace

GuardPipeChannel::GuardPipeChannel(bool mayShareClientSid)
    : GuardPipeChannel(ExpectedGuard{GuardBesideThisProgram(), mayShareClientSid}) {}

GuardPipeChannel::GuardPipeChannel(ExpectedGuard guard) : guard_(std::move(guard)) {}

GuardPipeChannel::~GuardPipeChannel() {
  Close();
}

bool GuardPipeChannel::Connect() {
  for (int attempt = 0; attempt < 2; ++attempt) {
    HANDLE pipe =
        CreateFileW(kGuardPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                    SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
    if (pipe != INVALID_HANDLE_VALUE) {
      // Nothing is sent to a server that is not the guard: a request may carry a password.
      DWORD mode = PIPE_READMODE_MESSAGE;
      if (!IsRealGuard(LearnGuardServer(pipe), guard_) ||
          !SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr)) {
        CloseHandle(pipe);
        return false;
      }
      pipe_ = pipe;
      return true;
    }
    if (GetLastError() != ERROR_PIPE_BUSY || !WaitNamedPipeW(kGuardPipeName, kWaitForInstanceMs)) {
      return false;
    }
  }
  return false;
}

void GuardPipeChannel::Close() {
  if (!pipe_) return;
  CloseHandle(static_cast<HANDLE>(pipe_));
  pipe_ = nullptr;
}

std::optional<std::string> GuardPipeChannel::Exchange(std::string_view requestFrame) {
  if (!pipe_ && !Connect()) return std::nullopt;
  HANDLE pipe = static_cast<HANDLE>(pipe_);
  DWORD done = 0;
  if (!WriteFile(pipe, requestFrame.data(), static_cast<DWORD>(requestFrame.size()), &done,
                 nullptr) ||
      done != requestFrame.size()) {
    Close();
    return std::nullopt;
  }
  std::string answer(guard::kFrameHeaderBytes + guard::kMaxPayloadBytes, '\0');
  if (!ReadFile(pipe, answer.data(), static_cast<DWORD>(answer.size()), &done, nullptr)) {
    // No answer, or one over the limit: this connection is done with.
    Close();
    return std::nullopt;
  }
  answer.resize(done);
  return answer;
}

}  // namespace orlimo::win32
