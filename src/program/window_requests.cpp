#include "program/program.h"

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "console/frmChangePWD.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "program/shared_texts.h"

namespace orlimo {

void Program::StopMetering() {
  MainWindow().TimerCheckTime.SetOn(false);
  MainWindow().TimerStartup.SetOn(false);
}

void Program::ResumeMetering() {
  MainWindow().TimerCheckTime.SetOn(true);
  MainWindow().TimerStartup.SetOn(true);
  MainWindow().lTitle.SetCaption(SharedTexts::kWhoIsUsing);
}

void Program::MeterNow() {
  MainWindow().CheckTimeOut();
}

void Program::SilenceUserBeep() {
  MainWindow().TimerUserBeep.SetOn(false);
}

void Program::RefreshMainWindow() {
  MainWindow().DisplayCurrent();
}

void Program::RebuildMainWindow() {
  MainWindow().Inits();
}

void Program::CloseMainWindow() {
  MainWindow().Unload();
}

void Program::FollowChosenUser(bool gone) {
  frmChangeUser& prompt = UserPrompt();
  if (!prompt.Loaded()) return;
  if (gone) {
    prompt.Unload();
  } else {
    prompt.ChosenUserChanged();
  }
}

void Program::OpenPasswordDialog(int user) {
  frmChangePWD& dialog = PasswordDialog();
  bool dialogOpen = dialog.Loaded();
  PasswordTarget = static_cast<std::int16_t>(user);
  dialog.Show();
  if (dialogOpen) dialog.TargetChanged();
}

void Program::OpenParentPrompt() {
  ParentPrompt().Show();
}

bool Program::ConsoleOpen() const {
  return setupConsole_->Loaded();
}

void Program::StartCountdown(std::optional<std::int32_t> secondsLeft) {
  if (EndDialog().Visible()) return;
  if (secondsLeft) EndDialog().SetSecondsLeft(*secondsLeft);
  EndDialog().Show(true);
}

}  // namespace orlimo
