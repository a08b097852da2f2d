#include "console/frmMastPWD.h"

#include "program/shared_texts.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"설정 암호를 입력하시오.";
constexpr int kPasswordLength = 30;
constexpr char16_t kWaitBeforeSeconds[] = u"부모님 암호가 여러 번 틀렸습니다. ";
constexpr char16_t kWaitAfterSeconds[] = u"초 뒤에 다시 입력하십시오.";

}  // namespace

frmMastPWD::frmMastPWD(Program& program)
    : Form(program.runtime),
      tPassword(*this),
      cmdOK(*this),
      cmdCancel(*this),
      TimerTOvr(*this),
      program_(program) {
  cmdOK.onClick = [this] { cmdOK_Click(); };
  cmdCancel.onClick = [this] { Unload(); };
  tPassword.onKeyPress = [this](char16_t& key) { tPassword_KeyPress(key); };
  TimerTOvr.onTick = [this] { Unload(); };
}

void frmMastPWD::Design() {
  SetCaption(kCaption);
  SetBackColor(forms::kRed);
  SetClientSize(3780, 645);
  CenterOnScreen();
  tPassword.Move(90, 135, 1725, 375);
  tPassword.DesignAsPasswordBox(kPasswordLength);
  tPassword.SetTabIndex(0);
  cmdOK.Move(1890, 105, 885, 435);
  cmdOK.SetCaption(SharedTexts::kOk);
  cmdOK.SetTabIndex(1);
  cmdCancel.Move(2820, 105, 885, 435);
  cmdCancel.SetCaption(SharedTexts::kCancel);
  cmdCancel.SetTabIndex(2);
  TimerTOvr.SetInterval(60000);
  TimerTOvr.SetOn(true);
}

void frmMastPWD::Form_Load() {
  tPassword.SetText(u"");
}

// A wrong password is told only in the log; one typed while the session waits after wrong ones
// is not checked, and the prompt says how long the wait still is.
void frmMastPWD::cmdOK_Click() {
  const Text typed = tPassword.GetText();
  if (typed.empty()) {
    Unload();
    return;
  }
  const ConsoleEntry entry = program_.supervision().OpenConsole(typed);
  Unload();
  if (entry.outcome.verdict == Verdict::Wait) {
    program_.runtime.MessageBox(
        kWaitBeforeSeconds + DecimalText(entry.outcome.waitSeconds) + kWaitAfterSeconds,
        forms::kMbOk | forms::kMbIconInformation);
  }
  if (entry.outcome.verdict == Verdict::Done) program_.OpenConsole(entry);
}

void frmMastPWD::tPassword_KeyPress(char16_t& key) {
  if (key != u'\r') return;
  key = 0;
  cmdOK_Click();
}

}  // namespace orlimo
