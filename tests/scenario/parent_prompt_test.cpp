// The parent password prompt that guards the setup console.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "console/frmMastPWD.h"
#include "enforce/DialogEnd.h"
#include "console/frmSetup.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

frmMastPWD& OpenParentPrompt(Scenario& scenario) {
  scenario.Click(scenario.main().cmdSetup);
  return scenario.program().ParentPrompt();
}

// A wrong password is logged with the log's user's name; an empty OK and Cancel log nothing. Each
// closes the prompt without opening the console. (The time limit: TimeLimit.EachPrompt...)
TEST(ParentPrompt, AWrongPasswordIsLoggedAndEveryRefusalClosesThePrompt) {
  struct Case {
    std::string parentPassword;
    std::string typed;
    bool passwordsInUse;  // in use: nobody is current, so user 0 is named
    std::string logged;   // empty: no line
    bool cancel = false;
  };
  for (const Case& c : {Case{"5927", "5927 ", true, "설정시도: 암호 틀림, (첫째)"},
                        Case{"5927", " 5927", false, "설정시도: 암호 틀림, (둘째)"},
                        Case{"Secret", "secret", false, "설정시도: 암호 틀림, (둘째)"},
                        Case{"Secret", "SECRET", true, "설정시도: 암호 틀림, (첫째)"},
                        Case{"5927", "", true, ""}, Case{"5927", "5927", true, "", true}}) {
    SCOPED_TRACE(c.typed);
    Scenario scenario;
    // Without passwords in use, 첫째 has no time left, so 둘째 is made current.
    scenario.StartWith({{"첫째", 10, 600}, {"둘째", 60}}, c.passwordsInUse, c.parentPassword);
    scenario.AdvanceSeconds(30);  // past the start-up tick and its log line
    const std::vector<std::string> before = scenario.LogLines();
    frmMastPWD& prompt = OpenParentPrompt(scenario);
    EXPECT_EQ(S(prompt.Caption()), "설정 암호를 입력하시오.");
    EXPECT_EQ(prompt.tPassword.PasswordChar(), u'*');
    scenario.Type(prompt.tPassword, c.typed);
    scenario.Click(c.cancel ? prompt.cmdCancel : prompt.cmdOK);

    std::vector<std::string> expected = before;
    if (!c.logged.empty()) expected.push_back(c.logged);
    EXPECT_EQ(scenario.LogLines(), expected);
    EXPECT_FALSE(prompt.Loaded());
    EXPECT_FALSE(scenario.program().SetupConsole().Loaded());
  }
}

TEST(ParentPrompt, RightPasswordBringsTheUsageUpToDateBeforeLogging) {
  Scenario scenario;
  scenario.WriteFamily({{"첫째", 10, 600}, {"둘째", 60}});  // 둘째 is made current
  scenario.Start();
  scenario.AdvanceSeconds(30 + 17);
  frmMastPWD& prompt = OpenParentPrompt(scenario);
  scenario.Type(prompt.tPassword, "5927");
  scenario.PressEnter(prompt.tPassword);

  EXPECT_EQ(scenario.program().settings.User(1).UsedSeconds, 17);
  EXPECT_EQ(scenario.SettingsOnDisk().User(1).UsedSeconds, 17);
  EXPECT_EQ(scenario.LogLines().back(), "설정시도: 암호 맞음, (둘째)");
  EXPECT_FALSE(prompt.Loaded());
  EXPECT_TRUE(scenario.program().SetupConsole().Visible());
}

TEST(ParentPrompt, ConsoleOpensWithMeteringOffAndClosesWithBothTimersBackOn) {
  Scenario scenario;
  scenario.PlaceSoundFiles();
  scenario.StartWith({{"첫째", 60, 0, "a"}}, /*passwordsInUse=*/true);
  scenario.AdvanceSeconds(35);  // the choose-a-user countdown runs
  frmMain& main = scenario.main();
  frmMastPWD& prompt = OpenParentPrompt(scenario);
  scenario.Type(prompt.tPassword, "5927");
  scenario.Click(prompt.cmdOK);

  frmSetup& console = scenario.program().SetupConsole();
  EXPECT_EQ(scenario.LogLines().back(), "설정시도: 암호 맞음, (첫째)");
  ASSERT_TRUE(console.Visible());
  EXPECT_TRUE(console.Modal());
  std::size_t logLines = scenario.LogLines().size();
  scenario.AdvanceSeconds(300);  // no countdown, no metering, no log line meanwhile
  EXPECT_FALSE(scenario.program().EndDialog().Loaded());
  EXPECT_EQ(scenario.LogLines().size(), logLines);

  scenario.Click(console.cmdCancel);
  EXPECT_FALSE(console.Loaded());
  EXPECT_EQ(S(main.lTitle.Caption()), "현재 사용자는 누구입니까?");
  scenario.AdvanceSeconds(29.9);
  EXPECT_EQ(scenario.LogLines().size(), logLines);
  scenario.AdvanceSeconds(0.1);
  EXPECT_EQ(scenario.CuesPlayed().back(), "CHIMES.WAV");
  EXPECT_EQ(scenario.LogLines().back(), "시작:첫째님(60분)  0분 사용, 60분 남음.");
  scenario.AdvanceSeconds(1);  // the start-up tick's re-layout restarts the countdown
  EXPECT_EQ(S(main.lTitle.Caption()), "사용자 선택 남은 시간=100초");
}

}  // namespace
}  // namespace orlimo::testing
