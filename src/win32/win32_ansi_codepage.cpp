#include "win32/win32_ansi_codepage.h"

#include <climits>
#include <string>

#include "win32/wide_text.h"
#include "win32/windows_api.h"

namespace orlimo::win32 {

// Characters the code page lacks become its default character (no best-fit look-alikes).
std::string Win32AnsiCodePage::Encode(TextView text) const {
  if (text.empty() || text.size() > INT_MAX / 2) return {};
  const std::wstring wide = ToWide(text);
  const int wideLength = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength,
                                       nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideLength, bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

Text Win32AnsiCodePage::Decode(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int byteLength = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), byteLength, wide.data(), size);
  return FromWide(wide.data(), wide.size());
}

}  // namespace orlimo::win32
