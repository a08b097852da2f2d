// The main window: one row per user, the metering of the current user, the time-out check and
// the choose-a-user countdown. It lives from the program's start to its end.
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
  forms::Timer TimerStartup;
  forms::Timer TimerCheckTime;
  forms::Timer TimerUserBeep;
  // Follows the guard's table and clocks every few seconds, where the guard keeps them.
  forms::Timer TimerFollow;

  // Lays the rows out anew, settles who is current, saves the settings and refreshes the rows.
  void Inits();
  // One metering step: credits the seconds since the last step to the current user.
  void CheckTimeOut();
  // Refreshes the captions and colours of the rows in use.
  void DisplayCurrent();
  // One metering step and the time-out check.
  void TimerCheckTime_Timer();

  void Design() override;
  void Form_Load() override;
  void Form_Unload() override;
  void Form_Terminate() override;

  // What the last metering step saw (for the window's own bookkeeping and for tests).
  float ElapsedSeconds() const { return ElapsedSeconds_; }

 private:
  void LoadSteps();
  void LoadFamily();
  void ClearUsageOnNewDay();
  void GiveTimeWarning();
  void LayOutRows();
  void ChooseStartUser();
  void FollowOutsideClocks(const OutsideClocks& clocks, bool showCountdown);
  void TimerStartup_Timer();
  void TimerUserBeep_Timer();
  void TimerFollow_Timer();
  void ShowReachable();
  void cmdHide_Click();
  void cmdUser_Click(int index);
  void cmdPwd_Click(int index);
  void cmdSetup_Click();
  Text MainCaption() const;

  Program& program_;
  std::int16_t CheckTickCount_ = 0;
  Text LastMeterStamp_;
  float ElapsedSeconds_ = 0;
  std::int16_t ChooseTickCount_ = 0;
};

}  // namespace orlimo
