// Drawing of the bar charts: the back colour, a base line, each bar in its slot and its mark as a
// line across the slot, heights scaled so that the chart's top fills the window.
#include <algorithm>
#include <cstdint>

#include "forms/bar_chart.h"
#include "win32/desktop.h"

namespace orlimo::win32 {
namespace {

constexpr COLORREF kBaseLine = RGB(128, 128, 128);

// The pixels from the bottom that a height stands for, within 0 and the full height.
int Scaled(std::int32_t value, std::int32_t top, int fullHeight) {
  std::int64_t clamped = std::clamp<std::int64_t>(value, 0, top);
  return static_cast<int>(clamped * fullHeight / top);
}

void FillSolid(HDC dc, const RECT& rect, COLORREF color) {
  SetBkColor(dc, color);
  ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

}  // namespace

void Desktop::DrawBarChart(FormWindow& window, const forms::BarChart& chart,
                           const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const RECT& area = item.rcItem;
  FillRect(dc, &area, gdi_.Brush(chart.BackColor()));
  const int left = static_cast<int>(area.left);
  const int top = static_cast<int>(area.top);
  const int right = static_cast<int>(area.right);
  const int bottom = static_cast<int>(area.bottom);
  const int dpi = static_cast<int>(window.dpi);
  const int line = std::max(1, MulDiv(2, dpi, 96));
  const int margin = MulDiv(3, dpi, 96);
  // The base line lies under the bars; the top keeps a margin so that a mark there shows whole.
  const int base = bottom - line;
  const int fullHeight = std::max(1, base - top - margin - line);
  FillSolid(dc, {left, base, right, bottom}, kBaseLine);

  const std::vector<forms::ChartBar>& bars = chart.Bars();
  if (bars.empty()) return;
  const int count = static_cast<int>(bars.size());
  const int width = right - left;
  const COLORREF barColor = ColorRefOf(chart.ForeColor());
  const COLORREF markColor = ColorRefOf(chart.MarkColor());
  for (int i = 0; i < count; ++i) {
    const forms::ChartBar& bar = bars[static_cast<std::size_t>(i)];
    const int slotLeft = left + MulDiv(width, i, count);
    const int slotRight = left + MulDiv(width, i + 1, count);
    const int slot = slotRight - slotLeft;
    const int barLeft = slotLeft + slot / 5;
    const int barRight = slotRight - slot / 5;
    const int height = Scaled(bar.value, chart.Top(), fullHeight);
    if (height > 0) FillSolid(dc, {barLeft, base - height, barRight, base}, barColor);
    const int markY = base - Scaled(bar.mark, chart.Top(), fullHeight);
    FillSolid(dc, {slotLeft + slot / 10, markY - line, slotRight - slot / 10, markY}, markColor);
  }
}

}  // namespace orlimo::win32
