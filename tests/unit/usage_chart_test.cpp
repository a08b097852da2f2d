#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "console/usage_chart.h"

namespace orlimo {
namespace {

using Main::ChartDay;

// The charts' shared height: every child's bars must fit, in half hours, within a whole day.
TEST(UsageChart, TopMinutesFitsEveryChildWithinADay) {
  struct Case {
    const char* story;
    std::vector<std::vector<ChartDay>> children;
    std::int32_t top;
  };
  const std::vector<Case> cases = {
      {"no child", {}, 60},
      {"small figures keep an hour", {{{1, 25, 40}}}, 60},
      {"rounded up to half hours", {{{1, 61, 60}}}, 90},
      {"on a half hour already", {{{1, 90, 60}}}, 90},
      {"the allowance counts", {{{1, 10, 100}}}, 120},
      {"the largest child counts", {{{1, 10, 60}}, {{1, 150, 60}, {2, 0, 30}}}, 150},
      {"an allowance beyond a day", {{{1, 30, 2000}}}, 1440},
      {"the largest allowance there is", {{{1, 30, INT32_MAX}}}, 1440},
      {"negative allowances", {{{1, 0, -50}}}, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    EXPECT_EQ(UsageChart::TopMinutes(c.children), c.top);
  }
}

}  // namespace
}  // namespace orlimo
