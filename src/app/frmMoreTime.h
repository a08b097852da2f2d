// The child's request for more time today: the child picks 10, 20 or 30 minutes, and the parent,
// at the PC, grants them with the parent password or refuses.
#pragma once

#include "forms/control_array.h"
#include "forms/form.h"
#include "program/program.h"

namespace orlimo {

class frmMoreTime : public forms::Form {
 public:
  explicit frmMoreTime(Program& program);

  forms::Label lMsg;
  forms::ControlArray<forms::Button, 3> cmdMinutes;  // 10, 20 and 30 minutes
  forms::Label lPassword;
  forms::TextBox tPassword;
  forms::Button cmdGrant;
  forms::Button cmdRefuse;
  forms::Timer TimerTOvr;
  forms::Timer TimerOut;

  void Design() override;
  void Form_Load() override;

 private:
  void Choose(int index);
  void cmdGrant_Click();
  void cmdRefuse_Click();
  // Shows a red message and closes the window one second later.
  void Refuse(TextView message);
  int Minutes() const { return 10 * (chosen_ + 1); }

  Program& program_;
  int chosen_ = 0;
};

}  // namespace orlimo
