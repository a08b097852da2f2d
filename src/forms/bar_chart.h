// A bar chart control: a row of bars side by side, each with a mark drawn across its place.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/control.h"

namespace orlimo::forms {

// One bar: its height and the height of its mark, in the chart's own unit.
struct ChartBar {
  std::int32_t value = 0;
  std::int32_t mark = 0;
  bool operator==(const ChartBar&) const = default;
};

// The bars are drawn in the fore colour on the back colour, each mark as a line in the mark
// colour; the chart's full height stands for Top(), so that charts with the same top compare.
// Heights below 0 are drawn as 0, heights above the top as the top. The caption is the chart's
// text for those who cannot see it (screen readers, tests); it is not drawn.
class BarChart : public Control {
 public:
  explicit BarChart(Form& form);

  const std::vector<ChartBar>& Bars() const { return bars_; }
  std::int32_t Top() const { return top_; }
  void SetBars(std::vector<ChartBar> bars, std::int32_t top);
  Color MarkColor() const { return markColor_; }
  void SetMarkColor(Color color);

 private:
  std::vector<ChartBar> bars_;
  std::int32_t top_ = 1;
  Color markColor_ = kRed;
};

}  // namespace orlimo::forms
