#include "console/frmUsageChart.h"

#include <algorithm>
#include <vector>

#include "console/setup_texts.h"
#include "console/usage_chart.h"

namespace orlimo {
namespace {

constexpr int kClientWidth = 10140;
constexpr int kDaySlot = 480;
constexpr int kChartLeft = 1650;
constexpr int kChartWidth = kDaySlot * Main::kChartDays;
constexpr int kTodayLeft = kChartLeft + kChartWidth + 90;
constexpr int kRowsTop = 1020;
// The rows share the height of the rows area, each between the smallest and largest step.
constexpr int kRowsHeight = 6000;
constexpr int kSmallestRowStep = 780;
constexpr int kLargestRowStep = 1200;
constexpr int kRowGap = 90;
constexpr forms::Color kBarBlue = forms::Rgb(0x40, 0x80, 0xE0);
constexpr forms::Color kMarkRed = forms::Rgb(0xE0, 0x00, 0x00);
constexpr forms::Color kSaturdayBlue = forms::Rgb(0x00, 0x00, 0xC0);
constexpr forms::Color kLightCyan = forms::Rgb(0xC0, 0xFF, 0xFF);
const forms::Font kDayFont{u"굴림", 8, false};

constexpr char16_t kTitlePrefix[] = u"최근 ";
constexpr char16_t kTitleSuffix[] = u"일 사용시간";
constexpr char16_t kUsedKey[] = u"■ 쓴 시간";
constexpr char16_t kAllowanceKey[] = u"━ 그날의 하루시간";
constexpr char16_t kTopPrefix[] = u"그래프 맨 위 = ";

}  // namespace

frmUsageChart::frmUsageChart(Program& program)
    : Form(program.runtime),
      lTitle(*this),
      lUsedKey(*this),
      lAllowanceKey(*this),
      lTop(*this),
      lName(*this),
      chtDays(*this),
      lToday(*this),
      lDay(*this),
      lWeekday(*this),
      cmdClose(*this),
      program_(program) {
  cmdClose.onClick = [this] { Unload(); };
}

void frmUsageChart::Design() {
  SetCaption(forms::kAppTitle);
  lTitle.Move(180, 150, 6000, 330);
  lTitle.SetCaption(kTitlePrefix + DecimalText(Main::kChartDays) + kTitleSuffix);
  lTitle.SetFont({u"굴림", 12, true});
  lUsedKey.Move(kChartLeft, 630, 1500, 255);
  lUsedKey.SetCaption(kUsedKey);
  lUsedKey.SetForeColor(kBarBlue);
  lAllowanceKey.Move(kChartLeft + 1560, 630, 2400, 255);
  lAllowanceKey.SetCaption(kAllowanceKey);
  lAllowanceKey.SetForeColor(kMarkRed);
  lTop.Move(kChartLeft + 4080, 630, kClientWidth - kChartLeft - 4260, 255);
  for (int r = 0; r < kMaxUsers; ++r) {
    lName[r].SetFont({u"굴림", 9, true});
    chtDays[r].SetForeColor(kBarBlue);
    chtDays[r].SetMarkColor(kMarkRed);
  }
  for (int d = 0; d < Main::kChartDays; ++d) {
    for (forms::Label* label : {&lDay[d], &lWeekday[d]}) {
      label->SetCentered(true);
      label->SetFont(kDayFont);
    }
  }
  cmdClose.SetCaption(u"닫기");
  cmdClose.SetBackColor(kLightCyan);
  cmdClose.SetTabIndex(0);
}

void frmUsageChart::Form_Load() {
  const SessionSnapshot& view = program_.view;
  const DayNumber today = program_.Today();
  const FamilyDays family = program_.supervision().ReadDays();
  std::vector<std::vector<Main::ChartDay>> figures;
  for (int r = 0; r <= view.UserCount() && r < kMaxUsers; ++r) {
    // Today's figures are the ones the supervision meters now.
    const RowView& row = view.users[static_cast<std::size_t>(r)];
    UserEntry user;
    user.Day = today;
    user.LimitMinutes = row.limitMinutes;
    user.UsedMinutes = row.usedMinutes;
    figures.push_back(Main::ChartFigures(user, family.at(static_cast<std::size_t>(r)), today));
  }
  const std::int32_t top = UsageChart::TopMinutes(figures);
  lTop.SetCaption(kTopPrefix + DecimalText(top) + SetupTexts::kMinutes);
  for (int r = 0; r < kMaxUsers; ++r) {
    const bool shown = r < static_cast<int>(figures.size());
    lName[r].SetVisible(shown);
    chtDays[r].SetVisible(shown);
    lToday[r].SetVisible(shown);
    if (!shown) continue;
    const std::vector<Main::ChartDay>& days = figures[static_cast<std::size_t>(r)];
    std::vector<forms::ChartBar> bars;
    for (const Main::ChartDay& day : days) bars.push_back({day.UsedMinutes, day.AllowanceMinutes});
    lName[r].SetCaption(view.NameOf(r));
    chtDays[r].SetBars(std::move(bars), top);
    chtDays[r].SetCaption(view.NameOf(r) + u": " + UsageChart::FiguresText(days));
    lToday[r].SetCaption(SetupTexts::kToday + DecimalText(days.back().UsedMinutes) + u"/" +
                         DecimalText(days.back().AllowanceMinutes) + SetupTexts::kMinutes);
  }
  for (int d = 0; d < Main::kChartDays; ++d) {
    const DayNumber day = today - (Main::kChartDays - 1) + d;
    const int weekday = Main::WeekdayOf(day);
    lDay[d].SetCaption(UsageChart::DayCaption(day, d == 0));
    lWeekday[d].SetCaption(SetupTexts::kWeekdayNames[static_cast<std::size_t>(weekday)]);
    lWeekday[d].SetForeColor(weekday == 0   ? kMarkRed
                             : weekday == 6 ? kSaturdayBlue
                                            : forms::kButtonText);
  }
  PlaceRows(static_cast<int>(figures.size()));
}

// The rows of the children shown, the days under them and the close button under the days; the
// window's height follows the number of children.
void frmUsageChart::PlaceRows(int rows) {
  const int step = std::clamp(kRowsHeight / std::max(rows, 1), kSmallestRowStep, kLargestRowStep);
  const int chartHeight = step - kRowGap;
  for (int r = 0; r < rows; ++r) {
    const int top = kRowsTop + step * r;
    lName[r].Move(180, top + chartHeight - 300, kChartLeft - 270, 255);
    chtDays[r].Move(kChartLeft, top, kChartWidth, chartHeight);
    lToday[r].Move(kTodayLeft, top + chartHeight - 300, kClientWidth - kTodayLeft - 90, 255);
  }
  const int daysTop = kRowsTop + step * std::max(rows, 1) - kRowGap + 45;
  for (int d = 0; d < Main::kChartDays; ++d) {
    lDay[d].Move(kChartLeft + kDaySlot * d, daysTop, kDaySlot, 225);
    lWeekday[d].Move(kChartLeft + kDaySlot * d, daysTop + 240, kDaySlot, 225);
  }
  const int closeTop = daysTop + 600;
  cmdClose.SetBounds({kClientWidth - 180 - 1200, closeTop, 1200, 405});
  SetClientSize(kClientWidth, closeTop + 405 + 150);
  CenterOnScreen();
}

}  // namespace orlimo
