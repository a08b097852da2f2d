// The time-is-up countdown: thirty seconds of advice and ticking, then the power-off, forced a
// minute later if the session is still there (on a guarded PC the guard's, not the program's).
#pragma once

#include <algorithm>
#include <array>
#include <random>

#include "program/program.h"
#include "forms/form.h"

namespace orlimo {

class DialogEnd : public forms::Form {
 public:
  explicit DialogEnd(Program& program);

  forms::Label lUserName;
  forms::Label lTitle;
  forms::Label Label1;
  forms::Label lCountDown;
  forms::Label lGoodMsg;
  forms::Timer TimerSec;
  forms::Timer TimerEnd;
  forms::Timer TimerForce;

  // The countdown's length at the next load, where the guard has already run part of it.
  void SetSecondsLeft(int seconds) { countdownMs_ = std::max(1, seconds) * 1000; }

  void Design() override;
  void Form_Load() override;

 private:
  void TimerSec_Timer();
  void TimerEnd_Timer();
  void TimerForce_Timer();
  Text SecondsText(double milliseconds) const;

  Program& program_;
  std::array<Text, 6> GoodMessages_;
  int TickCount_ = 0;
  float ElapsedMs_ = 0;
  int countdownMs_ = 30000;
  std::mt19937 random_{20031204};
};

}  // namespace orlimo
