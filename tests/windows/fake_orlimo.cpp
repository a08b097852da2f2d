// Stands in for Orlimo.exe or VarnRunCom.exe in the tests under Wine. Each start appends a line to
// "started.txt" in its own folder, then the process stays until a file named "stop" appears there
// (or 60 s pass), so that it can be found by name while it runs.
#include <cstdio>
#include <string>

#include "win32/own_path.h"
#include "win32/windows_api.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const std::wstring folder = orlimo::win32::OwnFolderPath();
  if (FILE* started = _wfopen((folder + L"\\started.txt").c_str(), L"ab")) {
    std::fprintf(started, "started pid=%lu show=%d\r\n", GetCurrentProcessId(), show);
    std::fclose(started);
  }
  const std::wstring stop = folder + L"\\stop";
  for (int i = 0; i < 600 && GetFileAttributesW(stop.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) {
    Sleep(100);
  }
  return 0;
}
