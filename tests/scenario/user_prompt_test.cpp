// A child proving who is at the keyboard through the user prompt.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "console/frmChangePWD.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

using ::testing::ElementsAre;

// Two children with passwords in use, past the start-up tick: nobody is current yet.
void StartFamilyWithPasswords(Scenario& scenario, const std::vector<Child>& family) {
  scenario.StartWith(family, /*passwordsInUse=*/true);
  scenario.AdvanceSeconds(30);
}

frmChangeUser& OpenPrompt(Scenario& scenario, int user) {
  scenario.Click(scenario.main().cmdUser[user]);
  return scenario.program().UserPrompt();
}

// The user prompt, the change-password dialog and the parent prompt each have 60 seconds: the
// first two then say so in red for a second, the parent prompt closes at once; a new opening
// starts empty, with no timer of the last opening running on.
TEST(TimeLimit, EachPromptClosesAMinuteAfterOpeningAndOpensAgainFresh) {
  for (int row = 0; row < 3; ++row) {
    SCOPED_TRACE(row);
    Scenario scenario;
    scenario.StartWith({{"첫째", 60, 0, "abc"}}, /*passwordsInUse=*/true, "abc");
    scenario.AdvanceSeconds(30);
    frmMain& main = scenario.main();
    frmChangeUser& user = scenario.program().UserPrompt();
    frmChangePWD& change = scenario.program().PasswordDialog();
    frmMastPWD& parent = scenario.program().ParentPrompt();
    const struct {
      forms::Button& button;
      forms::Form& form;
      forms::TextBox& box;
      forms::Label* label;  // where the time-out shows; none: closes at once
      std::string caption;  // the label's text while time is left
    } rows[] = {
        {main.cmdUser[0], user, user.tPassword, &user.lMsg, "첫째 님의 암호를 입력하십시오."},
        {main.cmdPwd[0], change, change.tCurPassword, &change.lChgPWD, "새 암호:"},
        {main.cmdSetup, parent, parent.tPassword, nullptr, ""},
    };
    const auto& c = rows[row];
    forms::Form& form = c.form;
    forms::Label* label = c.label;
    const std::size_t logLines = scenario.LogLines().size();
    scenario.Click(c.button);
    scenario.Type(c.box, "abc");
    scenario.AdvanceSeconds(59.9);
    ASSERT_TRUE(form.Loaded());
    if (label) {
      EXPECT_EQ(S(label->Caption()), c.caption);
    }
    scenario.AdvanceSeconds(0.1);
    if (label) {
      EXPECT_EQ(S(label->Caption()), "제한 시간 경과");
      EXPECT_EQ(label->ForeColor(), forms::kRed);
      scenario.AdvanceSeconds(0.9);
      EXPECT_TRUE(form.Loaded());
      scenario.AdvanceSeconds(0.1);
    }
    EXPECT_FALSE(form.Loaded());
    EXPECT_EQ(scenario.program().view.currentUser, -1);
    EXPECT_EQ(S(scenario.SettingsOnDisk().User(0).Password), "abc");
    EXPECT_EQ(scenario.LogLines().size(), logLines);

    scenario.Click(c.button);
    EXPECT_EQ(S(c.box.GetText()), "");
    if (label) {
      EXPECT_EQ(S(label->Caption()), c.caption);
      EXPECT_EQ(label->ForeColor(), forms::kButtonText);
    }
    scenario.AdvanceSeconds(59.9);
    EXPECT_TRUE(form.Loaded());
  }
}

TEST(UserPrompt, AnotherNameClickedWhileOpenMakesThePromptAskForThatChild) {
  Scenario scenario;
  StartFamilyWithPasswords(scenario, {{"첫째", 60, 0, "abc"}, {"둘째", 60, 0, "xyz"}});
  frmChangeUser& prompt = OpenPrompt(scenario, 0);
  scenario.Type(prompt.tPassword, "x");
  scenario.Click(scenario.main().cmdUser[1]);
  EXPECT_EQ(S(prompt.lMsg.Caption()), "둘째 님의 암호를 입력하십시오.");
  EXPECT_EQ(S(prompt.tPassword.GetText()), "x");  // brought forward, not loaded again
  scenario.Type(prompt.tPassword, "yz");
  scenario.Click(prompt.cmdOK);
  EXPECT_EQ(scenario.program().view.currentUser, 1);
}

// The console closing up the rows behind an open prompt: the prompt goes on asking for its
// child, now under the new number, and closes when its child was deleted.
TEST(UserPrompt, ThePromptFollowsItsChildWhenTheConsoleMovesTheRows) {
  Scenario scenario;
  StartFamilyWithPasswords(
      scenario, {{"첫째", 60, 0, "abc"}, {"둘째", 60, 0, "xyz"}, {"셋째", 60, 0, "ccc"}});
  frmChangeUser& prompt = OpenPrompt(scenario, 2);
  frmSetup& console = scenario.OpenConsole();
  scenario.Edit(console.tNames[0], "");  // 둘째 and 셋째 move up
  scenario.Click(console.cmdStoreEnd);
  EXPECT_EQ(S(prompt.lMsg.Caption()), "셋째 님의 암호를 입력하십시오.");
  scenario.Type(prompt.tPassword, "ccc");
  scenario.Click(prompt.cmdOK);
  EXPECT_FALSE(prompt.Loaded());
  EXPECT_EQ(scenario.program().view.currentUser, 1);
  EXPECT_EQ(S(scenario.SettingsOnDisk().User(1).Name), "셋째");

  OpenPrompt(scenario, 0);
  scenario.OpenConsole();
  scenario.Edit(console.tNames[0], "");  // 둘째 deleted
  scenario.Click(console.cmdStoreEnd);
  EXPECT_FALSE(prompt.Loaded());
  EXPECT_EQ(scenario.program().view.currentUser, 0);  // 셋째, still metered
}

}  // namespace
}  // namespace orlimo::testing
