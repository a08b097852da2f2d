// The Windows half of the benchmarks, run under Wine by scripts/bench:
//   probe <program folder> <log folder> <bare_window.exe> [start-ups] [idle seconds]
// Beside the bare window program, in the same run: Orlimo.exe's time from its start to its first
// visible window (the start-ups taking turns, median), its working set once settled and its
// processor time over the idle seconds (both programs running at once); the console's log
// viewer on a 100,000-line log in the real window; the sizes of the executables. Prints a table.
// <program folder> holds Orlimo.exe, VarnRunCom.exe and a Setup.ini with users; <log folder>
// a copy of it whose Logs.txt the probe replaces, or "-" to leave the log viewer out. Exit code 0
// when every step went through.
#include <string>
#include <vector>

#include "command_line.h"
#include "figures.h"
#include "log_viewer.h"
#include "watched_process.h"
#include "win32/windows_api.h"

namespace orlimo::winbench {
namespace {

constexpr char kUsage[] =
    "usage: probe <program folder> <log folder> <bare_window.exe> [start-ups] [idle s]";
constexpr double kSettle = 2;  // seconds after the window shows before memory is read
constexpr int kLogLines = 100000;
constexpr int kLogCalls = 3;

std::string Joined(const std::vector<double>& seconds) {
  std::string text;
  for (double s : seconds) {
    if (!text.empty()) text += ' ';
    text += Fixed(s * 1000, 0);
  }
  return text;
}

double FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return static_cast<double>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                             data.nFileSizeLow);
}

struct Program {
  std::string name;
  std::wstring exe;
  std::vector<double> startUps;
  // Processor seconds of the Unix process once the window showed (read a moment later, so with
  // the first paint): steadier than the wall clock while other work shares the machine.
  std::vector<double> startUpCpu;
};

bool StartUps(Program& measured, Program& baseline, int count) {
  for (int round = 0; round <= count; ++round) {  // round 0 warms the file cache up
    for (Program* program : {&baseline, &measured}) {
      // The first starts in a fresh Wine prefix are the slowest by far: they are given longer.
      WatchedProcess process(program->exe, round == 0 ? 180 : 60);
      if (!process.Started()) {
        Print(program->name + " showed no window");
        return false;
      }
      if (round == 0) continue;
      program->startUps.push_back(process.SecondsToWindow());
      if (double cpu = process.ProcessorSeconds(); cpu >= 0) program->startUpCpu.push_back(cpu);
    }
  }
  return true;
}

struct Idle {
  double workingSet = 0;
  double peakWorkingSet = 0;
  double cpuPercent = -1;  // of one core, -1 when it could not be read
  unsigned unixId = 0;
};

// Both programs run at once through the same idle seconds.
bool IdleFigures(const Program& measured, const Program& baseline, double seconds, Idle& m,
                 Idle& b) {
  WatchedProcess bare(baseline.exe, 60);
  WatchedProcess orlimo(measured.exe, 60);
  if (!bare.Started() || !orlimo.Started()) return false;
  Sleep(static_cast<DWORD>(kSettle * 1000));
  m.workingSet = orlimo.WorkingSet(), b.workingSet = bare.WorkingSet();
  m.peakWorkingSet = orlimo.PeakWorkingSet(), b.peakWorkingSet = bare.PeakWorkingSet();
  double start = Now();
  double mBefore = orlimo.ProcessorSeconds(), bBefore = bare.ProcessorSeconds();
  Sleep(static_cast<DWORD>(seconds * 1000));
  double mAfter = orlimo.ProcessorSeconds(), bAfter = bare.ProcessorSeconds();
  double wall = Now() - start;
  m.unixId = orlimo.UnixId(), b.unixId = bare.UnixId();
  if (mBefore < 0 || bBefore < 0 || mAfter < 0 || bAfter < 0) return false;
  m.cpuPercent = (mAfter - mBefore) / wall * 100;
  b.cpuPercent = (bAfter - bBefore) / wall * 100;
  return true;
}

}  // namespace
}  // namespace orlimo::winbench

