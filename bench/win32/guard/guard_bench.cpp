// The guard's costs, run under Wine by scripts/bench once the setup program has installed and
// started the service:
//   guard_bench <OrlimoGuard.exe path> <bare_window.exe> [idle seconds] [rounds]
// Beside the bare window program, in the same run: the running guard's working set and its
// processor time over the idle seconds (the bare window running through the same seconds), and
// the round trip of a status request over the guard's pipe beside a bare message round trip on
// a named pipe of the bench's own that echoes what it reads, the two taking turns a block of
// requests at a time. Prints a table; exit code 0 when every step went through.
#include <string>
#include <thread>
#include <vector>

#include "command_line.h"
#include "figures.h"
#include "guard/guard_client.h"
#include "guard/protocol.h"
#include "unix_process.h"
#include "watched_process.h"
#include "win32/guard_pipe_channel.h"
#include "win32/windows_api.h"
// After windows.h:
#include <psapi.h>
#include <tlhelp32.h>

namespace orlimo::winbench {
namespace {

constexpr char kUsage[] =
    "usage: guard_bench <OrlimoGuard.exe path> <bare_window.exe> [idle s] [rounds]";
constexpr double kSettle = 2;
constexpr int kPerBlock = 100;
constexpr wchar_t kEchoPipe[] = L"\\\\.\\pipe\\Orlimo.Bench.Echo";
constexpr DWORD kEchoBytes = 70 * 1024;

DWORD ProcessNamed(const wchar_t* name) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  DWORD found = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
       more = Process32NextW(snapshot, &entry)) {
    if (_wcsicmp(entry.szExeFile, name) == 0) found = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return found;
}

double WorkingSetOf(DWORD id) {
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
  if (!process) return 0;
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  double bytes = GetProcessMemoryInfo(process, &counters, sizeof(counters))
                     ? static_cast<double>(counters.WorkingSetSize)
                     : 0;
  CloseHandle(process);
  return bytes;
}

// Answers every message on the bench's own pipe with the same bytes, until the client goes.
void Echo(HANDLE pipe) {
  std::string buffer(kEchoBytes, '\0');
  if (!ConnectNamedPipe(pipe, nullptr) && GetLastError() != ERROR_PIPE_CONNECTED) return;
  DWORD read = 0, written = 0;
  while (ReadFile(pipe, buffer.data(), kEchoBytes, &read, nullptr) &&
         WriteFile(pipe, buffer.data(), read, &written, nullptr)) {
  }
  CloseHandle(pipe);
}

class EchoClient {
 public:
  bool Open() {
    HANDLE server = CreateNamedPipeW(kEchoPipe, PIPE_ACCESS_DUPLEX | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                     PIPE_TYPE_MESSAGE | PIPE_READMODE_MESSAGE | PIPE_WAIT, 1,
                                     kEchoBytes, kEchoBytes, 0, nullptr);
    if (server == INVALID_HANDLE_VALUE) return false;
    std::thread(Echo, server).detach();
    pipe_ =
        CreateFileW(kEchoPipe, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (pipe_ == INVALID_HANDLE_VALUE) return false;
    DWORD mode = PIPE_READMODE_MESSAGE;
    return SetNamedPipeHandleState(pipe_, &mode, nullptr, nullptr);
  }
  ~EchoClient() {
    if (pipe_ != INVALID_HANDLE_VALUE) CloseHandle(pipe_);
  }
  bool Exchange(const std::string& message) {
    DWORD done = 0;
    return WriteFile(pipe_, message.data(), static_cast<DWORD>(message.size()), &done, nullptr) &&
           ReadFile(pipe_, answer_.data(), kEchoBytes, &done, nullptr);
  }

 private:
  HANDLE pipe_ = INVALID_HANDLE_VALUE;
  std::string answer_ = std::string(kEchoBytes, '\0');
};

std::string Micros(double seconds) {
  return Fixed(seconds * 1e6, 1) + " us";
}

}  // namespace
}  // namespace orlimo::winbench

