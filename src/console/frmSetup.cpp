#include "console/frmSetup.h"

#include "base/version.h"
#include "console/frmChangePWD.h"
#include "console/frmChildDays.h"
#include "console/frmUsageChart.h"
#include "console/setup_texts.h"
#include "console/user_grid.h"
#include "records/sound_cue.h"

namespace orlimo {
namespace {

constexpr char16_t kWrongAttemptsBefore[] = u"지난번에 설정을 연 뒤로 틀린 부모님 암호가 ";
constexpr char16_t kWrongAttemptsAfter[] = u"번 입력되었습니다.";
constexpr char16_t kTableNotStored[] =
    u"설정을 저장하지 못했습니다. 저장된 설정은 바뀌지 않았습니다. 다시 저장하십시오.";

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

void frmSetup::ShowAfter(const ConsoleEntry& entry) {
  revealed_.reset();
  Load();
  if (entry.wrongAttempts > 0) {
    program_.runtime.MessageBox(
        kWrongAttemptsBefore + DecimalText(entry.wrongAttempts) + kWrongAttemptsAfter,
        forms::kMbOk | forms::kMbIconInformation);
  }
  if (entry.newParentPasswordNeeded && !RenewKnownParentPassword()) {
    Unload();
    return;
  }
  Show(true);
}

void frmSetup::Form_Load() {
  tMsg.SetVisible(false);
  cmdSeeLogs.SetCaption(SetupTexts::kSeeLogs);
  SetData();
  SetCaption(VersionTitle());
}

void frmSetup::Form_Unload() {
  revealed_.reset();
  program_.supervision().CloseConsole();
  program_.Follow();
}

void frmSetup::TimerSound_Timer() {
  lDate.SetCaption(TimestampText(program_.services.clock.Now()));
  program_.PlayCue(Main::kButton);
}

void frmSetup::SetData() {
  const SessionSnapshot& view = program_.view;
  for (int r = 0; r < kMaxUsers; ++r) {
    if (r > view.UserCount()) {
      tNames[r].SetText(u"");
      tLimitMins[r].SetText(u"");
      tUserPWD[r].SetText(u"");
      lUsedTime[r].SetCaption(u"");
      cmdDays[r].SetVisible(false);
      continue;
    }
    const RowView& user = view.users[static_cast<std::size_t>(r)];
    tNames[r].SetText(user.name);
    tLimitMins[r].SetText(DecimalText(user.limitMinutes));
    lUsedTime[r].SetCaption(DecimalText(user.usedMinutes) + u" (" + DecimalText(user.usedSeconds) +
                            u"초)");
    tUserPWD[r].SetText(ShownPassword(r));
    cmdDays[r].SetCaption(SetupTexts::kToday + DecimalText(user.dayAllowance) +
                          SetupTexts::kMinutes);
    cmdDays[r].SetVisible(true);
  }
  chkPWDUse.SetValue(view.passwordsInUse ? 1 : 0);
}

Text frmSetup::ShownPassword(int row) const {
  if (revealed_ && static_cast<std::size_t>(row) < revealed_->size()) {
    return (*revealed_)[static_cast<std::size_t>(row)];
  }
  const SessionSnapshot& view = program_.view;
  const bool hasPassword =
      row <= view.UserCount() && view.users[static_cast<std::size_t>(row)].hasPassword;
  return hasPassword ? Text(UserGrid::kPasswordStandIn) : Text();
}

bool frmSetup::StoreData() {
  UserGrid::Rows rows;
  std::array<bool, kMaxUsers> kept{};
  for (int r = 0; r < kMaxUsers; ++r) {
    rows[static_cast<std::size_t>(r)] = {tNames[r].GetText(), tLimitMins[r].GetText(),
                                         tUserPWD[r].GetText()};
    // A password left as the stand-in stays as the child has it.
    kept[static_cast<std::size_t>(r)] =
        !revealed_ && tUserPWD[r].GetText() == UserGrid::kPasswordStandIn;
  }
  if (std::optional<Text> problem = UserGrid::Problem(rows)) {
    program_.runtime.MessageBox(*problem, forms::kMbOk | forms::kMbIconInformation);
    return false;
  }
  const TableChange change =
      UserGrid::Change(rows, program_.view.UserCount(), kept, chkPWDUse.Value() > 0);
  const StoreResult stored = program_.supervision().StoreTable(change);
  if (stored.outcome.verdict != Verdict::Done) {
    program_.runtime.MessageBox(kTableNotStored, forms::kMbOk | forms::kMbIconInformation);
    return false;
  }
  if (revealed_) {
    // The passwords shown are the ones stored, in the stored order.
    revealed_->clear();
    for (const StoredUser& user : change.users) revealed_->push_back(user.password.value_or(u""));
  }
  program_.Follow();
  program_.FollowRenumbering(stored.renumbering);
  return true;
}

void frmSetup::cmdStore_Click() {
  if (StoreData()) SetData();
}

// The days of a stored child; the grid's own edits stay as they are.
void frmSetup::cmdDays_Click(int index) {
  if (index > program_.view.UserCount()) return;
  program_.DaysDialog().ShowFor(index);
  if (index <= program_.view.UserCount()) {
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
  program_.supervision().Rebuild();
  Unload();
}

}  // namespace orlimo
