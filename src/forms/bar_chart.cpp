#include "forms/bar_chart.h"

#include <utility>

namespace orlimo::forms {

BarChart::BarChart(Form& form) : Control(form, ControlKind::BarChart) {
  SetBackColor(kWhite);
}

void BarChart::SetBars(std::vector<ChartBar> bars, std::int32_t top) {
  if (top < 1) top = 1;
  if (bars == bars_ && top == top_) return;
  bars_ = std::move(bars);
  top_ = top;
  Changed(Property::Bars);
}

void BarChart::SetMarkColor(Color color) {
  if (color == markColor_) return;
  markColor_ = color;
  Changed(Property::Bars);
}

}  // namespace orlimo::forms
