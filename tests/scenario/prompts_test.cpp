// The prompts of the main window: a child proving who is at the keyboard, a child changing his or
// her own password, and the minute each prompt is open for.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "console/frmChangePWD.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
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

// The prompt acts on the child it names: another name clicked while it is open makes it ask for
// that child; when the console closes up the rows behind it, it goes on asking for its child under
// the new number, and closes when its child was deleted.
TEST(UserPrompt, ThePromptFollowsItsChild) {
  Scenario scenario;
  StartFamilyWithPasswords(
      scenario, {{"첫째", 60, 0, "abc"}, {"둘째", 60, 0, "xyz"}, {"셋째", 60, 0, "ccc"}});
  frmChangeUser& prompt = OpenPrompt(scenario, 0);
  scenario.Type(prompt.tPassword, "c");
  scenario.Click(scenario.main().cmdUser[2]);
  EXPECT_EQ(S(prompt.lMsg.Caption()), "셋째 님의 암호를 입력하십시오.");
  EXPECT_EQ(S(prompt.tPassword.GetText()), "c");  // brought forward, not loaded again
  frmSetup& console = scenario.OpenConsole();
  scenario.Edit(console.tNames[0], "");  // 둘째 and 셋째 move up
  scenario.Click(console.cmdStoreEnd);
  EXPECT_EQ(S(prompt.lMsg.Caption()), "셋째 님의 암호를 입력하십시오.");
  scenario.Type(prompt.tPassword, "cc");
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

frmChangePWD& OpenDialog(Scenario& scenario, const std::vector<Child>& family, int user) {
  scenario.PlaceSoundFiles();
  scenario.StartWith(family, /*passwordsInUse=*/true);
  scenario.Click(scenario.main().cmdPwd[user]);
  return scenario.program().PasswordDialog();
}

// Every way OK can end: a new password taken and saved at once, or a refusal shown in red in
// the dialog's own label with the glass sound, after which the dialog closes one second later
// and nothing has changed. The new-password boxes are offered at once: the current password is
// checked only with the new one, so no key typed tells whether it is right, and a wrong one makes
// the session wait.
TEST(ChangePassword, OkEitherSavesTheNewPasswordOrRefusesInRedAndClosesAfterOneSecond) {
  const std::string kDiffer = "암호가 서로 다릅니다.";
  const std::string kWrong = "암호가 틀렸습니다.";
  const std::string kComma = "암호에는 쉼표(,)를 쓸 수 없습니다. 다른 암호를 입력하십시오.";
  const std::string kBlanks =
      "암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오.";
  struct Case {
    std::string first;
    std::string second;
    bool wrongCurrent;    // the current password typed is not the child's
    std::string message;  // empty: the new password is taken
    bool onCurrentLabel;  // the message replaces "현재 암호:" (else "새 암호:")
  };
  for (const Case& c :
       {Case{"NewPw", "NewPw", false, "", false}, Case{"새 암호", "새 암호", false, "", false},
        Case{"", "", false, "", false}, Case{"new", "New", false, kDiffer, false},
        Case{"new", "new", true, kWrong, true}, Case{"a,b", "a,b", false, kComma, false},
        Case{"a`b", "a`b", false, kComma, false},
        Case{"a\u2C00b", "a\u2C00b", false, kComma, false},
        Case{" ab", " ab", false, kBlanks, false}, Case{"ab ", "ab ", false, kBlanks, false}}) {
    SCOPED_TRACE(c.first);
    Scenario scenario;
    frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
    EXPECT_EQ(S(dialog.Caption()), "첫째님 암호바꾸기");
    EXPECT_TRUE(dialog.cmdOK.Enabled() && dialog.tNewPassword[0].Visible());
    std::string settings = scenario.SettingsBytes();
    scenario.Edit(dialog.tCurPassword, c.wrongCurrent ? "Old" : "old");
    scenario.Edit(dialog.tNewPassword[0], c.first);
    scenario.Edit(dialog.tNewPassword[1], c.second);
    scenario.Click(dialog.cmdOK);
    EXPECT_FALSE(scenario.renderer.OpenMessageBox().has_value());
    EXPECT_EQ(scenario.GuardLines().size(), c.wrongCurrent ? 1u : 0u);

    if (c.message.empty()) {
      EXPECT_FALSE(dialog.Loaded());
      EXPECT_EQ(S(scenario.SettingsOnDisk().User(0).Password), c.first);
      continue;
    }
    forms::Label& label = c.onCurrentLabel ? dialog.lMsg : dialog.lChgPWD;
    EXPECT_EQ(scenario.CuesPlayed().back(), "GLASS.WAV");
    EXPECT_EQ(S(label.Caption()), c.message);
    EXPECT_EQ(label.ForeColor(), forms::kRed);
    scenario.AdvanceSeconds(0.9);
    EXPECT_TRUE(dialog.Loaded());
    scenario.AdvanceSeconds(0.1);
    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(scenario.SettingsBytes(), settings);
  }
}

// The dialog always acts on the child it names: another key button clicked while it is open
// makes it name that child, and when the console closes up the rows it follows its child to the
// new row, or closes when its child was deleted.
TEST(ChangePassword, TheDialogFollowsItsChild) {
  Scenario scenario;
  frmChangePWD& dialog =
      OpenDialog(scenario, {{"첫째", 60, 0, "aaa"}, {"둘째", 60}, {"셋째", 60, 0, "ccc"}}, 1);
  EXPECT_EQ(S(dialog.Caption()), "둘째님 암호바꾸기");
  scenario.Click(scenario.main().cmdPwd[2]);
  EXPECT_EQ(S(dialog.Caption()), "셋째님 암호바꾸기");

  frmSetup& console = scenario.OpenConsole();
  scenario.Edit(console.tNames[1], "");  // 셋째 moves up to user 1
  scenario.Click(console.cmdStoreEnd);
  EXPECT_EQ(S(dialog.Caption()), "셋째님 암호바꾸기");
  scenario.Edit(dialog.tCurPassword, "ccc");
  scenario.Edit(dialog.tNewPassword[0], "new");
  scenario.Edit(dialog.tNewPassword[1], "new");
  scenario.Click(dialog.cmdOK);
  EXPECT_FALSE(dialog.Loaded());
  const Settings stored = scenario.SettingsOnDisk();
  EXPECT_EQ(S(stored.User(1).Name), "셋째");
  EXPECT_EQ(S(stored.User(1).Password), "new");
  EXPECT_EQ(S(stored.User(0).Password), "aaa");

  scenario.Click(scenario.main().cmdPwd[1]);
  scenario.OpenConsole();
  scenario.Edit(console.tNames[1], "");  // 셋째 deleted
  scenario.Click(console.cmdStoreEnd);
  EXPECT_FALSE(dialog.Loaded());
}

}  // namespace
}  // namespace orlimo::testing