int wmain(int argc, wchar_t** argv) {
  using namespace orlimo::winbench;
  namespace guard = orlimo::guard;
  const CommandLine arguments(argc, argv);
  if (!arguments.Has(2, kUsage)) return 2;
  const std::wstring guardExe = arguments[1], bareExe = arguments[2];
  const double idleSeconds = arguments.Number(3, 60);
  const int rounds = static_cast<int>(arguments.Number(4, 30));

  const DWORD guardId = ProcessNamed(L"OrlimoGuard.exe");
  const unsigned guardUnix = UnixProcessOf(guardExe);
  if (!guardId || !guardUnix) {
    Print("no running OrlimoGuard.exe");
    return 1;
  }
  WatchedProcess bare(bareExe, 60);
  if (!bare.Started()) {
    Print("bare_window.exe showed no window");
    return 1;
  }
  Sleep(static_cast<DWORD>(kSettle * 1000));
  const double guardSet = WorkingSetOf(guardId), bareSet = bare.WorkingSet();
  double start = Now();
  double gBefore = UnixProcessorSeconds(guardUnix), bBefore = bare.ProcessorSeconds();
  Sleep(static_cast<DWORD>(idleSeconds * 1000));
  double gAfter = UnixProcessorSeconds(guardUnix), bAfter = bare.ProcessorSeconds();
  double wall = Now() - start;
  double gCpu = gBefore < 0 || gAfter < 0 ? -1 : (gAfter - gBefore) / wall * 100;
  double bCpu = bBefore < 0 || bAfter < 0 ? -1 : (bAfter - bBefore) / wall * 100;

  // Under Wine the guard's service runs as the bench's own user.
  orlimo::win32::GuardPipeChannel channel(orlimo::win32::ExpectedGuard{guardExe, true});
  guard::GuardClient client(channel);
  EchoClient echo;
  if (!client.Send(guard::GetStatus{}) || !echo.Open()) {
    Print("no pipe to measure");
    return 1;
  }
  // The echo carries a message the size of the status request.
  const std::string request = guard::EncodeRequest(guard::GetStatus{});
  std::vector<double> guardTrips, echoTrips;
  for (int round = 0; round <= rounds; ++round) {  // round 0 is not counted
    double t0 = Now();
    for (int i = 0; i < kPerBlock; ++i) {
      if (!client.Send(guard::GetStatus{})) return 1;
    }
    double t1 = Now();
    for (int i = 0; i < kPerBlock; ++i) {
      if (!echo.Exchange(request)) return 1;
    }
    double t2 = Now();
    if (round == 0) continue;
    guardTrips.push_back((t1 - t0) / kPerBlock);
    echoTrips.push_back((t2 - t1) / kPerBlock);
  }
  const double guardTrip = Median(guardTrips), echoTrip = Median(echoTrips);
  const std::string idle = Fixed(idleSeconds, 0);
  std::vector<Row> rows = {
      {"guard: working set, idle", KiB(guardSet), "bare window's working set", KiB(bareSet),
       Ratio(guardSet, bareSet), ""},
      {"guard: CPU over " + idle + " idle s (of one core)", Percent(gCpu), "bare window's CPU",
       Percent(bCpu), Points(gCpu, bCpu), ""},
      {"pipe: status request and answer (median of " + std::to_string(rounds) + " x " +
           std::to_string(kPerBlock) + ")",
       Micros(guardTrip), "bare message echo, same pipe kind", Micros(echoTrip),
       Fixed(guardTrip / echoTrip, 2), ""},
  };
  PrintTable(rows);
  Print("");
  std::string blocks;
  for (std::size_t i = 0; i < guardTrips.size(); ++i) {
    if (i > 0) blocks += ' ';
    blocks += Fixed(guardTrips[i] * 1e6, 0);
    blocks += '/';
    blocks += Fixed(echoTrips[i] * 1e6, 0);
  }
  Print("round trips per block, us (guard/echo): " + blocks);
  return 0;
}
