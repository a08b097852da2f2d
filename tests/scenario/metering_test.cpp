// Metering the current user every 30 seconds on the virtual clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "enforce/DialogEnd.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

std::int32_t UsedSeconds(Scenario& scenario, int user = 0) {
  return scenario.program().settings.User(user).UsedSeconds;
}

// Every second of a day is the unit table's (tests/unit/metering_test.cpp); here, the steps.
TEST(Metering, StepsThirtySecondsApartCreditThirtySecondsWhateverTheStartTime) {
  for (const DateTimeFields start :
       {DateTimeFields{2026, 12, 6, 9, 59, 47}, DateTimeFields{2024, 2, 29, 23, 58, 59}}) {
    SCOPED_TRACE(S(TimestampText(start)));
    Scenario scenario(start);
    scenario.StartWith({{"첫째", 600}});
    scenario.AdvanceSeconds(30);  // start-up tick: the clock is stamped, nothing credited
    EXPECT_EQ(UsedSeconds(scenario), 0);
    for (int step = 1; step <= 5; ++step) {
      scenario.AdvanceSeconds(30);
      EXPECT_EQ(UsedSeconds(scenario), 30 * step);
      EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 30 * step);
    }
  }
}

TEST(Metering, ClockJumpsAreCreditedAsTheyAlwaysWere) {
  struct Case {
    std::int64_t shift;  // seconds the wall clock jumps between two steps 30 s apart
    std::int32_t credited;
  };
  for (const Case& c : {Case{90, 120}, Case{91, 30}, Case{-3600, 0}}) {  // more: the unit table
    SCOPED_TRACE(c.shift);
    Scenario scenario;
    scenario.StartWith({{"첫째", 600}});
    scenario.AdvanceSeconds(30);
    scenario.ShiftClockSeconds(c.shift);
    scenario.AdvanceSeconds(30);
    EXPECT_EQ(UsedSeconds(scenario), c.credited);
    EXPECT_EQ(scenario.main().ElapsedSeconds(), static_cast<float>(c.credited));
    scenario.AdvanceSeconds(30);  // the next step counts from the new clock reading
    EXPECT_EQ(UsedSeconds(scenario), c.credited + 30);
  }
}

// The rounding itself is the unit table's (tests/unit/metering_test.cpp); here, that the shown
// time and the time-out use the rounded minutes: 8.5 rounds down, 9.5 up.
TEST(Metering, TheTimeOutComesAtTheRoundedMinute) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 10, 450}});
  scenario.AdvanceSeconds(90);  // the start-up step, then 480 s and 510 s
  EXPECT_EQ(UsedSeconds(scenario), 510);
  EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), "남은시간= 2분 (90초)");
  scenario.AdvanceSeconds(30);  // 540 s
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
  scenario.AdvanceSeconds(30);  // 570 s
  EXPECT_TRUE(scenario.program().EndDialog().Visible());
}

TEST(Metering, AUsageLineIsWrittenAtTheSixtyFirstStep) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 600}});
  scenario.AdvanceSeconds(30 + 58 * 30);  // the start-up step and 58 more
  auto countInUse = [&] {
    auto lines = scenario.LogLines();
    return std::count_if(lines.begin(), lines.end(),
                         [](const std::string& line) { return line.starts_with("사용중:"); });
  };
  EXPECT_EQ(countInUse(), 0);
  scenario.AdvanceSeconds(30);
  EXPECT_EQ(countInUse(), 0);
  scenario.AdvanceSeconds(30);  // step 61
  EXPECT_EQ(countInUse(), 1);
  EXPECT_EQ(scenario.LogLines().back(), "사용중:첫째님(600분)  30분 사용, 570분 남음.");
  scenario.AdvanceSeconds(61 * 30);
  EXPECT_EQ(countInUse(), 2);
}

TEST(Metering, ADayOfUseIsMeteredToTheSecond) {
  Scenario scenario({2026, 12, 6, 8, 0, 0});
  scenario.StartWith({{"첫째", 24 * 60}});
  scenario.AdvanceSeconds(30 + 12 * 3600);
  EXPECT_EQ(UsedSeconds(scenario), 12 * 3600);
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 12 * 3600);
}

TEST(Metering, UsageIsClearedOnlyOnALaterCalendarDate) {
  struct Case {
    DateTimeFields lastReset;
    bool cleared;
  };
  const DateTimeFields today{2026, 12, 6, 15, 0, 0};
  for (const Case& c : {Case{{2026, 12, 6, 0, 0, 1}, false}, Case{{2026, 12, 5, 23, 59, 59}, true},
                        Case{{2026, 11, 6, 15, 0, 0}, true}, Case{{2025, 12, 6, 15, 0, 0}, true},
                        // The clock or time zone set back: the stored day waits until reached.
                        Case{{2026, 12, 7, 0, 0, 1}, false}, Case{{2027, 1, 6, 9, 0, 0}, false}}) {
    SCOPED_TRACE(S(TimestampText(c.lastReset)));
    Scenario scenario(today);
    scenario.WriteSettings(FamilySettings({{"아이", 60, 1200}, {"아이", 60, 1200}}, false, "5927",
                                          DateFromFields(c.lastReset)));
    scenario.Start();
    Settings onDisk = scenario.SettingsOnDisk();
    for (int u = 0; u < 2; ++u) {
      EXPECT_EQ(onDisk.User(u).UsedSeconds, c.cleared ? 0 : 1200);
      EXPECT_EQ(onDisk.User(u).UsedMinutes, c.cleared ? 0 : 20);
      EXPECT_EQ(onDisk.User(u).Day,
                c.cleared ? DateFromFields(today) : DateFromFields(c.lastReset));
    }
  }
}

}  // namespace
}  // namespace orlimo::testing
