// A user changing his or her own password in the change-password dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "console/frmChangePWD.h"
#include "console/frmSetup.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

frmChangePWD& OpenDialog(Scenario& scenario, const std::vector<Child>& family, int user) {
  scenario.PlaceSoundFiles();
  scenario.StartWith(family, /*passwordsInUse=*/true);
  scenario.Click(scenario.main().cmdPwd[user]);
  return scenario.program().PasswordDialog();
}

bool NewPasswordOpen(const frmChangePWD& dialog) {
  return dialog.cmdOK.Enabled() && dialog.lChgPWD.Visible() && dialog.tNewPassword[0].Visible() &&
         dialog.tNewPassword[1].Visible();
}

TEST(ChangePassword, OkStaysDisabledUntilTheCurrentPasswordIsTypedExactly) {
  Scenario scenario;
  frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "x"}, {"둘째", 60, 0, "Abc"}}, 1);
  EXPECT_EQ(S(dialog.Caption()), "둘째님 암호바꾸기");
  EXPECT_EQ(S(dialog.lMsg.Caption()), "현재 암호:");
  EXPECT_EQ(dialog.tCurPassword.PasswordChar(), u'*');
  struct Step {
    std::string typed;
    bool open;
  };
  for (const Step& step : {Step{"", false}, Step{"abc", false}, Step{"Abc ", false},
                           Step{" Abc", false}, Step{"Abc", true}, Step{"Ab", false}}) {
    scenario.Edit(dialog.tCurPassword, step.typed);
    EXPECT_EQ(NewPasswordOpen(dialog), step.open) << step.typed;
    EXPECT_EQ(dialog.cmdOK.Enabled(), step.open) << step.typed;
  }
  scenario.Click(dialog.cmdOK);  // disabled: nothing happens, nothing closes a second later
  scenario.AdvanceSeconds(1);
  EXPECT_TRUE(dialog.Loaded());
}

// Every way OK can end: a new password taken and saved at once, or a refusal shown in red in
// the dialog's own label with the glass sound, after which the dialog closes one second later
// and nothing has changed.
TEST(ChangePassword, OkEitherSavesTheNewPasswordOrRefusesInRedAndClosesAfterOneSecond) {
  const std::string kDiffer = "암호가 서로 다릅니다.";
  const std::string kWrong = "암호가 틀렸습니다.";
  const std::string kComma = "암호에는 쉼표(,)를 쓸 수 없습니다. 다른 암호를 입력하십시오.";
  const std::string kBlanks =
      "암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오.";
  struct Case {
    std::string first;
    std::string second;
    bool changedElsewhere;  // the stored password changes while the dialog is open
    std::string message;    // empty: the new password is taken
    bool onCurrentLabel;    // the message replaces "현재 암호:" (else "새 암호:")
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
    std::string settings = scenario.SettingsBytes();
    scenario.Edit(dialog.tCurPassword, "old");
    scenario.Edit(dialog.tNewPassword[0], c.first);
    scenario.Edit(dialog.tNewPassword[1], c.second);
    const std::string stored = c.changedElsewhere ? "other" : "old";
    if (c.changedElsewhere) {
      scenario.Do([&] { scenario.program().settings.User(0).Password = U(stored); });
    }
    scenario.Click(dialog.cmdOK);
    EXPECT_FALSE(scenario.renderer.OpenMessageBox().has_value());

    if (c.message.empty()) {
      EXPECT_FALSE(dialog.Loaded());
      EXPECT_EQ(S(scenario.program().settings.User(0).Password), c.first);
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
    EXPECT_EQ(S(scenario.program().settings.User(0).Password), stored);
    EXPECT_EQ(scenario.SettingsBytes(), settings);
  }
}

// The dialog always acts on the child it names (a child without a password sees the new boxes at
// once): another key button clicked while it is open makes it name and check that child, and when
// the console closes up the rows it follows its child to the new row, or closes when its child was
// deleted.
TEST(ChangePassword, TheDialogFollowsItsChild) {
  Scenario scenario;
  frmChangePWD& dialog =
      OpenDialog(scenario, {{"첫째", 60, 0, "aaa"}, {"둘째", 60}, {"셋째", 60, 0, "ccc"}}, 1);
  EXPECT_TRUE(NewPasswordOpen(dialog));
  scenario.Click(scenario.main().cmdPwd[0]);
  EXPECT_FALSE(NewPasswordOpen(dialog));
  scenario.Click(scenario.main().cmdPwd[1]);
  EXPECT_EQ(S(dialog.Caption()), "둘째님 암호바꾸기");
  EXPECT_TRUE(NewPasswordOpen(dialog));  // 둘째 has no password
  scenario.Click(scenario.main().cmdPwd[2]);
  EXPECT_EQ(S(dialog.Caption()), "셋째님 암호바꾸기");
  EXPECT_FALSE(NewPasswordOpen(dialog));

  frmSetup& console = scenario.OpenConsole();
  scenario.Edit(console.tNames[1], "");  // 셋째 moves up to user 1
  scenario.Click(console.cmdStoreEnd);
  EXPECT_EQ(S(dialog.Caption()), "셋째님 암호바꾸기");
  scenario.Edit(dialog.tCurPassword, "ccc");
  scenario.Edit(dialog.tNewPassword[0], "new");
  scenario.Edit(dialog.tNewPassword[1], "new");
  scenario.Click(dialog.cmdOK);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(S(scenario.program().settings.User(1).Name), "셋째");
  EXPECT_EQ(S(scenario.program().settings.User(1).Password), "new");
  EXPECT_EQ(S(scenario.program().settings.User(0).Password), "aaa");

  scenario.Click(scenario.main().cmdPwd[1]);
  scenario.OpenConsole();
  scenario.Edit(console.tNames[1], "");  // 셋째 deleted
  scenario.Click(console.cmdStoreEnd);
  EXPECT_FALSE(dialog.Loaded());
}

}  // namespace
}  // namespace orlimo::testing
