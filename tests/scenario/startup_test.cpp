// Start-up and shutdown of the main window.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "app/frmSmall.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::ElementsAre;

const std::string kCaption = "Orlimo Ver." ORLIMO_VERSION_TEXT "    Orlimo  (C) Orlimo 개발팀";

TEST(Startup, LogsTwoStartLinesAndPlacesTheWindowTopRight) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();

  EXPECT_THAT(scenario.LogLines(), ElementsAre("(*----------------------------*)", kCaption));
  const forms::Bounds& bounds = scenario.main().Bounds();
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.left + bounds.width, 15360);
  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(S(scenario.main().Caption()), kCaption);
}

TEST(Startup, ShowsOneRowPerUserAndSizesTheWindow) {
  struct Case {
    int users;
    int height;
  };
  for (const Case& c : {Case{0, 850}, Case{1, 1600}, Case{10, 8350}}) {
    SCOPED_TRACE(c.users);
    Scenario scenario;
    std::vector<Child> family;
    for (int i = 0; i < c.users; ++i) family.push_back({"아이" + std::to_string(i), 30});
    scenario.WriteFamily(family, /*passwordsInUse=*/true);
    scenario.Start();

    frmMain& main = scenario.main();
    EXPECT_EQ(main.Bounds().height, c.height);
    for (int i = 0; i < 10; ++i) {
      bool inUse = i < c.users;
      EXPECT_EQ(main.cmdUser[i].Visible(), inUse) << i;
      EXPECT_EQ(main.lStatus[i].Visible(), inUse) << i;
      EXPECT_EQ(main.cmdPwd[i].Visible(), inUse) << i;
    }
    if (c.users > 0) {
      EXPECT_EQ(S(main.cmdUser[0].Caption()), "아이0 (30분)");
    }
  }
}

TEST(Startup, ChimesAndLogsTheStartThirtySecondsLater) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();
  scenario.AdvanceSeconds(29.9);
  EXPECT_TRUE(scenario.CuesPlayed().empty());
  EXPECT_EQ(scenario.LogLines().size(), 2u);

  scenario.AdvanceSeconds(0.1);
  EXPECT_THAT(scenario.CuesPlayed(), ElementsAre("CHIMES.WAV"));
  EXPECT_EQ(scenario.LogLines().back(), "시작:첫째님(60분)  0분 사용, 60분 남음.");
  EXPECT_EQ(scenario.LogLinesWithStamps().back().substr(0, 19), "2026-12-06 15:00:30");
}

TEST(Startup, SecondInstanceLogsThreeLinesAndLeavesTheSettingsAlone) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60, 600}});
  std::string before = scenario.SettingsBytes();
  scenario.system.anotherInstance = true;
  scenario.Start();

  EXPECT_TRUE(scenario.Ended());
  EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());
  EXPECT_THAT(scenario.LogLines(), ElementsAre("(*----------------------------*)", kCaption,
                                               "정상종료:님(0분)  0분 사용, 0분 남음."));
  EXPECT_EQ(scenario.SettingsBytes(), before);
  EXPECT_TRUE(scenario.system.started.empty());
}

TEST(Startup, ClosingWithinThirtySecondsCreditsAndSavesNothing) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60, 600}});
  scenario.Start();
  std::string afterLoad = scenario.SettingsBytes();
  scenario.AdvanceSeconds(20);
  scenario.Close(scenario.main());

  EXPECT_TRUE(scenario.Ended());
  EXPECT_EQ(scenario.SettingsBytes(), afterLoad);
  std::vector<std::string> lines = scenario.LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[2], "정상종료:첫째님(60분)  10분 사용, 50분 남음.");
  EXPECT_EQ(lines[3], "강제종료:첫째님(60분)  10분 사용, 50분 남음.");
}

TEST(Startup, ClosingLaterCreditsTheLastStepAndStartsTheCompanionOnce) {
  struct Case {
    std::vector<platform::ProcessEntry> running;
    std::size_t starts;
  };
  // Which names count as running is the process check's table (tests/unit/process_check_test.cpp).
  for (const Case& c : {Case{{}, 1}, Case{{{77, u"VARNRUNCOM.EXE"}}, 0}}) {
    Scenario scenario;
    scenario.system.processes = c.running;
    scenario.WriteFamily({{"첫째", 60}});
    scenario.Start();
    scenario.AdvanceSeconds(45);
    scenario.Close(scenario.main());

    std::vector<std::string> lines = scenario.LogLines();
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[3], "정상종료:첫째님(60분)  0분 사용, 60분 남음.");
    EXPECT_EQ(lines[4], "강제종료:첫째님(60분)  0분 사용, 60분 남음.");
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 15);
    ASSERT_EQ(scenario.system.started.size(), c.starts);
    if (c.starts == 1) {
      EXPECT_EQ(S(scenario.system.started[0]), scenario.Folder() + "/VarnRunCom.exe");
    }
  }
}

TEST(Startup, HidingShowsTheSmallWindowInTheSameCorner) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();
  scenario.AdvanceSeconds(40);
  scenario.Click(scenario.main().cmdHide);

  frmSmall& small = scenario.program().SmallWindow();
  EXPECT_FALSE(scenario.main().Visible());
  ASSERT_TRUE(small.Visible());
  EXPECT_EQ(small.Bounds().top, 0);
  EXPECT_EQ(small.Bounds().left + small.Bounds().width, 15360);

  scenario.AdvanceSeconds(30);  // metering goes on while hidden
  EXPECT_EQ(scenario.program().settings.User(0).UsedSeconds, 30);
  scenario.ClickForm(small);
  EXPECT_FALSE(small.Loaded());
  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), "남은시간= 60분 (3570초)");
  EXPECT_EQ(scenario.main().cmdUser[0].BackColor(), forms::kGreen);
}

TEST(Startup, ClosingTheSmallWindowAlsoBringsTheMainWindowBack) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();
  scenario.Click(scenario.main().cmdHide);
  scenario.Close(scenario.program().SmallWindow());
  EXPECT_FALSE(scenario.program().SmallWindow().Loaded());
  EXPECT_TRUE(scenario.main().Visible());
}

TEST(Startup, LoggingOffRunsTheMainWindowsClosingSteps) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 60}});
  scenario.Start();
  scenario.AdvanceSeconds(50);
  scenario.Do([&] { scenario.program().SessionEnding(); });
  EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());  // Windows may end it at any moment
  EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, 20);
  std::vector<std::string> lines = scenario.LogLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_THAT(std::vector<std::string>(lines.end() - 2, lines.end()),
              ElementsAre("정상종료:첫째님(60분)  0분 사용, 60분 남음.",
                          "강제종료:첫째님(60분)  0분 사용, 60분 남음."));
}

}  // namespace
}  // namespace orlimo::testing
