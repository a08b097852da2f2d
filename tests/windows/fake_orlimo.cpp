// Stands in for Orlimo.exe or VarnRunCom.exe in the tests under Wine. Each start appends a line to
// "started.txt" in its own folder, then the process stays until a file named "stop" appears there
// (or 60 s pass), so that it can be found by name while it runs.
#include <string>

#include "win32/own_path.h"
#include "win32/windows_api.h"

namespace {

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void AppendLine(const std::wstring& path, const std::string& line) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int show) {
  const std::wstring folder = orlimo::win32::OwnFolderPath();
  AppendLine(folder + L"\\started.txt", "started pid=" + std::to_string(GetCurrentProcessId()) +
                                            " show=" + std::to_string(show) + "\r\n");
  for (int waited = 0; waited < 600 && !Exists(folder + L"\\stop"); ++waited) Sleep(100);
  return 0;
}
