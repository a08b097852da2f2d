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

// Two start lines at once, the window top right; the chime and the start line 30 s later.
TEST(Startup, LogsTwoStartLinesPlacesTheWindowTopRightAndChimesThirtySecondsLater) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 60}});
  EXPECT_THAT(scenario.LogLines(), ElementsAre("(*----------------------------*)", kCaption));
  const forms::Bounds& bounds = scenario.main().Bounds();
  EXPECT_EQ(bounds.top, 0);
  EXPECT_EQ(bounds.left + bounds.width, 15360);
  EXPECT_TRUE(scenario.main().Visible());
  EXPECT_EQ(S(scenario.main().Caption()), kCaption);

  scenario.AdvanceSeconds(29.9);
  EXPECT_TRUE(scenario.CuesPlayed().empty());
  EXPECT_EQ(scenario.LogLines().size(), 2u);
  scenario.AdvanceSeconds(0.1);
  EXPECT_THAT(scenario.CuesPlayed(), ElementsAre("CHIMES.WAV"));
  EXPECT_EQ(scenario.LogLines().back(), "시작:첫째님(60분)  0분 사용, 60분 남음.");
  EXPECT_EQ(scenario.LogLinesWithStamps().back().substr(0, 19), "2026-12-06 15:00:30");
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
    scenario.StartWith(family, /*passwordsInUse=*/true);

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

// Which names count as running is the process check's table (tests/unit/process_check_test.cpp).
TEST(Startup, ClosingCreditsTheLastStepAndStartsTheCompanionUnlessTheSessionEnds) {
  struct Case {
    const char* what;
    int seconds;  // after the start
    bool logOff;  // Windows ends the session instead of a close
    std::vector<platform::ProcessEntry> running;
    std::int32_t saved;  // used seconds in Setup.ini afterwards
    std::size_t starts;  // of the companion
  };
  const Case cases[] = {
      {"closed before the start-up step: nothing credited", 20, false, {}, 600, 1},
      {"closed after it", 45, false, {}, 615, 1},
      {"closed, the companion running", 45, false, {{77, u"VARNRUNCOM.EXE"}}, 615, 0},
      {"logging off: Windows may end it at any moment", 50, true, {}, 620, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scenario scenario;
    scenario.system.processes = c.running;
    scenario.StartWith({{"첫째", 60, 600}});
    const std::string afterLoad = scenario.SettingsBytes();
    scenario.AdvanceSeconds(c.seconds);
    if (c.logOff) {
      scenario.Do([&] { scenario.program().SessionEnding(); });
    } else {
      scenario.Close(scenario.main());
    }

    EXPECT_TRUE(scenario.Ended());
    EXPECT_EQ(scenario.renderer.ProgramEndedAtOnce(), c.logOff);
    EXPECT_EQ(scenario.SettingsOnDisk().User(0).UsedSeconds, c.saved);
    if (c.seconds < 30) {
      EXPECT_EQ(scenario.SettingsBytes(), afterLoad);
    }
    const std::vector<std::string> lines = scenario.LogLines();
    ASSERT_EQ(lines.size(), c.seconds < 30 ? 4u : 5u);  // the start-up step's line, if reached
    EXPECT_THAT(std::vector<std::string>(lines.end() - 2, lines.end()),
                ElementsAre("정상종료:첫째님(60분)  10분 사용, 50분 남음.",
                            "강제종료:첫째님(60분)  10분 사용, 50분 남음."));
    ASSERT_EQ(scenario.system.started.size(), c.starts);
    if (c.starts == 1) {
      EXPECT_EQ(S(scenario.system.started[0]), scenario.Folder() + "/VarnRunCom.exe");
    }
  }
}

TEST(Startup, HidingShowsTheSmallWindowInTheSameCorner) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 60}});
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

  scenario.Click(scenario.main().cmdHide);  // closing the small window also brings it back
  scenario.Close(small);
  EXPECT_FALSE(small.Loaded());
  EXPECT_TRUE(scenario.main().Visible());
}

}  // namespace
}  // namespace orlimo::testing
