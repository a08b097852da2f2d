// Family.ini: each child's weekday allowances, extra minutes for today and daily usage history.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "platform/ansi_codepage.h"
#include "records/settings.h"

namespace orlimo {

// A calendar day as a whole number of days since 1899-12-30 (the date value without its time).
using DayNumber = std::int32_t;

// One day of a child's history: the minutes used and the allowance that day had.
struct DayUsage {
  std::int32_t UsedMinutes = 0;
  std::int32_t AllowanceMinutes = 0;
  bool operator==(const DayUsage&) const = default;
};

// The hours of a day in which a child may use the PC, in minutes since midnight: from fromMinute
// (0 to 1439) up to toMinute (after it, at most 1440, midnight).
struct AllowedHours {
  std::int32_t fromMinute = 0;
  std::int32_t toMinute = 24 * 60;
  bool operator==(const AllowedHours&) const = default;
};

// What happens when a child's time is up, after the countdown.
enum class EndAction : std::uint8_t { PowerOff, LogOff, Lock };

// What Family.ini holds for one child, beside the child's Setup.ini record.
struct ChildDays {
  // Sunday first (일 월 화 수 목 금 토); nothing means the daily allowance of Setup.ini.
  std::array<std::optional<std::int32_t>, 7> WeekdayMinutes{};
  std::int32_t ExtraMinutes = 0;  // given for ExtraDay only
  DayNumber ExtraDay = 0;
  std::map<DayNumber, DayUsage> History;
  // Sunday first; nothing means the whole day.
  std::array<std::optional<AllowedHours>, 7> Hours{};
  EndAction End = EndAction::PowerOff;
  // Whether the time the child's session is locked or left counts as used.
  bool LockedTimeCounts = true;
  bool operator==(const ChildDays&) const = default;
};

namespace Main {

// "07:00-21:30"; "24:00" is midnight at the end of the day.
Text HoursText(const AllowedHours& hours);
// The hours written as HoursText writes them (blanks around ignored); nothing for any other text
// or a window that ends before it begins.
std::optional<AllowedHours> ReadHours(TextView text);

}  // namespace Main

// Indexed by user number, like the rows of Setup.ini.
using FamilyDays = std::array<ChildDays, kMaxUsers>;

// One child's block of Family.ini as written: the row, the name it was written for, its days.
struct FamilyRecord {
  int Row = 0;
  Text Name;
  ChildDays Days;
  bool operator==(const FamilyRecord&) const = default;
};

namespace Main {

inline constexpr char16_t kFamilyFileName[] = u"Family.ini";

// The decoded lines of a Family.ini; Whole is false when a line could not be taken in, in which
// case Records holds what came before it.
struct FamilyFileText {
  std::vector<FamilyRecord> Records;
  bool Whole = true;
};

// The text of a Family.ini: UTF-8 after a byte order mark, else the system's code page (the
// files an earlier version wrote).
Text DecodeFamilyFile(std::string_view bytes, const platform::AnsiCodePage& codePage);
FamilyFileText ReadFamilyText(TextView text);
Text FamilyText(const std::vector<FamilyRecord>& records);

// Matches the file's blocks to the users of settings: a block goes to the user of its row when
// the names agree, otherwise to the user of the same name, otherwise it is dropped (a Setup.ini
// changed by a program that does not know Family.ini).
FamilyDays MatchFamilyRecords(const std::vector<FamilyRecord>& records, const Settings& settings);

// Reads folder/Family.ini, in UTF-8 after a byte order mark or else in the code page. A missing
// file gives empty days; a file that cannot be read whole is
// kept beside it as Family.ini.bad (or .bad2 ...) and rewritten from what was read. Throws only
// when that rewrite fails.
FamilyDays LoadFamilyDays(const Settings& settings, const Text& folder,
                          const platform::AnsiCodePage& codePage);

// Rewrites folder/Family.ini whole for users 0 to UserCount, in UTF-8 after its byte order mark,
// through a temporary file moved over the old one. Throws on failure.
void SaveFamilyDays(const FamilyDays& days, const Settings& settings, const Text& folder);

}  // namespace Main
}  // namespace orlimo
