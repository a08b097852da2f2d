#include "console/frmSetup.h"

#include "program/version.h"
#include "console/frmChangePWD.h"
#include "console/frmChildDays.h"
#include "console/frmUsageChart.h"
#include "console/setup_texts.h"
#include "console/user_grid.h"
#include "records/sound_cue.h"

namespace orlimo {
namespace {

// A user's number after the store; -1 for nobody and for a deleted user.
std::int16_t Renumbered(const UserGrid::Renumbering& renumbering, std::int16_t user) {
  if (user < 0 || user >= kMaxUsers) return -1;
  return static_cast<std::int16_t>(renumbering[static_cast<std::size_t>(user)]);
}

// Whatever acts on one child goes on acting on that child under the new number: the user being
// metered, and the user prompt and the change-password dialog left open behind the console. A
// deleted child is metered no more, and a window acting on it closes.
void FollowRenumbering(Program& program, const UserGrid::Renumbering& renumbering) {
  program.records().StoreTable(program.settings, renumbering);
  if (program.CurrentUser >= 0) program.CurrentUser = Renumbered(renumbering, program.CurrentUser);

  // Each child's days of Family.ini and the warnings already given move with the child.
  FamilyDays family{};
  std::array<Main::WarningState, kMaxUsers> warnings{};
  for (std::size_t old = 0; old < kMaxUsers; ++old) {
    const int moved = renumbering[old];
    if (moved < 0) continue;
    family[static_cast<std::size_t>(moved)] = program.family[old];
    warnings[static_cast<std::size_t>(moved)] = program.warnings[old];
  }
  program.family = family;
  program.warnings = warnings;
  program.SaveFamily();

  const std::int16_t chosen = Renumbered(renumbering, program.ChosenUser);
  if (chosen >= 0) program.ChosenUser = chosen;
  program.FollowChosenUser(chosen < 0);

  const std::int16_t target = Renumbered(renumbering, program.PasswordTarget);
  if (target >= 0) program.PasswordTarget = target;
  frmChangePWD& dialog = program.PasswordDialog();
  if (dialog.Loaded()) {
    if (target < 0) {
      dialog.Unload();
    } else {
      dialog.TargetChanged();
    }
  }
}

}  // namespace

frmSetup::frmSetup(Program& program)
    : Form(program.runtime),
      Label1(*this),
      Label2(*this),
      Label3(*this),
      Label7(*this),
      Label6(*this),
      Label5(*this),
      Label4(*this),
      tNames(*this),
      tLimitMins(*this),
      tUserPWD(*this),
      lUsedTime(*this),
      cmdDays(*this),
      cmdSeeNoSee(*this),
      chkPWDUse(*this),
      lDate(*this),
      TimerSound(*this),
      cmdStore(*this),
      cmdStoreEnd(*this),
      cmdCancel(*this),
      cmdReset(*this),
      tMsg(*this),
      cmdSeeLogs(*this),
      cmdSave(*this),
      cmdDelSave(*this),
      cmdPAUSE(*this),
      cmdUninstall(*this),
      cmdChangePassword(*this),
      cmdChart(*this),
      program_(program) {
  TimerSound.onTick = [this] { TimerSound_Timer(); };
  cmdStore.onClick = [this] { cmdStore_Click(); };
  for (int i = 0; i < kMaxUsers; ++i) cmdDays[i].onClick = [this, i] { cmdDays_Click(i); };
  cmdStoreEnd.onClick = [this] { cmdStoreEnd_Click(); };
  cmdCancel.onClick = [this] { Unload(); };
  cmdReset.onClick = [this] { SetData(); };
  cmdSeeNoSee.onClick = [this] { cmdSeeNoSee_Click(); };
  cmdSeeLogs.onClick = [this] { cmdSeeLogs_Click(); };
  cmdSave.onClick = [this] { cmdSave_Click(); };
  cmdDelSave.onClick = [this] { cmdDelSave_Click(); };
  cmdPAUSE.onClick = [this] { cmdPAUSE_Click(); };
  cmdUninstall.onClick = [this] { cmdUninstall_Click(); };
  cmdChangePassword.onClick = [this] { cmdChangePassword_Click(); };
  cmdChart.onClick = [this] { cmdChart_Click(); };
}

void frmSetup::Form_Load() {
  tMsg.SetVisible(false);
  cmdSeeLogs.SetCaption(SetupTexts::kSeeLogs);
  program_.StopMetering();
  SetData();
  SetCaption(VersionTitle());
}

void frmSetup::Form_Unload() {
  program_.ResumeMetering();
  program_.records().CloseConsole(program_.settings);
}

void frmSetup::TimerSound_Timer() {
  lDate.SetCaption(TimestampText(program_.services.clock.Now()));
  program_.PlayCue(Main::kButton);
}

void frmSetup::SetData() {
  const Settings& settings = program_.settings;
  for (int r = 0; r < kMaxUsers; ++r) {
    if (r > settings.UserCount) {
      tNames[r].SetText(u"");
      tLimitMins[r].SetText(u"");
      tUserPWD[r].SetText(u"");
      lUsedTime[r].SetCaption(u"");
      cmdDays[r].SetVisible(false);
      continue;
    }
    const UserEntry& user = settings.User(r);
    tNames[r].SetText(user.Name);
    tLimitMins[r].SetText(DecimalText(user.LimitMinutes));
    lUsedTime[r].SetCaption(DecimalText(user.UsedMinutes) + u" (" + DecimalText(user.UsedSeconds) +
                            u"초)");
    tUserPWD[r].SetText(user.Password);
    cmdDays[r].SetCaption(SetupTexts::kToday + DecimalText(program_.DayAllowance(r)) +
                          SetupTexts::kMinutes);
    cmdDays[r].SetVisible(true);
  }
  chkPWDUse.SetValue(settings.PasswordsInUse != 0 ? 1 : 0);
}

bool frmSetup::StoreData() {
  UserGrid::Rows rows;
  for (int r = 0; r < kMaxUsers; ++r) {
    rows[static_cast<std::size_t>(r)] = {tNames[r].GetText(), tLimitMins[r].GetText(),
                                         tUserPWD[r].GetText()};
  }
  if (std::optional<Text> problem = UserGrid::Problem(rows)) {
    program_.runtime.MessageBox(*problem, forms::kMbOk | forms::kMbIconInformation);
    return false;
  }
  const UserGrid::Renumbering renumbering = UserGrid::Store(program_.settings, rows);
  program_.settings.PasswordsInUse = chkPWDUse.Value() > 0 ? 1 : 0;
  FollowRenumbering(program_, renumbering);
  return true;
}

void frmSetup::cmdStore_Click() {
  if (StoreData()) SetData();
}

// The days of a stored child; the grid's own edits stay as they are.
void frmSetup::cmdDays_Click(int index) {
  if (index > program_.settings.UserCount) return;
  program_.DaysDialog().ShowFor(index);
  if (index <= program_.settings.UserCount) {
    cmdDays[index].SetCaption(SetupTexts::kToday + DecimalText(program_.DayAllowance(index)) +
                              SetupTexts::kMinutes);
  }
}

// The stored figures; the grid's own edits count once they are stored.
void frmSetup::cmdChart_Click() {
  program_.ChartWindow().Show(true);
}

void frmSetup::cmdStoreEnd_Click() {
  if (!StoreData()) return;
  program_.RebuildMainWindow();
  Unload();
}

}  // namespace orlimo
