// Writes a Setup.ini for the tests under Wine and the demo's example children (scripts/run),
// through the program's own settings writer; each user's day is today, so that the program keeps
// the usage it reads.
//   make_setup <folder> <passwords in use: 0 or 1> <name>:<minutes>:<used seconds>[:<password>]...
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
    std::wstring fields[4];  // name, minutes, used seconds, password
    for (std::wstring& field : fields) std::getline(spec, field, L':');
    const int seconds = _wtoi(fields[2].c_str());
    settings.User(i - 3) = {orlimo::win32::FromWide(fields[0].c_str()),
                            orlimo::DateFromFields(orlimo::win32::Win32Clock().Now()),
                            _wtoi(fields[1].c_str()),
                            orlimo::Metering::UsedMinutesOf(seconds),
                            seconds,
                            orlimo::win32::FromWide(fields[3].c_str())};
    settings.UserCount = static_cast<std::int16_t>(i - 3);
  }
  orlimo::Main::SaveSettings(settings, orlimo::win32::FromWide(argv[1]));
  return 0;
}
