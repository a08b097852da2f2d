#include "win32/win32_clock.h"

#include "win32/windows_api.h"

namespace orlimo::win32 {

DateTimeFields Win32Clock::Now() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return DateTimeFields{local.wYear, local.wMonth,  local.wDay,
                        local.wHour, local.wMinute, local.wSecond};
}

std::int64_t Win32Clock::SteadyMs() const {
  return static_cast<std::int64_t>(GetTickCount64());
}

}  // namespace orlimo::win32
