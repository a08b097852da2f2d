#include "app/frmMain.h"

#include <algorithm>
#include <stdexcept>

#include "app/frmChangeUser.h"
#include "app/frmMoreTime.h"
#include "app/frmSmall.h"
#include "program/shared_texts.h"
#include "base/version.h"
#include "base/path.h"
#include "enforce/ProcessCheck.h"
#include "records/registry_access.h"
#include "records/startup_shortcuts.h"

namespace orlimo {
namespace {

constexpr char16_t kChangePasswordTip[] = u"암호 바꾸기";
constexpr char16_t kChangeUserTip[] = u"사용자 바꾸기";
constexpr char16_t kLoadFailed[] = u"Error, FormLoad";
constexpr char16_t kShortcutPattern[] = u"StartupPCVarn.*";
// Appended to the caption while the guard cannot be reached.
constexpr char16_t kGuardUnreachable[] = u"  [보호 연결 끊김]";
// How often the window asks at the least: while a countdown runs, and otherwise.
constexpr int kFollowCountingMs = 1000;
constexpr int kFollowEveryMs = 3000;
// When something was due already as it asked (a keeper of the rules that is behind).
constexpr int kFollowSoonMs = 100;

constexpr int kClientWidth = 6810;
constexpr char16_t kMoreTime[] = u"시간 더 요청";
constexpr int kRowStep = 630;

}  // namespace

frmMain::frmMain(Program& program)
    : Form(program.runtime),
      cmdPwd(*this),
      cmdUser(*this),
      lStatus(*this),
      lTitle(*this),
      cmdHide(*this),
      cmdSetup(*this),
      cmdMore(*this),
      TimerFollow(*this),
      program_(program) {
  cmdHide.onClick = [this] { cmdHide_Click(); };
  for (int i = 0; i < kMaxUsers; ++i) {
    cmdUser[i].onClick = [this, i] { cmdUser_Click(i); };
    cmdPwd[i].onClick = [this, i] { cmdPwd_Click(i); };
  }
  cmdSetup.onClick = [this] { cmdSetup_Click(); };
  cmdMore.onClick = [this] { cmdMore_Click(); };
  TimerFollow.onTick = [this] { TimerFollow_Timer(); };
}

void frmMain::Design() {
  SetCaption(u"Orlimo");
  SetFixedDialog(true);
  SetBackColor(forms::kButtonFace);
  SetClientSize(kClientWidth, 750 * 9 + 1600);
  for (int i = 0; i < kMaxUsers; ++i) {
    int rowTop = 495 + kRowStep * i;
    cmdPwd[i].Move(30, rowTop, 285, 495);
    cmdPwd[i].SetPicture(forms::Picture::Key);
    cmdPwd[i].SetToolTip(kChangePasswordTip);
    cmdPwd[i].SetCaption(u"");
    cmdPwd[i].SetTabIndex(3 + 2 * i);
    cmdUser[i].Move(360, rowTop, 2655, 495);
    cmdUser[i].SetPicture(forms::Picture::User);
    cmdUser[i].SetToolTip(kChangeUserTip);
    cmdUser[i].SetCaption(u"User " + DecimalText(i + 1));
    cmdUser[i].SetTabIndex(4 + 2 * i);
    lStatus[i].Move(3210, 585 + kRowStep * i, kClientWidth - 3210 - 30, 300);
    lStatus[i].SetCaption(u"Status");
  }
  cmdHide.Move(30, 30, 855, 390);
  cmdHide.SetPicture(forms::Picture::Hide);
  cmdHide.SetCaption(SharedTexts::kHide);
  cmdHide.SetTabIndex(0);
  lTitle.Move(960, 105, 3330, 300);
  lTitle.SetCentered(true);
  lTitle.SetForeColor(forms::kRed);
  lTitle.SetFont({u"굴림", 9, true});
  lTitle.SetCaption(SharedTexts::kWhoIsUsing);
  cmdSetup.Move(kClientWidth - 1170, 30, 1140, 390);
  cmdMore.Move(4380, 30, 1230, 390);
  cmdMore.SetCaption(kMoreTime);
  cmdMore.SetTabIndex(2);
  cmdSetup.SetCaption(u"Setup");
  cmdSetup.SetTabIndex(1);
  TimerFollow.SetInterval(kFollowEveryMs);
  TimerFollow.SetOn(false);
}

void frmMain::Form_Load() {
  try {
    LoadSteps();
  } catch (const std::exception&) {
    program_.runtime.MessageBox(kLoadFailed, forms::kMbOk);
  }
}

void frmMain::LoadSteps() {
  forms::ScreenSize screen = program_.runtime.Screen();
  SetBounds({screen.width - Bounds().width, 0, Bounds().width, Bounds().height});
  lTitle.SetCaption(SharedTexts::kWhoIsUsing);
  SetCaption(ProgramCaption());
  program_.supervision().LogStart(Caption());
  if (program_.services.system.IsAnotherInstanceRunning()) {
    Unload();
    program_.runtime.End();
  }
  Text startupFolder =
      Registry::RegistryRead(program_.services.registry, Registry::kCommonStartupPath);
  if (!startupFolder.empty()) {
    Main::DeleteStartupShortcuts(InFolder(startupFolder, kShortcutPattern));
  }
  program_.supervision().Start();
  program_.Follow();
}

void frmMain::TimerFollow_Timer() {
  try {
    program_.Follow();
  } catch (const std::exception&) {
    FollowAgain();
  }
}

void frmMain::ShowState() {
  cmdMore.SetEnabled(program_.view.currentUser >= 0);
  LayOutRows();
  DisplayCurrent();
  ShowTitle();
  ShowReachable();
  FollowAgain();
}

void frmMain::FollowAgain() {
  const SessionSnapshot& view = program_.view;
  const int most =
      view.chooseSeconds >= 0 || view.countdownMsLeft >= 0 ? kFollowCountingMs : kFollowEveryMs;
  int interval = most;
  if (view.msToNextChange == 0) interval = kFollowSoonMs;
  if (view.msToNextChange > 0) interval = std::min(view.msToNextChange, most);
  TimerFollow.SetOn(false);
  TimerFollow.SetInterval(interval);
  TimerFollow.SetOn(true);
}

void frmMain::ShowReachable() {
  SetCaption(ProgramCaption() + (program_.supervision().Reachable() ? u"" : kGuardUnreachable));
}

void frmMain::cmdHide_Click() {
  Hide();
  program_.SmallWindow().Show();
}

void frmMain::cmdUser_Click(int index) {
  bool promptOpen = program_.UserPrompt().Loaded();
  program_.ChosenUser = static_cast<std::int16_t>(index);
  program_.UserPrompt().Show();
  if (promptOpen) program_.UserPrompt().ChosenUserChanged();
}

void frmMain::cmdPwd_Click(int index) {
  program_.OpenPasswordDialog(index);
}

void frmMain::cmdSetup_Click() {
  program_.OpenParentPrompt();
}

void frmMain::cmdMore_Click() {
  program_.MoreTimeWindow().Show();
}

void frmMain::Form_Unload() {
  TimerFollow.SetOn(false);
  program_.supervision().Closing();
}

void frmMain::Form_Terminate() {
  program_.supervision().Released();
  ProcessCheck::EnsureCompanionRunning(program_.services.system, program_.programFolder);
}

}  // namespace orlimo
