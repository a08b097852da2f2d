#include "app/frmChangeUser.h"

#include "app/frmMain.h"
#include "program/shared_texts.h"
#include "records/log_words.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"사용자 바꾸기";
constexpr char16_t kEnterPassword[] = u"암호를 입력하십시오.";
constexpr char16_t kEnterPasswordOf[] = u" 님의 암호를 입력하십시오.";
constexpr char16_t kNoTimeLeft[] = u"남은 시간이 없습니다.";
constexpr forms::Color kYellow = forms::Rgb(255, 255, 0);
constexpr int kPasswordLength = 30;

}  // namespace

frmChangeUser::frmChangeUser(Program& program)
    : Form(program.runtime),
      lMsg(*this),
      tPassword(*this),
      cmdOK(*this),
      cmdCancel(*this),
      TimerTOvr(*this),
      TimerOut(*this),
      program_(program) {
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdCancel.onClick = [this] { Unload(); };
  tPassword.onKeyPress = [this](char16_t& key) { tPassword_KeyPress(key); };
  TimerTOvr.onTick = [this] { TimerTOvr_Timer(); };
  TimerOut.onTick = [this] { Unload(); };
}

void frmChangeUser::Design() {
  SetCaption(kCaption);
  SetBackColor(kYellow);
  SetClientSize(4020, 1740);
  CenterOnScreen();
  lMsg.Move(120, 120, 3780, 495);
  lMsg.SetCaption(kEnterPassword);
  lMsg.SetForeColor(forms::kButtonText);
  tPassword.Move(120, 690, 3780, 360);
  tPassword.DesignAsPasswordBox(kPasswordLength);
  tPassword.SetTabIndex(0);
  cmdOK.Move(480, 1170, 1335, 435);
  cmdOK.SetCaption(SharedTexts::kOk);
  cmdOK.SetTabIndex(1);
  cmdCancel.Move(2205, 1170, 1335, 435);
  cmdCancel.SetCaption(SharedTexts::kCancel);
  cmdCancel.SetTabIndex(2);
  TimerTOvr.SetInterval(60000);
  TimerTOvr.SetOn(true);
  TimerOut.SetInterval(1000);
  TimerOut.SetOn(false);
}

void frmChangeUser::Form_Load() {
  lMsg.SetCaption(program_.settings.User(program_.ChosenUser).Name + kEnterPasswordOf);
  tPassword.SetText(u"");
}

// The password is always checked against the chosen child, so the prompt must name that child;
// a red message about to close the prompt stays as it is.
void frmChangeUser::ChosenUserChanged() {
  if (TimerOut.On()) return;
  lMsg.SetCaption(program_.settings.User(program_.ChosenUser).Name + kEnterPasswordOf);
}

void frmChangeUser::cmdOK_Click() {
  switch (program_.records().ChooseUser(program_.settings, program_.ChosenUser, tPassword.GetText(),
                                        program_.DayAllowance(program_.ChosenUser))) {
    case UserChoice::Chosen:
      MakeChosenUserCurrent();
      break;
    case UserChoice::WrongPassword:
      Refuse(SharedTexts::kWrongPassword);
      break;
    case UserChoice::NoTimeLeft:
      Refuse(kNoTimeLeft);
      break;
  }
}

void frmChangeUser::MakeChosenUserCurrent() {
  frmMain& main = program_.MainWindow();
  if (program_.ChosenUser <= program_.settings.UserCount) {
    program_.CurrentUser = program_.ChosenUser;
  }
  main.CheckTimeOut();
  main.TimerCheckTime_Timer();
  program_.UsageSummary(LogWords::kSwitchedFrom);
  main.DisplayCurrent();
  program_.UsageSummary(LogWords::kSwitchedTo);
  main.lTitle.SetCaption(SharedTexts::kWhoIsUsing);
  Unload();
}

void frmChangeUser::tPassword_KeyPress(char16_t& key) {
  if (key != u'\r') return;
  key = 0;
  cmdOK_Click();
}

void frmChangeUser::TimerTOvr_Timer() {
  Refuse(SharedTexts::kTimeLimitPassed);
}

void frmChangeUser::Refuse(TextView message) {
  lMsg.SetCaption(message);
  lMsg.SetForeColor(forms::kRed);
  TimerOut.SetOn(true);
}

}  // namespace orlimo
