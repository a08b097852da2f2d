// A client of the guard's pipe for the tests under Wine: connects through the program's own
// channel and client, as any program of the session would, trusting only the OrlimoGuard.exe
// at the path given first, sends the request named on the command line and prints the answer's
// result.
//   guard_probe <guard> status            -> "ok users=<n> current=<n>"
//   guard_probe <guard> secrets           -> the result of asking for the children's passwords
//   guard_probe <guard> parent <password>... -> for each password in turn, on one connection,
//                                            the result name and the wait in seconds if any
//   guard_probe <guard> store             -> the result of storing the table with every
//                                            allowance a day long and no usage, then
//                                            "used=<minutes> limit=<minutes>" of the first user
//   guard_probe <guard> remove <password> -> the results of opening the console with the parent
//                                            password and of removing Orlimo for good
//   guard_probe <guard> server            -> what the channel learns of the pipe's server, and
//                                            whether it takes it for the guard at <guard>
//   guard_probe <guard> started           -> "started=<ms>": when the process running <guard>
//                                            started, in milliseconds since 1970 (none: "none")
//   guard_probe <guard> guess-alternating <own password> <parent guess> <times>
//                                         -> on one connection, that many times a wrong parent
//                                            password and then user 0 chosen with its own one,
//                                            each sent once the last answer's wait is over: the
//                                            result names, each with its wait if any
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
// After windows.h:
#include <tlhelp32.h>

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

void PrintResult(const guard::Answer& answer) {
  std::printf("%s", kResultNames[static_cast<int>(answer.result)]);
}

// The guard's answer; a request it leaves unanswered ends the probe.
guard::Answer Answered(const std::optional<guard::Answer>& answer) {
  if (!answer) {
    std::puts("no-answer");
    std::exit(2);
  }
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

// When the guard's process started, by its full image path.
int PrintStarted(const std::wstring& guardPath) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot, &entry); more;
       more = Process32NextW(snapshot, &entry)) {
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
    if (!process) continue;
    wchar_t path[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(std::size(path));
    FILETIME created, exited, kernel, user;
    const bool isGuard = QueryFullProcessImageNameW(process, 0, path, &length) &&
                         _wcsicmp(path, guardPath.c_str()) == 0 &&
                         GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    if (!isGuard) continue;
    CloseHandle(snapshot);
    // 100-ns steps since 1601 to milliseconds since 1970.
    const ULONGLONG steps = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    std::printf("started=%llu\n", steps / 10'000 - 11'644'473'600'000ULL);
    return 0;
  }
  CloseHandle(snapshot);
  std::puts("none");
  return 2;
}

void PrintAnswer(const guard::Answer& answer) {
  PrintResult(answer);
  if (answer.waitSeconds > 0) std::printf(" wait=%u", static_cast<unsigned>(answer.waitSeconds));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::puts("usage: guard_probe <OrlimoGuard.exe path> <command> ...");
    return 2;
  }
  const std::wstring guardPath = argv[1];
  argc -= 1;
  argv += 1;
  if (argc > 1 && std::wstring(argv[1]) == L"server") return PrintServer(guardPath);
  if (argc > 1 && std::wstring(argv[1]) == L"started") return PrintStarted(guardPath);
  orlimo::win32::GuardPipeChannel channel(ExpectedGuardAt(guardPath));
  guard::GuardClient client(channel);
  // The service may still be starting.
  std::optional<guard::Answer> hello;
  for (int attempt = 0; attempt < 50 && !hello; ++attempt) {
    hello = client.Send(guard::GetStatus{});
    if (!hello) Sleep(200);
  }
  Answered(hello);
  std::wstring command = argc > 1 ? argv[1] : L"status";
  if (command == L"store") {
    guard::StoreTable table;
    const orlimo::SessionSnapshot& shown = hello->session.value_or(orlimo::SessionSnapshot{});
    table.change.passwordsInUse = shown.passwordsInUse;
    for (const orlimo::RowView& user : shown.users) {
      // Each as a new user, which holds no usage.
      table.change.users.push_back({-1, user.name, 24 * 60, u""});
    }
    const guard::Answer stored = Answered(client.Send(table));
    const guard::Answer after = Answered(client.Send(guard::GetStatus{}));
    if (!after.session || after.session->users.empty()) Answered(std::nullopt);
    PrintResult(stored);
    const orlimo::RowView& first = after.session->users.front();
    std::printf(" used=%d limit=%d\n", first.usedMinutes, first.limitMinutes);
    return 0;
  }
  if (command == L"parent") {
    for (int i = 2; i < argc; ++i) {
      const guard::Answer answer =
          Answered(client.Send(guard::OpenConsole{orlimo::win32::FromWide(argv[i])}));
      if (i > 2) std::printf(", ");
      PrintAnswer(answer);
    }
    std::puts("");
    return 0;
  }
  if (command == L"guess-alternating" && argc > 4) {
    const int times = _wtoi(argv[4]);
    // Each request once the wait the last answer gave is over.
    auto sendAfterWait = [&](const guard::Request& request) {
      const guard::Answer answer = Answered(client.Send(request));
      PrintAnswer(answer);
      Sleep(answer.waitSeconds * 1000u);
    };
    for (int i = 0; i < times; ++i) {
      if (i > 0) std::printf(", ");
      sendAfterWait(guard::OpenConsole{orlimo::win32::FromWide(argv[3])});
      std::printf(", ");
      sendAfterWait(guard::ChooseUser{0, orlimo::win32::FromWide(argv[2])});
    }
    std::puts("");
    return 0;
  }
  if (command == L"remove") {
    const guard::Answer opened = Answered(
        client.Send(guard::OpenConsole{orlimo::win32::FromWide(argc > 2 ? argv[2] : L"")}));
    const guard::Answer removed = Answered(client.Send(guard::Remove{}));
    PrintResult(opened);
    std::printf(", ");
    PrintResult(removed);
    std::puts("");
    return 0;
  }
  guard::Request request = guard::GetStatus{};
  if (command == L"secrets") request = guard::RevealPasswords{u""};
  const guard::Answer answer = Answered(client.Send(request));
  PrintResult(answer);
  if (answer.session) {
    std::printf(" users=%zu current=%d", answer.session->users.size(), answer.session->currentUser);
  }
  if (answer.waitSeconds > 0) std::printf(" wait=%u", static_cast<unsigned>(answer.waitSeconds));
  std::puts("");
  return 0;
}
