// A hostile program of a child's session for the tests under Wine, on the guard's pipe without the
// program's checks:
//   flood <connections> <seconds> <password>: that many connections sending user 0's own password
//     as a change of it, connecting again when refused; prints every second "answered=<requests>
//     refused=<connections> held=<connections answered now>", then "done ..." the same way
//   squat <seconds>: makes the pipe's first instance ("held", or "taken" and exit code 2), closes
//     it that much later ("freed")
#include <atomic>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "guard/guard_client.h"
#include "guard/protocol.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

namespace guard = orlimo::guard;

constexpr wchar_t kPipeName[] = L"\\\\.\\pipe\\Orlimo.Guard";

// The pipe as any program may open it: no question who serves it.
class RawPipe : public guard::GuardChannel {
 public:
  ~RawPipe() override { Close(); }
  std::optional<std::string> Exchange(std::string_view frame) override {
    DWORD mode = PIPE_READMODE_MESSAGE, done = 0;
    if (pipe_ == INVALID_HANDLE_VALUE) {
      pipe_ = CreateFileW(kPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0,
                          nullptr);
      if (!SetNamedPipeHandleState(pipe_, &mode, nullptr, nullptr)) return Close();
    }
    std::string answer(guard::kFrameHeaderBytes + guard::kMaxPayloadBytes, '\0');
    if (!WriteFile(pipe_, frame.data(), static_cast<DWORD>(frame.size()), &done, nullptr) ||
        !ReadFile(pipe_, answer.data(), static_cast<DWORD>(answer.size()), &done, nullptr)) {
      return Close();
    }
    answer.resize(done);
    return answer;
  }

 private:
  std::nullopt_t Close() {
    if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
    pipe_ = INVALID_HANDLE_VALUE;
    return std::nullopt;
  }
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
};

struct FloodCounts {
  std::atomic<long> answered{0};
  std::atomic<long> refused{0};
  std::atomic<int> held{0};

  void Print(const char* what) const {
    std::printf("%sanswered=%ld refused=%ld held=%d\n", what, answered.load(), refused.load(),
                held.load());
    std::fflush(stdout);
  }
};

// One connection of the flood, until the end.
void Flood(FloodCounts& counts, ULONGLONG endTick, const orlimo::Text& password) {
  RawPipe pipe;
  guard::GuardClient client(pipe);
  bool holding = false;
  while (GetTickCount64() < endTick) {
    const bool answered = client.Send(guard::ChangeOwnPassword{0, password, password}).has_value();
    if (answered != holding) counts.held += answered ? 1 : -1;
    holding = answered;
    ++(answered ? counts.answered : counts.refused);
    if (!answered) Sleep(20);
  }
  if (holding) --counts.held;
}

int RunFlood(int connections, int seconds, const orlimo::Text& password) {
  FloodCounts counts;
  const ULONGLONG endTick = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  std::vector<std::thread> threads;
  for (int i = 0; i < connections; ++i) {
    threads.emplace_back([&counts, endTick, &password] { Flood(counts, endTick, password); });
  }
  while (GetTickCount64() < endTick) {
    Sleep(1000);
    counts.Print("");
  }
  for (std::thread& thread : threads) thread.join();
  counts.Print("done ");
  return 0;
}

int Squat(int seconds) {
  HANDLE pipe = CreateNamedPipeW(kPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                 PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1, 4096,
                                 4096, 0, nullptr);
  std::puts(pipe == INVALID_HANDLE_VALUE ? "taken" : "held");
  if (pipe == INVALID_HANDLE_VALUE) return 2;
  std::fflush(stdout);
  Sleep(static_cast<DWORD>(seconds) * 1000);
  CloseHandle(pipe);
  std::puts("freed");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"flood" && argc > 4) {
    return RunFlood(_wtoi(argv[2]), _wtoi(argv[3]), orlimo::win32::FromWide(argv[4]));
  }
  if (command == L"squat" && argc > 2) return Squat(_wtoi(argv[2]));
  std::puts("usage: hostile_client flood <connections> <seconds> <password> | squat <seconds>");
  return 2;
}
