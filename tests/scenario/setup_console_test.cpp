// The setup console's user grid: showing, storing, masking and restoring the users.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "app/frmChangeUser.h"
#include "enforce/DialogEnd.h"
#include "records/family_days.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::StartsWith;

void EditRow(Scenario& scenario, frmSetup& console, int row, const std::string& name,
             const std::string& minutes, const std::string& password = "") {
  scenario.Edit(console.tNames[row], name);
  scenario.Edit(console.tLimitMins[row], minutes);
  scenario.Edit(console.tUserPWD[row], password);
}

TEST(SetupConsole, PasswordsShowOnlyAfterTheParentPasswordIsTypedIntoAMaskedBox) {
  Scenario scenario;
  scenario.StartWith({{"첫째", 60, 0, "abc"}}, true, "Secret");
  frmSetup& console = scenario.OpenConsole("Secret");
  ASSERT_TRUE(console.Visible());
  scenario.Click(scenario.main().cmdSetup);  // behind the console: takes no input
  EXPECT_FALSE(scenario.program().ParentPrompt().Loaded());

  for (const std::string wrong : {"secret", "Secret ", ""}) {
    scenario.Click(console.cmdSeeNoSee);
    ASSERT_TRUE(scenario.renderer.OpenInputBox().has_value());
    const ShownInputBox& box = *scenario.renderer.OpenInputBox();
    EXPECT_EQ(S(box.prompt), "부모님 암호를 입력하십시오");
    EXPECT_EQ(S(box.title), "Orlimo");
    EXPECT_TRUE(box.masked);
    scenario.renderer.AnswerInputBox(U(wrong));
    EXPECT_EQ(console.tUserPWD[0].PasswordChar(), u'*') << wrong;
    EXPECT_EQ(S(console.cmdSeeNoSee.Caption()), "보임");
  }
  EXPECT_TRUE(scenario.renderer.MessageBoxes().empty());

  scenario.AdvanceSeconds(30);  // past the waits the wrong ones started
  scenario.Click(console.cmdSeeNoSee);
  scenario.renderer.AnswerInputBox(u"Secret");
  for (forms::TextBox& box : console.tUserPWD) EXPECT_EQ(box.PasswordChar(), 0);
  EXPECT_EQ(S(console.tUserPWD[0].GetText()), "abc");
  EXPECT_EQ(S(console.cmdSeeNoSee.Caption()), "숨김");
  scenario.Edit(console.tUserPWD[0], "xyz");  // a shown password is stored as edited
  scenario.Click(console.cmdStore);
  EXPECT_EQ(S(scenario.SettingsOnDisk().User(0).Password), "xyz");

  std::size_t boxes = scenario.renderer.InputBoxes().size();
  scenario.Click(console.cmdSeeNoSee);  // masked again, the password leaves the console
  EXPECT_EQ(scenario.renderer.InputBoxes().size(), boxes);
  for (forms::TextBox& box : console.tUserPWD) EXPECT_EQ(box.PasswordChar(), u'*');
  EXPECT_EQ(S(console.tUserPWD[0].GetText()), "●●●●");
  EXPECT_EQ(S(console.cmdSeeNoSee.Caption()), "보임");

  scenario.Click(console.cmdSeeNoSee);
  scenario.renderer.AnswerInputBox(u"Secret");
  scenario.Click(console.cmdCancel);  // every opening starts masked
  scenario.OpenConsole("Secret");
  ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());  // the wrong ones meanwhile
  EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text),
            "지난번에 설정을 연 뒤로 틀린 부모님 암호가 3번 입력되었습니다.");
  scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
  ASSERT_TRUE(console.Visible());
  EXPECT_EQ(console.tUserPWD[9].PasswordChar(), u'*');
  EXPECT_EQ(S(console.cmdSeeNoSee.Caption()), "보임");
}

