#include "log_file.h"

#include <cstdio>
#include <vector>

#include "win32/windows_api.h"

namespace orlimo::winbench {
namespace {

std::wstring UsageLine(const wchar_t* word, const wchar_t* name, int limit, int used) {
  return std::wstring(word) + L":" + name + L"님(" + std::to_wstring(limit) + L"분)  " +
         std::to_wstring(used) + L"분 사용, " + std::to_wstring(limit - used) + L"분 남음.";
}

// "YYYY-MM-DD hh:mm:ss " of 2020-01-01 08:00:00 plus <seconds>.
std::string Stamp(long long seconds) {
  SYSTEMTIME start{2020, 1, 0, 1, 8, 0, 0, 0};
  FILETIME file;
  SystemTimeToFileTime(&start, &file);
  ULARGE_INTEGER ticks;
  ticks.LowPart = file.dwLowDateTime;
  ticks.HighPart = file.dwHighDateTime;
  ticks.QuadPart += static_cast<unsigned long long>(seconds) * 10000000ULL;
  file.dwLowDateTime = ticks.LowPart;
  file.dwHighDateTime = ticks.HighPart;
  SYSTEMTIME t;
  FileTimeToSystemTime(&file, &t);
  char text[32];
  std::snprintf(text, sizeof(text), "%04u-%02u-%02u %02u:%02u:%02u ", t.wYear, t.wMonth, t.wDay,
                t.wHour, t.wMinute, t.wSecond);
  return text;
}

}  // namespace

std::string YearsOfLog(int lines) {
  struct Child {
    const wchar_t* name;
    int limit;
    int used;
  };
  const Child children[] = {{L"첫째", 60, 12}, {L"둘째", 45, 45}, {L"Tom", 90, 100}};
  std::vector<std::string> texts = {Encode(L"(*----------------------------*)"),
                                    Encode(L"Orlimo Ver.1.2.13    Orlimo  (C) Orlimo 개발팀")};
  for (const Child& child : children) {
    for (const wchar_t* word : {L"시작", L"사용중", L"정상종료", L"강제종료", L"종료시작"}) {
      texts.push_back(Encode(UsageLine(word, child.name, child.limit, child.used)));
    }
  }
  std::string log;
  for (int line = 0; line < lines; ++line) {
    log += Stamp(static_cast<long long>(line) * 1800);
    log += texts[static_cast<std::size_t>(line) % texts.size()] + "\r\n";
  }
  return log;
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  LARGE_INTEGER size{};
  GetFileSizeEx(file, &size);
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    read = 0;
  }
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

bool ReplaceDurably(const std::wstring& path, const std::string& bytes) {
  const std::wstring temporary = path + L".bench-tmp";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size() && FlushFileBuffers(file);
  CloseHandle(file);
  return ok && MoveFileExW(temporary.c_str(), path.c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

std::wstring Decode(const std::string& bytes) {
  if (bytes.empty()) return {};
  int size = MultiByteToWideChar(kKoreanCodePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                 nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(kKoreanCodePage, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                      size);
  return text;
}

std::string Encode(const std::wstring& text) {
  if (text.empty()) return {};
  int size = WideCharToMultiByte(kKoreanCodePage, 0, text.data(), static_cast<int>(text.size()),
                                 nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(kKoreanCodePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                      size, nullptr, nullptr);
  return bytes;
}

}  // namespace orlimo::winbench
