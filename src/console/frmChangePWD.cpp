#include "console/frmChangePWD.h"

#include "program/shared_texts.h"
#include "console/new_password.h"
#include "records/sound_cue.h"

namespace orlimo {
namespace {

constexpr char16_t kCaptionSuffix[] = u"님 암호바꾸기";
constexpr char16_t kCurrentPassword[] = u"현재 암호:";
constexpr char16_t kNewPassword[] = u"새 암호:";
constexpr char16_t kPasswordsDiffer[] = u"암호가 서로 다릅니다.";
constexpr char16_t kWaitBeforeSeconds[] = u"여러 번 틀렸습니다. ";
constexpr char16_t kWaitAfterSeconds[] = u"초 뒤에";
constexpr char16_t kNotStored[] = u"저장하지 못했습니다.";
constexpr forms::Color kAqua = forms::Rgb(0, 255, 255);
const forms::Font kLabelFont{u"굴림", 12, true};
constexpr int kPasswordLength = 30;

void DesignPasswordBox(forms::TextBox& box, int top, int tabIndex) {
  box.Move(120, top, 2820, 360);
  box.SetVisible(true);
  box.DesignAsPasswordBox(kPasswordLength);
  box.SetTabIndex(tabIndex);
}

}  // namespace

frmChangePWD::frmChangePWD(Program& program)
    : Form(program.runtime),
      lMsg(*this),
      tCurPassword(*this),
      lChgPWD(*this),
      tNewPassword(*this),
      cmdOK(*this),
      cmdCancel(*this),
      TimerTOvr(*this),
      TimerOut(*this),
      program_(program) {
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdCancel.onClick = [this] { Unload(); };
  TimerTOvr.onTick = [this] { TimerTOvr_Timer(); };
  TimerOut.onTick = [this] { Unload(); };
}

void frmChangePWD::Design() {
  SetBackColor(kAqua);
  SetClientSize(3060, 3195);
  CenterOnScreen();
  lMsg.Move(120, 120, 2820, 315);
  lMsg.SetCaption(kCurrentPassword);
  lChgPWD.Move(120, 960, 2820, 315);
  lChgPWD.SetCaption(kNewPassword);
  for (forms::Label* label : {&lMsg, &lChgPWD}) {
    label->SetFont(kLabelFont);
    label->SetForeColor(forms::kButtonText);
    label->SetVisible(true);
  }
  DesignPasswordBox(tCurPassword, 480, 2);
  DesignPasswordBox(tNewPassword[0], 1320, 3);
  DesignPasswordBox(tNewPassword[1], 1800, 4);
  cmdOK.Move(120, 2520, 1335, 495);
  cmdOK.SetCaption(SharedTexts::kOk);
  cmdOK.SetEnabled(true);
  cmdOK.SetTabIndex(0);
  cmdCancel.Move(1605, 2520, 1335, 495);
  cmdCancel.SetCaption(SharedTexts::kCancel);
  cmdCancel.SetTabIndex(1);
  TimerTOvr.SetInterval(60000);
  TimerTOvr.SetOn(true);
  TimerOut.SetInterval(1000);
  TimerOut.SetOn(false);
}

void frmChangePWD::Form_Load() {
  SetCaption(TargetName() + kCaptionSuffix);
  tCurPassword.SetText(u"");
  tNewPassword[0].SetText(u"");
  tNewPassword[1].SetText(u"");
}

// The checks always use the target child, so the caption must name that child; a red message
// about to close the dialog stays as it is.
void frmChangePWD::TargetChanged() {
  if (TimerOut.On()) return;
  SetCaption(TargetName() + kCaptionSuffix);
}

Text frmChangePWD::TargetName() const {
  return program_.view.NameOf(program_.PasswordTarget);
}

// The new-password boxes are always offered: the current password is checked once, with the
// new one, under the waits after wrong passwords, so that no key typed tells whether it is right.
void frmChangePWD::cmdOK_Click() {
  const Text password = tNewPassword[0].GetText();
  if (password != tNewPassword[1].GetText()) {
    Refuse(lChgPWD, kPasswordsDiffer);
    return;
  }
  if (std::optional<Text> problem = NewPassword::Problem(password)) {
    // The reason takes more than the label's one line: it is shown over the new-password boxes,
    // which are of no more use since the dialog closes a second later.
    tNewPassword[0].SetVisible(false);
    tNewPassword[1].SetVisible(false);
    lChgPWD.Move(120, 960, 2820, 1440);
    Refuse(lChgPWD, *problem);
    return;
  }
  const Outcome outcome = program_.supervision().ChangeOwnPassword(
      program_.PasswordTarget, tCurPassword.GetText(), password);
  switch (outcome.verdict) {
    case Verdict::Done:
      program_.Follow();
      Unload();
      return;
    case Verdict::Wait:
      Refuse(lMsg, kWaitBeforeSeconds + DecimalText(outcome.waitSeconds) + kWaitAfterSeconds);
      return;
    case Verdict::Failed:
      Refuse(lMsg, kNotStored);
      return;
    default:
      Refuse(lMsg, SharedTexts::kWrongPassword);
      return;
  }
}

void frmChangePWD::TimerTOvr_Timer() {
  lChgPWD.SetCaption(SharedTexts::kTimeLimitPassed);
  lChgPWD.SetForeColor(forms::kRed);
  TimerOut.SetOn(true);
}

void frmChangePWD::Refuse(forms::Label& label, TextView message) {
  program_.PlayCue(Main::kGlass);
  label.SetCaption(message);
  label.SetForeColor(forms::kRed);
  TimerOut.SetOn(true);
}

}  // namespace orlimo
