// The rules of a child's day: the day's allowance, the end-of-time warnings, the usage history
// and the figures of the usage chart.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "base/date.h"
#include "records/family_days.h"
#include "records/settings.h"

namespace orlimo::Main {

inline constexpr int kHistoryDaysKept = 100;
inline constexpr int kChartDays = 14;

DayNumber DayOf(DateValue date);
// 0 for Sunday to 6 for Saturday.
int WeekdayOf(DayNumber day);

// The allowance of a day without extra minutes: the weekday's when set, else the daily one.
std::int32_t PlannedMinutes(const UserEntry& user, const ChildDays& days, DayNumber day);
// The allowance of today: the planned minutes plus the extra minutes given for today.
std::int32_t DayAllowance(const UserEntry& user, const ChildDays& days, DayNumber today);

// The seconds from now to the end of the hours the child may use the PC today: 0 before they
// begin and after they end, nothing when the whole day is allowed.
std::optional<std::int64_t> SecondsLeftInHours(const ChildDays& days, DateValue now);

// Gives (or, negative, takes back) extra minutes for today; extra minutes of another day are
// dropped first. Gives the extra minutes of today afterwards.
std::int32_t GiveExtraMinutes(ChildDays& days, DayNumber today, std::int32_t minutes);

// The end-of-time warnings of one child: each is given once, and again only after the time
// left has risen above it (extra minutes, a new day, a larger allowance).
enum class TimeWarning { None, FiveMinutes, OneMinute };

struct WarningState {
  bool FiveGiven = false;
  bool OneGiven = false;
};

// The warning due now for secondsLeft of the day's allowance; none while the console is open
// (it is then still due once the console has closed) and none when the time is already up.
TimeWarning DueWarning(WarningState& state, std::int64_t secondsLeft, bool consoleOpen);

// Records the minutes used on a day (the user's Day) with that day's allowance, and forgets the
// days more than kHistoryDaysKept days before today.
void RecordUsage(ChildDays& days, DayNumber day, std::int32_t usedMinutes,
                 std::int32_t allowanceMinutes, DayNumber today);

// One bar of the usage chart.
struct ChartDay {
  DayNumber Day = 0;
  std::int32_t UsedMinutes = 0;
  std::int32_t AllowanceMinutes = 0;
  bool operator==(const ChartDay&) const = default;
};

// The last kChartDays days up to today, oldest first: today's figures are the ones being
// metered, earlier days come from the history, a day without a record counts 0 minutes used
// against the allowance planned for its weekday.
std::vector<ChartDay> ChartFigures(const UserEntry& user, const ChildDays& days, DayNumber today);

}  // namespace orlimo::Main
