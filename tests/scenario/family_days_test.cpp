// The console's days window (extra minutes for today, weekday allowances) and the usage chart.
// The notices and the day's allowance at work: supervision_test.cpp.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/frmMain.h"
#include "app/frmNotice.h"
#include "console/frmChildDays.h"
#include "console/frmSetup.h"
#include "console/frmUsageChart.h"
#include "enforce/DialogEnd.h"
#include "records/day_allowance.h"
#include "records/family_days.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::ElementsAre;

TEST(FamilyDays, TheConsoleGivesAndTakesBackTodaysMinutesAndSetsWeekdays) {
  Scenario scenario;  // a Sunday
  scenario.StartWith({{"첫째", 60, 3600}, {"둘째", 30}});
  frmSetup& console = scenario.OpenConsole();
  EXPECT_EQ(S(console.cmdDays[0].Caption()), "오늘 60분");
  EXPECT_FALSE(console.cmdDays[2].Visible());
  frmChildDays& dialog = scenario.program().DaysDialog();
  struct Step {
    std::string extra;
    std::string sunday;
    std::string log;
    std::string button;
  };
  const std::vector<Step> steps = {
      {"20", "", "추가시간:첫째님 20분 더함, 오늘 80분", "오늘 80분"},
      {"5", "", "추가시간:첫째님 15분 뺌, 오늘 65분", "오늘 65분"},
      {"5", "90", "추가시간:첫째님 15분 뺌, 오늘 65분", "오늘 95분"},  // no new log line
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.button);
    scenario.Click(console.cmdDays[0]);
    ASSERT_TRUE(dialog.Visible());
    EXPECT_EQ(S(dialog.lTitle.Caption()), "첫째 님의 요일별 하루시간(분)과 쓸 수 있는 시간대");
    scenario.Edit(dialog.tExtra, step.extra);
    scenario.Edit(dialog.tWeekday[0], step.sunday);
    scenario.Click(dialog.cmdOK);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(scenario.LogLines().back(), step.log);
    EXPECT_EQ(S(console.cmdDays[0].Caption()), step.button);
  }
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (95분)");
  // The hours, what happens at the end and the locked time: a portable program offers no lock.
  scenario.Click(console.cmdDays[0]);
  EXPECT_EQ(S(dialog.cmdEnd.Caption()), "전원 끄기");
  EXPECT_TRUE(dialog.lEndNote.Visible());
  scenario.Edit(dialog.tHours[6], " 08:00-22:30 ");
  scenario.Click(dialog.cmdEnd);
  EXPECT_EQ(S(dialog.cmdEnd.Caption()), "로그오프");
  scenario.Click(dialog.cmdEnd);
  EXPECT_EQ(S(dialog.cmdEnd.Caption()), "전원 끄기");
  scenario.Click(dialog.cmdEnd);
  scenario.Do([&] { dialog.chkLocked.SetValue(1); });
  scenario.Click(dialog.cmdOK);
  EXPECT_FALSE(dialog.Loaded());
  scenario.Click(console.cmdDays[1]);
  for (const auto& [box, text] :
       std::vector<std::pair<forms::TextBox*, std::string>>{{&dialog.tWeekday[4], "99999999999"},
                                                            {&dialog.tHours[2], "21:30-07:00"},
                                                            {&dialog.tHours[3], "7:00-21:30"},
                                                            {&dialog.tHours[4], "08:00-24:01"}}) {
    scenario.Edit(*box, text);
    scenario.Click(dialog.cmdOK);
    EXPECT_TRUE(dialog.Visible()) << text << " refused with a message";
    scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
    scenario.Edit(*box, "");
  }
  scenario.Edit(dialog.tWeekday[3], "4x");  // read as 4, like the grid's minutes
  scenario.Click(dialog.cmdCancel);
  scenario.Click(console.cmdStoreEnd);

  FamilyDays onDisk = scenario.DaysOnDisk();
  EXPECT_EQ(onDisk[0].WeekdayMinutes[0], 90);
  EXPECT_EQ(onDisk[0].ExtraMinutes, 5);
  EXPECT_EQ(onDisk[0].Hours[6], (AllowedHours{8 * 60, 22 * 60 + 30}));
  EXPECT_EQ(onDisk[0].End, EndAction::LogOff);
  EXPECT_FALSE(onDisk[0].LockedTimeCounts);
  EXPECT_EQ(onDisk[1], ChildDays{});
  scenario.AdvanceSeconds(60);
  EXPECT_FALSE(scenario.program().EndDialog().Visible());  // 60 of 95 minutes used
}

