#include <utility>

#include "app/frmChangeUser.h"
#include "app/frmMain.h"
#include "app/frmNotice.h"
#include "console/frmChangePWD.h"
#include "console/frmMastPWD.h"
#include "console/frmSetup.h"
#include "enforce/DialogEnd.h"
#include "program/program.h"
#include "records/sound_cue.h"

namespace orlimo {

void Program::Follow() {
  Show(supervision_->Poll());
}

// The first snapshot a program shows (also after it started again) gives no cue and no notice:
// those were given before.
void Program::Show(const SessionSnapshot& next) {
  const SessionSnapshot before = std::exchange(view, next);
  const bool first = !viewShown_;
  viewShown_ = true;
  MainWindow().ShowState();
  if (!first && next.chimes != before.chimes) PlayCue(Main::kChimes);
  if (!first && next.notices != before.notices && !next.notice.empty()) {
    Notice().ShowNotice(next.notice);
  }
  if (next.locked) EndDialog().Finish();
  if (next.ended) {
    // The countdown ran out: every window goes; the program stays, hidden, until the power-off.
    EndDialog().Finish();
    for (forms::Form* form : runtime.LoadedForms()) form->Hide();
    return;
  }
  // Shown as an event of its own: the window goes on following the supervision meanwhile.
  if (next.countdownMsLeft >= 0 && !EndDialog().Visible()) {
    runtime.Post([this] { ShowCountdown(); });
  }
}

void Program::ShowCountdown() {
  if (view.countdownMsLeft < 0 || view.ended || EndDialog().Visible()) return;
  EndDialog().SetSecondsLeft((view.countdownMsLeft + 999) / 1000);
  EndDialog().Show(true);
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

void Program::OpenConsole(const ConsoleEntry& entry) {
  Follow();
  SetupConsole().ShowAfter(entry);
}

bool Program::ConsoleOpen() const {
  return setupConsole_->Loaded();
}

// A user being chosen or changing a password goes on with that child under the new number; a
// window acting on a deleted child closes.
void Program::FollowRenumbering(const Renumbering& renumbering) {
  auto renumbered = [&](std::int16_t user) {
    return user >= 0 && user < kMaxUsers ? renumbering[static_cast<std::size_t>(user)] : -1;
  };
  const int chosen = renumbered(ChosenUser);
  if (chosen >= 0) ChosenUser = static_cast<std::int16_t>(chosen);
  FollowChosenUser(chosen < 0);

  const int target = renumbered(PasswordTarget);
  if (target >= 0) PasswordTarget = static_cast<std::int16_t>(target);
  frmChangePWD& dialog = PasswordDialog();
  if (dialog.Loaded()) {
    if (target < 0) {
      dialog.Unload();
    } else {
      dialog.TargetChanged();
    }
  }
}

}  // namespace orlimo
