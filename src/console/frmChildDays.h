// The parent's dialog for one child's days: an allowance and the hours of use for each day of the
// week, extra minutes for today, what happens when the time is up, and whether locked time
// counts.
#pragma once

#include "forms/control_array.h"
#include "forms/form.h"
#include "program/program.h"

namespace orlimo {

class frmChildDays : public forms::Form {
 public:
  explicit frmChildDays(Program& program);

  forms::Label lTitle;
  forms::ControlArray<forms::Label, 7> lWeekday;
  forms::Label lMinutes;
  forms::ControlArray<forms::TextBox, 7> tWeekday;  // Sunday first; blank = the daily allowance
  forms::Label lHours;
  forms::ControlArray<forms::TextBox, 7> tHours;  // "07:00-21:30"; blank = the whole day
  forms::Label lNote;
  forms::Label lExtra;
  forms::TextBox tExtra;  // today's extra minutes; negative takes minutes back
  forms::Label lEnd;
  forms::Button cmdEnd;  // what happens when the time is up; each click the next choice
  forms::Label lEndNote;
  forms::CheckBox chkLocked;  // ticked: the time the session is locked or left does not count
  forms::Label lToday;
  forms::Button cmdOK;
  forms::Button cmdCancel;

  // Shows the dialog modally for user number `user`.
  void ShowFor(int user);

  void Design() override;
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void cmdEnd_Click();
  void ShowEnd();
  // The numbers and hours as typed, or a message saying what cannot be stored.
  std::optional<DaysChange> TypedChange();

  Program& program_;
  int user_ = 0;
  EndAction end_ = EndAction::PowerOff;
};

}  // namespace orlimo
