// VarnRunCom.exe: started when Orlimo's window is closed, it waits a moment and starts Orlimo
// again from its own folder unless Orlimo already runs, then ends. It has no window.
#include <string>

#include "companion/process_list.h"
#include "win32/own_path.h"
#include "win32/start_process.h"
#include "win32/windows_api.h"

namespace {

constexpr DWORD kWaitMs = 5000;  // time for a closing Orlimo to end
constexpr wchar_t kProgramName[] = L"Orlimo.exe";
constexpr wchar_t kWaitingMutex[] = L"Local\\Orlimo.Companion";
constexpr int kShowNormal = 5;

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // DLLs loaded from now on come from the system folder only, never from the program's folder.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  // One companion waits at a time; a second one has nothing to add.
  HANDLE waiting = CreateMutexW(nullptr, FALSE, kWaitingMutex);
  if (waiting == nullptr || GetLastError() == ERROR_ALREADY_EXISTS) {
    if (waiting != nullptr) CloseHandle(waiting);
    return 0;
  }

  Sleep(kWaitMs);
  int result = 0;
  if (!orlimo::companion::IsRunning(kProgramName)) {
    const std::wstring folder = orlimo::win32::OwnFolderPath();
    if (folder.empty()) {
      result = 1;
    } else {
      orlimo::win32::StartAndLetRun(folder + L"\\" + kProgramName, kShowNormal);
    }
  }
  CloseHandle(waiting);
  return result;
}
