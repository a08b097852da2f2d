// Text <-> the wide strings of the Win32 calls; both are UTF-16, so this only copies.
#pragma once

#include <cwchar>
#include <string>

#include "base/text.h"

namespace orlimo::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide strings are UTF-16");

inline std::wstring ToWide(TextView text) {
  return std::wstring(text.begin(), text.end());
}

inline Text FromWide(const wchar_t* text, std::size_t length) {
  return Text(text, text + length);
}

inline Text FromWide(const wchar_t* text) {
  return FromWide(text, std::wcslen(text));
}

}  // namespace orlimo::win32
