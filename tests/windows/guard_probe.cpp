// A client of the guard's pipe for the tests under Wine, through the program's own channel and
// client, trusting only the OrlimoGuard.exe at the path given first: sends the requests named
// after it on one connection and prints each answer's result (and wait) joined by ", ":
//   status            the result, "users=<n> current=<n>"
//   secrets           asks for the children's passwords
//   store             stores the table with every allowance a day long and no usage, then
//                     "used=<minutes> limit=<minutes>" of the first user as the guard keeps it
//   parent:<password> opens the console with that parent password
//   remove            removes Orlimo for good
// Or, alone, "server": what the channel learns of the pipe's server, and whether it is the guard.
// Prints "no-answer" and exits with 2 when the guard does not answer.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "guard/guard_client.h"
#include "guard/protocol.h"
#include "win32/guard_pipe_channel.h"
#include "win32/guard_server_check.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace {

namespace guard = orlimo::guard;

constexpr const char* kResultNames[] = {
    "ok",   "malformed",    "version-refused", "hello-first", "not-allowed", "wrong-password",
    "wait", "no-time-left", "no-such-user",    "bad-value",   "no-session",  "failed",
    "busy"};

// The probe runs under Wine, where the guard's service runs as the probe's own user.
orlimo::win32::ExpectedGuard ExpectedGuardAt(const std::wstring& guardPath) {
  return {guardPath, true};
}

// The guard's answer, its result printed; a request it leaves unanswered ends the probe.
guard::Answer Printed(const std::optional<guard::Answer>& answer) {
  if (!answer) {
    std::puts("no-answer");
    std::exit(2);
  }
  std::printf("%s", kResultNames[static_cast<int>(answer->result)]);
  if (answer->waitSeconds > 0) std::printf(" wait=%u", unsigned{answer->waitSeconds});
  return *answer;
}

// What the channel's check sees, on a connection of the probe's own.
int PrintServer(const std::wstring& guardPath) {
  HANDLE pipe =
      CreateFileW(L"\\\\.\\pipe\\Orlimo.Guard", GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                  OPEN_EXISTING, SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) {
    std::puts("no-pipe");
    return 2;
  }
  orlimo::win32::GuardServerFacts facts = orlimo::win32::LearnGuardServer(pipe);
  std::printf("pid=%lu image=%ls owner=%ls user=%ls guard=%s\n", facts.processId,
              facts.imagePath.c_str(), facts.pipeOwner.c_str(), facts.processUser.c_str(),
              orlimo::win32::IsRealGuard(facts, ExpectedGuardAt(guardPath)) ? "yes" : "no");
  CloseHandle(pipe);
  return 0;
}

// Every user of the table as a new one, which holds no usage, allowed a whole day.
guard::StoreTable TableWithoutUsage(const orlimo::SessionSnapshot& shown) {
  guard::StoreTable table;
  table.change.passwordsInUse = shown.passwordsInUse;
  for (const orlimo::RowView& user : shown.users) {
    table.change.users.push_back({-1, user.name, 24 * 60, u""});
  }
  return table;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::puts("usage: guard_probe <OrlimoGuard.exe path> <request>...");
    return 2;
  }
  const std::wstring guardPath = argv[1];
  if (std::wstring(argv[2]) == L"server") return PrintServer(guardPath);
  orlimo::win32::GuardPipeChannel channel(ExpectedGuardAt(guardPath));
  guard::GuardClient client(channel);
  // The service may still be starting.
  std::optional<guard::Answer> hello;
  for (int attempt = 0; attempt < 50 && !hello; ++attempt) {
    hello = client.Send(guard::GetStatus{});
    if (!hello) Sleep(200);
  }
  if (!hello || !hello->session) Printed(std::nullopt);
  for (int i = 2; i < argc; ++i) {
    const std::wstring word = argv[i];
    if (i > 2) std::printf(", ");
    if (word.starts_with(L"parent:")) {
      Printed(client.Send(guard::OpenConsole{orlimo::win32::FromWide(word.c_str() + 7)}));
    } else if (word == L"remove") {
      Printed(client.Send(guard::Remove{}));
    } else if (word == L"secrets") {
      Printed(client.Send(guard::RevealPasswords{u""}));
    } else if (word == L"store") {
      Printed(client.Send(TableWithoutUsage(*hello->session)));
      const std::optional<guard::Answer> after = client.Send(guard::GetStatus{});
      if (!after || !after->session || after->session->users.empty()) Printed(std::nullopt);
      const orlimo::RowView& first = after->session->users.front();
      std::printf(" used=%d limit=%d", first.usedMinutes, first.limitMinutes);
    } else {
      const guard::Answer status = Printed(client.Send(guard::GetStatus{}));
      if (status.session) {
        std::printf(" users=%zu current=%d", status.session->users.size(),
                    status.session->currentUser);
      }
    }
  }
  std::puts("");
  return 0;
}
