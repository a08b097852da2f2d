// An allowance used up: the countdown dialog, the end lines and the power-off requests.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "enforce/DialogEnd.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::ElementsAre;

const std::vector<std::string> kAdvice = {"독서를 합시다",     "운동을 합시다",
                                          "음악감상 합시다",   "엄마와 대화합시다",
                                          "아빠와 대화합시다", "컴.중독되지맙시다"};

TEST(TimeOut, TheFirstUserWithTimeLeftBecomesCurrent) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 30, 1800}, {"둘째", 0}, {"셋째", 45, 600}, {"넷째", 60}});
  EXPECT_EQ(scenario.program().CurrentUser, 2);
  EXPECT_EQ(scenario.main().cmdUser[2].BackColor(), forms::kGreen);
  EXPECT_EQ(scenario.main().lStatus[2].ForeColor(), forms::kRed);
  EXPECT_EQ(scenario.main().cmdUser[0].BackColor(), forms::Rgb(224, 224, 224));
  EXPECT_EQ(scenario.main().lStatus[0].ForeColor(), forms::kButtonText);
  EXPECT_EQ(S(scenario.main().lStatus[2].Caption()), "남은시간= 35분 (2100초)");
  EXPECT_EQ(S(scenario.main().lStatus[0].Caption()), "남은시간= 0분 (0초)");
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(scenario.main().cmdPwd[i].Visible());
}

TEST(TimeOut, EveryoneUsedUpCountsDownThirtySecondsAndPowersOff) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 30, 1800}, {"둘째", 20, 1500}});
  EXPECT_EQ(scenario.program().CurrentUser, 1);  // the last user, although used up
  scenario.AdvanceSeconds(30);

  DialogEnd& dialog = scenario.program().EndDialog();
  ASSERT_TRUE(dialog.Visible());
  EXPECT_TRUE(dialog.Modal());
  EXPECT_EQ(S(dialog.Caption()), "시간이 다 되었습니다. 이제 종료합니다.");
  EXPECT_EQ(dialog.BackColor(), forms::kRed);
  EXPECT_TRUE(dialog.TopMost());  // in sight over a full-screen game
  EXPECT_EQ(dialog.Bounds().left * 2 + dialog.Bounds().width, 15360);
  EXPECT_EQ(dialog.Bounds().top * 2 + dialog.Bounds().height, 11520);
  EXPECT_EQ(S(dialog.lUserName.Caption()), "둘째 님");
  EXPECT_EQ(S(dialog.lCountDown.Caption()), "30 초");
  EXPECT_EQ(dialog.lCountDown.Font(), (forms::Font{u"Arial Black", 72, true}));
  EXPECT_EQ(scenario.LogLines().back(), "종료시작:둘째님(20분)  25분 사용, -5분 남음.");
  EXPECT_EQ(scenario.CuesPlayed().back(), "CASHREG.WAV");

  std::vector<std::string> counts;
  for (int tick = 1; tick <= 59; ++tick) {
    scenario.AdvanceMs(500);
    counts.push_back(S(dialog.lCountDown.Caption()));
    ASSERT_EQ(S(dialog.lGoodMsg.Caption()), kAdvice[static_cast<std::size_t>((tick - 1) % 6)]);
    ASSERT_EQ(scenario.CuesPlayed().back(), "BUTTON.WAV");
  }
  EXPECT_THAT(std::vector<std::string>(counts.begin(), counts.begin() + 5),
              ElementsAre("30 초", "29 초", "29 초", "28 초", "28 초"));
  EXPECT_EQ(counts.back(), "1 초");
  std::vector<std::string> cues = scenario.CuesPlayed();
  EXPECT_EQ(std::count(cues.begin(), cues.end(), "BUTTON.WAV"), 59);
  EXPECT_FALSE(scenario.system.exitRequested);
  EXPECT_FALSE(scenario.Ended());
  scenario.Close(dialog);  // the countdown cannot be closed, nor the main window, nor hidden
  scenario.Close(scenario.main());
  scenario.Click(scenario.main().cmdHide);
  EXPECT_TRUE(dialog.Visible());
  EXPECT_TRUE(scenario.main().Visible());

  scenario.AdvanceMs(500);  // 30 s after the dialog opened: windows hidden, power-off asked
  EXPECT_FALSE(scenario.Ended());
  EXPECT_FALSE(dialog.Visible());
  EXPECT_FALSE(scenario.main().Loaded());
  EXPECT_EQ(scenario.system.exitFlags, 24u);  // programs that do not answer are ended
  scenario.AdvanceSeconds(59.9);
  EXPECT_FALSE(scenario.Ended());
  scenario.AdvanceSeconds(0.1);  // the session outlived the request by a minute: forced
  EXPECT_TRUE(scenario.Ended());
  EXPECT_TRUE(scenario.renderer.ProgramEndedAtOnce());
  std::vector<std::string> lines = scenario.LogLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_THAT(
      std::vector<std::string>(lines.end() - 4, lines.end()),
      ElementsAre("종료시작:둘째님(20분)  25분 사용, -5분 남음.",
                  "종료:둘째님(20분)  25분 사용, -5분 남음.", ")*----------------------------*(",
                  "정상종료:둘째님(20분)  25분 사용, -5분 남음."));
  EXPECT_EQ(scenario.system.exitFlags, 12u);  // power off, ending every program
  EXPECT_TRUE(scenario.system.exitWithShutdownPrivilege);
  EXPECT_TRUE(scenario.system.started.empty());  // no final release, no companion
  // The unload's last metering step was saved: 30 s after the start-up step.
  EXPECT_EQ(scenario.SettingsOnDisk().User(1).UsedSeconds, 1530);
}

