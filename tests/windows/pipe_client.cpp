// Clients of the guard's pipe for the tests under Wine.
//   <OrlimoGuard.exe path> server|<request>...  the program's own channel, trusting only the guard
//     at that path: "server" prints what it learns of the pipe's server ("no-pipe": none); the
//     requests status, secrets, parent:<password>, child:<password> (user 0) and remove go on one
//     connection, each answer's result (and wait) printed, joined by ", "; "waited" sleeps out the
//     last wait; "no-answer" and exit code 2 when the guard does not answer
// A hostile program of a child's session, on the pipe without the program's checks:
//   flood <connections> <seconds> <password>  each connection sends user 0's own password as a
//     change of it, connecting again when refused; every second "answered=<requests>
//     refused=<connections ended> held=<connections greeted now>", then "done " and the same
//   squat <seconds>  makes the pipe's first instance ("held", or "taken" and exit code 2), closes
//     it that much later ("freed")
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "guard/guard_client.h"
#include "win32/guard_pipe_channel.h"
#include "win32/guard_pipe_name.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

namespace guard = orlimo::guard;
using orlimo::win32::FromWide;
using orlimo::win32::kGuardPipeName;

constexpr const char* kResultNames[] = {
    "ok",   "malformed",    "version-refused", "hello-first", "not-allowed", "wrong-password",
    "wait", "no-time-left", "no-such-user",    "bad-value",   "no-session",  "failed",
    "busy"};

HANDLE OpenPipe(DWORD flags) {
  return CreateFileW(kGuardPipeName, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, flags,
                     nullptr);
}

// The guard's answer, its result printed; a request it leaves unanswered ends the client.
guard::Answer Printed(const std::optional<guard::Answer>& answer) {
  if (!answer) {
    std::puts("no-answer");
    std::exit(2);
  }
  std::printf("%s", kResultNames[static_cast<int>(answer->result)]);
  if (answer->waitSeconds > 0) std::printf(" wait=%u", unsigned{answer->waitSeconds});
  return *answer;
}

// Under Wine the guard's service runs as the client's own user.
orlimo::win32::ExpectedGuard GuardAt(const std::wstring& path) {
  return {.imagePath = path, .mayShareClientSid = true};
}

int PrintServer(const std::wstring& guardPath) {
  HANDLE pipe = OpenPipe(SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION);
  if (pipe == INVALID_HANDLE_VALUE) {
    std::puts("no-pipe");
    return 2;
  }
  const orlimo::win32::GuardServerFacts facts = orlimo::win32::LearnGuardServer(pipe);
  std::printf("pid=%lu image=%ls owner=%ls user=%ls guard=%s\n", facts.processId,
              facts.imagePath.c_str(), facts.pipeOwner.c_str(), facts.processUser.c_str(),
              orlimo::win32::IsRealGuard(facts, GuardAt(guardPath)) ? "yes" : "no");
  CloseHandle(pipe);
  return 0;
}

int SendRequests(const std::wstring& guardPath, const std::vector<std::wstring>& requests) {
  orlimo::win32::GuardPipeChannel channel(GuardAt(guardPath));
  guard::GuardClient client(channel);
  std::optional<guard::Answer> hello;  // the service may still be starting
  for (int attempt = 0; attempt < 50 && !hello; ++attempt) {
    if (!(hello = client.Send(guard::GetStatus{}))) Sleep(200);
  }
  if (!hello || !hello->session) Printed(std::nullopt);
  std::uint32_t lastWait = 0;
  const char* separator = "";
  for (const std::wstring& word : requests) {
    if (word == L"waited") {
      Sleep(lastWait * 1000);
      continue;
    }
    std::printf("%s", std::exchange(separator, ", "));
    if (word.starts_with(L"parent:")) {
      lastWait = Printed(client.Send(guard::OpenConsole{FromWide(word.c_str() + 7)})).waitSeconds;
    } else if (word.starts_with(L"child:")) {
      lastWait = Printed(client.Send(guard::ChooseUser{0, FromWide(word.c_str() + 6)})).waitSeconds;
    } else if (word == L"remove") {
      Printed(client.Send(guard::Remove{}));
    } else if (word == L"secrets") {
      Printed(client.Send(guard::RevealPasswords{u""}));
    } else if (const auto status = Printed(client.Send(guard::GetStatus{})); status.session) {
      std::printf(" users=%zu", status.session->users.size());
    }
  }
  std::puts("");
  return 0;
}

std::atomic<long> answered{0}, refused{0};
std::atomic<int> held{0};

// One connection of the flood at a time, as any program may open the pipe (no question who serves
// it), until the end: a hello, then the change again and again until it goes unanswered.
void Flood(ULONGLONG endTick, std::string change) {
  std::string hello = guard::EncodeRequest(guard::Hello{});
  std::string answer(guard::kFrameHeaderBytes + guard::kMaxPayloadBytes, '\0');
  const auto transact = [&answer](HANDLE pipe, std::string& frame) {
    DWORD done = 0, mode = PIPE_READMODE_MESSAGE;
    return SetNamedPipeHandleState(pipe, &mode, nullptr, nullptr) &&
           TransactNamedPipe(pipe, frame.data(), static_cast<DWORD>(frame.size()), answer.data(),
                             static_cast<DWORD>(answer.size()), &done, nullptr);
  };
  while (GetTickCount64() < endTick) {
    HANDLE pipe = OpenPipe(0);
    const bool greeted = transact(pipe, hello);
    held += greeted ? 1 : 0;
    while (greeted && GetTickCount64() < endTick && transact(pipe, change)) ++answered;
    held -= greeted ? 1 : 0;
    if (pipe != INVALID_HANDLE_VALUE) CloseHandle(pipe);
    ++refused;
    Sleep(20);
  }
}

int RunFlood(int connections, int seconds, const orlimo::Text& password) {
  const ULONGLONG endTick = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
  std::vector<std::thread> threads;
  const std::string change = guard::EncodeRequest(guard::ChangeOwnPassword{0, password, password});
  for (int i = 0; i < connections; ++i) threads.emplace_back(Flood, endTick, change);
  const auto print = [](const char* what) {
    std::printf("%sanswered=%ld refused=%ld held=%d\n", what, answered.load(), refused.load(),
                held.load());
    std::fflush(stdout);
  };
  while (GetTickCount64() < endTick) {
    Sleep(1000);
    print("");
  }
  for (std::thread& thread : threads) thread.join();
  print("done ");
  return 0;
}

int Squat(int seconds) {
  HANDLE pipe = CreateNamedPipeW(kGuardPipeName, PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
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
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == L"flood") {
    return RunFlood(_wtoi(args[1].c_str()), _wtoi(args[2].c_str()), FromWide(args[3].c_str()));
  }
  if (args.size() == 2 && args[0] == L"squat") return Squat(_wtoi(args[1].c_str()));
  if (args.size() == 2 && args[1] == L"server") return PrintServer(args[0]);
  if (args.size() >= 2) return SendRequests(args[0], {args.begin() + 1, args.end()});
  std::puts("usage: pipe_client <guard path> server|<request>... | flood <n> <s> <pw> | squat <s>");
  return 2;
}
