// The small notice near the top-right corner that tells the current user the time is nearly up.
#pragma once

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class frmNotice : public forms::Form {
 public:
  explicit frmNotice(Program& program);

  forms::Label lMessage;
  forms::Timer TimerClose;

  void Design() override;
  void Form_Click() override;

  // Shows the text above the other windows without taking the keyboard from the window being
  // typed in; the notice closes itself after 10 seconds or on a click.
  void ShowNotice(TextView text);

 private:
  void TimerClose_Timer();

  Program& program_;
};

}  // namespace orlimo
