// Writes a Setup.ini for the tests under Wine and the demo's example children (scripts/run),
// through the program's own settings writer.
//   make_setup <folder> <passwords in use: 0 or 1> <name>:<minutes>:<used seconds>[:<password>]...
// Each user's day is today, so the program keeps the usage it reads.
#include <cstdio>
#include <sstream>
#include <string>

#include "base/date.h"
#include "records/metering.h"
#include "records/settings.h"
#include "win32/wide_text.h"
#include "win32/win32_clock.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make_setup <folder> <0|1> <name>:<minutes>:<seconds>[:<pw>]...\n");
    return 2;
  }
  orlimo::Settings settings;
  settings.ParentPassword = orlimo::kDefaultParentPassword;
  settings.PasswordsInUse = static_cast<std::uint8_t>(_wtoi(argv[2]));
  for (int i = 3; i < argc && i - 3 < orlimo::kMaxUsers; ++i) {
    std::wistringstream spec(argv[i]);
    std::wstring name, minutes, seconds, password;
    std::getline(spec, name, L':') && std::getline(spec, minutes, L':') &&
        std::getline(spec, seconds, L':') && std::getline(spec, password);
    orlimo::UserEntry& user = settings.User(i - 3);
    user.Name = orlimo::win32::FromWide(name.c_str());
    user.LimitMinutes = _wtoi(minutes.c_str());
    user.UsedSeconds = _wtoi(seconds.c_str());
    user.UsedMinutes = orlimo::Metering::UsedMinutesOf(user.UsedSeconds);
    user.Password = orlimo::win32::FromWide(password.c_str());
    user.Day = orlimo::DateFromFields(orlimo::win32::Win32Clock().Now());
    settings.UserCount = static_cast<std::int16_t>(i - 3);
  }
  orlimo::Main::SaveSettings(settings, orlimo::win32::FromWide(argv[1]));
  return 0;
}
