#include "win32/win32_clock.h"

#include "win32/windows_api.h"

namespace orlimo::win32 {

DateTimeFields Win32Clock::Now() const {
  SYSTEMTIME local{};
  GetLocalTime(&local);
  return DateTimeFields{local.wYear, local.wMonth,  local.wDay,
                        local.wHour, local.wMinute, local.wSecond};
}

}  // namespace orlimo::win32
