#include "console/frmMastPWD.h"

#include "program/shared_texts.h"
#include "console/frmSetup.h"
#include "records/log_words.h"

namespace orlimo {
namespace {

constexpr char16_t kCaption[] = u"설정 암호를 입력하시오.";
constexpr int kPasswordLength = 30;

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

void frmMastPWD::cmdOK_Click() {
  const Text typed = tPassword.GetText();
  if (typed.empty()) {
    Unload();
    return;
  }
  const Text logUserName = program_.settings.User(program_.LogUser()).Name;
  if (program_.records().OpenConsole(program_.settings, typed, logUserName)) {
    program_.MeterNow();
    OpenConsole();
  } else {
    Unload();
  }
}

void frmMastPWD::OpenConsole() {
  Unload();
  program_.SilenceUserBeep();
  program_.SetupConsole().Show(true);
}

void frmMastPWD::tPassword_KeyPress(char16_t& key) {
  if (key != u'\r') return;
  key = 0;
  cmdOK_Click();
}

}  // namespace orlimo
