// A client of the guard's pipe for the tests under Wine: connects through the program's own
// channel and client, as any program of the session would, sends the request named on the
// command line and prints the answer's result.
//   guard_probe status            -> "ok users=<n> current=<n>"
//   guard_probe secrets           -> the result name only
//   guard_probe parent <password> -> the result name, and the wait in seconds when there is one
//   guard_probe roundtrip <count> -> "roundtrip <microseconds per status request and answer>"
#include <cstdio>
#include <cwchar>
#include <string>

#include "guard/guard_client.h"
#include "guard/protocol.h"
#include "win32/guard_pipe_channel.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

namespace guard = orlimo::guard;

constexpr const char* kResultNames[] = {
    "ok",   "malformed",    "version-refused", "hello-first", "not-allowed", "wrong-password",
    "wait", "no-time-left", "no-such-user",    "bad-value",   "no-session",  "failed"};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  orlimo::win32::GuardPipeChannel channel;
  guard::GuardClient client(channel);
  // The service may still be starting.
  std::optional<guard::Answer> hello;
  for (int attempt = 0; attempt < 50 && !hello; ++attempt) {
    hello = client.Send(guard::GetStatus{});
    if (!hello) Sleep(200);
  }
  if (!hello) {
    std::puts("no-answer");
    return 2;
  }
  std::wstring command = argc > 1 ? argv[1] : L"status";
  if (command == L"roundtrip") {
    long count = argc > 2 ? std::wcstol(argv[2], nullptr, 10) : 1000;
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (long i = 0; i < count; ++i) {
      if (!client.Send(guard::GetStatus{})) {
        std::puts("no-answer");
        return 2;
      }
    }
    QueryPerformanceCounter(&end);
    double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    std::printf("roundtrip %.1f\n", seconds * 1e6 / static_cast<double>(count > 0 ? count : 1));
    return 0;
  }
  guard::Request request = guard::GetStatus{};
  if (command == L"secrets") request = guard::ReadSecrets{};
  if (command == L"parent") {
    std::wstring password = argc > 2 ? argv[2] : L"";
    request = guard::OpenConsole{orlimo::win32::FromWide(password.c_str())};
  }
  std::optional<guard::Answer> answer = client.Send(request);
  if (!answer) {
    std::puts("no-answer");
    return 2;
  }
  std::printf("%s", kResultNames[static_cast<int>(answer->result)]);
  if (answer->table && answer->session) {
    std::printf(" users=%zu current=%d", answer->table->users.size(), answer->session->currentUser);
  }
  if (answer->waitSeconds > 0) std::printf(" wait=%u", static_cast<unsigned>(answer->waitSeconds));
  std::puts("");
  return 0;
}
