// The user table and the global settings, and their file Setup.ini.
#pragma once

#include <array>
#include <cstdint>

#include "base/date.h"
#include "base/text.h"

namespace orlimo {

struct UserEntry {
  Text Name;
  DateValue Day = 0;
  std::int32_t LimitMinutes = 0;
  std::int32_t UsedMinutes = 0;
  std::int32_t UsedSeconds = 0;
  Text Password;
  bool operator==(const UserEntry&) const = default;
};

inline constexpr int kUserSlots = 11;  // slot 0 is never filled; user u lives in slot u + 1
inline constexpr int kMaxUsers = 10;
inline constexpr char16_t kDefaultParentPassword[] = u"5927";

struct Settings {
  std::array<UserEntry, kUserSlots> UserTable{};
  std::int16_t UserCount = -1;  // highest user number in use; -1 when there are no users
  Text ParentPassword;
  std::uint8_t PasswordsInUse = 0;

  UserEntry& User(int userNumber) { return UserTable.at(static_cast<std::size_t>(userNumber) + 1); }
  const UserEntry& User(int userNumber) const {
    return UserTable.at(static_cast<std::size_t>(userNumber) + 1);
  }
};

namespace Main {

inline constexpr char16_t kSettingsFileName[] = u"Setup.ini";

// What LoadSettings found in Setup.ini and did with it.
enum class SettingsRead {
  Whole,      // every line was taken in
  Missing,    // there was no file; it is written anew
  Rewritten,  // not read whole: kept beside it as Setup.ini.bad (or .bad2 ...), written anew
  Held,       // not read whole, and no copy of it could be kept: left as it is
};

// Reads folder/Setup.ini into settings (which should be fresh). A file that cannot be read whole
// is kept beside it as Setup.ini.bad (or .bad2, .bad3 ...) and rewritten from what was read; when
// no copy can be kept, the file is not touched, and KeepSettingsCopy must succeed before it is
// written. A failed rewrite is left to the next save. Never throws for the file's sake.
SettingsRead LoadSettings(Settings& settings, const Text& folder);

// Keeps a copy of folder/Setup.ini as it is now under the next free ".bad" name; nothing to do when
// there is no file. Throws when the file cannot be read or no copy can be written.
void KeepSettingsCopy(const Text& folder);

// Rewrites folder/Setup.ini whole, through a temporary file moved over the old one, so that a
// failure at any point leaves the previous file as it was. Throws on failure.
void SaveSettings(const Settings& settings, const Text& folder);

// The record lines SaveSettings writes, before scrambling (for tests and tools).
std::u16string SettingsRecordLines(const Settings& settings);

}  // namespace Main
}  // namespace orlimo
