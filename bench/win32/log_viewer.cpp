#include "log_viewer.h"

#include "bare_log_box.h"
#include "driver_support.h"
#include "figures.h"
#include "log_file.h"
#include "watched_process.h"
#include "windows_of.h"

namespace orlimo::winbench {
namespace {

using drivers::FirstEdit;
using drivers::PostClick;
using drivers::PostType;
using drivers::Wait;

// The program's visible button with the text, or null (its thread may be busy a while).
HWND ButtonOf(DWORD process, const std::wstring& text) {
  return drivers::VisibleControl({process}, L"Button", text, Wait::Patiently);
}

constexpr double kClickTimeout = 300;  // seconds a click may take before the probe gives up

// Sends a click to the button and waits for its handler to return; the seconds it took, or -1.
double TimedClick(HWND button) {
  DWORD_PTR result = 0;
  double start = Now();
  if (!SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL,
                           static_cast<UINT>(kClickTimeout * 1000), &result)) {
    return -1;
  }
  return Now() - start;
}

// Waits until the window has nothing left to paint; the seconds since <start>.
double PaintedSince(HWND window, double start) {
  while (GetUpdateRect(window, nullptr, FALSE) && Now() - start < kClickTimeout) Sleep(1);
  return Now() - start;
}

// Clicks Setup and types the parent password into the prompt; the console's show-log button.
HWND OpenConsole(DWORD process, std::string& problem) {
  HWND setup = WaitFor(10, [&] { return ButtonOf(process, L"Setup"); });
  if (setup == nullptr) return problem = "no Setup button", nullptr;
  PostClick(setup);
  HWND prompt = WaitFor(10, [&] {
    const auto windows = drivers::VisibleWindowsTitled({process}, L"설정 암호", Wait::Patiently);
    return windows.empty() ? nullptr : windows.front();
  });
  HWND field = prompt != nullptr ? WaitFor(5, [&] { return FirstEdit(prompt); }) : nullptr;
  if (field == nullptr) return problem = "no parent password prompt", nullptr;
  PostType(field, L"5927\r");
  HWND seeLogs = WaitFor(60, [&] { return ButtonOf(process, L"사용기록 보기"); });
  if (seeLogs == nullptr) problem = "the console did not open";
  return seeLogs;
}

// One call: Orlimo.exe started, its console opened, the log shown, written back, hidden and
// shown again; the bare box doing the same beside it.
bool OneCall(const std::wstring& folder, BareLogBox& bare, LogViewerFigures& figures) {
  const std::wstring logPath = folder + L"\\Logs.txt";
  const std::wstring barePath = folder + L"\\BareLog.txt";
  WatchedProcess orlimo(folder + L"\\Orlimo.exe", 60);
  if (!orlimo.Started()) return figures.problem = "Orlimo.exe showed no window", false;
  HWND seeLogs = OpenConsole(orlimo.Id(), figures.problem);
  if (seeLogs == nullptr) return false;
  const std::string shown = ReadBytes(logPath);
  figures.bytes = shown.size();
  ReplaceDurably(barePath, shown);

  double start = Now();
  double handler = TimedClick(seeLogs);
  HWND box = LongestVisibleEdit(orlimo.Id());
  if (handler < 0 || box == nullptr) return figures.problem = "the log did not show", false;
  figures.openHandler.push_back(handler);
  figures.open.push_back(PaintedSince(box, start));
  figures.boxCharacters = TextLength(box);
  BareLogBox::Showing showing = bare.Show(barePath);
  figures.bareOpen.push_back(showing.Total());
  figures.bareSetText.push_back(showing.setText);

  HWND save = ButtonOf(orlimo.Id(), L"내용저장");
  double saved = save != nullptr ? TimedClick(save) : -1;
  if (saved < 0) return figures.problem = "the log was not written back", false;
  figures.writeBack.push_back(saved);
  figures.bareWriteBack.push_back(bare.WriteBack(barePath));
  figures.unchanged = figures.unchanged && ReadBytes(logPath) == shown;
  DeleteFileW(barePath.c_str());

  if (TimedClick(seeLogs) < 0) return figures.problem = "the log did not hide", false;
  start = Now();
  if (TimedClick(seeLogs) < 0) return figures.problem = "the log did not show again", false;
  figures.reopen.push_back(PaintedSince(box, start));
  return true;
}

}  // namespace

LogViewerFigures MeasureLogViewer(const std::wstring& folder, int lines, int calls) {
  LogViewerFigures figures;
  const std::string written = YearsOfLog(lines);
  if (!ReplaceDurably(folder + L"\\Logs.txt", written)) {
    return figures.problem = "Logs.txt not written", figures;
  }
  figures.lines = static_cast<std::size_t>(lines);
  BareLogBox bare;
  for (int call = 0; call < calls; ++call) {
    if (!OneCall(folder, bare, figures)) break;
  }
  if (ReadBytes(folder + L"\\Logs.txt").compare(0, written.size(), written) != 0) {
    figures.problem = "the lines written for the benchmark did not stay in Logs.txt";
  }
  return figures;
}

}  // namespace orlimo::winbench