TEST(TimeOut, WithPasswordsNobodyChosenPowersOffAbout161SecondsAfterStart) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 60, 0, "1"}}, /*passwordsInUse=*/true);
  scenario.AdvanceSeconds(30);
  EXPECT_EQ(scenario.program().CurrentUser, -1);

  std::vector<std::string> titles;
  std::size_t chimesBefore = scenario.CuesPlayed().size();
  for (int tick = 1; tick <= 100; ++tick) {
    scenario.AdvanceSeconds(1);
    titles.push_back(S(scenario.main().lTitle.Caption()));
  }
  EXPECT_EQ(titles.front(), "사용자 선택 남은 시간=100초");
  EXPECT_EQ(titles[5], "사용자 선택 남은 시간=95초");
  EXPECT_EQ(titles.back(), "사용자 선택 남은 시간=1초");
  EXPECT_EQ(scenario.CuesPlayed().size() - chimesBefore, 20u);  // 100, 95, ... 5
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());

  scenario.AdvanceSeconds(1);  // the tick that shows 0
  EXPECT_EQ(S(scenario.main().lTitle.Caption()), "사용자 선택 남은 시간=0초");
  ASSERT_TRUE(scenario.program().EndDialog().Visible());
  std::vector<std::string> lines = scenario.LogLines();
  EXPECT_THAT(
      std::vector<std::string>(lines.end() - 3, lines.end()),
      ElementsAre("종료:첫째님(60분)  0분 사용, 60분 남음.", ")*----------------------------*(",
                  "종료시작:첫째님(60분)  0분 사용, 60분 남음."));
  EXPECT_EQ(S(scenario.program().EndDialog().lUserName.Caption()), "첫째 님");

  scenario.AdvanceSeconds(30);
  EXPECT_TRUE(scenario.system.exitRequested);
  EXPECT_EQ(scenario.clock.ElapsedMs(), 161000);
}

TEST(TimeOut, WithPasswordsAUserUsedUpIsDroppedAndTheCountdownRestarts) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 1, 0, "1"}, {"둘째", 60, 0, "2"}}, /*passwordsInUse=*/true);
  scenario.AdvanceSeconds(35);
  scenario.Do([&] { scenario.program().CurrentUser = 0; });
  scenario.AdvanceSeconds(1);  // the countdown's next tick finds the user and stops
  EXPECT_EQ(S(scenario.main().lTitle.Caption()), "현재 사용자는 누구입니까?");

  scenario.AdvanceSeconds(24);  // 60 s: 30 s credited, 0.5 min rounds to 0
  EXPECT_EQ(scenario.program().CurrentUser, 0);
  scenario.AdvanceSeconds(30);  // 90 s: one minute used of one
  EXPECT_EQ(scenario.program().CurrentUser, -1);
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
  scenario.AdvanceSeconds(1);
  EXPECT_EQ(S(scenario.main().lTitle.Caption()), "사용자 선택 남은 시간=100초");
  EXPECT_EQ(scenario.program().settings.User(0).UsedSeconds, 60);
}

TEST(TimeOut, NoUsersMeansNobodyIsEverMetered) {
  Scenario scenario;
  scenario.Start();
  EXPECT_EQ(scenario.program().settings.UserCount, -1);
  EXPECT_THAT(scenario.SettingsRecords(), ElementsAre("PSWUSED,0,*", "Password,5927,*"));
  scenario.AdvanceSeconds(600);
  EXPECT_EQ(scenario.program().CurrentUser, -1);
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
}

}  // namespace
}  // namespace orlimo::testing
