// Stands in for Orlimo.exe or VarnRunCom.exe in the tests under Wine. Each start appends a line to
// "started.txt" in its own folder, then the process stays until a file named "stop" appears there
// (or 60 s pass), so that it can be found by name while it runs.
#include <string>

#include "win32/own_path.h"
#include "win32/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const std::wstring folder = orlimo::win32::OwnFolderPath();
  const std::string line = "started pid=" + std::to_string(GetCurrentProcessId()) +
                           " show=" + std::to_string(show) + "\r\n";
  HANDLE file = CreateFileW((folder + L"\\started.txt").c_str(), FILE_APPEND_DATA,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0, nullptr);
  DWORD written = 0;
  if (file != INVALID_HANDLE_VALUE) {
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(file);
  }
  const std::wstring stop = folder + L"\\stop";
  for (int waited = 0; waited < 600 && GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES;
       ++waited) {
    Sleep(100);
  }
  return 0;
}