TEST(SetupConsole, BlankRowsCloseUpMovingWholeRecordsAndTheCurrentUserFollows) {
  Scenario scenario;
  scenario.WriteFamily(
      {{"첫째", 60, 600, "a"}, {"둘째", 70, 1200, "b"}, {"셋째", 80, 1800, "c"}, {"넷째", 90}},
      /*passwordsInUse=*/true);
  FamilyDays days{};
  days[2].WeekdayMinutes[6] = 100;  // 셋째's Saturday
  scenario.WriteDays(days);
  scenario.Start();
  scenario.AdvanceSeconds(30);
  scenario.Click(scenario.main().cmdUser[2]);
  scenario.Type(scenario.program().UserPrompt().tPassword, "c");
  scenario.PressEnter(scenario.program().UserPrompt().tPassword);  // Enter acts as OK
  ASSERT_EQ(scenario.program().view.currentUser, 2);
  frmSetup& console = scenario.OpenConsole();
  scenario.Edit(console.tNames[1], "");
  scenario.Edit(console.tNames[3], "");
  EditRow(scenario, console, 5, "다섯째", "15", "e");
  scenario.Click(console.cmdStoreEnd);
  const FamilyDays family = scenario.DaysOnDisk();
  EXPECT_EQ(family[1].WeekdayMinutes[6], 100);  // Family.ini follows 셋째 to row 1
  EXPECT_EQ(family[2], ChildDays{});

  const Settings table = scenario.SettingsOnDisk();
  ASSERT_EQ(table.UserCount, 2);
  EXPECT_EQ(S(table.User(0).Name), "첫째");
  EXPECT_EQ(table.User(0).UsedSeconds, 600);
  EXPECT_EQ(S(table.User(1).Name), "셋째");
  EXPECT_EQ(table.User(1).LimitMinutes, 80);
  EXPECT_EQ(table.User(1).UsedMinutes, 30);
  EXPECT_EQ(table.User(1).UsedSeconds, 1800);
  EXPECT_EQ(S(table.User(1).Password), "c");
  EXPECT_EQ(S(table.User(2).Name), "다섯째");
  EXPECT_EQ(table.User(2).UsedSeconds, 0);
  for (int u = 3; u < 10; ++u) EXPECT_EQ(table.User(u), UserEntry{}) << u;
  EXPECT_EQ(scenario.program().view.currentUser, 1);
  EXPECT_EQ(scenario.main().cmdUser[1].BackColor(), forms::kGreen);
  EXPECT_EQ(S(scenario.main().cmdUser[1].Caption()), "셋째 (80분)");
}

TEST(SetupConsole, GridsThatCannotBeStoredAreRefusedNamingTheRow) {
  struct Case {
    int row;
    std::string name;
    std::string minutes;
    std::string password;
    std::string message;
  };
  for (const Case& c : {Case{2, "가,나", "10", "", "3번째 줄: 성명과 암호에는 쉼표"},
                        Case{0, "가나", "10", "a,b", "1번째 줄: 성명과 암호에는 쉼표"},
                        // Characters that Setup.ini gives back as others: the grave accent,
                        // and U+2C00, which comes back as a comma.
                        Case{3, "가`나", "10", "", "4번째 줄: 성명과 암호에는 쉼표"},
                        Case{1, "가\u2C00나", "10", "", "2번째 줄: 성명과 암호에는 쉼표"},
                        Case{0, "가나", "10", "a`b", "1번째 줄: 성명과 암호에는 쉼표"},
                        Case{9, "가나", "2147483648", "", "10번째 줄: 하루시간(분)은"}}) {
    SCOPED_TRACE(c.row);
    for (bool andClose : {false, true}) {
      Scenario scenario;
      scenario.StartWith({{"첫째", 60}, {"둘째", 60}});
      frmSetup& console = scenario.OpenConsole();
      scenario.Edit(console.tNames[0], "바뀐이름");
      EditRow(scenario, console, c.row, c.name, c.minutes, c.password);
      scenario.Click(andClose ? console.cmdStoreEnd : console.cmdStore);

      ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
      const ShownMessageBox& box = *scenario.renderer.OpenMessageBox();
      EXPECT_THAT(S(box.text), StartsWith(c.message));
      EXPECT_EQ(S(box.title), "Orlimo");
      scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
      EXPECT_TRUE(console.Visible());
      EXPECT_EQ(S(console.tNames[c.row].GetText()), c.name);
      EXPECT_EQ(scenario.SettingsOnDisk().UserCount, 1);
      EXPECT_EQ(S(scenario.SettingsOnDisk().User(0).Name), "첫째");
    }
  }
}

}  // namespace
}  // namespace orlimo::testing
