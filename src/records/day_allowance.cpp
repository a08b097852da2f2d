#include "records/day_allowance.h"

#include <algorithm>
#include <cmath>

namespace orlimo::Main {

DayNumber DayOf(DateValue date) {
  return static_cast<DayNumber>(std::floor(date));
}

// Day 0, 1899-12-30, was a Saturday.
int WeekdayOf(DayNumber day) {
  return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

std::int32_t PlannedMinutes(const UserEntry& user, const ChildDays& days, DayNumber day) {
  const std::optional<std::int32_t>& weekday =
      days.WeekdayMinutes[static_cast<std::size_t>(WeekdayOf(day))];
  return weekday ? *weekday : user.LimitMinutes;
}

std::int32_t DayAllowance(const UserEntry& user, const ChildDays& days, DayNumber today) {
  std::int64_t minutes = PlannedMinutes(user, days, today);
  if (days.ExtraDay == today) minutes += days.ExtraMinutes;
  if (minutes > INT32_MAX) return INT32_MAX;
  if (minutes < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(minutes);
}

std::optional<std::int64_t> SecondsLeftInHours(const ChildDays& days, DateValue now) {
  const DayNumber day = DayOf(now);
  const std::optional<AllowedHours>& hours = days.Hours[static_cast<std::size_t>(WeekdayOf(day))];
  if (!hours) return std::nullopt;
  const DateTimeFields fields = FieldsFromDate(now);
  const std::int64_t second = fields.hour * 3600 + fields.minute * 60 + fields.second;
  if (second < std::int64_t{hours->fromMinute} * 60) return 0;
  return std::max<std::int64_t>(0, std::int64_t{hours->toMinute} * 60 - second);
}

std::int32_t GiveExtraMinutes(ChildDays& days, DayNumber today, std::int32_t minutes) {
  if (days.ExtraDay != today) days.ExtraMinutes = 0;
  days.ExtraDay = today;
  std::int64_t extra = static_cast<std::int64_t>(days.ExtraMinutes) + minutes;
  if (extra > INT32_MAX) extra = INT32_MAX;
  if (extra < INT32_MIN) extra = INT32_MIN;
  days.ExtraMinutes = static_cast<std::int32_t>(extra);
  return days.ExtraMinutes;
}

TimeWarning DueWarning(WarningState& state, std::int64_t secondsLeft, bool consoleOpen) {
  if (secondsLeft > 5 * 60) state.FiveGiven = false;
  if (secondsLeft > 60) state.OneGiven = false;
  if (consoleOpen || secondsLeft <= 0) return TimeWarning::None;
  if (secondsLeft <= 60) {
    if (state.OneGiven) return TimeWarning::None;
    state.OneGiven = state.FiveGiven = true;  // the one-minute warning stands for both
    return TimeWarning::OneMinute;
  }
  if (secondsLeft <= 5 * 60 && !state.FiveGiven) {
    state.FiveGiven = true;
    return TimeWarning::FiveMinutes;
  }
  return TimeWarning::None;
}

void RecordUsage(ChildDays& days, DayNumber day, std::int32_t usedMinutes,
                 std::int32_t allowanceMinutes, DayNumber today) {
  days.History[day] = DayUsage{usedMinutes, allowanceMinutes};
  days.History.erase(days.History.begin(), days.History.lower_bound(today - kHistoryDaysKept));
}

std::vector<ChartDay> ChartFigures(const UserEntry& user, const ChildDays& days, DayNumber today) {
  std::vector<ChartDay> figures;
  const DayNumber metered = DayOf(user.Day);
  for (DayNumber day = today - (kChartDays - 1); day <= today; ++day) {
    ChartDay figure{day, 0, PlannedMinutes(user, days, day)};
    if (day == metered) {
      figure.UsedMinutes = user.UsedMinutes;
      figure.AllowanceMinutes = DayAllowance(user, days, day);
    } else if (auto found = days.History.find(day); found != days.History.end()) {
      figure.UsedMinutes = found->second.UsedMinutes;
      figure.AllowanceMinutes = found->second.AllowanceMinutes;
    }
    figures.push_back(figure);
  }
  return figures;
}

}  // namespace orlimo::Main
