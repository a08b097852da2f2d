#include "win32/guard/win32_system_clock.h"

#include "win32/windows_api.h"

namespace orlimo::win32 {
namespace {

// From 1601-01-01, where the system time counts from, to 1899-12-30.
constexpr std::int64_t kSecondsFrom1601To1899 = 109205LL * 86400;

}  // namespace

std::int64_t Win32SystemClock::UtcSeconds() const {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER ticks;
  ticks.LowPart = now.dwLowDateTime;
  ticks.HighPart = now.dwHighDateTime;
  return static_cast<std::int64_t>(ticks.QuadPart / 10'000'000) - kSecondsFrom1601To1899;
}

std::int64_t Win32SystemClock::ZoneOffsetSeconds() const {
  TIME_ZONE_INFORMATION zone;
  DWORD which = GetTimeZoneInformation(&zone);
  LONG bias = zone.Bias;
  if (which == TIME_ZONE_ID_DAYLIGHT) bias += zone.DaylightBias;
  if (which == TIME_ZONE_ID_STANDARD) bias += zone.StandardBias;
  return -static_cast<std::int64_t>(bias) * 60;
}

std::int64_t Win32SystemClock::SteadyMs() const {
  return static_cast<std::int64_t>(GetTickCount64());
}

}  // namespace orlimo::win32
