#include "console/usage_chart.h"

#include <algorithm>

#include "base/date.h"

namespace orlimo::UsageChart {
namespace {

constexpr std::int64_t kStepMinutes = 30;
constexpr std::int64_t kLeastTop = 60;
constexpr std::int64_t kMinutesOfADay = 1440;

}  // namespace

std::int32_t TopMinutes(const std::vector<std::vector<Main::ChartDay>>& children) {
  std::int64_t largest = 0;
  for (const std::vector<Main::ChartDay>& days : children) {
    for (const Main::ChartDay& day : days) {
      largest =
          std::max({largest, std::int64_t{day.UsedMinutes}, std::int64_t{day.AllowanceMinutes}});
    }
  }
  std::int64_t top = (largest + kStepMinutes - 1) / kStepMinutes * kStepMinutes;
  return static_cast<std::int32_t>(std::clamp(top, kLeastTop, kMinutesOfADay));
}

Text DayCaption(DayNumber day, bool firstCharted) {
  DateTimeFields fields = FieldsFromDate(day);
  if (firstCharted || fields.day == 1) {
    return DecimalText(fields.month) + u"/" + DecimalText(fields.day);
  }
  return DecimalText(fields.day);
}

Text FiguresText(const std::vector<Main::ChartDay>& days) {
  Text text;
  for (const Main::ChartDay& day : days) {
    if (!text.empty()) text += u' ';
    text += DecimalText(day.UsedMinutes) + u"/" + DecimalText(day.AllowanceMinutes);
  }
  return text;
}

}  // namespace orlimo::UsageChart
