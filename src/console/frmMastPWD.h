// The parent password prompt that guards the setup console.
#pragma once

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class frmMastPWD : public forms::Form {
 public:
  explicit frmMastPWD(Program& program);

  forms::TextBox tPassword;
  forms::Button cmdOK;
  forms::Button cmdCancel;
  forms::Timer TimerTOvr;

  void Design() override;
  void Form_Load() override;

 private:
  void cmdOK_Click();
  void tPassword_KeyPress(char16_t& key);

  Program& program_;
};

}  // namespace orlimo
