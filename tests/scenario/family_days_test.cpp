// A child's day beyond the daily allowance: the end-of-time notices, extra minutes for today,
// weekday allowances and the figures of the usage chart.
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

DayNumber DayOfFields(const DateTimeFields& fields) {
  return Main::DayOf(DateFromFields({fields.year, fields.month, fields.day, 0, 0, 0}));
}

// Family.ini for the family already in Setup.ini.
void WriteDays(Scenario& scenario, const FamilyDays& days) {
  Main::SaveFamilyDays(days, scenario.SettingsOnDisk(), scenario.FolderText(), scenario.codePage);
}

// What the notice said at each 30-second step that showed one, with the seconds used then.
struct Shown {
  std::int32_t usedSeconds;
  std::string text;
  bool operator==(const Shown&) const = default;
};

std::vector<Shown> RunSteps(Scenario& scenario, int steps) {
  std::vector<Shown> shown;
  frmNotice& notice = scenario.program().Notice();
  for (int i = 0; i < steps; ++i) {
    bool wasShown = notice.Visible();
    scenario.AdvanceSeconds(10);
    if (wasShown) {
      EXPECT_FALSE(notice.Loaded()) << "closes itself after 10 s";
    }
    scenario.AdvanceSeconds(20);
    if (notice.Visible()) {
      shown.push_back(
          {scenario.program().settings.User(0).UsedSeconds, S(notice.lMessage.Caption())});
      EXPECT_TRUE(notice.TopMost());
      EXPECT_TRUE(notice.NoActivate());  // the child's typing stays where it was
      EXPECT_EQ(scenario.CuesPlayed().back(), "CHIMES.WAV");
    }
  }
  return shown;
}

const std::string kFive = "첫째 님, 5분 남았습니다.";
const std::string kOne = "첫째 님, 1분 남았습니다. 작업을 저장하십시오.";

TEST(FamilyDays, NoticesAtFiveAndOneMinuteOnceAndAgainAfterExtraMinutes) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 10, 0}});
  std::vector<Shown> shown = RunSteps(scenario, 19);
  EXPECT_THAT(shown, ElementsAre(Shown{300, kFive}, Shown{540, kOne}));
  EXPECT_FALSE(scenario.program().EndDialog().Visible());

  scenario.Do([&] {
    Main::GiveExtraMinutes(scenario.program().family[0], scenario.program().Today(), 10);
  });
  shown = RunSteps(scenario, 20);
  EXPECT_THAT(shown, ElementsAre(Shown{900, kFive}, Shown{1140, kOne}));
  EXPECT_FALSE(scenario.program().EndDialog().Visible());
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (20분)");
}

TEST(FamilyDays, NoNoticeWhileTheConsoleIsOpen) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 10, 280}});
  scenario.AdvanceSeconds(30);  // the start-up tick: 320 s left
  frmSetup& console = scenario.OpenConsole();
  ASSERT_TRUE(console.Visible());
  scenario.AdvanceSeconds(180);
  EXPECT_FALSE(scenario.program().Notice().Loaded());
  scenario.Close(console);
  // Either timer may tick first 30 s after the closing; the next metering step credits 30 s.
  scenario.AdvanceSeconds(30);
  if (!scenario.program().Notice().Visible()) scenario.AdvanceSeconds(30);
  ASSERT_TRUE(scenario.program().Notice().Visible());
  EXPECT_EQ(S(scenario.program().Notice().lMessage.Caption()), kFive);
}

