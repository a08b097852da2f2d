#include "app/frmMain.h"

#include <stdexcept>

#include "app/frmChangeUser.h"
#include "app/frmSmall.h"
#include "program/shared_texts.h"
#include "program/version.h"
#include "base/path.h"
#include "enforce/ProcessCheck.h"
#include "records/log_words.h"
#include "records/registry_access.h"
#include "records/sound_cue.h"
#include "records/startup_shortcuts.h"

namespace orlimo {
namespace {

constexpr char16_t kChangePasswordTip[] = u"암호 바꾸기";
constexpr char16_t kChangeUserTip[] = u"사용자 바꾸기";
constexpr char16_t kAuthorship[] = u"(C) Orlimo 개발팀";
constexpr char16_t kLoadFailed[] = u"Error, FormLoad";
constexpr char16_t kStartupTickFailed[] = u"Err...";
constexpr char16_t kShortcutPattern[] = u"StartupPCVarn.*";
// Appended to the caption while the guard cannot be reached.
constexpr char16_t kGuardUnreachable[] = u"  [보호 연결 끊김]";
constexpr int kFollowEveryMs = 3000;

constexpr int kClientWidth = 5550;
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
      TimerStartup(*this),
      TimerCheckTime(*this),
      TimerUserBeep(*this),
      TimerFollow(*this),
      program_(program) {
  cmdHide.onClick = [this] { cmdHide_Click(); };
  for (int i = 0; i < kMaxUsers; ++i) {
    cmdUser[i].onClick = [this, i] { cmdUser_Click(i); };
    cmdPwd[i].onClick = [this, i] { cmdPwd_Click(i); };
  }
  cmdSetup.onClick = [this] { cmdSetup_Click(); };
  TimerStartup.onTick = [this] { TimerStartup_Timer(); };
  TimerCheckTime.onTick = [this] { TimerCheckTime_Timer(); };
  TimerUserBeep.onTick = [this] { TimerUserBeep_Timer(); };
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
  cmdSetup.Move(4380, 30, 1140, 390);
  cmdSetup.SetCaption(u"Setup");
  cmdSetup.SetTabIndex(1);
  TimerStartup.SetInterval(30000);
  TimerStartup.SetOn(true);
  TimerCheckTime.SetInterval(30000);
  TimerCheckTime.SetOn(true);
  TimerUserBeep.SetInterval(1000);
  TimerUserBeep.SetOn(false);
  TimerFollow.SetInterval(kFollowEveryMs);
  TimerFollow.SetOn(false);
}

Text frmMain::MainCaption() const {
  return VersionTitle() + u"    Orlimo  " + kAuthorship;
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
  SetCaption(MainCaption());
  program_.WriteLog(LogWords::kStartMark);
  program_.WriteLog(Caption());
  if (program_.services.system.IsAnotherInstanceRunning()) {
    Unload();
    program_.runtime.End();
  }
  Text startupFolder =
      Registry::RegistryRead(program_.services.registry, Registry::kCommonStartupPath);
  if (!startupFolder.empty()) {
    Main::DeleteStartupShortcuts(InFolder(startupFolder, kShortcutPattern));
  }
  program_.CurrentUser = -1;
  program_.LoadSettings();
  LoadFamily();
  ClearUsageOnNewDay();
  Inits();
  program_.SaveSettingsOrLater();
  TimerUserBeep.SetOn(false);
  TimerCheckTime.SetOn(false);
  TimerStartup.SetOn(true);
  TimerUserBeep.SetOn(false);
  TimerFollow.SetOn(program_.records().Clocks().has_value());
  ShowReachable();
}

void frmMain::TimerFollow_Timer() {
  try {
    program_.records().Follow(program_.settings, program_.CurrentUser);
    ShowReachable();
    if (std::optional<OutsideClocks> clocks = program_.records().Clocks()) {
      FollowOutsideClocks(*clocks, true);
    }
    DisplayCurrent();
  } catch (const std::exception&) {
  }
}

void frmMain::ShowReachable() {
  SetCaption(MainCaption() + (program_.records().Reachable() ? u"" : kGuardUnreachable));
}

void frmMain::Inits() {
  // A failure skips the later steps and goes no further than here. A save that fails does not
  // keep the rows from showing: it is made again at the next metering step.
  try {
    LayOutRows();
    ChooseStartUser();
    program_.SaveSettingsOrLater();
    DisplayCurrent();
  } catch (const std::exception&) {
  }
}

void frmMain::TimerStartup_Timer() {
  try {
    if (!program_.settingsRead) return;
    CheckTickCount_ = 0;
    program_.PlayCue(Main::kChimes);
    TimerStartup.SetOn(false);
    LastMeterStamp_ = TimestampText(program_.services.clock.Now());
    TimerCheckTime.SetOn(true);
    TimerCheckTime_Timer();
    program_.UsageSummary(LogWords::kStart);
    Inits();
  } catch (const std::exception&) {
    Unload();
    program_.runtime.MessageBox(kStartupTickFailed, forms::kMbOk);
  }
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

void frmMain::Form_Unload() {
  program_.UsageSummary(LogWords::kClosed);
  CheckTimeOut();
  if (program_.settingsRead) {
    program_.RecordUsageOfTheDay();
    program_.SaveFamily();
  }
}

// A Family.ini that cannot be rewritten leaves every child with the daily allowance alone: the
// program goes on as it would without the file.
void frmMain::LoadFamily() {
  try {
    program_.family = program_.records().LoadFamily(program_.settings);
  } catch (const std::exception&) {
    program_.family = {};
  }
}

void frmMain::Form_Terminate() {
  program_.UsageSummary(LogWords::kReleased);
  ProcessCheck::EnsureCompanionRunning(program_.services.system, program_.programFolder);
}

}  // namespace orlimo
