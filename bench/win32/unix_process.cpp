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

// The value of one variable in a /proc/<pid>/environ text ("NAME=value" entries ending in NUL).
std::string EnvironmentValue(const std::string& environment, const std::string& name) {
  const std::string key = name + "=";
  for (std::size_t at = 0; at < environment.size();) {
    std::size_t end = environment.find('\0', at);
    if (end == std::string::npos) end = environment.size();
    if (environment.compare(at, key.size(), key) == 0) {
      return environment.substr(at + key.size(), end - at - key.size());
    }
    at = end + 1;
  }
  return {};
}

std::string OwnWinePrefix() {
  wchar_t value[4096];
  DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", value, 4096);
  return length > 0 && length < 4096 ? Utf8(std::wstring(value, length)) : std::string();
}

}  // namespace

unsigned UnixProcessOf(const std::wstring& exe) {
  const std::string wanted = Lower(Utf8(exe));
  const std::string prefix = OwnWinePrefix();
  WIN32_FIND_DATAW entry;
  HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  unsigned found = 0;
  do {
    if (!std::iswdigit(entry.cFileName[0])) continue;
    const std::wstring folder = std::wstring(L"Z:\\proc\\") + entry.cFileName;
    std::string commandLine = ReadProcFile(folder + L"\\cmdline");
    std::string program = Lower(commandLine.substr(0, commandLine.find('\0')));
    if (program.size() >= 2 && program.front() == '"' && program.back() == '"') {
      program = program.substr(1, program.size() - 2);
    }
    if (program != wanted) continue;
    if (!prefix.empty() &&
        EnvironmentValue(ReadProcFile(folder + L"\\environ"), "WINEPREFIX") != prefix) {
      continue;
    }
    found = static_cast<unsigned>(std::wcstoul(entry.cFileName, nullptr, 10));
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