TEST(FamilyDays, TheDaysAllowanceDecidesTheTimeOut) {
  struct Case {
    const char* story;
    int day;  // of December 2026
    bool extraToday;
    bool timeOutAtStart;
    std::string row;
  };
  // 첫째: 60 minutes a day, 120 on Saturdays, 3700 s used; 20 extra minutes when given for today.
  const std::vector<Case> cases = {
      {"Saturday's allowance on a Saturday", 5, false, false, "첫째 (120분)"},
      {"the daily allowance on a Monday", 7, false, true, "첫째 (60분)"},
      {"extra minutes lift the time-out", 7, true, false, "첫째 (80분)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.story);
    const DateTimeFields start{2026, 12, c.day, 15, 0, 0};
    Scenario scenario(start);
    scenario.WriteFamily({{"첫째", 60, 3700}});
    FamilyDays days{};
    days[0].WeekdayMinutes[6] = 120;
    if (c.extraToday) Main::GiveExtraMinutes(days[0], DayOfFields(start), 20);
    WriteDays(scenario, days);
    scenario.Start();
    scenario.AdvanceSeconds(30);
    EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), c.row);
    EXPECT_EQ(scenario.program().EndDialog().Visible(), c.timeOutAtStart);
  }
}

TEST(FamilyDays, ExtraMinutesVanishAtMidnight) {
  Scenario scenario({2026, 12, 6, 23, 58, 0});
  scenario.WriteFamily({{"첫째", 10, 900}});
  FamilyDays days{};
  Main::GiveExtraMinutes(days[0], DayOfFields({2026, 12, 6}), 30);
  WriteDays(scenario, days);
  scenario.Start();
  scenario.AdvanceSeconds(30);  // 23:58:30
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (40분)");
  scenario.AdvanceSeconds(60);  // 23:59:30
  EXPECT_FALSE(scenario.program().EndDialog().Visible());
  scenario.AdvanceSeconds(30);  // midnight: the day's allowance is 10 minutes again
  EXPECT_TRUE(scenario.program().EndDialog().Visible());
}

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
    EXPECT_EQ(S(dialog.lTitle.Caption()), "첫째 님의 요일별 하루시간(분)");
    scenario.Edit(dialog.tExtra, step.extra);
    scenario.Edit(dialog.tWeekday[0], step.sunday);
    scenario.Click(dialog.cmdOK);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(scenario.LogLines().back(), step.log);
    EXPECT_EQ(S(console.cmdDays[0].Caption()), step.button);
  }
  EXPECT_EQ(S(scenario.main().cmdUser[0].Caption()), "첫째 (95분)");
  scenario.Click(console.cmdDays[1]);
  scenario.Edit(dialog.tWeekday[3], "4x");  // read as 4, like the grid's minutes
  scenario.Edit(dialog.tWeekday[4], "99999999999");
  scenario.Click(dialog.cmdOK);
  EXPECT_TRUE(dialog.Visible()) << "refused with a message";
  scenario.Click(dialog.cmdCancel);
  scenario.Click(console.cmdStoreEnd);

  FamilyDays onDisk =
      Main::LoadFamilyDays(scenario.SettingsOnDisk(), scenario.FolderText(), scenario.codePage);
  EXPECT_EQ(onDisk[0].WeekdayMinutes[0], 90);
  EXPECT_EQ(onDisk[0].ExtraMinutes, 5);
  EXPECT_EQ(onDisk[1], ChildDays{});
  scenario.AdvanceSeconds(60);
  EXPECT_FALSE(scenario.program().EndDialog().Visible());  // 60 of 95 minutes used
}

// The chart's figures come from Family.ini's history and today's running use, for 14 days up to
// today across a month's end; a day without a record is empty against its weekday's allowance.
TEST(FamilyDays, TheConsoleOpensTheUsageChartOfTheLastFourteenDays) {
  Scenario scenario({2026, 12, 7, 15, 0, 0});  // a Monday
  scenario.WriteFamily({{"첫째", 60, 1500}, {"둘째", 30}});
  FamilyDays days{};
  const DayNumber today = DayOfFields({2026, 12, 7});
  Main::RecordUsage(days[0], today - 13, 50, 60, today);
  Main::RecordUsage(days[0], today - 14, 99, 60, today);  // before the chart
  Main::RecordUsage(days[0], today - 7, 100, 90, today);
  Main::RecordUsage(days[1], today - 1, 45, 30, today);
  days[1].WeekdayMinutes[6] = 90;
  WriteDays(scenario, days);
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
