// The main window: one row per user, the current user marked, the title asking who is using the
// PC or counting the seconds left to choose. It lives from the program's start to its end and
// shows what the supervision says.
#pragma once

#include <array>
#include <cstdint>

#include "program/program.h"
#include "forms/control_array.h"
#include "forms/form.h"

namespace orlimo {

class frmMain : public forms::Form {
 public:
  explicit frmMain(Program& program);

  forms::ControlArray<forms::Button, kMaxUsers> cmdPwd;
  forms::ControlArray<forms::Button, kMaxUsers> cmdUser;
  forms::ControlArray<forms::Label, kMaxUsers> lStatus;
  forms::Label lTitle;
  forms::Button cmdHide;
  forms::Button cmdSetup;
  // The child at the PC asks for more time today.
  forms::Button cmdMore;
  // Asks the supervision what is due as often as it says: the rules' own clocks are the
  // supervisor's, the window only shows them.
  forms::Timer TimerFollow;

  // Shows the program's view of the session: the rows, the title and the caption.
  void ShowState();

  void Design() override;
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Terminate() override;

 private:
  void LoadSteps();
  void LayOutRows();
  void DisplayCurrent();
  void ShowTitle();
  // The next follow comes when the supervision next changes, and at least every few seconds.
  void FollowAgain();
  void TimerFollow_Timer();
  void ShowReachable();
  void cmdHide_Click();
  void cmdUser_Click(int index);
  void cmdPwd_Click(int index);
  void cmdSetup_Click();
  void cmdMore_Click();

  Program& program_;
};

}  // namespace orlimo
