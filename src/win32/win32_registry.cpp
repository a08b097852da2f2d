#include "win32/win32_registry.h"

#include <cstdint>
#include <string>

#include "platform/registry_path.h"
#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace orlimo::win32 {
namespace {

using platform::ParseRegistryPath;
using platform::RegistryPath;
using platform::RegistryRoot;

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
    case RegistryRoot::ClassesRoot:
      return HKEY_CLASSES_ROOT;
    case RegistryRoot::Users:
      return HKEY_USERS;
  }
  return HKEY_LOCAL_MACHINE;
}

// The path in UTF-8, for the error's message.
std::string Utf8(const Text& text) {
  const std::wstring wide = ToWide(text);
  const int length = static_cast<int>(wide.size());
  const int size =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

[[noreturn]] void Fail(const char* what, const Text& path, LONG status) {
  throw platform::RegistryError(std::string(what) + " " + Utf8(path) + " (error " +
                                std::to_string(status) + ")");
}

RegistryPath Parse(const Text& path) {
  std::optional<RegistryPath> parsed = ParseRegistryPath(path);
  if (!parsed) throw platform::RegistryError("not a registry path: " + Utf8(path));
  return *parsed;
}

// Owns an open key.
class OpenKey {
 public:
  OpenKey(const RegistryPath& path, REGSAM access, const char* what, const Text& fullPath) {
    const std::wstring key = ToWide(path.key);
    const LONG status =
        RegOpenKeyExW(RootKey(path.root), key.c_str(), 0, access | KEY_WOW64_64KEY, &key_);
    if (status != ERROR_SUCCESS) Fail(what, fullPath, status);
  }
  ~OpenKey() { RegCloseKey(key_); }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// The string data of a REG_SZ or REG_EXPAND_SZ value, an expandable one expanded.
Text ReadText(HKEY key, const std::wstring& value, const Text& path) {
  // The value may grow between the size query and the read: try again a few times.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD bytes = 0;
    LONG status =
        RegGetValueW(key, nullptr, value.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    if (status != ERROR_SUCCESS) Fail("cannot read", path, status);
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    status = RegGetValueW(key, nullptr, value.c_str(), RRF_RT_REG_SZ, nullptr, data.data(), &bytes);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) Fail("cannot read", path, status);
    return FromWide(data.c_str());  // the data ends at its terminating NUL
  }
  Fail("cannot read", path, ERROR_MORE_DATA);
}

}  // namespace

Text Win32Registry::ReadString(const Text& path) {
  const RegistryPath parsed = Parse(path);
  const OpenKey key(parsed, KEY_QUERY_VALUE, "cannot open the key of", path);
  return ReadText(key.get(), ToWide(parsed.value), path);
}

platform::RegistryValue Win32Registry::ReadValue(const Text& path) {
  const RegistryPath parsed = Parse(path);
  const OpenKey key(parsed, KEY_QUERY_VALUE, "cannot open the key of", path);
  const std::wstring value = ToWide(parsed.value);
  DWORD type = REG_NONE;
  std::uint64_t number = 0;
  DWORD bytes = sizeof number;
  LONG status = RegQueryValueExW(key.get(), value.c_str(), nullptr, &type,
                                 reinterpret_cast<BYTE*>(&number), &bytes);
  if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) Fail("cannot read", path, status);
  if (type == REG_SZ || type == REG_EXPAND_SZ) return ReadText(key.get(), value, path);
  if (status == ERROR_SUCCESS && type == REG_DWORD && bytes == sizeof(DWORD)) {
    return std::uint64_t{static_cast<DWORD>(number)};  // little-endian: the low four bytes
  }
  if (status == ERROR_SUCCESS && type == REG_QWORD && bytes == sizeof number) return number;
  return platform::RegistryOtherData{};
}

void Win32Registry::DeleteValue(const Text& path) {
  const RegistryPath parsed = Parse(path);
  if (parsed.value.empty()) throw platform::RegistryError("not a value: " + Utf8(path));
  const OpenKey key(parsed, KEY_SET_VALUE, "cannot open the key of", path);
  const std::wstring value = ToWide(parsed.value);
  const LONG status = RegDeleteValueW(key.get(), value.c_str());
  if (status != ERROR_SUCCESS) Fail("cannot delete", path, status);
}

}  // namespace orlimo::win32