int wmain(int argc, wchar_t** argv) {
  using namespace orlimo::winbench;
  const CommandLine arguments(argc, argv);
  if (!arguments.Has(3, kUsage)) return 2;
  const std::wstring folder = arguments[1], logFolder = arguments[2];
  const int startUps = static_cast<int>(arguments.Number(4, 5));
  const double idleSeconds = arguments.Number(5, 60);
  Program orlimo{"Orlimo.exe", folder + L"\\Orlimo.exe", {}, {}};
  Program bare{"bare_window.exe", arguments[3], {}, {}};
  Print("ANSI code page: " + std::to_string(GetACP()));

  bool ok = true;
  if (startUps > 0) ok = StartUps(orlimo, bare, startUps);
  Idle m, b;
  if (idleSeconds > 0) ok = IdleFigures(orlimo, bare, idleSeconds, m, b) && ok;
  LogViewerFigures log;
  if (logFolder != L"-") {
    log = MeasureLogViewer(logFolder, kLogLines, kLogCalls);
    ok = ok && log.problem.empty() && log.unchanged;
  }

  const std::string n = std::to_string(startUps);
  const std::string idle = Fixed(idleSeconds, 0);
  const double mStart = Median(orlimo.startUps), bStart = Median(bare.startUps);
  const double open = Median(log.open), bareOpen = Median(log.bareOpen);
  const double save = Median(log.writeBack), bareSave = Median(log.bareWriteBack);
  const double exe = FileBytes(folder + L"\\Orlimo.exe"), bareExe = FileBytes(bare.exe);
  const double companion = FileBytes(folder + L"\\VarnRunCom.exe");
  std::vector<Row> rows = {
      {"start to main window shown (median of " + n + ")", Millis(mStart),
       "start to bare window shown", Millis(bStart), Ratio(mStart, bStart), "<= 1.3"},
      {"working set " + Fixed(kSettle, 0) + " s after shown", KiB(m.workingSet),
       "bare window's working set", KiB(b.workingSet), Ratio(m.workingSet, b.workingSet), "<= 2"},
      {"peak working set", KiB(m.peakWorkingSet), "bare window's peak", KiB(b.peakWorkingSet),
       Ratio(m.peakWorkingSet, b.peakWorkingSet), ""},
      {"CPU over " + idle + " idle s (of one core)", Percent(m.cpuPercent), "bare window's CPU",
       Percent(b.cpuPercent), Points(m.cpuPercent, b.cpuPercent), "within 1 pt"},
      {"console: show the 100,000-line log (painted)", Millis(open),
       "read, decode, settext, paint (bare box)", Millis(bareOpen), Ratio(open, bareOpen),
       "< 500 ms"},
      {"console: write the log back", Millis(save), "gettext, encode, write+flush+move",
       Millis(bareSave), Ratio(save, bareSave), ""},
      {"size of Orlimo.exe", KiB(exe), "size of bare_window.exe", KiB(bareExe), Ratio(exe, bareExe),
       ""},
      {"size of VarnRunCom.exe", KiB(companion), "size of bare_window.exe", KiB(bareExe),
       Ratio(companion, bareExe), ""},
  };
  PrintTable(rows);
  Print("");
  Print("start-ups one by one, ms: Orlimo.exe " + Joined(orlimo.startUps) + "; bare_window.exe " +
        Joined(bare.startUps));
  const double mCpu = Median(orlimo.startUpCpu), bCpu = Median(bare.startUpCpu);
  Print("processor time of the Unix process when the window showed (median), ms: Orlimo.exe " +
        Fixed(mCpu * 1000, 0) + ", bare_window.exe " + Fixed(bCpu * 1000, 0) + ", ratio " +
        Ratio(mCpu, bCpu) + "; one by one: " + Joined(orlimo.startUpCpu) + "; " +
        Joined(bare.startUpCpu));
  Print("processor time read from /proc/<pid>/stat of the Unix processes: Orlimo.exe " +
        std::to_string(m.unixId) + ", bare_window.exe " + std::to_string(b.unixId));
  Print("log: " + std::to_string(log.lines) + " lines written, " + std::to_string(log.bytes) +
        " bytes shown, " + std::to_string(log.boxCharacters) + " characters in the log box");
  Print("log shown in a fresh console, ms (until the click's handler returned; until painted): " +
        Joined(log.openHandler) + "; " + Joined(log.open));
  Print("log shown again in the same console (the box keeps its text), ms: " + Joined(log.reopen));
  Print("bare edit box, ms (all; of which WM_SETTEXT): " + Joined(log.bareOpen) + "; " +
        Joined(log.bareSetText));
  Print("log written back, ms: " + Joined(log.writeBack) + "; bare: " + Joined(log.bareWriteBack));
  Print(std::string("log written back unchanged byte for byte: ") + (log.unchanged ? "yes" : "NO") +
        (log.problem.empty() ? "" : " (" + log.problem + ")"));
  return ok ? 0 : 1;
}
