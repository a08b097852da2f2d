#include "win32/program_folders.h"

#include <string>

#include "win32/own_path.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace orlimo::win32 {
namespace {

constexpr wchar_t kOrlimoKey[] = L"SOFTWARE\\Orlimo";
constexpr wchar_t kDataFolderValue[] = L"DataFolder";
constexpr wchar_t kGuardedValue[] = L"Guarded";

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace

Text OwnFolder() {
  const std::wstring folder = OwnFolderPath();
  return FromWide(folder.c_str(), folder.size());
}

Text DataFolder(const Text& ownFolder) {
  DWORD bytes = 0;
  constexpr DWORD kFlags = RRF_RT_REG_SZ | RRF_SUBKEY_WOW6464KEY;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kOrlimoKey, kDataFolderValue, kFlags, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return ownFolder;
  }
  std::wstring folder(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(folder.size() * sizeof(wchar_t));
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kOrlimoKey, kDataFolderValue, kFlags, nullptr, folder.data(),
                   &bytes) != ERROR_SUCCESS) {
    return ownFolder;
  }
  folder.resize(folder.find(L'\0'));
  // The file names are joined with one "\": a closing one in the value is left off.
  while (folder.size() > 3 && (folder.back() == L'\\' || folder.back() == L'/')) folder.pop_back();
  if (folder.empty() || !IsFolder(folder)) return ownFolder;
  return FromWide(folder.c_str(), folder.size());
}

bool Guarded() {
  DWORD value = 0;
  DWORD bytes = sizeof(value);
  constexpr DWORD kFlags = RRF_RT_REG_DWORD | RRF_SUBKEY_WOW6464KEY;
  return RegGetValueW(HKEY_LOCAL_MACHINE, kOrlimoKey, kGuardedValue, kFlags, nullptr, &value,
                      &bytes) == ERROR_SUCCESS &&
         value == 1;
}

}  // namespace orlimo::win32
