#include "app/frmChangeUser.h"

#include "program/shared_texts.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"사용자 바꾸기";
constexpr char16_t kEnterPassword[] = u"암호를 입력하십시오.";
constexpr char16_t kEnterPasswordOf[] = u" 님의 암호를 입력하십시오.";
constexpr char16_t kNoTimeLeft[] = u"남은 시간이 없습니다.";
constexpr char16_t kWaitBeforeSeconds[] = u"암호를 여러 번 틀렸습니다. ";
constexpr char16_t kWaitAfterSeconds[] = u"초 뒤에 다시 입력하십시오.";
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
  lMsg.SetCaption(program_.view.NameOf(program_.ChosenUser) + kEnterPasswordOf);
  tPassword.SetText(u"");
}

// The password is always checked against the chosen child, so the prompt must name that child;
// a red message about to close the prompt stays as it is.
void frmChangeUser::ChosenUserChanged() {
  if (TimerOut.On()) return;
  lMsg.SetCaption(program_.view.NameOf(program_.ChosenUser) + kEnterPasswordOf);
}

// The supervision checks the password and the time left, and makes the child current.
void frmChangeUser::cmdOK_Click() {
  const Outcome outcome =
      program_.supervision().ChooseUser(program_.ChosenUser, tPassword.GetText());
  switch (outcome.verdict) {
    case Verdict::Done:
      program_.Follow();
      Unload();
      break;
    case Verdict::NoTimeLeft:
      Refuse(kNoTimeLeft);
      break;
    case Verdict::Wait:
      Refuse(kWaitBeforeSeconds + DecimalText(outcome.waitSeconds) + kWaitAfterSeconds);
      break;
    default:
      Refuse(SharedTexts::kWrongPassword);
      break;
  }
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
