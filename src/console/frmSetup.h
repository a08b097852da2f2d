// The parent's setup console: the user grid, the log viewer and the program commands.
#pragma once

#include <optional>
#include <vector>

#include "program/program.h"
#include "forms/control_array.h"
#include "forms/form.h"

namespace orlimo {

class frmSetup : public forms::Form {
 public:
  explicit frmSetup(Program& program);

  forms::Label Label1;
  forms::Label Label2;
  forms::Label Label3;
  forms::Label Label7;
  forms::Label Label6;
  forms::Label Label5;
  forms::ControlArray<forms::Label, kMaxUsers> Label4;
  forms::ControlArray<forms::TextBox, kMaxUsers> tNames;
  forms::ControlArray<forms::TextBox, kMaxUsers> tLimitMins;
  forms::ControlArray<forms::TextBox, kMaxUsers> tUserPWD;
  forms::ControlArray<forms::Label, kMaxUsers> lUsedTime;
  // Opens the child's weekday allowances and today's extra minutes; shows today's allowance.
  forms::ControlArray<forms::Button, kMaxUsers> cmdDays;
  forms::Button cmdSeeNoSee;
  forms::CheckBox chkPWDUse;
  forms::Label lDate;
  forms::Timer TimerSound;
  forms::Button cmdStore;
  forms::Button cmdStoreEnd;
  forms::Button cmdCancel;
  forms::Button cmdReset;
  forms::TextBox tMsg;
  forms::Button cmdSeeLogs;
  forms::Button cmdSave;
  forms::Button cmdDelSave;
  forms::Button cmdPAUSE;
  forms::Button cmdUninstall;
  forms::Button cmdChangePassword;
  // Opens the chart of each child's use over the last days.
  forms::Button cmdChart;

  // Opens the console modally once the parent password was accepted: first what the parent must
  // know or do (the wrong parent passwords tried meanwhile, a known parent password replaced).
  void ShowAfter(const ConsoleEntry& entry);
  // Fills the grid and the check box from the user table.
  void SetData();
  // Stores the grid and the check box as the user table. A grid that cannot be stored is
  // refused with a message; nothing is stored then and false is returned.
  bool StoreData();

  void Design() override;
  void Form_Load() override;
  void Form_Unload() override;

 private:
  void DesignColumnHeadings();
  void DesignGrid();
  void DesignButtons();
  void TimerSound_Timer();
  void cmdStore_Click();
  void cmdDays_Click(int index);
  void cmdStoreEnd_Click();
  void cmdSeeNoSee_Click();
  void SetPasswordsMasked(bool masked);
  void cmdSeeLogs_Click();
  void ShowLog();
  void HideLog();
  void ShowGridExtras(bool show);
  void cmdSave_Click();
  void cmdDelSave_Click();
  void cmdPAUSE_Click();
  void cmdUninstall_Click();
  void cmdChangePassword_Click();
  enum class NewPasswordAnswer { Stored, NotStored, NoneGiven };
  NewPasswordAnswer AskNewParentPassword(TextView prompt);
  bool RenewKnownParentPassword();
  // The password box of a row shows the child's password only once the parent asked to see
  // them; until then a row with a password holds a stand-in, which a store keeps as it was.
  Text ShownPassword(int row) const;
  void cmdChart_Click();
  Text AskMasked(TextView prompt);

  Program& program_;
  // The children's passwords, while the parent has them shown.
  std::optional<std::vector<Text>> revealed_;
};

}  // namespace orlimo
