// A user changing his or her own password in the change-password dialog.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/frmMain.h"
#include "console/frmChangePWD.h"
#include "support/scenario.h"

namespace orlimo::testing {
namespace {

// Replaces the whole text of a box, as the user would by selecting it and typing.
void Edit(Scenario& scenario, forms::TextBox& box, const std::string& text) {
  Text typed = U(text);
  scenario.Do([&box, typed] { box.Owner().GetRuntime().DispatchEdit(box, typed); });
}

frmChangePWD& OpenDialog(Scenario& scenario, const std::vector<Child>& family, int user) {
  scenario.PlaceSoundFiles();
  scenario.WriteFamily(family, /*passwordsInUse=*/true);
  scenario.Start();
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
    Edit(scenario, dialog.tCurPassword, step.typed);
    EXPECT_EQ(NewPasswordOpen(dialog), step.open) << step.typed;
    EXPECT_EQ(dialog.cmdOK.Enabled(), step.open) << step.typed;
  }
  scenario.Click(dialog.cmdOK);  // disabled: nothing happens
  EXPECT_TRUE(dialog.Loaded());
  EXPECT_FALSE(dialog.TimerOut.On());
}

TEST(ChangePassword, UserWithoutPasswordSeesTheNewBoxesAtOnce) {
  Scenario scenario;
  frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60}}, 0);
  EXPECT_TRUE(NewPasswordOpen(dialog));
}

TEST(ChangePassword, MatchingNewPasswordsReplaceThePasswordAndSaveAtOnce) {
  for (const std::string newPassword : {"NewPw", "새 암호", ""}) {
    SCOPED_TRACE(newPassword);
    Scenario scenario;
    frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
    Edit(scenario, dialog.tCurPassword, "old");
    Edit(scenario, dialog.tNewPassword[0], newPassword);
    Edit(scenario, dialog.tNewPassword[1], newPassword);
    scenario.Click(dialog.cmdOK);

    EXPECT_FALSE(dialog.Loaded());
    EXPECT_EQ(S(scenario.program().settings.User(0).Password), newPassword);
    EXPECT_EQ(S(scenario.SettingsOnDisk().User(0).Password), newPassword);
  }
}

TEST(ChangePassword, DifferentNewPasswordsShowRedAndCloseAfterOneSecond) {
  Scenario scenario;
  frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
  std::string settings = scenario.SettingsBytes();
  Edit(scenario, dialog.tCurPassword, "old");
  Edit(scenario, dialog.tNewPassword[0], "new");
  Edit(scenario, dialog.tNewPassword[1], "New");
  scenario.Click(dialog.cmdOK);

  EXPECT_EQ(scenario.CuesPlayed().back(), "GLASS.WAV");
  EXPECT_EQ(S(dialog.lChgPWD.Caption()), "암호가 서로 다릅니다.");
  EXPECT_EQ(dialog.lChgPWD.ForeColor(), forms::kRed);
  scenario.AdvanceSeconds(0.9);
  EXPECT_TRUE(dialog.Loaded());
  scenario.AdvanceSeconds(0.1);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(S(scenario.program().settings.User(0).Password), "old");
  EXPECT_EQ(scenario.SettingsBytes(), settings);
}

TEST(ChangePassword, PasswordChangedElsewhereMeanwhileIsReportedAsWrong) {
  Scenario scenario;
  frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
  Edit(scenario, dialog.tCurPassword, "old");
  Edit(scenario, dialog.tNewPassword[0], "new");
  Edit(scenario, dialog.tNewPassword[1], "new");
  scenario.Do([&] { scenario.program().settings.User(0).Password = u"other"; });
  scenario.Click(dialog.cmdOK);

  EXPECT_EQ(scenario.CuesPlayed().back(), "GLASS.WAV");
  EXPECT_EQ(S(dialog.lMsg.Caption()), "암호가 틀렸습니다.");
  EXPECT_EQ(dialog.lMsg.ForeColor(), forms::kRed);
  scenario.AdvanceSeconds(1);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(S(scenario.program().settings.User(0).Password), "other");
}

TEST(ChangePassword, ClosesSixtyOneSecondsAfterOpeningWithNoChange) {
  Scenario scenario;
  frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
  Edit(scenario, dialog.tCurPassword, "old");
  scenario.AdvanceSeconds(59.9);
  EXPECT_EQ(S(dialog.lChgPWD.Caption()), "새 암호:");
  scenario.AdvanceSeconds(0.1);
  EXPECT_EQ(S(dialog.lChgPWD.Caption()), "제한 시간 경과");
  EXPECT_EQ(dialog.lChgPWD.ForeColor(), forms::kRed);
  scenario.AdvanceSeconds(0.9);
  EXPECT_TRUE(dialog.Loaded());
  scenario.AdvanceSeconds(0.1);
  EXPECT_FALSE(dialog.Loaded());
  EXPECT_EQ(S(scenario.program().settings.User(0).Password), "old");

  scenario.Click(scenario.main().cmdPwd[0]);  // a new opening starts afresh
  EXPECT_EQ(S(dialog.lChgPWD.Caption()), "새 암호:");
  EXPECT_EQ(S(dialog.tCurPassword.GetText()), "");
  EXPECT_FALSE(NewPasswordOpen(dialog));
}

TEST(ChangePassword, PasswordsThatCouldNotBeTypedAfterARestartAreRefused) {
  struct Case {
    std::string password;
    std::string message;
  };
  for (const Case& c :
       {Case{"a,b", "암호에는 쉼표(,)를 쓸 수 없습니다. 다른 암호를 입력하십시오."},
        Case{" ab", "암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오."},
        Case{"ab ", "암호의 앞이나 뒤에는 빈칸을 둘 수 없습니다. 다른 암호를 입력하십시오."}}) {
    SCOPED_TRACE(c.password);
    Scenario scenario;
    frmChangePWD& dialog = OpenDialog(scenario, {{"첫째", 60, 0, "old"}}, 0);
    std::string settings = scenario.SettingsBytes();
    Edit(scenario, dialog.tCurPassword, "old");
    Edit(scenario, dialog.tNewPassword[0], c.password);
    Edit(scenario, dialog.tNewPassword[1], c.password);
    scenario.Click(dialog.cmdOK);

    ASSERT_TRUE(scenario.renderer.OpenMessageBox().has_value());
    EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->text), c.message);
    EXPECT_EQ(S(scenario.renderer.OpenMessageBox()->title), "Orlimo");
    scenario.renderer.AnswerMessageBox(forms::MessageBoxAnswer::Ok);
    EXPECT_TRUE(dialog.Loaded());
    EXPECT_EQ(S(scenario.program().settings.User(0).Password), "old");
    EXPECT_EQ(scenario.SettingsBytes(), settings);
  }
}

}  // namespace
}  // namespace orlimo::testing
