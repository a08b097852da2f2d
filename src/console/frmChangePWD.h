// The dialog in which a user changes his or her own password, on proof of the current one.
#pragma once

#include "program/program.h"
#include "forms/control_array.h"
#include "forms/form.h"

namespace orlimo {

class frmChangePWD : public forms::Form {
 public:
  explicit frmChangePWD(Program& program);

  forms::Label lMsg;
  forms::TextBox tCurPassword;
  forms::Label lChgPWD;
  forms::ControlArray<forms::TextBox, 2> tNewPassword;
  forms::Button cmdOK;
  forms::Button cmdCancel;
  forms::Timer TimerTOvr;
  forms::Timer TimerOut;

  void Design() override;
  void Form_Load() override;
  // PasswordTarget now names another child (another key button was clicked while the dialog was
  // open, or the console moved the rows): the dialog names that child and checks against it.
  void TargetChanged();

 private:
  Text TargetName() const;
  void cmdOK_Click();
  void TimerTOvr_Timer();
  // Plays the glass cue, shows the message in red in the label and closes a second later.
  void Refuse(forms::Label& label, TextView message);

  Program& program_;
};

}  // namespace orlimo
