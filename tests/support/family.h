// The family of a test, written as the settings table holds it: by the scenarios, the guard's
// tests and the guarded program's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "records/family_days.h"
#include "records/settings.h"

namespace orlimo::testing {

// One user of a family set up for a test.
struct Child {
  std::string name;
  std::int32_t limitMinutes = 60;
  std::int32_t usedSeconds = 0;
  std::string password;
};

// The day number of a date, as Family.ini's history keys its days.
inline DayNumber DayOfDate(const DateTimeFields& date) {
  return static_cast<DayNumber>(DateFromFields({date.year, date.month, date.day, 0, 0, 0}));
}

// The table of <children>, each counted on <day>.
inline Settings FamilySettings(const std::vector<Child>& children, bool passwordsInUse,
                               const std::string& parentPassword, DateValue day) {
  Settings settings;
  for (std::size_t i = 0; i < children.size(); ++i) {
    const Child& child = children[i];
    settings.User(static_cast<int>(i)) = {FromUtf8(child.name), day,
                                          child.limitMinutes,   child.usedSeconds / 60,
                                          child.usedSeconds,    FromUtf8(child.password)};
  }
  settings.UserCount = static_cast<std::int16_t>(children.size()) - 1;
  settings.PasswordsInUse = passwordsInUse ? 1 : 0;
  settings.ParentPassword = FromUtf8(parentPassword);
  return settings;
}

}  // namespace orlimo::testing
