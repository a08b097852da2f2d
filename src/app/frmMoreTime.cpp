#include "app/frmMoreTime.h"

#include "program/shared_texts.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"시간 더 요청";
constexpr char16_t kAskAfter[] = u" 님이 오늘 시간을 더 쓰려고 합니다. 몇 분을 더 줄까요?";
constexpr char16_t kParentPassword[] = u"부모님 암호:";
constexpr char16_t kGrant[] = u"허락";
constexpr char16_t kRefuse[] = u"거절";
constexpr char16_t kNobodyCurrent[] = u"지금 쓰고 있는 사람이 없습니다.";
constexpr char16_t kWaitBeforeSeconds[] = u"부모님 암호가 여러 번 틀렸습니다. ";
constexpr char16_t kWaitAfterSeconds[] = u"초 뒤에 다시 입력하십시오.";
constexpr forms::Color kLightBlue = forms::Rgb(0xC0, 0xE0, 0xFF);
constexpr forms::Color kLightGreen = forms::Rgb(0xC0, 0xFF, 0xC0);
constexpr forms::Color kLightGrey = forms::Rgb(0xE0, 0xE0, 0xE0);
constexpr int kClientWidth = 4800;
constexpr int kPasswordLength = 30;

}  // namespace

frmMoreTime::frmMoreTime(Program& program)
    : Form(program.runtime),
      lMsg(*this),
      cmdMinutes(*this),
      lPassword(*this),
      tPassword(*this),
      cmdGrant(*this),
      cmdRefuse(*this),
      TimerTOvr(*this),
      TimerOut(*this),
      program_(program) {
  for (int i = 0; i < 3; ++i) cmdMinutes[i].onClick = [this, i] { Choose(i); };
  cmdGrant.onClick = [this] { cmdGrant_Click(); };
  cmdRefuse.onClick = [this] { cmdRefuse_Click(); };
  tPassword.onKeyPress = [this](char16_t& key) {
    if (key != u'\r') return;
    key = 0;
    cmdGrant_Click();
  };
  TimerTOvr.onTick = [this] { Refuse(SharedTexts::kTimeLimitPassed); };
  TimerOut.onTick = [this] { Unload(); };
}

void frmMoreTime::Design() {
  SetCaption(kCaption);
  SetBackColor(kLightBlue);
  SetClientSize(kClientWidth, 2700);
  CenterOnScreen();
  lMsg.Move(180, 150, kClientWidth - 360, 600);
  lMsg.SetForeColor(forms::kButtonText);
  for (int i = 0; i < 3; ++i) {
    cmdMinutes[i].SetBounds({480 + 1320 * i, 870, 1200, 435});
    cmdMinutes[i].SetCaption(DecimalText(10 * (i + 1)) + u"분");
    cmdMinutes[i].SetTabIndex(i + 1);
  }
  lPassword.Move(180, 1530, 1500, 255);
  lPassword.SetCaption(kParentPassword);
  tPassword.Move(1740, 1470, 2880, 375);
  tPassword.DesignAsPasswordBox(kPasswordLength);
  tPassword.SetTabIndex(0);
  cmdGrant.SetBounds({kClientWidth - 3060, 2100, 1320, 435});
  cmdGrant.SetCaption(kGrant);
  cmdGrant.SetBackColor(kLightGreen);
  cmdGrant.SetTabIndex(4);
  cmdRefuse.SetBounds({kClientWidth - 1620, 2100, 1320, 435});
  cmdRefuse.SetCaption(kRefuse);
  cmdRefuse.SetBackColor(kLightGrey);
  cmdRefuse.SetTabIndex(5);
  TimerTOvr.SetInterval(60000);
  TimerTOvr.SetOn(true);
  TimerOut.SetInterval(1000);
  TimerOut.SetOn(false);
}

void frmMoreTime::Form_Load() {
  const SessionSnapshot& view = program_.view;
  lMsg.SetCaption(view.currentUser >= 0 ? view.NameOf(view.currentUser) + kAskAfter
                                        : Text(kNobodyCurrent));
  tPassword.SetText(u"");
  Choose(0);
}

void frmMoreTime::Choose(int index) {
  chosen_ = index;
  for (int i = 0; i < 3; ++i) cmdMinutes[i].SetBackColor(i == index ? kLightGreen : kLightGrey);
}

// The minutes are the current child's; the notice that they were given comes from the rules.
void frmMoreTime::cmdGrant_Click() {
  if (TimerOut.On()) return;
  const Outcome outcome = program_.supervision().GrantMoreTime(Minutes(), tPassword.GetText());
  switch (outcome.verdict) {
    case Verdict::Done:
      program_.Follow();
      Unload();
      return;
    case Verdict::Wait:
      Refuse(kWaitBeforeSeconds + DecimalText(outcome.waitSeconds) + kWaitAfterSeconds);
      return;
    case Verdict::Refused:
      Refuse(kNobodyCurrent);
      return;
    default:
      Refuse(SharedTexts::kWrongPassword);
      return;
  }
}

void frmMoreTime::cmdRefuse_Click() {
  if (TimerOut.On()) return;
  program_.supervision().RefuseMoreTime(Minutes());
  Unload();
}

void frmMoreTime::Refuse(TextView message) {
  lMsg.SetCaption(message);
  lMsg.SetForeColor(forms::kRed);
  TimerOut.SetOn(true);
}

}  // namespace orlimo
