// The parent's dialog for one child's days: an allowance for each day of the week and extra
// minutes for today.
#pragma once

#include "program/program.h"
#include "forms/control_array.h"
#include "forms/form.h"

namespace orlimo {

class frmChildDays : public forms::Form {
 public:
  explicit frmChildDays(Program& program);

  forms::Label lTitle;
  forms::ControlArray<forms::Label, 7> lWeekday;
  forms::ControlArray<forms::TextBox, 7> tWeekday;  // Sunday first; blank = the daily allowance
  forms::Label lNote;
  forms::Label lExtra;
  forms::TextBox tExtra;  // today's extra minutes; negative takes minutes back
  forms::Label lToday;
  forms::Button cmdOK;
  forms::Button cmdCancel;

  // Shows the dialog modally for user number `user`.
  void ShowFor(int user);

  void Design() override;
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdCancel_Click();

  Program& program_;
  int user_ = 0;
};

}  // namespace orlimo