// The chart's figures come from Family.ini's history and today's running use, for 14 days up to
// today across a month's end; a day without a record is empty against its weekday's allowance.
TEST(FamilyDays, TheConsoleOpensTheUsageChartOfTheLastFourteenDays) {
  Scenario scenario(Host::Portable, {2026, 12, 7, 15, 0, 0});  // a Monday
  scenario.WriteFamily({{"첫째", 60, 1500}, {"둘째", 30}});
  FamilyDays days{};
  const DayNumber today = DayOfDate({2026, 12, 7});
  Main::RecordUsage(days[0], today - 13, 50, 60, today);
  Main::RecordUsage(days[0], today - 14, 99, 60, today);  // before the chart
  Main::RecordUsage(days[0], today - 7, 100, 90, today);
  Main::RecordUsage(days[1], today - 1, 45, 30, today);
  days[1].WeekdayMinutes[6] = 90;
  scenario.WriteDays(days);
  scenario.Start();
  frmSetup& console = scenario.OpenConsole();
  frmUsageChart& chart = scenario.program().ChartWindow();
  scenario.Click(console.cmdChart);
  ASSERT_TRUE(chart.Visible());
  EXPECT_TRUE(chart.Modal());

  struct Day {
    int slot;
    std::string caption;
    std::string weekday;
    forms::ChartBar first;
    forms::ChartBar second;
  };
  const std::vector<Day> table = {
      {0, "11/24", "화", {50, 60}, {0, 30}}, {1, "25", "수", {0, 60}, {0, 30}},
      {6, "30", "월", {100, 90}, {0, 30}},   {7, "12/1", "화", {0, 60}, {0, 30}},
      {11, "5", "토", {0, 60}, {0, 90}},     {12, "6", "일", {0, 60}, {45, 30}},
      {13, "7", "월", {25, 60}, {0, 30}},
  };
  ASSERT_EQ(chart.chtDays[0].Bars().size(), 14u);
  ASSERT_EQ(chart.chtDays[1].Bars().size(), 14u);
  for (const Day& day : table) {
    SCOPED_TRACE(day.caption);
    EXPECT_EQ(S(chart.lDay[day.slot].Caption()), day.caption);
    EXPECT_EQ(S(chart.lWeekday[day.slot].Caption()), day.weekday);
    EXPECT_EQ(chart.chtDays[0].Bars()[static_cast<std::size_t>(day.slot)], day.first);
    EXPECT_EQ(chart.chtDays[1].Bars()[static_cast<std::size_t>(day.slot)], day.second);
  }
  EXPECT_EQ(S(chart.lName[1].Caption()), "둘째");
  EXPECT_EQ(S(chart.lToday[0].Caption()), "오늘 25/60분");
  EXPECT_FALSE(chart.chtDays[2].Visible());
  EXPECT_EQ(chart.chtDays[0].Top(), 120);
  EXPECT_EQ(chart.chtDays[1].Top(), 120);  // the same height for every child, so bars compare
  EXPECT_EQ(S(chart.lTop.Caption()), "그래프 맨 위 = 120분");
  EXPECT_THAT(S(chart.chtDays[1].Caption()), ::testing::StartsWith("둘째: 0/30 0/30 "));
  scenario.Click(chart.cmdClose);
  EXPECT_FALSE(chart.Loaded());
  EXPECT_TRUE(console.Visible());
}

}  // namespace
}  // namespace orlimo::testing
