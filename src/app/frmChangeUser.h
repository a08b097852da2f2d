// The user prompt: a child types his or her password to become the user being metered.
#pragma once

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class frmChangeUser : public forms::Form {
 public:
  explicit frmChangeUser(Program& program);

  forms::Label lMsg;
  forms::TextBox tPassword;
  forms::Button cmdOK;
  forms::Button cmdCancel;
  forms::Timer TimerTOvr;
  forms::Timer TimerOut;

  void Design() override;
  void Form_Load() override;
  // Another name button was clicked while the prompt was open: it now asks for that child.
  void ChosenUserChanged();

 private:
  void cmdOK_Click();
  void tPassword_KeyPress(char16_t& key);
  void TimerTOvr_Timer();
  // Shows a red message in the prompt and closes it one second later.
  void Refuse(TextView message);

  Program& program_;
};

}  // namespace orlimo
