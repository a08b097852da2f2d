// Writes a Setup.ini for the tests under Wine and the demo's example children (scripts/run),
// through the program's own settings writer.
//   make_setup <folder> <passwords in use: 0 or 1> <name>:<minutes>:<used seconds>[:<password>]...
// Each user's day is today, so the program keeps the usage it reads.
#include <cstdio>
#include <string>

#include "records/metering.h"
#include "base/date.h"
#include "records/settings.h"
#include "win32/wide_text.h"
#include "win32/win32_clock.h"

int wmain(int argc, wchar_t** argv) {
  using orlimo::Text;
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_setup <folder> <0|1> <name>:<minutes>:<seconds>[:<pw>]...\n");
    return 2;
  }
  orlimo::Settings settings;
  settings.ParentPassword = orlimo::kDefaultParentPassword;
  settings.PasswordsInUse = static_cast<std::uint8_t>(std::wcstol(argv[2], nullptr, 10));
  orlimo::DateValue today = orlimo::DateFromFields(orlimo::win32::Win32Clock().Now());
  for (int i = 3; i < argc && i - 3 < orlimo::kMaxUsers; ++i) {
    std::wstring spec = argv[i];
    std::wstring fields[4];
    std::size_t start = 0;
    for (int f = 0; f < 4; ++f) {
      std::size_t colon = f < 3 ? spec.find(L':', start) : std::wstring::npos;
      fields[f] = spec.substr(start, colon == std::wstring::npos ? colon : colon - start);
      if (colon == std::wstring::npos) break;
      start = colon + 1;
    }
    orlimo::UserEntry& user = settings.User(i - 3);
    user.Name = orlimo::win32::FromWide(fields[0].c_str());
    user.LimitMinutes = static_cast<std::int32_t>(std::wcstol(fields[1].c_str(), nullptr, 10));
    user.UsedSeconds = static_cast<std::int32_t>(std::wcstol(fields[2].c_str(), nullptr, 10));
    user.UsedMinutes = orlimo::Metering::UsedMinutesOf(user.UsedSeconds);
    user.Password = orlimo::win32::FromWide(fields[3].c_str());
    user.Day = today;
    settings.UserCount = static_cast<std::int16_t>(i - 3);
  }
  orlimo::Main::SaveSettings(settings, orlimo::win32::FromWide(argv[1]));
  return 0;
}
