// What the usage chart shows beside its bars: the shared height of the charts, the captions of
// the days and each chart's figures as text.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "records/day_allowance.h"

namespace orlimo::UsageChart {

// The minutes the full height of every child's chart stands for: the largest minutes used or
// allowed on a charted day, rounded up to half hours, at least an hour and at most a whole day
// (an allowance beyond the day's 1440 minutes cannot be used up and would flatten every bar).
std::int32_t TopMinutes(const std::vector<std::vector<Main::ChartDay>>& children);

// The caption under a day's bars: the day of the month ("25"), with its month on the first
// charted day and on the first of a month ("11/24", "12/1").
Text DayCaption(DayNumber day, bool firstCharted);

// A chart's figures for those who cannot see the bars: "사용/하루시간" minutes per day, oldest
// first.
Text FiguresText(const std::vector<Main::ChartDay>& days);

}  // namespace orlimo::UsageChart
