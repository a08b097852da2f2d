#include "unix_process.h"

#include <cstdlib>
#include <cwctype>

#include "figures.h"
#include "win32/windows_api.h"

namespace orlimo::winbench {
namespace {

constexpr double kTicksPerSecond = 100;  // USER_HZ of Linux

// A /proc file read to its end (its size is given as 0, so it is read until nothing comes).
std::string ReadProcFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0) {
    text.append(buffer, read);
  }
  CloseHandle(file);
  return text;
}

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

}  // namespace

unsigned UnixProcessOf(const std::wstring& exe) {
  const std::string wanted = Lower(Utf8(exe));
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  unsigned found = 0;
  do {
    if (!std::iswdigit(entry.cFileName[0])) continue;
    std::string commandLine =
        ReadProcFile(std::wstring(L"Z:\\proc\\") + entry.cFileName + L"\\cmdline");
    for (char& c : commandLine) {
      if (c == '\0') c = ' ';
    }
    if (Lower(commandLine).find(wanted) != std::string::npos) {
      found = static_cast<unsigned>(std::wcstoul(entry.cFileName, nullptr, 10));
    }
  } while (found == 0 && FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

double UnixProcessorSeconds(unsigned pid) {
  if (pid == 0) return -1;
  std::string stat = ReadProcFile(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat");
  std::size_t end = stat.rfind(')');  // the name in parentheses may hold blanks
  if (end == std::string::npos) return -1;
  // After the name: state (field 3) ... utime (field 14) and stime (field 15).
  const char* cursor = stat.c_str() + end + 1;
  char* next = nullptr;
  double ticks = 0;
  for (int field = 3; field <= 15; ++field) {
    while (*cursor == ' ') ++cursor;
    if (field >= 14) {
      ticks += static_cast<double>(std::strtoull(cursor, &next, 10));
      cursor = next;
    } else {
      while (*cursor != ' ' && *cursor != '\0') ++cursor;
    }
  }
  return ticks / kTicksPerSecond;
}

}  // namespace orlimo::winbench
